// Command lines: the command, then each field after the separator, in its text form.
#include <gtest/gtest.h>

#include "relay/command_line.h"

namespace tavrosk {
namespace {

TEST(CommandLine, FieldFormsFollowTheirTypes) {
  CommandLine line(u"Cmd");
  line.field(Long{1312}).field(Long{-1}).field(Long{0}).field(Byte{255}).field(Byte{0});
  line.field(kTrue).field(raw_vb_bool(1)).field(kFalse).field(u"a b ");
  EXPECT_EQ(line.text(),
            u"Cmd//::^x1312//::^x-1//::^x0//::^x255//::^x0//::^xTrue//::^xTrue//::^x"
            u"False//::^xa b ");
}

TEST(CommandLine, LongExtremesHaveNoFill) {
  EXPECT_EQ(CommandLine(u"X").field(Long{-2147483647 - 1}).text(), u"X//::^x-2147483648");
  EXPECT_EQ(CommandLine(u"X").field(Long{2147483647}).text(), u"X//::^x2147483647");
}

TEST(CommandLine, TextIsNotEscaped) {
  EXPECT_EQ(CommandLine(u"SetPageText").field(Long{7}).field(u"x//::^xy").text(),
            u"SetPageText//::^x7//::^xx//::^xy");
  EXPECT_EQ(CommandLine(u"SetPageText").field(Long{7}).field(u"").text(),
            u"SetPageText//::^x7//::^x");
}

TEST(TrimSpaces, OnlyU0020AtBothEnds) {
  EXPECT_EQ(trim_spaces(u"  a  "), u"a");
  EXPECT_EQ(trim_spaces(u"\ta\t"), u"\ta\t");
  EXPECT_EQ(trim_spaces(u"   "), u"");
  EXPECT_EQ(trim_spaces(u""), u"");
}

}  // namespace
}  // namespace tavrosk
