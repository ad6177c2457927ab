// ReadDebugReply lends the window a kept buffer of spaces and restores only what the window
// wrote. Every read here is compared with the read done plainly: a fresh buffer of capacity
// spaces, the whole buffer converted back, the text before its first NUL (without an
// incomplete last character when the reply filled the buffer to its limit).
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "base/filled_buffer_text.h"
#include "bridge/result_buffer.h"
#include "platform/code_page.h"
#include "platform/sim/code_page_selection.h"
#include "relay/channel.h"
#include "support/sim_fixture.h"

namespace tavrosk::testing {
namespace {

Text plain_read(Long capacity) {
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

class ReplyRead : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    relay_ = desktop().create_window(u"Debug VB Application");
    desktop().create_window(
        u"", relay_,
        [this](platform::WindowHandle, std::uint32_t message, std::uintptr_t wparam,
               std::intptr_t lparam) -> std::optional<std::intptr_t> {
          if (message != platform::kWmGetText) return std::nullopt;
          auto* buffer = reinterpret_cast<char*>(lparam);
          lent_all_spaces_ = std::all_of(buffer, buffer + wparam, [](char c) { return c == ' '; });
          return answer_(buffer, wparam);
        });
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

  platform::WindowHandle relay_ = 0;
  Answer answer_;
  bool lent_all_spaces_ = false;
};

// The window's text as the default processing copies it: at most capacity - 1 bytes and a NUL.
Answer text_of(std::string text) {
  return [text](char* buffer, std::size_t capacity) -> std::intptr_t {
    std::size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::intptr_t>(count);
  };
}

// `count` bytes of text and no terminator, returning `result`.
Answer unterminated(std::size_t count, std::intptr_t result) {
  return [=](char* buffer, std::size_t capacity) -> std::intptr_t {
    std::memset(buffer, 'n', std::min(count, capacity));
    return result;
  };
}

TEST_F(ReplyRead, TextsOfEveryLengthAroundTheCapacity) {
  for (Long capacity : {1, 2, 7, 500, 512006}) {
    auto size = static_cast<std::size_t>(capacity);
    for (std::size_t length :
         {std::size_t{0}, std::size_t{1}, size / 2, size - 1, size, size + 9}) {
      answer_ = text_of(std::string(length, 't'));
      expect_same_reply(capacity, "text of " + std::to_string(length));
    }
  }
}

TEST_F(ReplyRead, BuffersLeftWithoutANulGiveTheEmptyReplyAndLeaveNothingBehind) {
  for (std::intptr_t result : {std::intptr_t{-1}, std::intptr_t{0}, std::intptr_t{12},
                               std::intptr_t{499}, std::intptr_t{500}, std::intptr_t{70000}}) {
    for (std::size_t count : {std::size_t{1}, std::size_t{12}, std::size_t{500}}) {
      answer_ = unterminated(count, result);
      expect_same_reply(500, "no NUL, " + std::to_string(count) + " bytes");
      // A short reply after the unterminated bytes: none of them may show.
      answer_ = text_of("ok");
      expect_same_reply(500, "after no NUL");
      answer_ = [](char* buffer, std::size_t) -> std::intptr_t {
        buffer[0] = 'a';
        buffer[30] = '\0';  // leaves a hole of lent spaces before its NUL
        return 30;
      };
      expect_same_reply(500, "holes after no NUL");
    }
  }
}

TEST_F(ReplyRead, ANulAtEveryPositionOfTheText) {
  const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (std::size_t at = 0; at <= text.size(); ++at) {
    std::string with_nul = text;
    if (at < with_nul.size()) with_nul[at] = '\0';
    answer_ = text_of(with_nul);  // copies past its first NUL and counts it all
    expect_same_reply(500, "NUL at " + std::to_string(at));
    expect_same_reply(20, "NUL at " + std::to_string(at));
  }
}

TEST_F(ReplyRead, CountsThatDoNotMatchTheNulAreReadWhole) {
  // A count past the capacity, a negative one, one short of the NUL, one past it.
  for (std::intptr_t result :
       {std::intptr_t{900}, std::intptr_t{-5}, std::intptr_t{3}, std::intptr_t{40}}) {
    answer_ = [result](char* buffer, std::size_t) -> std::intptr_t {
      std::memcpy(buffer, "reply text\0", 11);
      std::memcpy(buffer + 60, "stray\0", 6);
      return result;
    };
    expect_same_reply(500, "count " + std::to_string(result));
    answer_ = unterminated(70, 70);
    expect_same_reply(500, "unterminated after count " + std::to_string(result));
  }
}

TEST_F(ReplyRead, ShorterRepliesAfterLongerOnesInAnyOrder) {
  std::mt19937 random(8);
  for (int round = 0; round < 300; ++round) {
    Long capacity = std::uniform_int_distribution<int>(0, 3)(random) == 0 ? 512006 : 500;
    std::size_t length = std::uniform_int_distribution<std::size_t>(0, 700)(random);
    std::string text(length, static_cast<char>('a' + round % 26));
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
      case 0:
        answer_ = text_of(text);
        break;
      case 1:
        answer_ = unterminated(length, static_cast<std::intptr_t>(length));
        break;
      case 2:
        if (length > 0) text[length / 2] = '\0';
        answer_ = text_of(text);
        break;
      default:
        answer_ = [length](char* buffer, std::size_t room) -> std::intptr_t {
          std::size_t nul = std::min(length, room - 1);
          buffer[0] = 'h';
          buffer[nul] = '\0';
          return static_cast<std::intptr_t>(nul);
        };
    }
    expect_same_reply(capacity, "round " + std::to_string(round));
  }
}

TEST_F(ReplyRead, MultiByteRepliesAreConvertedUpToTheirNul) {
  sim::set_code_page(sim::CodePage::kUtf8);
  for (const char* bytes : {"caf\xc3\xa9", "\xe2\x82\xac\xe2\x82", "\xc3", "\xf0\x9f\x98\x80x"}) {
    answer_ = text_of(bytes);
    expect_same_reply(500, bytes);
    expect_same_reply(4, bytes);  // cuts inside a character
  }
}

TEST_F(ReplyRead, AReadNestedInTheWindowsAnswerGetsItsOwnSpaces) {
  Text inner;
  bool inner_lent_spaces = false;
  int depth = 0;
  answer_ = [&](char* buffer, std::size_t capacity) -> std::intptr_t {
    if (depth++ > 0) {
      inner_lent_spaces = lent_all_spaces_;
      return text_of("inner reply")(buffer, capacity);
    }
    inner = ReadDebugReply(100);
    return text_of("outer")(buffer, capacity);
  };
  EXPECT_EQ(ReadDebugReply(500), u"outer");
  EXPECT_EQ(inner, u"inner reply");
  EXPECT_TRUE(inner_lent_spaces);
  answer_ = unterminated(5, 5);
  expect_same_reply(500, "after the nested read");
}

}  // namespace
}  // namespace tavrosk::testing
