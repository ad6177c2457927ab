#include "support/code_pages.h"

#include "platform/sim/code_page_selection.h"

namespace tavrosk::testing {

std::vector<TestCodePage> test_code_pages() {
  return {kWindows1252CodePage, kUtf8CodePage, {"Windows932", 932}};
}

bool select_code_page(const TestCodePage& code_page) {
  switch (code_page.number) {
    case 65001:
      sim::set_code_page(sim::CodePage::kUtf8);
      break;
    case 932:
      sim::set_code_page(sim::CodePage::kWindows932);
      break;
    default:
      sim::set_code_page(sim::CodePage::kWindows1252);
      break;
  }
  return true;
}

}  // namespace tavrosk::testing
