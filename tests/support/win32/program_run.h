#pragma once
// Runs a program to its end with its output gathered, answering this thread's window messages
// meanwhile (the program may send to windows of this thread); finds the test program's folder.
#include <windows.h>

#include <string>

namespace tavrosk::testing {

struct ProgramRun {
  DWORD exit_code = 0;
  std::string output;
};

// `folder` empty: the program starts in this process's current folder.
ProgramRun run_program_in(const std::wstring& command_line, const std::wstring& folder);

// The folder of this test program, with its closing backslash; and the same in the ANSI code
// page, for the ANSI calls of the relay-program and loader fixtures.
std::wstring program_folder();
std::string ansi_program_folder();

// Handles this thread's messages until `done` is signalled.
void pump_until(HANDLE done);

}  // namespace tavrosk::testing
