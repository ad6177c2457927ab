#include "support/code_pages.h"

#include <windows.h>

namespace tavrosk::testing {

std::vector<TestCodePage> test_code_pages() {
  return {{"System" + std::to_string(GetACP()), static_cast<int>(GetACP())}};
}

bool select_code_page(const TestCodePage& code_page) {
  return GetACP() == static_cast<UINT>(code_page.number);
}

}  // namespace tavrosk::testing
