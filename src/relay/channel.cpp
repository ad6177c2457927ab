#include "relay/channel.h"

#include <algorithm>
#include <cstring>

#include "bridge/filled_buffer_text.h"
#include "bridge/run_time_error.h"
#include "bridge/user_messages.h"
#include "platform/code_page.h"
#include "relay/command_line.h"

namespace tavrosk {
namespace {

std::intptr_t send_with_bytes(platform::WindowHandle window, std::uint32_t message,
                              std::int32_t wparam, std::string& bytes) {
  return platform::send_message(window, message, static_cast<std::uintptr_t>(wparam),
                                reinterpret_cast<std::intptr_t>(bytes.data()));
}

}  // namespace

void SendDebugLine(std::u16string_view line) {
  std::u16string_view trimmed = trim_spaces(line);
  if (trimmed.empty()) return;
  platform::WindowHandle relay = platform::find_top_level_window(kRelayWindowTitle);
  if (relay == 0) return;
  // Counted in bytes, so a multi-byte code page never cuts a character.
  std::string bytes = platform::to_ansi(trimmed);
  std::string buffer(std::max(kSendBufferSize, bytes.size() + 1), '\0');
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  platform::CopyDataRecord record{kCopyDataTag, static_cast<std::uint32_t>(bytes.size() + 1),
                                  buffer.data()};
  platform::send_message(relay, platform::kWmCopyData, 0, reinterpret_cast<std::intptr_t>(&record));
}

Text ReadDebugReply(Long capacity) {
  if (capacity == 0) capacity = kDefaultReplyCapacity;
  if (capacity < 0) raise(error::kInvalidCall);
  platform::WindowHandle reply_window = FindDebugReplyWindow(kRelayWindowTitle);
  if (reply_window == 0) return {};
  std::string bytes(static_cast<std::size_t>(capacity), ' ');
  send_with_bytes(reply_window, platform::kWmGetText, capacity, bytes);
  // Only the characters before the first NUL are the reply, so only they are converted. A reply
  // window that filled the buffer to its limit may have stopped inside a character.
  std::size_t end = bytes.find('\0');
  if (end == std::string::npos) return {};
  std::string_view reply = std::string_view(bytes).substr(0, end);
  if (end + 1 == bytes.size()) return from_filled_buffer(reply);
  return platform::from_ansi(reply);
}

platform::WindowHandle FindDebugReplyWindow(std::u16string_view title) {
  platform::WindowHandle relay = platform::find_top_level_window(title);
  if (relay == 0) {
    show_error_message(kDebuggerNotRunning);
    return 0;
  }
  return platform::first_child_window(relay);
}

platform::WindowHandle FindDebuggerWindow() {
  return platform::find_top_level_window(kRelayWindowTitle);
}

std::intptr_t SendMessageText(platform::WindowHandle window, std::uint32_t message,
                              std::int32_t wparam, Text& text) {
  std::string bytes = platform::to_ansi(text);
  std::intptr_t result = send_with_bytes(window, message, wparam, bytes);
  text = platform::from_ansi(bytes);
  return result;
}

}  // namespace tavrosk
