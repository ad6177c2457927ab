#include "support/code_pages.h"

#include "platform/sim/code_page_selection.h"

namespace tavrosk::testing {

std::vector<TestCodePage> test_code_pages() {
  return {{"Windows1252", 1252}, kUtf8CodePage};
}

bool select_code_page(const TestCodePage& code_page) {
  sim::set_code_page(code_page.number == kUtf8CodePage.number ? sim::CodePage::kUtf8
                                                              : sim::CodePage::kWindows1252);
  return true;
}

}  // namespace tavrosk::testing
