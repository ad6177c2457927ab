// The readings of relay replies: Boolean, Number (both ranges), trimming and Split.
#include <gtest/gtest.h>

#include "base/run_time_error.h"
#include "relay/reply_conversions.h"
#include "support/run_time_errors.h"

namespace tavrosk {
namespace {

using testing::error_of;

TEST(BooleanReply, WordsInAnyCaseAndNumbers) {
  EXPECT_EQ(reply_as_boolean(u"True"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"fAlSe"), kFalse);
  EXPECT_EQ(reply_as_boolean(u"TRUE"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"0"), kFalse);
  EXPECT_EQ(reply_as_boolean(u"-1"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"7"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"+1"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"2.5"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"1e3"), kTrue);
  EXPECT_EQ(reply_as_boolean(u"&H10"), kTrue);
  EXPECT_EQ(reply_as_boolean(u" 7 "), kTrue);
  EXPECT_EQ(reply_as_boolean(u"0.0"), kFalse);
}

TEST(BooleanReply, AnythingElseIsATypeMismatch) {
  for (std::u16string_view reply :
       {u"", u"yes", u"on", u" True", u"True ", u"12abc", u"1 2", u"-"}) {
    EXPECT_EQ(error_of([&] { reply_as_boolean(reply); }), error::kTypeMismatch)
        << std::string(reply.begin(), reply.end());
  }
}

TEST(NumberReply, ReadsTheLeadingNumberRoundingHalvesToEven) {
  EXPECT_EQ(reply_as_long(u"3"), 3);
  EXPECT_EQ(reply_as_long(u"2.5"), 2);
  EXPECT_EQ(reply_as_long(u"3.5"), 4);
  EXPECT_EQ(reply_as_long(u"-2.5"), -2);
  EXPECT_EQ(reply_as_long(u"12abc"), 12);
  EXPECT_EQ(reply_as_long(u"1 2"), 12);
  EXPECT_EQ(reply_as_long(u" 2 45 7"), 2457);
  EXPECT_EQ(reply_as_long(u"\t\n 5"), 5);
  EXPECT_EQ(reply_as_long(u"  -3e2x"), -300);
  EXPECT_EQ(reply_as_long(u"1E3"), 1000);
  EXPECT_EQ(reply_as_long(u"1E"), 1);  // an exponent without digits is not read
  EXPECT_EQ(reply_as_long(u"&H10"), 16);
  EXPECT_EQ(reply_as_long(u"&O17"), 15);
  EXPECT_EQ(reply_as_long(u"&h1G"), 1);
  EXPECT_EQ(reply_as_long(u".5"), 0);
  EXPECT_EQ(reply_as_long(u"1.5"), 2);
}

TEST(NumberReply, NoNumberReadsZero) {
  for (std::u16string_view reply : {u"", u"   ", u"abc", u"-", u"&H", u"&", u".", u"+-3", u"\r5"}) {
    EXPECT_EQ(reply_as_long(reply), 0) << std::string(reply.begin(), reply.end());
  }
}

TEST(NumberReply, HexAndOctalWrapAt16Then32Bits) {
  EXPECT_EQ(reply_as_long(u"&HFFFF"), -1);
  EXPECT_EQ(reply_as_long(u"&H8000"), -32768);
  EXPECT_EQ(reply_as_long(u"&H7FFF"), 32767);
  EXPECT_EQ(reply_as_long(u"&H10000"), 65536);
  EXPECT_EQ(reply_as_long(u"&HFFFFFFFF"), -1);
  EXPECT_EQ(reply_as_long(u"&O177777"), -1);
  EXPECT_EQ(error_of([] { reply_as_long(u"&H100000000"); }), error::kOverflow);
}

TEST(NumberReply, OutsideTheLongRangeOverflows) {
  EXPECT_EQ(reply_as_long(u"2147483647"), 2147483647);
  EXPECT_EQ(reply_as_long(u"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(reply_as_long(u"-2147483648.5"), -2147483647 - 1);
  EXPECT_EQ(reply_as_long(u"2147483647.4"), 2147483647);
  for (std::u16string_view reply :
       {u"2147483648", u"2147483647.5", u"-2147483649", u"1e10", u"1e400"}) {
    EXPECT_EQ(error_of([&] { reply_as_long(reply); }), error::kOverflow)
        << std::string(reply.begin(), reply.end());
  }
  EXPECT_EQ(reply_as_long(u"1e-400"), 0);
  EXPECT_EQ(reply_as_long(u"0." + std::u16string(400, u'0') + u"1"), 0);
  EXPECT_EQ(error_of([] { reply_as_long(u"1" + std::u16string(400, u'0')); }), error::kOverflow);
}

TEST(NumberReply, ByteRangeIsZeroTo255) {
  EXPECT_EQ(reply_as_byte(u"255"), 255);
  EXPECT_EQ(reply_as_byte(u"0"), 0);
  EXPECT_EQ(reply_as_byte(u"254.5"), 254);
  EXPECT_EQ(reply_as_byte(u"-0.5"), 0);
  EXPECT_EQ(reply_as_byte(u""), 0);
  for (std::u16string_view reply : {u"300", u"-1", u"255.5", u"256"}) {
    EXPECT_EQ(error_of([&] { reply_as_byte(reply); }), error::kOverflow)
        << std::string(reply.begin(), reply.end());
  }
}

TEST(TextReply, TrimmingRemovesSpacesOnly) {
  EXPECT_EQ(reply_trimmed(u"  C:\\Korvex\\  "), u"C:\\Korvex\\");
  EXPECT_EQ(reply_trimmed(u"\tpath\r\n"), u"\tpath\r\n");
  EXPECT_EQ(reply_trimmed(u"    "), u"");
  EXPECT_EQ(reply_trimmed(u" a b "), u"a b");
}

TEST(SplitReply, CutsAtEveryExactSeparator) {
  EXPECT_TRUE(split_reply(u"").empty());
  EXPECT_EQ(split_reply(u"True"), std::vector<Text>{u"True"});
  EXPECT_EQ(split_reply(u"True//::^xabc"), (std::vector<Text>{u"True", u"abc"}));
  EXPECT_EQ(split_reply(u"//::^x"), (std::vector<Text>{u"", u""}));
  EXPECT_EQ(split_reply(u"a//::^xb//::^x//::^xc"), (std::vector<Text>{u"a", u"b", u"", u"c"}));
  // Matching is case-sensitive and whole.
  EXPECT_EQ(split_reply(u"a//::^Xb//::^"), std::vector<Text>{u"a//::^Xb//::^"});
}

TEST(SplitReply, AnElementBeyondTheLastIsOutOfRange) {
  auto elements = split_reply(u"True");
  EXPECT_EQ(reply_element(elements, 0), u"True");
  EXPECT_EQ(error_of([&] { reply_element(elements, 1); }), error::kSubscriptOutOfRange);
  EXPECT_EQ(error_of([] { reply_element(split_reply(u""), 0); }), error::kSubscriptOutOfRange);
}

}  // namespace
}  // namespace tavrosk
