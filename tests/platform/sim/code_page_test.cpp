// The simulated system's ANSI code pages: Windows-1252 and UTF-8.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/sim/code_page_selection.h"

namespace tavrosk {
namespace {

class CodePageTest : public ::testing::Test {
 protected:
  void TearDown() override { sim::set_code_page(sim::CodePage::kWindows1252); }
};

TEST_F(CodePageTest, Windows1252IsOneBytePerCharacter) {
  // Missing characters become their best fit (U+0101, U+FF21), else "?".
  std::u16string text = u"A\u00e9\u20ac\u0178\u0101\uff21\u4e2d\U0001F600";
  std::string bytes = platform::to_ansi(text);
  EXPECT_EQ(bytes, std::string("A\xe9\x80\x9f"
                               "aA???"));
  EXPECT_EQ(bytes.size(), text.size());
  EXPECT_EQ(platform::from_ansi("\x80\x81\xff"), u"\u20ac\u0081\u00ff");
  EXPECT_EQ(platform::from_ansi(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST_F(CodePageTest, Utf8RoundTripsAndReplacesWhatItCannotRead) {
  sim::set_code_page(sim::CodePage::kUtf8);
  std::u16string text = u"A\u00e9\u20ac\U0001F600";
  std::string bytes = platform::to_ansi(text);
  EXPECT_EQ(bytes, "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
  EXPECT_EQ(platform::from_ansi(bytes), text);
  EXPECT_EQ(platform::from_ansi("\xe2\x82"), u"\ufffd\ufffd");  // a cut character
  EXPECT_EQ(platform::from_ansi("\xc0\xaf"), u"\ufffd\ufffd");  // an overlong form
  EXPECT_EQ(platform::to_ansi(u"\xd800x"), "\xef\xbf\xbdx");    // a lone surrogate
}

}  // namespace
}  // namespace tavrosk
