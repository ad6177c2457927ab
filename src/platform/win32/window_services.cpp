// Window services over user32.
#include "platform/window_services.h"

#include <windows.h>

#include <richedit.h>

#include <cstddef>

#include "platform/win32/wide_text.h"

namespace tavrosk::platform {

static_assert(sizeof(CopyDataRecord) == sizeof(COPYDATASTRUCT));
static_assert(offsetof(CopyDataRecord, dwData) == offsetof(COPYDATASTRUCT, dwData));
static_assert(offsetof(CopyDataRecord, cbData) == offsetof(COPYDATASTRUCT, cbData));
static_assert(offsetof(CopyDataRecord, lpData) == offsetof(COPYDATASTRUCT, lpData));
static_assert(kWmGetText == WM_GETTEXT && kWmSetText == WM_SETTEXT && kWmCopyData == WM_COPYDATA);
static_assert(kEmSetTargetDevice == EM_SETTARGETDEVICE);
static_assert(kSwpNoSize == SWP_NOSIZE && kSwpNoMove == SWP_NOMOVE &&
              kSwpShowWindow == SWP_SHOWWINDOW);

namespace {

HWND as_hwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
WindowHandle as_handle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

}  // namespace

WindowHandle find_top_level_window(std::u16string_view title) {
  // Any window class; the system compares the title without regard to letter case.
  std::wstring wide = win32::to_wide(title);
  return as_handle(FindWindowW(nullptr, wide.c_str()));
}

WindowHandle first_child_window(WindowHandle parent) {
  return as_handle(GetWindow(as_hwnd(parent), GW_CHILD));
}

std::intptr_t send_message(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                           std::intptr_t lparam) {
  // The ANSI form, so that WM_GETTEXT fills the caller's single-byte buffer.
  return SendMessageA(as_hwnd(window), message, wparam, lparam);
}

bool window_in_this_process(WindowHandle window) {
  DWORD process = 0;
  GetWindowThreadProcessId(as_hwnd(window), &process);
  return process == GetCurrentProcessId();
}

bool set_window_pos(WindowHandle window, WindowHandle insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) {
  return SetWindowPos(as_hwnd(window), as_hwnd(insert_after), x, y, cx, cy, flags) != 0;
}

}  // namespace tavrosk::platform
