// Conversion through the ANSI code page: natively through both that the simulated system
// offers, on Windows through the system's own.
#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"
#include "support/code_pages.h"

namespace tavrosk {
namespace {

enum Way { kBoth, kToAnsi, kFromAnsi };
struct Conversion {
  int code_page;
  std::u16string text;
  std::string bytes;
  Way way;
};
const Conversion kConversions[] = {
    // One byte a character; what the page lacks becomes its best fit (U+0101, U+FF21), else
    // '?', each half of a pair its own.
    {1252, u"\u0101\uff21A\u00e9\u20ac\u0178\u4e2d\U0001F600", "aAA\xe9\x80\x9f???", kToAnsi},
    {1252, u"\u20ac\u0081\u00ff", "\x80\x81\xff", kBoth},  // unassigned bytes: C1 controls
    {65001, u"A\u00e9\u20ac\U0001F600", "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", kBoth},
    {65001, u"\ufffd", "\xe2\x82", kFromAnsi},  // a cut character
    {65001, u"\ufffdab",
     "\xe9"
     "ab",
     kFromAnsi},                                      // a lead byte without continuation
    {65001, u"\ufffd\ufffd", "\xc0\xaf", kFromAnsi},  // an overlong form
    {65001, u"\xd800x", "\xef\xbf\xbdx", kToAnsi},    // a lone surrogate
    // Two bytes a character after a lead byte, one otherwise; a few characters have a second
    // form that converts back to the first.
    {932, u"\u3042\uff71\u4e00\u3000", "\x82\xa0\xb1\x88\xea\x81\x40", kBoth},
    {932, u"\u2252\u2261", "\x81\xe0\x81\xdf", kBoth},
    {932, u"\u2252\u2261", "\x87\x90\x87\x91", kFromAnsi},
    {932, u"\u30fb\u30fbA",
     "\x85\x40\x81\x20"
     "A",
     kFromAnsi},                            // pairs it lacks
    {932, u"a\u30fb", "a\x82", kFromAnsi},  // a lone lead byte
    {932, u"\u20ac", "?", kToAnsi},
};

TEST(CodePage, ConvertsBothWaysAndMarksWhatItCannotHold) {
  const std::u16string nul_text(u"a\0b", 3);
  const std::string nul_bytes("a\0b", 3);
  for (const auto& code_page : testing::test_code_pages()) {
    testing::select_code_page(code_page);
    SCOPED_TRACE(code_page.name);
    int rows = 0;
    for (const auto& row : kConversions) {
      if (row.code_page != code_page.number) continue;
      ++rows;
      if (row.way != kFromAnsi) {
        EXPECT_EQ(platform::to_ansi(row.text), row.bytes) << "row " << rows;
      }
      if (row.way != kToAnsi) {
        EXPECT_EQ(platform::from_ansi(row.bytes), row.text) << "row " << rows;
      }
    }
    EXPECT_GT(rows, 0) << "no conversions for code page " << code_page.number;
    EXPECT_EQ(platform::to_ansi(nul_text), nul_bytes);
    EXPECT_EQ(platform::from_ansi(nul_bytes), nul_text);
  }
  testing::select_code_page(testing::test_code_pages().front());
}

// Long texts of plain runs and other characters in turn, in blocks of every alignment, convert
// as their pieces do, and a character cut at the end after a long plain run still counts.
TEST(CodePage, LongMixedTextsConvertAsTheirPieces) {
  struct Other {
    int code_page;
    std::string bytes;
    std::u16string text;
  };
  const Other kOthers[] = {{1252, "\xe9\x80", u"\u00e9\u20ac"},
                           {65001, "\xc3\xa9\xe2\x82\xac", u"\u00e9\u20ac"},
                           {932, "\x82\xa0\xb1", u"\u3042\uff71"}};
  for (const auto& code_page : testing::test_code_pages()) {
    testing::select_code_page(code_page);
    SCOPED_TRACE(code_page.name);
    for (const auto& other : kOthers) {
      if (other.code_page != code_page.number) continue;
      std::string bytes;
      std::u16string text;
      for (std::size_t run = 0; run < 80; ++run) {
        std::string plain(run, static_cast<char>('!' + run % 90));
        bytes += plain + other.bytes;
        text += std::u16string(plain.begin(), plain.end()) + other.text;
      }
      EXPECT_EQ(platform::from_ansi(bytes), text);
      EXPECT_EQ(platform::wide_length_of_ansi(bytes), text.size());
      std::u16string room(text.size() - 1, u'\0');
      EXPECT_EQ(platform::from_ansi_into(bytes, room.data(), room.size()), 0u) << "too little room";
      if (code_page.number == 65001) {
        std::string cut = std::string(100, 'x') + "\xe2\x82";
        EXPECT_EQ(platform::from_ansi(cut), std::u16string(100, u'x') + u"\ufffd");
        EXPECT_EQ(platform::wide_length_of_ansi(cut), 101u);
      }
    }
  }
  testing::select_code_page(testing::test_code_pages().front());
}

}  // namespace
}  // namespace tavrosk
