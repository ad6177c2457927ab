// A buffer that its writer filled to the limit is read whole, but for a last character that the
// limit cut: a lone lead byte, a UTF-8 sequence short of its bytes. A whole character that does
// not convert back to its own bytes is a character like any other. Natively in every code page
// the simulated system offers, on Windows in the system's own (the tier runs 1252, 932, 65001).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/filled_buffer_text.h"
#include "support/code_pages.h"

namespace tavrosk::testing {
namespace {

struct Filled {
  std::string bytes;
  std::u16string text;
};

std::vector<Filled> filled_buffers(int code_page) {
  switch (code_page) {
    case 1252:  // no character spans two bytes: every byte is kept
      return {{"Dim x\x81", u"Dim x\u0081"},
              {"abc\x87\x90", u"abc\u2021\u0090"},
              {"caf\xE9", u"caf\u00E9"}};
    case 932:
      return {
          {"abc\x87\x90", u"abc\u2252"},  // converts back as 0x81 0xE0
          {"abc\x87\x90"
           "A",
           u"abc\u2252A"},
          {"abc\x82\xA0\x82", u"abc\u3042"},  // a lead byte alone: cut
          {"x\x88\xEA", u"x\u4E00"},          // a second byte that could lead: whole
          {"x\x88\xEA\x88", u"x\u4E00"},
          {"\xEA", u""},
          {"\x81\x81\x81", u"\uFF1D"},    // a pair, then a lone lead byte
          {"\x85\x40\x85", u"\u30FB"},    // a pair the code page lacks, then a lone lead byte
          {"kana \xB1", u"kana \uFF71"},  // a single byte above the plain ones
      };
    case 65001:
      return {
          {"abc\xE9"
           "ab",
           u"abc\uFFFDab"},  // a lead byte without its continuation is no cut
          {"\xFF"
           "ab",
           u"\uFFFDab"},
          {"abc\xC3", u"abc"},
          {"abc\xE2\x82", u"abc"},
          {"abc\xF0\x9F\x98", u"abc"},
          {"abc\xE2\x82\xAC", u"abc\u20AC"},
          {"\xC3\xA9", u"\u00E9"},
      };
    default:
      return {};
  }
}

class FilledBufferText : public CodePageTest {};

TEST_P(FilledBufferText, DropsOnlyACutLastCharacter) {
  auto cases = filled_buffers(GetParam().number);
  if (cases.empty()) GTEST_SKIP() << "no cases for code page " << GetParam().number;
  for (const Filled& filled : cases) {
    EXPECT_EQ(from_filled_buffer(filled.bytes), filled.text) << hex_bytes(filled.bytes);
    EXPECT_EQ(Text(from_filled_buffer<PlatformText>(filled.bytes).view()), filled.text)
        << hex_bytes(filled.bytes);
  }
}

TAVROSK_IN_EVERY_CODE_PAGE(FilledBufferText);

}  // namespace
}  // namespace tavrosk::testing
