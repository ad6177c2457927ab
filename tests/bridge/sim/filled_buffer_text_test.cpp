// A buffer filled to its limit is read back without an incomplete last character. In a
// single-byte code page no character can be cut, and the reading skips the round trip that
// finds one; every reading here is compared with the round-trip reading done in full.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/filled_buffer_text.h"
#include "platform/code_page.h"
#include "platform/sim/code_page_selection.h"

namespace tavrosk::testing {
namespace {

// The full reading: the bytes as text when they convert back to themselves, else without the
// fewest trailing bytes that make it so, else as they are.
Text round_trip_reading(std::string_view bytes) {
  for (std::size_t cut = 0; cut < 4 && cut <= bytes.size(); ++cut) {
    std::string_view shorter = bytes.substr(0, bytes.size() - cut);
    Text text = platform::from_ansi(shorter);
    if (platform::to_ansi(text) == shorter) return text;
  }
  return platform::from_ansi(bytes);
}

std::string random_bytes(std::mt19937& random, std::size_t size, int lowest) {
  std::uniform_int_distribution<int> byte(lowest, 255);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(byte(random));
  return bytes;
}

class FilledBuffer : public ::testing::Test {
 protected:
  void TearDown() override { sim::set_code_page(sim::CodePage::kWindows1252); }
};

TEST_F(FilledBuffer, SingleByteCodePageReadsEveryByteAsTheFullReadingDoes) {
  sim::set_code_page(sim::CodePage::kWindows1252);
  ASSERT_EQ(platform::longest_ansi_character(), 1u);
  for (int last = 1; last <= 255; ++last) {
    std::string bytes = "Dim x\r\n" + std::string(1, static_cast<char>(last));
    EXPECT_EQ(from_filled_buffer(bytes), round_trip_reading(bytes)) << "last byte " << last;
  }
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = random_bytes(random, random() % 300, 1);
    Text text = from_filled_buffer(bytes);
    EXPECT_EQ(text, round_trip_reading(bytes));
    EXPECT_EQ(text.size(), bytes.size());  // nothing dropped
  }
}

TEST_F(FilledBuffer, MultiByteCodePageDropsOnlyAnIncompleteLastCharacter) {
  sim::set_code_page(sim::CodePage::kUtf8);
  ASSERT_GT(platform::longest_ansi_character(), 1u);
  EXPECT_EQ(from_filled_buffer("abc\xE2\x82"), u"abc");            // euro sign cut after 2 of 3
  EXPECT_EQ(from_filled_buffer("abc\xF0\x9F\x98"), u"abc");        // 4-byte character cut
  EXPECT_EQ(from_filled_buffer("abc\xE2\x82\xAC"), u"abc\u20AC");  // whole
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = random_bytes(random, random() % 40, 0x20);
    EXPECT_EQ(from_filled_buffer(bytes), round_trip_reading(bytes));
  }
}

}  // namespace
}  // namespace tavrosk::testing
