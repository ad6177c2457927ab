#include "support/test_window.h"

#include <chrono>
#include <thread>

#include "platform/sim/desktop.h"

namespace tavrosk::testing {

struct TestWindow::State {
  WindowHandler handler;
  std::vector<std::pair<std::uint32_t, std::intptr_t>> messages;
};

TestWindow::TestWindow(std::u16string title, platform::WindowHandle parent, WindowHandler handler)
    : state_(std::make_unique<State>(State{std::move(handler), {}})) {
  handle_ = sim::desktop().create_window(
      std::move(title), parent,
      [state = state_.get()](platform::WindowHandle, std::uint32_t message, std::uintptr_t wparam,
                             std::intptr_t lparam) -> std::optional<std::intptr_t> {
        state->messages.emplace_back(message, lparam);
        if (state->handler) return state->handler(message, wparam, lparam);
        return std::nullopt;
      });
}

TestWindow::~TestWindow() {
  destroy();
}

void TestWindow::destroy() {
  if (sim::desktop().is_window(handle_)) sim::desktop().destroy_window(handle_);
}

bool TestWindow::topmost() const {
  return sim::desktop().is_topmost(handle_);
}

// The simulated desktop keeps no places or sizes: they follow from the SetWindowPos calls.
bool TestWindow::visible() const {
  for (const auto& call : sim::desktop().window_pos_calls())
    if (call.window == handle_ && (call.flags & platform::kSwpShowWindow) != 0) return true;
  return false;
}

bool TestWindow::kept_place_and_size() const {
  constexpr std::uint32_t kKeep = platform::kSwpNoMove | platform::kSwpNoSize;
  for (const auto& call : sim::desktop().window_pos_calls())
    if (call.window == handle_ && (call.flags & kKeep) != kKeep) return false;
  return true;
}

std::vector<platform::WindowHandle> TestWindow::placements() const {
  std::vector<platform::WindowHandle> found;
  for (const auto& call : sim::desktop().window_pos_calls())
    if (call.window == handle_) found.push_back(call.insert_after);
  return found;
}

std::vector<std::intptr_t> TestWindow::received(std::uint32_t message) const {
  std::vector<std::intptr_t> found;
  for (const auto& [number, lparam] : state_->messages)
    if (number == message) found.push_back(lparam);
  return found;
}

// The simulated desktop delivers a message on its sender's thread: there is nothing to serve.
void serve_windows_until(const std::function<bool()>& done) {
  while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace tavrosk::testing
