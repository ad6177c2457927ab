#include <stdexcept>
#include <string>

#include "relay_program.h"
#include "shared/win32_relay_protocol.h"

namespace tavrosk::bench {
namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 5000;

}  // namespace

std::wstring program_folder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

RelayProgram::RelayProgram() {
  if (FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle) != nullptr) {
    throw std::runtime_error("another relay window is open");
  }
  std::wstring command =
      L"\"" + program_folder() + L"korvex_relay_tool.exe\" --no-ide-window --hidden";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    throw std::runtime_error("cannot start korvex_relay_tool.exe");
  }
  CloseHandle(process_.hThread);
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 10) {
    if (FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle) != nullptr) return;
    Sleep(10);
  }
  TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hProcess);
  throw std::runtime_error("the relay program shows no window");
}

RelayProgram::~RelayProgram() {
  if (HWND window = FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle)) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hProcess);
}

}  // namespace tavrosk::bench
