#include "platform/sim/desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/code_page.h"
#include "platform/message_box.h"

namespace tavrosk::sim {
namespace {

char16_t fold_case(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

bool same_title(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return fold_case(x) == fold_case(y); });
}

}  // namespace

Desktop& desktop() {
  static Desktop instance;
  return instance;
}

WindowHandle Desktop::create_window(std::u16string title, WindowHandle parent,
                                    MessageHandler handler) {
  std::lock_guard lock(mutex_);
  WindowHandle handle = next_handle_;
  next_handle_ += 0x10;
  windows_[handle] = Window{std::move(title), parent, std::move(handler), false, false};
  return handle;
}

WindowHandle Desktop::create_other_process_window(std::u16string title, WindowHandle parent,
                                                  MessageHandler handler) {
  WindowHandle handle = create_window(std::move(title), parent, std::move(handler));
  std::lock_guard lock(mutex_);
  windows_[handle].other_process = true;
  return handle;
}

bool Desktop::in_this_process(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(window);
  return it != windows_.end() && !it->second.other_process;
}

void Desktop::destroy_window(WindowHandle window) {
  std::vector<WindowHandle> doomed{window};
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& [handle, w] : windows_) {
      if (w.parent == doomed[i]) doomed.push_back(handle);
    }
  }
  for (WindowHandle handle : doomed) windows_.erase(handle);
}

bool Desktop::is_window(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  return windows_.count(window) != 0;
}

void Desktop::set_window_text(WindowHandle window, std::u16string text) {
  std::lock_guard lock(mutex_);
  if (auto it = windows_.find(window); it != windows_.end()) it->second.title = std::move(text);
}

std::u16string Desktop::window_text(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(window);
  return it == windows_.end() ? std::u16string() : it->second.title;
}

bool Desktop::is_topmost(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(window);
  return it != windows_.end() && it->second.topmost;
}

std::vector<RecordedMessage> Desktop::messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

std::vector<RecordedMessage> Desktop::messages_to(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  std::vector<RecordedMessage> out;
  std::copy_if(messages_.begin(), messages_.end(), std::back_inserter(out),
               [window](const RecordedMessage& m) { return m.window == window; });
  return out;
}

std::vector<RecordedMessageBox> Desktop::message_boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::vector<RecordedWindowPos> Desktop::window_pos_calls() const {
  std::lock_guard lock(mutex_);
  return window_pos_calls_;
}

std::size_t Desktop::title_searches() const {
  std::lock_guard lock(mutex_);
  return title_searches_;
}

void Desktop::clear_records() {
  std::lock_guard lock(mutex_);
  messages_.clear();
  boxes_.clear();
  window_pos_calls_.clear();
  title_searches_ = 0;
}

void Desktop::on_message_box(std::function<void(const RecordedMessageBox&)> hook) {
  std::lock_guard lock(mutex_);
  box_hook_ = std::move(hook);
}

void Desktop::reset() {
  std::lock_guard lock(mutex_);
  windows_.clear();
  messages_.clear();
  boxes_.clear();
  window_pos_calls_.clear();
  title_searches_ = 0;
  box_hook_ = nullptr;
}

WindowHandle Desktop::find_top_level(std::u16string_view title) const {
  std::lock_guard lock(mutex_);
  ++title_searches_;
  for (const auto& [handle, w] : windows_) {
    if (w.parent == 0 && same_title(w.title, title)) return handle;
  }
  return 0;
}

WindowHandle Desktop::first_child(WindowHandle parent) const {
  std::lock_guard lock(mutex_);
  if (parent == 0) return 0;
  for (const auto& [handle, w] : windows_) {
    if (w.parent == parent) return handle;
  }
  return 0;
}

std::intptr_t Desktop::send(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                            std::intptr_t lparam) {
  MessageHandler handler;
  {
    std::lock_guard lock(mutex_);
    RecordedMessage record{window, message, wparam, lparam, 0, 0, {}};
    if (message == platform::kWmCopyData && lparam != 0) {
      const auto* data = reinterpret_cast<const platform::CopyDataRecord*>(lparam);
      record.copy_data_tag = data->dwData;
      record.copy_data_size = data->cbData;
      if (data->lpData != nullptr) {
        record.copy_data_bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
      }
    }
    messages_.push_back(std::move(record));
    auto it = windows_.find(window);
    if (it == windows_.end()) return 0;  // no such window: the message goes nowhere
    handler = it->second.handler;
  }
  if (handler) {
    if (auto answer = handler(window, message, wparam, lparam)) return *answer;
  }
  return default_processing(window, message, wparam, lparam);
}

std::intptr_t Desktop::default_processing(WindowHandle window, std::uint32_t message,
                                          std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == platform::kWmGetText) {
    if (wparam == 0 || lparam == 0) return 0;
    std::string text = platform::to_ansi(window_text(window));
    std::size_t count = std::min<std::size_t>(text.size(), wparam - 1);
    char* buffer = reinterpret_cast<char*>(lparam);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::intptr_t>(count);
  }
  if (message == platform::kWmSetText) {
    const char* text = reinterpret_cast<const char*>(lparam);
    set_window_text(window, platform::from_ansi(text == nullptr ? "" : text));
    return 1;
  }
  return 0;
}

bool Desktop::set_window_pos(const RecordedWindowPos& call) {
  std::lock_guard lock(mutex_);
  window_pos_calls_.push_back(call);
  auto it = windows_.find(call.window);
  if (it == windows_.end()) return false;
  if (call.insert_after == platform::kHwndTopmost) it->second.topmost = true;
  if (call.insert_after == platform::kHwndNoTopmost) it->second.topmost = false;
  return true;
}

int Desktop::show_message_box(std::u16string_view text, std::u16string_view caption,
                              std::uint32_t style) {
  std::function<void(const RecordedMessageBox&)> hook;
  RecordedMessageBox box{std::u16string(text), std::u16string(caption), style};
  {
    std::lock_guard lock(mutex_);
    boxes_.push_back(box);
    hook = box_hook_;
  }
  if (hook) hook(box);
  return platform::kIdOk;
}

}  // namespace tavrosk::sim

namespace tavrosk::platform {

WindowHandle find_top_level_window(std::u16string_view title) {
  return sim::desktop().find_top_level(title);
}
WindowHandle first_child_window(WindowHandle parent) {
  return sim::desktop().first_child(parent);
}
std::intptr_t send_message(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                           std::intptr_t lparam) {
  return sim::desktop().send(window, message, wparam, lparam);
}
bool window_in_this_process(WindowHandle window) {
  return sim::desktop().in_this_process(window);
}
bool set_window_pos(WindowHandle window, WindowHandle insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) {
  return sim::desktop().set_window_pos({window, insert_after, x, y, cx, cy, flags});
}
int show_message_box(std::u16string_view text, std::u16string_view caption, std::uint32_t style) {
  return sim::desktop().show_message_box(text, caption, style);
}

}  // namespace tavrosk::platform
