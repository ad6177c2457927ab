#pragma once
// The ANSI code pages a test can run under: on the simulated system both that it offers, which
// a test switches between; on Windows the system's own, which a process cannot switch.
#include <string>
#include <vector>

namespace tavrosk::testing {

struct TestCodePage {
  std::string name;
  int number = 0;
};

std::vector<TestCodePage> test_code_pages();
inline const TestCodePage kUtf8CodePage{"Utf8", 65001};

// Makes the code page the one in use where the process can switch (the fixture puts the default
// back after the test); false when it is not in use, as on Windows outside a process whose
// manifest asks for it.
bool select_code_page(const TestCodePage& code_page);

}  // namespace tavrosk::testing
