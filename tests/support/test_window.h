#pragma once
// A window of the test's own thread, on either platform: a title, an optional parent, and an
// optional handler that answers a message before the default processing (which keeps the
// window text). Being in the test's process, a handler sees the sender's own memory, as a
// reply window of the plug-in's process would.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_services.h"

namespace tavrosk::testing {

using WindowHandler = std::function<std::optional<std::intptr_t>(
    std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam)>;

class TestWindow {
 public:
  explicit TestWindow(std::u16string title, platform::WindowHandle parent = 0,
                      WindowHandler handler = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  platform::WindowHandle handle() const { return handle_; }
  // Destroys the window (and its children) now; the handle stays as it was.
  void destroy();
  // Whether SetWindowPos last put the window in the topmost band.
  bool topmost() const;
  // Whether the window is shown; it is made hidden.
  bool visible() const;
  // Whether the window still stands where it was made, at its size.
  bool kept_place_and_size() const;
  // The insert-after handle of every SetWindowPos that reached the window, in order.
  std::vector<platform::WindowHandle> placements() const;
  // The lParam of every `message` the window received, in order.
  std::vector<std::intptr_t> received(std::uint32_t message) const;

  struct State;

 private:
  platform::WindowHandle handle_ = 0;
  std::unique_ptr<State> state_;
};

// Waits until `done` holds, handling meanwhile what other threads send to this thread's windows.
void serve_windows_until(const std::function<bool()>& done);

}  // namespace tavrosk::testing
