// The page editing members on both roads: the exact export call or relay line of each, and
// the same edits reaching the reference host's active page either way.
#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "support/wire_check.h"

namespace tavrosk::testing {
namespace {

class PageEditingWire : public WireTest {};

TEST_P(PageEditingWire, MembersWithoutAResultPassTheirArgumentsInTheirRoadsOrder) {
  ide_->SetPageNew(u"C:\\Work\\new.bas");
  expect_wire(R"(SetPageNew("C:\Work\new.bas"))", {u"SetPageNew", u"394", u"C:\\Work\\new.bas"});
  ide_->SetPageClear();
  expect_wire("SetPageClear()", {u"SetPageClear", u"394"});
  ide_->SetPageInsertHeader();
  expect_wire("SetPageInsertHeader()", {u"SetPageInsertHeader", u"394"});
  ide_->SetPageText(u"Hello");
  expect_wire(R"(SetPageText("Hello"))", {u"SetPageText", u"394", u"Hello"});
  ide_->SetPageTextAt(12, 3, u"abc");
  expect_wire(R"(SetPageTextAt(3, 12, "abc"))", {u"SetPageTextAt", u"394", u"12", u"3", u"abc"});
  ide_->SetPageTextAt(-1, 0, u"z");
  expect_wire(R"(SetPageTextAt(0, -1, "z"))", {u"SetPageTextAt", u"394", u"-1", u"0", u"z"});
  ide_->SetPageSelectTextAt(4, 7);
  expect_wire("SetPageSelectTextAt(4, 7)", {u"SetPageSelectTextAt", u"394", u"4", u"7"});
  ide_->SetPageCursorPos(5, 9);
  expect_wire("SetPageCursorPos(5, 9)", {u"SetPageCursorPos", u"394", u"9", u"5"});
  ide_->SetPageTopLine(-2);
  expect_wire("SetPageTopLine(-2)", {u"SetPageTopLine", u"394", u"-2"});
}

TEST_P(PageEditingWire, UpdateTextSendsTheTextBeforeTheFlagToTheExportAndAfterItOnTheRelay) {
  ide_->SetPageUpdateText(u"x = 1", raw_vb_bool(1));
  expect_wire(R"(SetPageUpdateText("x = 1", 1))",
              {u"SetPageUpdateText", u"394", u"True", u"x = 1"});
  ide_->SetPageUpdateText(u"x = 2", kTrue);
  expect_wire(R"(SetPageUpdateText("x = 2", -1))",
              {u"SetPageUpdateText", u"394", u"True", u"x = 2"});
  ide_->SetPageUpdateText(u"x = 3", kFalse);
  expect_wire(R"(SetPageUpdateText("x = 3", 0))",
              {u"SetPageUpdateText", u"394", u"False", u"x = 3"});
}

TEST_P(PageEditingWire, ReadersSendTheirCurrentValuesOnlyWhereTheyTakeFields) {
  Long line = 7, column = 8;
  ASSERT_TRUE(ide_->GetPageCursorPos(line, column).ok());
  expect_wire("GetPageCursorPos(&, &)", {u"GetPageCursorPos", u"394", u"7", u"8"});
  Long top = 5, shown = 6;
  ASSERT_TRUE(ide_->GetPageDisplayLines(top, shown).ok());
  expect_wire("GetPageDisplayLines(&, &)", {u"GetPageDisplayLines", u"394"});
}

TAVROSK_ON_BOTH_ROADS(PageEditingWire);

class PageEditingOnBothRoads : public BothRoadsTest {
 protected:
  std::string active_text() {
    return host::ide_model().locked([](host::IdeState& s) { return s.active()->text; });
  }
};

TEST_P(PageEditingOnBothRoads, EditsAndCaretMovesReachTheActivePage) {
  ASSERT_TRUE(ide_->SetPageNew(u"C:\\Work\\demo.bas").ok());
  ASSERT_TRUE(ide_->SetPageText(u"Line0\r\nLine1\r\nLine2").ok());
  ASSERT_TRUE(ide_->SetPageTextAt(1, 4, u"XY").ok());
  EXPECT_EQ(active_text(), "Line0\r\nLineXY1\r\nLine2");
  EXPECT_EQ(host::ide_model().locked([](host::IdeState& s) { return s.active()->file_name; }),
            "C:\\Work\\demo.bas");

  Long line = -1, column = -1;
  ASSERT_TRUE(ide_->GetPageCursorPos(line, column).ok());
  EXPECT_EQ(line, 1);  // just after the inserted text
  EXPECT_EQ(column, 6);

  ASSERT_TRUE(ide_->SetPageCursorPos(3, 2).ok());  // column first
  ASSERT_TRUE(ide_->GetPageCursorPos(line, column).ok());
  EXPECT_EQ(line, 2);
  EXPECT_EQ(column, 3);

  ASSERT_TRUE(ide_->SetPageSelectTextAt(7, 4).ok());
  EXPECT_EQ(host::ide_model().locked([](host::IdeState& s) {
    const host::Page& page = *s.active();
    return page.text.substr(page.selection_start, page.selection_length);
  }),
            "Line");

  ASSERT_TRUE(ide_->SetPageUpdateText(u"Only line", kTrue).ok());
  EXPECT_EQ(
      host::ide_model().locked([](host::IdeState& s) { return s.files["C:\\Work\\demo.bas"]; }),
      "Only line");
  ASSERT_TRUE(ide_->SetPageClear().ok());
  EXPECT_EQ(active_text(), "");
}

TEST_P(PageEditingOnBothRoads, DisplayLinesFollowTheTopLineInAWindowOfFixedHeight) {
  std::u16string fifty_lines;
  for (int i = 0; i < 50; ++i) fifty_lines += (i ? u"\r\nline" : u"line");
  ASSERT_TRUE(ide_->SetPageText(fifty_lines).ok());
  host::ide_model().locked([](host::IdeState& s) { s.lines_in_window = 30; });

  Long top = -1, shown = -1;
  ASSERT_TRUE(ide_->SetPageTopLine(10).ok());
  ASSERT_TRUE(ide_->GetPageDisplayLines(top, shown).ok());
  EXPECT_EQ(top, 10);
  EXPECT_EQ(shown, 30);
  ASSERT_TRUE(ide_->SetPageTopLine(40).ok());
  ASSERT_TRUE(ide_->GetPageDisplayLines(top, shown).ok());
  EXPECT_EQ(top, 40);
  EXPECT_EQ(shown, 10);  // the last ten lines
}

TEST_P(PageEditingOnBothRoads, ALongTextArrivesWholeAtTheHost) {
  std::u16string text(100000, u'a');
  text.back() = u'z';
  ASSERT_TRUE(ide_->SetPageText(text).ok());
  std::string page = active_text();
  EXPECT_EQ(page.size(), 100000u);
  EXPECT_EQ(page, std::string(99999, 'a') + "z");
  if (relayed()) {
    auto received = relay_->received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].size,
              std::u16string_view(u"SetPageText//::^x1312//::^x").size() + 100000 + 1);
  }
}

