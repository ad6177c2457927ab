#include "support/code_pages.h"

#include <windows.h>

namespace tavrosk::testing {

std::vector<TestCodePage> test_code_pages() {
  return {{"System" + std::to_string(GetACP()), static_cast<int>(GetACP())}};
}

void select_code_page(const TestCodePage&) {}

}  // namespace tavrosk::testing
