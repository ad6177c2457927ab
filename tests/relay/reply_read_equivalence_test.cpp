// Every read of a reply window in the reader's own process agrees with the plain read.
#include <random>

#include "relay/reply_read_fixture.h"

namespace tavrosk::testing {
namespace {

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

// A window of the reader's own process writes into the lent buffer itself, past the count that
// it returns as much as it likes; no later read may show those bytes.
TEST_F(ReplyRead, BytesPastTheCountOfAWindowInThisProcessNeverShowLater) {
  answer_ = [](char* buffer, std::size_t) -> std::intptr_t {
    std::memcpy(buffer, "reply text\0", 11);
    std::memcpy(buffer + 60, "stray\0", 6);
    return 10;  // the count lands on the NUL of the reply
  };
  expect_same_reply(500, "count on the NUL, stray bytes after it");
  answer_ = [](char*, std::size_t) -> std::intptr_t { return 0; };  // writes nothing
  expect_same_reply(500, "a window that writes nothing after the stray bytes");
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
