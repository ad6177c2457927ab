// Page texts are converted straight into platform storage (on Windows the caller's BSTR); that
// conversion must give what the conversion into a Text gives, for every byte and length, and
// the storage must keep its text through the moves, cuts and appends that a reader makes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/filled_buffer_text.h"
#include "base/platform_text.h"
#include "base/run_time_error.h"

namespace tavrosk::testing {
namespace {

TEST(PlatformTextReading, EveryByteAndLengthConvertsAsIntoAText) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> byte(1, 255);
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{255},
                           std::size_t{4096}, std::size_t{100001}}) {
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(byte(random));
    PlatformText whole = text_from_ansi<PlatformText>(bytes);
    EXPECT_EQ(whole, text_from_ansi(bytes)) << size;
    EXPECT_EQ(whole.size(), text_from_ansi(bytes).size()) << size;
    EXPECT_EQ(from_filled_buffer<PlatformText>(bytes), from_filled_buffer(bytes)) << size;
  }
}

TEST(PlatformTextReading, StorageKeepsItsTextThroughMovesCutsAndAppends) {
  PlatformText text = text_from_ansi<PlatformText>("Dim Led As PORTB.0");
  PlatformText moved = std::move(text);
  EXPECT_TRUE(text.empty());  // NOLINT(bugprone-use-after-move): the move leaves it empty
  EXPECT_EQ(moved, u"Dim Led As PORTB.0");
  moved += u"\r\n\\par }";
  EXPECT_EQ(moved, u"Dim Led As PORTB.0\r\n\\par }");
  moved.shorten(3);
  EXPECT_EQ(moved, u"Dim");
  moved.shorten(10);  // longer than it is: unchanged
  EXPECT_EQ(moved, u"Dim");
  Result<Text> plain = Result<PlatformText>{std::move(moved), Status{}};
  EXPECT_EQ(plain.value, u"Dim");
  EXPECT_TRUE(text_from_ansi<PlatformText>("").empty());
}

}  // namespace
}  // namespace tavrosk::testing
