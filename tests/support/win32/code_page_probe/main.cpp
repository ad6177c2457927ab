// Says which ANSI code page a Wine prefix gives its programs, for the runs of the text suites
// in other code pages: prints "GetACP() = N" and exits with 0 when N is the code page given.
//
//   tavrosk_code_page_probe.exe CODE-PAGE
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  UINT asked = argc > 1 ? static_cast<UINT>(std::strtoul(argv[1], nullptr, 10)) : 0;
  std::printf("GetACP() = %u\n", GetACP());
  return GetACP() == asked ? 0 : 1;
}
