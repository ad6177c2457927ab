// Direct text calls agree with the protocol done step by step.
#include <random>

#include "bridge/result_buffer_paths.h"
#include "support/code_pages.h"

namespace tavrosk::testing {
namespace {

TEST_F(ResultBufferPaths, FullEmptyAndUnterminatedBuffers) {
  for (Long length : {0, 1, 2, 255, 256, 1000, 512000}) {
    auto size = static_cast<std::size_t>(length == 0 ? 256 : length);
    expect_same(length, writes(""), "nothing written");
    expect_same(length, writes(std::string(size, 'f')), "full, no NUL");
    expect_same(length, writes(std::string(size / 2, 'h')), "half, no NUL written");
    expect_same(length, writes("line 1\r\nline 2\xe9\x80\x81"), "text with high bytes");
  }
}

TEST_F(ResultBufferPaths, EmbeddedNulsAtEveryPosition) {
  const std::string text = "Device = KXA4550\r\nHigh Led\r\n";
  for (std::size_t at = 0; at < text.size(); ++at) {
    std::string with_nul = text;
    with_nul[at] = '\0';
    expect_same(0, writes(with_nul), "NUL at " + std::to_string(at));
    expect_same(static_cast<Long>(text.size()), writes(with_nul), "NUL at " + std::to_string(at));
  }
  expect_same(8, writes(std::string("\0\0ab\0cd", 7)), "several NULs");
}

TEST_F(ResultBufferPaths, RandomFillsOfRandomLengths) {
  std::mt19937 random(8);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    Long length = std::uniform_int_distribution<Long>(0, 3000)(random);
    std::string bytes(std::uniform_int_distribution<std::size_t>(0, 3000)(random), 'x');
    for (char& c : bytes) c = static_cast<char>(byte(random) < 8 ? 0 : byte(random));
    expect_same(length, writes(bytes), "round " + std::to_string(round));
  }
}

TEST_F(ResultBufferPaths, NegativeLengthsFailAlikeWithoutCallingTheExport) {
  bool called = false;
  Fill fill = [&](char*, Long) { called = true; };
  expect_same(-1, fill, "length -1");
  expect_same(-512000, fill, "length -512000");
  EXPECT_FALSE(called);
  EXPECT_EQ(run(-1, fill, false).error, 5);
}

TEST_F(ResultBufferPaths, EveryCallGetsAFreshZeroedBufferWhateverTheLastOneLeft) {
  std::vector<std::string> handed;
  Fill dirty = [&](char* buffer, Long length) {
    handed.emplace_back(buffer, static_cast<std::size_t>(length));
    std::memset(buffer, 'd', static_cast<std::size_t>(length));
  };
  for (Long length : {300, 100, 300, 512000, 256}) call_with_result_buffer(length, dirty);
  ASSERT_EQ(handed.size(), 5u);
  for (const std::string& bytes : handed) {
    EXPECT_EQ(bytes, std::string(bytes.size(), '\0'));
  }
  EXPECT_EQ(handed[0].size(), 300u);
  EXPECT_EQ(handed[3].size(), 512000u);
}

// The page reader end to end against the same reading done with the export called by hand.
TEST_F(ResultBufferPaths, GetPageTextMatchesTheStepwiseReadOfLargePages) {
  IdeWindow ide_window;
  VB_PluginLib ide;
  // Bytes above 0x80 may pair up in the code page the system runs in.
  bool one_byte_a_character = test_code_pages().front().number == kWindows1252CodePage.number;
  for (std::size_t characters : {std::size_t{1000}, std::size_t{100000}, std::size_t{512000}}) {
    std::string page;
    for (std::size_t i = 0; page.size() < characters; ++i) {
      page +=
          i % 40 == 39 ? std::string("\r\n") : std::string(1, static_cast<char>(0x21 + i % 200));
    }
    page.resize(characters);
    host::ide_model().locked([&](host::IdeState& s) {
      s.connected = true;
      s.active()->text = page;
    });
    for (Long length : {static_cast<Long>(characters), static_cast<Long>(characters / 2)}) {
      auto read = ide.GetPageText(length);
      Text expected = stepwise_call(
          length, [](char* buffer, Long given) { plugin_manager::GetPageText(buffer, given); });
      ASSERT_TRUE(read.ok());
      if (one_byte_a_character) {
        EXPECT_EQ(read.value.size(), static_cast<std::size_t>(length));
      }
      EXPECT_TRUE(read.value == expected) << "page of " << characters << ", length " << length;
    }
  }
}

}  // namespace
}  // namespace tavrosk::testing
