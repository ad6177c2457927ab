#pragma once
// The reference relay program, korvex_relay_tool.exe beside the calling program, started in a
// process of its own for the lifetime of a RelayProgram; for the benchmarks and the soak.
#include <windows.h>

#include <string>

namespace tavrosk::bench {

// The folder of this program, where Tavrosk.dll, Zavoplex.dll and the relay program lie.
std::wstring program_folder();

class RelayProgram {
 public:
  RelayProgram();
  ~RelayProgram();
  RelayProgram(const RelayProgram&) = delete;
  RelayProgram& operator=(const RelayProgram&) = delete;

  DWORD process_id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace tavrosk::bench
