// The reference relay tool as a Windows program: the top-level window "Debug VB Application"
// with its reply child. Each line that arrives with WM_COPYDATA is logged, then answered, and
// the answer is in the reply child before the message returns, so the sender can read it at
// once. The answer is a scripted reply when a test queued one; else the IDE carries the line
// out (the reference IDE window "Korvex IDE", wherever its model lives); else, with no IDE
// window, the relay commands over this program's own model.
//
//   korvex_relay_tool.exe [--log FILE]   appends every received line to FILE
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "relay_tool/relay_commands.h"
#include "relay_tool/win32_relay_protocol.h"

namespace {

using namespace tavrosk::host;

struct RelayTool {
  HWND window = nullptr;
  HWND reply_window = nullptr;
  std::string log_path;
  std::deque<std::string> scripted;
  std::optional<std::string> ide_reply;  // filled while the IDE carries a line out
};

RelayTool g_tool;

std::string payload(const COPYDATASTRUCT& data) {
  if (data.lpData == nullptr || data.cbData == 0) return {};
  return std::string(static_cast<const char*>(data.lpData), data.cbData);
}

void log_line(const ReceivedLine& line) {
  if (g_tool.log_path.empty()) return;
  if (FILE* log = std::fopen(g_tool.log_path.c_str(), "ab")) {
    std::string record = win32_relay::log_record(line);
    std::fwrite(record.data(), 1, record.size(), log);
    std::fclose(log);
  }
}

// Hands the line to the IDE window. Nothing when there is none or it did not take the line.
std::optional<std::optional<std::string>> carry_out_in_ide(const std::string& line) {
  HWND ide = FindWindowW(nullptr, win32_relay::kIdeWindowTitle);
  if (ide == nullptr) return std::nullopt;
  COPYDATASTRUCT data{win32_relay::kIdeCommandTag, static_cast<DWORD>(line.size()),
                      const_cast<char*>(line.data())};
  g_tool.ide_reply.reset();
  DWORD_PTR taken = 0;
  if (!SendMessageTimeoutA(ide, WM_COPYDATA, reinterpret_cast<WPARAM>(g_tool.window),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                           win32_relay::kSendTimeoutMs, &taken) ||
      taken != 1) {
    return std::nullopt;
  }
  return std::exchange(g_tool.ide_reply, std::nullopt);
}

void on_line(const ReceivedLine& line) {
  log_line(line);
  std::optional<std::string> reply;
  if (!g_tool.scripted.empty()) {
    reply = std::move(g_tool.scripted.front());
    g_tool.scripted.pop_front();
  } else {
    std::string text = line.bytes.substr(0, line.bytes.find('\0'));
    if (auto from_ide = carry_out_in_ide(text)) {
      reply = *from_ide;
    } else {
      static const RelayCommands commands;
      reply = commands.handle_line(text);
    }
  }
  // A command without a reply leaves the reply window as it was.
  if (reply) SetWindowTextA(g_tool.reply_window, reply->c_str());
}

LRESULT on_copy_data(const COPYDATASTRUCT& data) {
  std::string bytes = payload(data);
  switch (data.dwData) {
    case win32_relay::kScriptReplyTag:
      g_tool.scripted.push_back(bytes);
      return 1;
    case win32_relay::kResetTag:
      g_tool.scripted.clear();
      SetWindowTextA(g_tool.reply_window, "");
      return 1;
    case win32_relay::kIdeReplyTag:
      g_tool.ide_reply = bytes;
      return 1;
    default:
      on_line(ReceivedLine{data.dwData, data.cbData, bytes, {}});
      return 1;
  }
}

LRESULT CALLBACK relay_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COPYDATA:
      if (lparam == 0) return 0;
      return on_copy_data(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void read_options(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--log") == 0) g_tool.log_path = argv[++i];
  }
}

}  // namespace

int main(int argc, char** argv) {
  read_options(argc, argv);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = relay_window_proc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"TavroskReferenceRelayTool";
  if (!RegisterClassW(&window_class)) return 1;
  g_tool.window = CreateWindowExW(0, window_class.lpszClassName, win32_relay::kRelayWindowTitle,
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400, 120,
                                  nullptr, nullptr, instance, nullptr);
  if (g_tool.window == nullptr) return 2;
  // The reply child, created after nothing else so that it is the first child.
  g_tool.reply_window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 120,
                                        g_tool.window, nullptr, instance, nullptr);
  if (g_tool.reply_window == nullptr) return 3;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
