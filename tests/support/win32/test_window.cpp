#include "support/test_window.h"

#include <windows.h>

#include "platform/code_page.h"

namespace tavrosk::testing {

struct TestWindow::State {
  WindowHandler handler;
  std::vector<std::pair<std::uint32_t, std::intptr_t>> messages;
  std::vector<platform::WindowHandle> placements;  // read while the message is in flight
};

namespace {

// An ANSI window: the library's WM_GETTEXT (SendMessageA) reaches it with the caller's own
// single-byte buffer, unconverted.
constexpr char kClassName[] = "TavroskTestWindow";
constexpr int kLeft = 30, kTop = 40, kSize = 50;

LRESULT CALLBACK test_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<TestWindow::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state != nullptr) {
    state->messages.emplace_back(message, lparam);
    // Only what changes the Z-order: the system also moves and sizes windows on its own.
    const auto* position = reinterpret_cast<const WINDOWPOS*>(lparam);
    if (message == WM_WINDOWPOSCHANGING && (position->flags & SWP_NOZORDER) == 0) {
      state->placements.push_back(
          reinterpret_cast<platform::WindowHandle>(position->hwndInsertAfter));
    }
    if (state->handler) {
      if (auto answer = state->handler(message, wparam, lparam)) return *answer;
    }
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void register_class_once() {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = test_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClassName;
    return RegisterClassA(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

TestWindow::TestWindow(std::u16string title, platform::WindowHandle parent, WindowHandler handler)
    : state_(std::make_unique<State>(State{std::move(handler), {}, {}})) {
  register_class_once();
  HWND window =
      CreateWindowExA(0, kClassName, platform::to_ansi(title).c_str(),
                      parent != 0 ? WS_CHILD : WS_POPUP, kLeft, kTop, kSize, kSize,
                      reinterpret_cast<HWND>(parent), nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state_.get()));
  handle_ = reinterpret_cast<platform::WindowHandle>(window);
}

TestWindow::~TestWindow() {
  destroy();
}

void TestWindow::destroy() {
  HWND window = reinterpret_cast<HWND>(handle_);
  if (IsWindow(window)) DestroyWindow(window);
}

bool TestWindow::topmost() const {
  return (GetWindowLongW(reinterpret_cast<HWND>(handle_), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool TestWindow::visible() const {
  return IsWindowVisible(reinterpret_cast<HWND>(handle_)) != FALSE;
}

bool TestWindow::kept_place_and_size() const {
  RECT bounds{};
  GetWindowRect(reinterpret_cast<HWND>(handle_), &bounds);
  return bounds.left == kLeft && bounds.top == kTop && bounds.right - bounds.left == kSize &&
         bounds.bottom - bounds.top == kSize;
}

std::vector<platform::WindowHandle> TestWindow::placements() const {
  return state_->placements;
}

std::vector<std::intptr_t> TestWindow::received(std::uint32_t message) const {
  std::vector<std::intptr_t> found;
  for (const auto& [number, lparam] : state_->messages)
    if (number == message) found.push_back(lparam);
  return found;
}

void serve_windows_until(const std::function<bool()>& done) {
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

}  // namespace tavrosk::testing
