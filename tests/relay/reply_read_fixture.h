#pragma once
// ReadDebugReply lends the window a kept buffer of spaces and restores only what the window
// wrote. The reads of these tests are compared with the read done plainly: a fresh buffer of
// capacity spaces, the whole buffer converted back, the text before its first NUL (without an
// incomplete last character when the reply filled the buffer to its limit).
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "base/filled_buffer_text.h"
#include "bridge/result_buffer.h"
#include "platform/code_page.h"
#include "relay/channel.h"
#include "support/fixture.h"

namespace tavrosk::testing {

inline Text plain_read(Long capacity) {
  if (capacity == 0) capacity = kDefaultReplyCapacity;
  platform::WindowHandle reply_window = FindDebugReplyWindow(kRelayWindowTitle);
  if (reply_window == 0) return {};
  std::string bytes(static_cast<std::size_t>(capacity), ' ');
  platform::send_message(reply_window, platform::kWmGetText, static_cast<std::uintptr_t>(capacity),
                         reinterpret_cast<std::intptr_t>(bytes.data()));
  std::size_t nul = bytes.find('\0');
  if (nul == std::string::npos) return {};
  // A reply that filled the buffer to its limit loses an incomplete last character.
  if (nul + 1 == bytes.size()) return from_filled_buffer(std::string_view(bytes).substr(0, nul));
  return TrimNull(platform::from_ansi(bytes));
}

// What a reply window does with the buffer it is lent: writes some bytes, returns a count.
using Answer = std::function<std::intptr_t(char* buffer, std::size_t capacity)>;

// The relay window and its reply window in the reader's own process, where the reply window
// writes into the reader's memory.
class ReplyRead : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    close_relay_tool();
    relay_ = std::make_unique<TestWindow>(u"Debug VB Application");
    reply_ = std::make_unique<TestWindow>(
        u"", relay_->handle(),
        [this](std::uint32_t message, std::uintptr_t wparam,
               std::intptr_t lparam) -> std::optional<std::intptr_t> {
          if (message != platform::kWmGetText) return std::nullopt;
          auto* buffer = reinterpret_cast<char*>(lparam);
          lent_all_spaces_ = std::all_of(buffer, buffer + wparam, [](char c) { return c == ' '; });
          return answer_(buffer, wparam);
        });
  }
  void TearDown() override {
    reply_.reset();
    relay_.reset();
    PlatformTest::TearDown();
  }

  // Both reads of the same answer, the kept buffer's first, must agree, and the window must
  // have been lent nothing but spaces each time.
  void expect_same_reply(Long capacity, const std::string& what) {
    Text fast = ReadDebugReply(capacity);
    bool fast_lent_spaces = lent_all_spaces_;
    Text plain = plain_read(capacity);
    EXPECT_EQ(narrow(fast), narrow(plain)) << what << ", capacity " << capacity;
    EXPECT_TRUE(fast_lent_spaces) << what << ": the window was lent bytes of an earlier read";
  }

  std::unique_ptr<TestWindow> relay_;
  std::unique_ptr<TestWindow> reply_;
  Answer answer_;
  bool lent_all_spaces_ = false;
};

// The window's text as the default processing copies it: at most capacity - 1 bytes and a NUL.
inline Answer text_of(std::string text) {
  return [text](char* buffer, std::size_t capacity) -> std::intptr_t {
    std::size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::intptr_t>(count);
  };
}

// `count` bytes of text and no terminator, returning `result`.
inline Answer unterminated(std::size_t count, std::intptr_t result) {
  return [=](char* buffer, std::size_t capacity) -> std::intptr_t {
    std::memset(buffer, 'n', std::min(count, capacity));
    return result;
  };
}

}  // namespace tavrosk::testing
