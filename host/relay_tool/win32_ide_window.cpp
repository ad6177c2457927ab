#include "relay_tool/win32_ide_window.h"

#include <windows.h>

#include <string>

#include "relay_tool/relay_commands.h"
#include "relay_tool/win32_relay_protocol.h"

namespace tavrosk::host {
namespace {

constexpr wchar_t kClassName[] = L"TavroskReferenceIde";

// The line arrives while its sender waits, so the answer goes straight back to the sender
// before this message returns.
LRESULT carry_out(HWND ide, HWND relay, const COPYDATASTRUCT& data) {
  static const RelayCommands commands;
  std::string line(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
  if (auto reply = commands.handle_line(line)) {
    COPYDATASTRUCT answer{win32_relay::kIdeReplyTag, static_cast<DWORD>(reply->size()),
                          reply->data()};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(relay, WM_COPYDATA, reinterpret_cast<WPARAM>(ide),
                        reinterpret_cast<LPARAM>(&answer), SMTO_NORMAL, win32_relay::kSendTimeoutMs,
                        &ignored);
  }
  return 1;
}

LRESULT CALLBACK ide_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && lparam != 0) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data.dwData == win32_relay::kIdeCommandTag) {
      return carry_out(window, reinterpret_cast<HWND>(wparam), data);
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void register_class_once() {
  static const bool registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = ide_window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kClassName;
    return RegisterClassW(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

Win32IdeWindow::Win32IdeWindow() {
  register_class_once();
  HWND window = CreateWindowExW(0, kClassName, win32_relay::kIdeWindowTitle, WS_OVERLAPPEDWINDOW, 0,
                                0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  window_ = reinterpret_cast<platform::WindowHandle>(window);
}

Win32IdeWindow::~Win32IdeWindow() {
  if (window_ != 0) DestroyWindow(reinterpret_cast<HWND>(window_));
}

}  // namespace tavrosk::host
