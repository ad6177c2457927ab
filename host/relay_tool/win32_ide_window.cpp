#include "relay_tool/win32_ide_window.h"

#include <windows.h>

#include <string>

#include "model/ide_model.h"
#include "shared/guarded.h"
#include "shared/relay_commands.h"
#include "shared/win32_relay_protocol.h"

namespace tavrosk::host {
namespace {

const Win32IdeWindow* ide_of(HWND window) {
  return reinterpret_cast<const Win32IdeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void send_back(HWND ide, HWND to, std::uintptr_t tag, const std::string& bytes) {
  COPYDATASTRUCT answer{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(ide),
                      reinterpret_cast<LPARAM>(&answer), SMTO_NORMAL, win32_relay::kSendTimeoutMs,
                      &ignored);
}

// The line arrives while its sender waits, so the answer goes straight back to the sender
// before this message returns.
LRESULT carry_out(HWND ide, HWND relay, const COPYDATASTRUCT& data) {
  const Win32IdeWindow* owner = ide_of(ide);
  if (owner == nullptr) return 0;
  std::string line(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
  std::optional<std::string> reply = owner->commands().handle_line(line);
  if (reply) send_back(ide, relay, win32_relay::kIdeReplyTag, *reply);
  if (const auto& on_line = owner->events().line) on_line(line, reply);
  return 1;
}

// This process's own Zavoplex.dll serves the call: its model is the IDE's.
LRESULT serve_export_call(HWND ide, HWND caller, const COPYDATASTRUCT& data) {
  static HMODULE library = LoadLibraryW(L"Zavoplex.dll");
  std::optional<ExportCall> call = decode_call(
      std::string_view(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0));
  if (!call || library == nullptr) return 0;
  void* address = reinterpret_cast<void*>(GetProcAddress(library, call->name.c_str()));
  std::optional<ExportAnswer> answer = run_export_call(*call, address);
  if (!answer) return 0;
  send_back(ide, caller, win32_relay::kExportAnswerTag, encode_answer(*answer));
  const Win32IdeWindow* owner = ide_of(ide);
  if (owner != nullptr && owner->events().export_call) owner->events().export_call(*call, *answer);
  return 1;
}

LRESULT on_ide_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && lparam != 0) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data.dwData == win32_relay::kIdeCommandTag) {
      return carry_out(window, reinterpret_cast<HWND>(wparam), data);
    }
    if (data.dwData == win32_relay::kExportCallTag) {
      return serve_export_call(window, reinterpret_cast<HWND>(wparam), data);
    }
  }
  if (message == WM_SIZE) {
    // The host program's view of the model fills the window.
    if (HWND view = GetWindow(window, GW_CHILD)) {
      MoveWindow(view, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK ide_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded([&] { return on_ide_window_message(window, message, wparam, lparam); },
                 LRESULT{0});
}

void register_class_once() {
  static const bool registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = ide_window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = win32_relay::kIdeWindowClass;
    return RegisterClassW(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

Win32IdeWindow::Win32IdeWindow(IdeWindowEvents events) : events_(std::move(events)) {
  register_class_once();
  count_ide_window_made();
  HWND window = CreateWindowExW(0, win32_relay::kIdeWindowClass, win32_relay::kIdeWindowTitle,
                                WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  window_ = reinterpret_cast<platform::WindowHandle>(window);
}

Win32IdeWindow::~Win32IdeWindow() {
  if (window_ != 0) DestroyWindow(reinterpret_cast<HWND>(window_));
}

}  // namespace tavrosk::host
