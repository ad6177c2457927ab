// Parse_GetLinesArray: one element per CR LF line, and what the caller's text keeps.
#include "support/fixture.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

struct LinesCase {
  const char* name;
  Text text;
  std::vector<Text> lines;
};

class LinesOfText : public ::testing::TestWithParam<LinesCase> {};

TEST_P(LinesOfText, SplitsAtEveryCrLfAndLeavesTheTextEndingInOne) {
  PlugInToolsLib tools;
  Text text = GetParam().text;
  VectorStringArray array({u"stale", u"stale"});
  EXPECT_TRUE(tools.Parse_GetLinesArray(text, array).ok());
  EXPECT_EQ(array.elements(), GetParam().lines);
  EXPECT_EQ(text, GetParam().text + u"\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LinesOfText,
    ::testing::Values(LinesCase{"TwoLines", u"a\r\nb", {u"a", u"b"}},
                      LinesCase{"EndingInCrLf", u"a\r\nb\r\n", {u"a", u"b", u""}},
                      LinesCase{"OneLine", u"abc", {u"abc"}},
                      LinesCase{"CrLfAlone", u"\r\n", {u"", u""}},
                      LinesCase{"LoneLfAndCrStayInside", u"a\nb\r\rc", {u"a\nb\r\rc"}},
                      LinesCase{"CrBeforeCrLf", u"a\r\r\nb", {u"a\r", u"b"}},
                      LinesCase{"EmptyLinesBetween", u"x\r\n\r\ny", {u"x", u"", u"y"}}),
    [](const ::testing::TestParamInfo<LinesCase>& each) { return each.param.name; });

TEST(LinesOfEmptyText, LeaveArrayAndTextAlone) {
  PlugInToolsLib tools;
  Text text;
  VectorStringArray array({u"kept"});
  EXPECT_TRUE(tools.Parse_GetLinesArray(text, array).ok());
  EXPECT_EQ(array.elements(), std::vector<Text>{u"kept"});
  EXPECT_EQ(text, u"");
}

TEST(LinesIntoLockedArray, FailWithTheTextAlreadyChanged) {
  PlugInToolsLib tools;
  Text text = u"a\r\nb";
  VectorStringArray array({u"kept"});
  array.set_locked(true);
  auto status = tools.Parse_GetLinesArray(text, array);
  EXPECT_EQ(status.error_number(), error::kArrayFixedOrLocked);
  EXPECT_EQ(status.code, 0x800A000Au);
  EXPECT_EQ(text, u"a\r\nb\r\n");
  EXPECT_EQ(array.elements(), std::vector<Text>{u"kept"});
}

}  // namespace
}  // namespace tavrosk::testing
