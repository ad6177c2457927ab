#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

constexpr DWORD kScriptTimeoutMs = 300000;

// Presses OK on the box that a script's VB_PluginLib shows when it is created with no IDE
// window.
void answer_creation_box() {
  if (HWND box = FindWindowW(L"#32770", L"Tavrosk")) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The script host must be of this program's width, so that it loads the Tavrosk.dll that this
// program registered.
bool has_own_width(HANDLE process) {
  BOOL script_wow64 = FALSE;
  BOOL own_wow64 = FALSE;
  return IsWow64Process(process, &script_wow64) &&
         IsWow64Process(GetCurrentProcess(), &own_wow64) && script_wow64 == own_wow64;
}

}  // namespace

std::string run_script(const std::wstring& script, const std::wstring& arguments) {
  std::wstring folder = L"Z:" TAVROSK_BENCH_SCRIPT_FOLDER;
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  std::wstring command = L"cscript //nologo \"" + folder + L"\\" + script + L"\" " + arguments;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) throw std::runtime_error("no pipe");
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  // From this program's folder, so that the script's process finds Zavoplex.dll there.
  BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                program_folder().c_str(), &startup, &process);
  DWORD start_error = started ? 0 : GetLastError();
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    throw std::runtime_error("cannot start cscript, error " + std::to_string(start_error));
  }
  std::string output;
  std::thread reader([&] {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got > 0)
      output.append(chunk, got);
  });
  // Every message that the script sends here wakes the wait, so the time is read from the clock.
  ULONGLONG deadline = GetTickCount64() + kScriptTimeoutMs;
  bool ended = false;
  while (!ended && GetTickCount64() < deadline) {
    DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
    ended = woke == WAIT_OBJECT_0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    answer_creation_box();
  }
  if (!ended) TerminateProcess(process.hProcess, 1);
  reader.join();
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  bool own_width = has_own_width(process.hProcess);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(read_end);
  if (!ended || exit_code != 0) throw std::runtime_error("the script failed: " + output);
  if (!own_width) throw std::runtime_error("cscript does not run with this program's width");
  return output;
}

}  // namespace tavrosk::bench
