#pragma once
// An in-process desktop: windows with titles, children and message handlers. Every message,
// message box and SetWindowPos call is recorded so tests can assert what the library did.
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_services.h"

namespace tavrosk::sim {

using platform::WindowHandle;

// Returns the message's result, or nothing to let the default processing answer
// (WM_GETTEXT and WM_SETTEXT on the window text, 0 for anything else).
using MessageHandler = std::function<std::optional<std::intptr_t>(
    WindowHandle self, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam)>;

struct RecordedMessage {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  // For WM_COPYDATA: the record's fields and the cbData bytes it pointed at, as sent.
  std::uintptr_t copy_data_tag = 0;
  std::uint32_t copy_data_size = 0;
  std::string copy_data_bytes;
};

struct RecordedMessageBox {
  std::u16string text;
  std::u16string caption;
  std::uint32_t style = 0;
};

struct RecordedWindowPos {
  WindowHandle window = 0;
  WindowHandle insert_after = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::uint32_t flags = 0;
};

class Desktop {
 public:
  WindowHandle create_window(std::u16string title, WindowHandle parent = 0,
                             MessageHandler handler = nullptr);
  // A window of another process, such as the relay tool's: it sees copies of the sender's
  // buffers, so what it writes past the count it returns never reaches the sender.
  WindowHandle create_other_process_window(std::u16string title, WindowHandle parent = 0,
                                           MessageHandler handler = nullptr);
  bool in_this_process(WindowHandle window) const;
  // Destroys the window and its children.
  void destroy_window(WindowHandle window);
  bool is_window(WindowHandle window) const;
  void set_window_text(WindowHandle window, std::u16string text);
  std::u16string window_text(WindowHandle window) const;
  // Whether SetWindowPos last placed the window in the topmost band.
  bool is_topmost(WindowHandle window) const;

  std::vector<RecordedMessage> messages() const;
  std::vector<RecordedMessage> messages_to(WindowHandle window) const;
  std::vector<RecordedMessageBox> message_boxes() const;
  std::vector<RecordedWindowPos> window_pos_calls() const;
  // How many times a top-level window was looked up by its title.
  std::size_t title_searches() const;
  void clear_records();
  // Called (on the caller's thread) each time a box is shown, before it answers OK.
  void on_message_box(std::function<void(const RecordedMessageBox&)> hook);
  // No windows, no records, no hook.
  void reset();

  // The platform services.
  WindowHandle find_top_level(std::u16string_view title) const;
  WindowHandle first_child(WindowHandle parent) const;
  std::intptr_t send(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                     std::intptr_t lparam);
  bool set_window_pos(const RecordedWindowPos& call);
  int show_message_box(std::u16string_view text, std::u16string_view caption, std::uint32_t style);

 private:
  struct Window {
    std::u16string title;
    WindowHandle parent = 0;
    MessageHandler handler;
    bool topmost = false;
    bool other_process = false;
  };
  std::intptr_t default_processing(WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wparam, std::intptr_t lparam);

  mutable std::mutex mutex_;
  std::map<WindowHandle, Window> windows_;  // ordered by creation: handles only grow
  WindowHandle next_handle_ = 0x20010;
  std::vector<RecordedMessage> messages_;
  std::vector<RecordedMessageBox> boxes_;
  std::vector<RecordedWindowPos> window_pos_calls_;
  mutable std::size_t title_searches_ = 0;
  std::function<void(const RecordedMessageBox&)> box_hook_;
};

// The process's one desktop.
Desktop& desktop();

}  // namespace tavrosk::sim
