// Direct text calls convert only the export's bytes before their first NUL and build no wide
// buffer of NULs. Each call here is compared with the protocol done step by step: the wide
// buffer of NULs, its ANSI form handed to the export, the whole buffer converted back, TrimNull.
#include <cstring>
#include <functional>
#include <random>

#include "bridge/plugin_manager/exports.h"
#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "platform/sim/code_page_selection.h"
#include "support/sim_fixture.h"

namespace tavrosk::testing {
namespace {

using Fill = std::function<void(char* buffer, Long length)>;

Text stepwise_call(Long length, const Fill& fill) {
  InitResultBuffer(length);
  SessionRecord& record = session();
  std::string bytes = platform::to_ansi(record.result_buffer);
  fill(bytes.data(), record.result_buffer_length);
  // A buffer filled to its limit loses an incomplete last character.
  record.result_buffer = bytes.find('\0') == std::string::npos ? from_filled_buffer(bytes)
                                                                : platform::from_ansi(bytes);
  Text text = TrimNull(record.result_buffer);
  record.result_buffer.clear();
  return text;
}

struct Outcome {
  Text text;
  Long stored_length = 0;
  bool buffer_empty = false;
  int error = 0;
  std::vector<std::string> handed;  // the bytes the export was given, as it got them
};

Outcome run(Long length, const Fill& fill, bool stepwise) {
  Outcome out;
  Fill recording = [&](char* buffer, Long given) {
    out.handed.emplace_back(buffer, static_cast<std::size_t>(given));
    fill(buffer, given);
  };
  Status status = guarded_void([&] {
    out.text =
        stepwise ? stepwise_call(length, recording) : call_with_result_buffer(length, recording);
  });
  out.error = status.error_number();
  out.stored_length = session().result_buffer_length;
  out.buffer_empty = session().result_buffer.empty();
  return out;
}

class ResultBufferPaths : public SimTest {
 protected:
  void expect_same(Long length, const Fill& fill, const std::string& what) {
    Outcome fast = run(length, fill, false);
    Outcome plain = run(length, fill, true);
    EXPECT_EQ(narrow(fast.text), narrow(plain.text)) << what << ", length " << length;
    EXPECT_EQ(fast.error, plain.error) << what;
    EXPECT_EQ(fast.stored_length, plain.stored_length) << what;
    EXPECT_EQ(fast.buffer_empty, plain.buffer_empty) << what;
    EXPECT_EQ(fast.handed, plain.handed) << what << ": the export was handed other bytes";
  }
};

Fill writes(std::string bytes) {
  return [bytes](char* buffer, Long length) {
    std::memcpy(buffer, bytes.data(), std::min(bytes.size(), static_cast<std::size_t>(length)));
  };
}

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

TEST_F(ResultBufferPaths, MultiByteCodePageIncludingCutCharacters) {
  sim::set_code_page(sim::CodePage::kUtf8);
  for (const char* bytes : {"caf\xc3\xa9", "\xe2\x82\xac\xe2\x82", "\xc3", "a\xf0\x9f\x98\x80",
                            "\xff\xfe bad", "\xe2\x82\0\xac"}) {
    expect_same(0, writes(bytes), bytes);
    expect_same(4, writes(bytes), bytes);  // the buffer ends inside a character
  }
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
  host::SimIdeWindow ide_window;
  VB_PluginLib ide;
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
      EXPECT_EQ(read.value.size(), static_cast<std::size_t>(length));
      EXPECT_TRUE(read.value == expected) << "page of " << characters << ", length " << length;
    }
  }
}

}  // namespace
}  // namespace tavrosk::testing