TEST_P(PageEditingOnBothRoads, ATextHoldingTheSeparatorReachesThePageIntact) {
  const std::u16string text = u"a//::^xb//::^xc";
  ASSERT_TRUE(ide_->SetPageText(text).ok());
  EXPECT_EQ(active_text(), "a//::^xb//::^xc");
  ASSERT_TRUE(ide_->SetPageTextAt(0, 1, u"-//::^x-").ok());
  EXPECT_EQ(active_text(), "a-//::^x-//::^xb//::^xc");
  if (relayed()) {
    // Sent unchanged: the line carries more fields than the command defines.
    EXPECT_EQ(fields_of(relay_lines().front()),
              (std::vector<std::u16string>{u"SetPageText", u"1312", u"a", u"b", u"c"}));
  }
}

TAVROSK_ON_BOTH_ROADS(PageEditingOnBothRoads);

class PageEditingDirect : public BothRoadsTest {};

TEST_P(PageEditingDirect, ReadersHandTheExportTheCallersOwnVariables) {
  Long line = 0, column = 0;
  std::vector<std::intptr_t> seen;
  host::ide_model().set_export_hook("GetPageCursorPos",
                                    [&](const std::vector<std::intptr_t>& args) {
                                      seen = args;
                                      *reinterpret_cast<std::int32_t*>(args[0]) = 21;
                                      *reinterpret_cast<std::int32_t*>(args[1]) = 34;
                                      return 0;
                                    });
  ASSERT_TRUE(ide_->GetPageCursorPos(line, column).ok());
  EXPECT_EQ(seen, (std::vector<std::intptr_t>{reinterpret_cast<std::intptr_t>(&column),
                                              reinterpret_cast<std::intptr_t>(&line)}));
  EXPECT_EQ(column, 21);
  EXPECT_EQ(line, 34);

  Long top = 0, shown = 0;
  host::ide_model().set_export_hook("GetPageDisplayLines",
                                    [&](const std::vector<std::intptr_t>& args) {
                                      seen = args;
                                      return 0;
                                    });
  ASSERT_TRUE(ide_->GetPageDisplayLines(top, shown).ok());
  EXPECT_EQ(seen, (std::vector<std::intptr_t>{reinterpret_cast<std::intptr_t>(&top),
                                              reinterpret_cast<std::intptr_t>(&shown)}));
}

INSTANTIATE_TEST_SUITE_P(Direct, PageEditingDirect, ::testing::Values(Road::kDirect), road_name);

}  // namespace
}  // namespace tavrosk::testing
