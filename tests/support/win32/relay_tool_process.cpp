#include "support/win32/relay_tool_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "platform/code_page.h"
#include "relay_tool/traffic.h"
#include "shared/win32_relay_protocol.h"
#include "support/win32/program_run.h"

namespace tavrosk::testing {
namespace {

namespace protocol = host::win32_relay;

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 5000;

// The relay program beside the test program, or above it for a program that runs from a
// folder of its own (the loader faults). A process whose code page is UTF-8 talks to the relay
// program built to run in UTF-8 too, as both would on a system whose code page is UTF-8.
std::string relay_program() {
  std::string name = GetACP() == CP_UTF8 ? "korvex_relay_tool_utf8.exe" : "korvex_relay_tool.exe";
  std::string beside = ansi_program_folder() + name;
  return GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES
             ? beside
             : ansi_program_folder() + "..\\" + name;
}

DWORD process_of(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Asks a relay window to close and waits, boundedly, until no relay window is left.
void close_relay_windows() {
  for (DWORD waited = 0; waited < kExitTimeoutMs; waited += 10) {
    HWND window = FindWindowW(nullptr, protocol::kRelayWindowTitle);
    if (window == nullptr) return;
    PostMessageW(window, WM_CLOSE, 0, 0);
    Sleep(10);
  }
}

LRESULT send_copy_data(HWND window, std::uintptr_t tag, const std::string& bytes) {
  COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                      protocol::kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

// The program, started once and kept for the tests that follow.
class RelayProgram {
 public:
  ~RelayProgram() { stop(); }

  const std::string& log_path() const { return log_path_; }

  HWND ensure_running() {
    if (HWND window = own_window()) return window;
    stop();
    close_relay_windows();  // one left over by an earlier run would take our lines
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    log_path_ =
        std::string(folder) + "tavrosk_relay_" + std::to_string(GetCurrentProcessId()) + ".log";
    std::string command =
        '"' + relay_program() + "\" --no-ide-window --hidden --log \"" + log_path_ + '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      ADD_FAILURE() << "cannot start " << command;
      return nullptr;
    }
    CloseHandle(process_.hThread);
    for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 10) {
      if (HWND window = own_window()) return window;
      Sleep(10);
    }
    ADD_FAILURE() << "the relay program shows no window";
    return nullptr;
  }

  void stop() {
    if (process_.hProcess == nullptr) return;
    if (HWND window = own_window()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process_.hProcess);
    process_ = {};
  }

 private:
  HWND own_window() const {
    if (process_.hProcess == nullptr) return nullptr;
    HWND window = FindWindowW(nullptr, protocol::kRelayWindowTitle);
    return window != nullptr && process_of(window) == process_.dwProcessId ? window : nullptr;
  }

  PROCESS_INFORMATION process_{};
  std::string log_path_;
};

RelayProgram& program() {
  static RelayProgram relay_program;
  return relay_program;
}

// Ends the program when the test program ends, before static destruction.
class RelayProgramEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { program().stop(); }
};
[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new RelayProgramEnvironment);

}  // namespace

RelayToolProcess::RelayToolProcess() {
  HWND window = program().ensure_running();
  if (window == nullptr) return;
  window_ = reinterpret_cast<platform::WindowHandle>(window);
  reply_window_ = reinterpret_cast<platform::WindowHandle>(GetWindow(window, GW_CHILD));
  send_copy_data(window, protocol::kResetTag, {});
  clear_received();
}

void RelayToolProcess::script_reply(std::u16string reply) {
  send_copy_data(reinterpret_cast<HWND>(window_), protocol::kScriptReplyTag,
                 platform::to_ansi(reply));
}

void RelayToolProcess::set_reply_text(std::u16string text) {
  std::string bytes = platform::to_ansi(text);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(reinterpret_cast<HWND>(reply_window_), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(bytes.c_str()), SMTO_NORMAL,
                      protocol::kSendTimeoutMs, &ignored);
}

std::u16string RelayToolProcess::reply_text() const {
  HWND reply = reinterpret_cast<HWND>(reply_window_);
  int length = GetWindowTextLengthA(reply);
  std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(reply, bytes.data(), length + 1);
  bytes.resize(static_cast<std::size_t>(copied));
  return platform::from_ansi(bytes);
}

std::vector<host::ReceivedLine> RelayToolProcess::received() const {
  std::ifstream log(program().log_path(), std::ios::binary);
  std::stringstream content;
  content << log.rdbuf();
  std::vector<host::ReceivedLine> lines = host::parse_line_entries(content.str());
  for (auto& line : lines)
    line.text = platform::from_ansi(line.bytes.substr(0, line.bytes.find('\0')));
  return lines;
}

std::vector<std::u16string> RelayToolProcess::lines() const {
  std::vector<std::u16string> texts;
  for (const auto& line : received()) texts.push_back(line.text);
  return texts;
}

void RelayToolProcess::clear_received() {
  std::ofstream(program().log_path(), std::ios::binary | std::ios::trunc);
}

void stop_relay_program() {
  program().stop();
}

void RelayToolProcess::close() {
  program().stop();
  window_ = 0;
  reply_window_ = 0;
}

}  // namespace tavrosk::testing
