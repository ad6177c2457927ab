// Page texts are converted straight into platform storage (on Windows the caller's BSTR): the
// plain runs of bytes below 0x80 widened by the library, sixteen or four at a time, the other
// bytes by the code page's conversion. Around every length of run, both readings give the
// characters that the code page gives the bytes; and the storage keeps its text through the
// moves, cuts and appends that a reader makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/filled_buffer_text.h"
#include "base/platform_text.h"
#include "base/run_time_error.h"
#include "support/code_pages.h"

namespace tavrosk::testing {
namespace {

struct Sample {
  std::string bytes;
  std::u16string text;
};

// Bytes above the plain ones, whole characters of the code page.
std::vector<Sample> samples(int code_page) {
  switch (code_page) {
    case 1252:
      return {{"\xE9\x80\x81", u"\u00E9\u20AC\u0081"}, {"\xFF", u"\u00FF"}};
    case 932:
      return {{"\x82\xA0\xB1\x88\xEA", u"\u3042\uFF71\u4E00"}, {"\x81\x40", u"\u3000"}};
    case 65001:
      return {{"\xC3\xA9\xE2\x82\xAC", u"\u00E9\u20AC"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}};
    default:
      return {};
  }
}

class PlatformTextReading : public CodePageTest {};

TEST_P(PlatformTextReading, PlainRunsOfEveryLengthAroundOtherBytes) {
  std::string plain_bytes;
  std::u16string plain_text;
  for (int b = 1; b < 0x80; ++b) {
    plain_bytes += static_cast<char>(b);
    plain_text += static_cast<char16_t>(b);
  }
  EXPECT_EQ(Text(text_from_ansi<PlatformText>(plain_bytes).view()), plain_text);
  auto cases = samples(GetParam().number);
  if (cases.empty()) GTEST_SKIP() << "no samples for code page " << GetParam().number;
  for (std::size_t run : {0u, 1u, 3u, 4u, 5u, 15u, 16u, 17u, 31u, 33u, 4096u, 100001u}) {
    for (const Sample& sample : cases) {
      std::string tail(run % 19, 'q');
      std::string bytes = std::string(run, 'p') + sample.bytes + tail + sample.bytes;
      std::u16string text =
          std::u16string(run, u'p') + sample.text + std::u16string(run % 19, u'q') + sample.text;
      EXPECT_EQ(Text(text_from_ansi<PlatformText>(bytes).view()), text) << run;
      EXPECT_EQ(text_from_ansi(bytes), text) << run;
      EXPECT_EQ(Text(from_filled_buffer<PlatformText>(bytes).view()), text) << run;
    }
  }
}

TAVROSK_IN_EVERY_CODE_PAGE(PlatformTextReading);

TEST(PlatformTextStorage, KeepsItsTextThroughMovesCutsAndAppends) {
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
