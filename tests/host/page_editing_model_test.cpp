// The reference host's editing model: positions placed as an editor places the caret, edits
// on the active page, pages as files, and the relay commands that join a text's fields back.
#include <gtest/gtest.h>

#include "model/ide_model.h"
#include "shared/page_editing_model.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
namespace {

class PageEditingModel : public ::testing::Test {
 protected:
  void SetUp() override { ide = initial_ide_state(); }
  const Page& page() { return *ide.active(); }
  Position caret_at() { return caret(ide); }

  IdeState ide;
};

TEST_F(PageEditingModel, PositionsOutsideTheTextAreClampedToIt) {
  const std::string text = "ab\r\ncdef\r\n";  // three lines, the last one empty
  EXPECT_EQ(line_count(text), 3);
  EXPECT_EQ(offset_of(text, {1, 2}), 6u);
  EXPECT_EQ(offset_of(text, {0, 9}), 2u);   // past its line's end, not into the CR
  EXPECT_EQ(offset_of(text, {7, 0}), 10u);  // past the last line
  EXPECT_EQ(offset_of(text, {-3, -3}), 0u);
  EXPECT_EQ(position_of(text, 4), (Position{1, 0}));
  EXPECT_EQ(position_of(text, 99), (Position{2, 0}));
  EXPECT_EQ(line_count(""), 1);
}

TEST_F(PageEditingModel, InsertingPutsTheTextAtTheLineAndColumnAndTheCaretAfterIt) {
  replace_text(ide, "one\r\ntwo");
  insert_text_at(ide, {1, 1}, "XX\r\nY");
  EXPECT_EQ(page().text, "one\r\ntXX\r\nYwo");
  EXPECT_EQ(caret_at(), (Position{2, 1}));
  EXPECT_TRUE(page().modified);
  EXPECT_EQ(page().rtf, "{\\rtf1\\ansi one\r\ntXX\r\nYwo\\par }");
}

TEST_F(PageEditingModel, SelectionAndCaretStayInsideTheText) {
  replace_text(ide, "0123456789");
  select_text(ide, 8, 50);
  EXPECT_EQ(page().selection_start, 8);
  EXPECT_EQ(page().selection_length, 2);
  select_text(ide, -4, -1);
  EXPECT_EQ(page().selection_start, 0);
  EXPECT_EQ(page().selection_length, 0);
  move_caret(ide, {0, 4});
  EXPECT_EQ(caret_at(), (Position{0, 4}));
  EXPECT_EQ(page().selection_length, 0);  // moving the caret collapses the selection
}

TEST_F(PageEditingModel, UpdateTextKeepsTheCaretWhereItStillFitsAndSavesOnRequest) {
  replace_text(ide, "aaaa\r\nbbbb\r\ncccc");
  move_caret(ide, {2, 3});
  update_text(ide, "xx\r\nyy", false);
  EXPECT_EQ(caret_at(), (Position{1, 2}));
  EXPECT_TRUE(page().modified);
  EXPECT_EQ(ide.files.count(page().file_name), 0u);
  update_text(ide, "saved", true);
  EXPECT_EQ(ide.files[page().file_name], "saved");
  EXPECT_FALSE(page().modified);
}

TEST_F(PageEditingModel, HeaderNamesThePageAndPrecedesItsText) {
  const std::string original = page().text;
  insert_header(ide);
  const std::string& text = page().text;
  ASSERT_GT(text.size(), original.size());
  std::string header = text.substr(0, text.size() - original.size());
  EXPECT_EQ(text.substr(header.size()), original);
  EXPECT_NE(header.find("'*  Name    : main.bas\r\n"), std::string::npos);
  EXPECT_NE(header.find("'*  Device  : KX-A4550\r\n"), std::string::npos);
  EXPECT_EQ(caret_at(), (Position{line_count(header) - 1, 0}));  // where the old text starts
}

TEST_F(PageEditingModel, DisplayLinesNeverCountPastTheLastLine) {
  ide.lines_in_window = 5;
  replace_text(ide, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
  EXPECT_EQ(display_lines(ide).lines_shown, 5);
  scroll_to(ide, 4);
  EXPECT_EQ(display_lines(ide).top_line, 4);
  EXPECT_EQ(display_lines(ide).lines_shown, 3);
  scroll_to(ide, 100);
  EXPECT_EQ(display_lines(ide).top_line, 6);
  replace_text(ide, "only");  // scrolls back to the start
  EXPECT_EQ(display_lines(ide).top_line, 0);
  EXPECT_EQ(display_lines(ide).lines_shown, 1);
}

TEST_F(PageEditingModel, WithoutAnActivePageEditsDoNothingAndReadsGiveZero) {
  EXPECT_TRUE(close_all_pages(ide, ""));
  EXPECT_TRUE(ide.pages.empty());
  replace_text(ide, "x");
  insert_text_at(ide, {0, 0}, "y");
  colour_line(ide, 0, {1, 2});
  EXPECT_EQ(caret(ide), (Position{0, 0}));
  EXPECT_EQ(display_lines(ide).lines_shown, 0);
  EXPECT_FALSE(save_page(ide, ""));
}

TEST_F(PageEditingModel, NewPageOpensEmptyOrActivatesAnOpenOne) {
  new_page(ide, "C:\\Work\\fresh.bas");
  EXPECT_EQ(ide.pages.size(), 3u);
  EXPECT_EQ(page().display_name, "fresh.bas");
  EXPECT_EQ(page().filename_hex, "C:\\Work\\fresh.hex");
  EXPECT_EQ(page().text, "");
  new_page(ide, "c:\\projects\\blink\\UTIL.bas");  // already open, letter case ignored
  EXPECT_EQ(ide.pages.size(), 3u);
  EXPECT_EQ(page().display_name, "util.bas");
}

TEST_F(PageEditingModel, ClosingAPageKeepsOrPassesOnTheActivePage) {
  new_page(ide, "third.bas");
  ide.active_page = 2;
  EXPECT_TRUE(close_page(ide, "C:\\Projects\\Blink\\main.bas"));  // before the active one
  EXPECT_EQ(page().file_name, "third.bas");
  new_page(ide, "C:\\Projects\\Blink\\main.bas");
  ide.active_page = 0;  // util.bas
  EXPECT_TRUE(close_page(ide, "C:\\Projects\\Blink\\util.bas"));
  EXPECT_EQ(page().file_name, "third.bas");  // the next page took its place
  ide.active_page = 1;                       // main.bas, now the last page
  EXPECT_TRUE(close_page(ide, "C:\\Projects\\Blink\\main.bas"));
  EXPECT_EQ(page().file_name, "third.bas");  // the last one closed: the one before
  EXPECT_FALSE(close_page(ide, "C:\\Projects\\Blink\\main.bas"));
  EXPECT_TRUE(close_page(ide, "third.bas"));
  EXPECT_EQ(ide.active(), nullptr);
}

TEST_F(PageEditingModel, LoadingOpensTheSavedFileAndAMissingFileChangesNothing) {
  ide.files["C:\\Lib\\saved.bas"] = "from disk";
  load_page(ide, "c:\\lib\\SAVED.bas");
  EXPECT_EQ(page().file_name, "C:\\Lib\\saved.bas");
  EXPECT_EQ(page().text, "from disk");
  EXPECT_FALSE(page().modified);
  std::size_t pages = ide.pages.size();
  load_page(ide, "C:\\Lib\\missing.bas");
  EXPECT_EQ(ide.pages.size(), pages);
  EXPECT_EQ(page().file_name, "C:\\Lib\\saved.bas");
}

TEST_F(PageEditingModel, ClearingAPageDropsItsLineColours) {
  colour_line(ide, 1, {10, 20});
  colour_line(ide, 3, {10, 20});  // the main page has lines 0 to 3
  colour_line(ide, 4, {10, 20});
  EXPECT_EQ(page().line_colours.size(), 2u);
  clear_page(ide);
  EXPECT_TRUE(page().line_colours.empty());
  EXPECT_EQ(page().text, "");
}

// The relay commands over the process's one model.
class PageRelayCommands : public ::testing::Test {
 protected:
  void SetUp() override { ide_model().reset(); }
  void TearDown() override { ide_model().reset(); }
  template <class Read>
  auto state(Read read) {
    return ide_model().locked([&](IdeState& s) { return read(s); });
  }
  RelayCommands commands;
};

TEST_F(PageRelayCommands, TextsThatEndTheLineTakeEveryRemainingField) {
  EXPECT_EQ(commands.handle_line("SetPageText//::^x1//::^xa//::^x//::^xb"), std::nullopt);
  EXPECT_EQ(state([](IdeState& s) { return s.active()->text; }), "a//::^x//::^xb");
  commands.handle_line("SetPageTextAt//::^x1//::^x0//::^x1//::^x-//::^x-");
  EXPECT_EQ(state([](IdeState& s) { return s.active()->text; }), "a-//::^x-//::^x//::^xb");
  commands.handle_line("SetPageVersion//::^x1//::^x1//::^x2//::^x3//::^x255//::^xodd//::^xname");
  commands.handle_line("SetPageNew//::^x1//::^xodd//::^xname");
  EXPECT_EQ(state([](IdeState& s) { return s.active()->file_name; }), "odd//::^xname");
}

TEST_F(PageRelayCommands, ReadersAnswerLineFirstAndBooleansInWords) {
  commands.handle_line("SetPageText//::^x1//::^xab\r\ncd");
  commands.handle_line("SetPageCursorPos//::^x1//::^x1//::^x2");  // line, then column
  EXPECT_EQ(commands.handle_line("GetPageCursorPos//::^x1//::^x0//::^x0"), "1//::^x2");
  EXPECT_EQ(commands.handle_line("GetPageDisplayLines//::^x1"), "0//::^x2");
  EXPECT_EQ(commands.handle_line("SetPageClose//::^x1//::^xnone.bas"), "False");
  EXPECT_EQ(commands.handle_line("SetPageSave//::^x1//::^x"), "True");  // the active page
}

TEST_F(PageRelayCommands, FlagsReadAsTheLibraryWritesThem) {
  const std::string main = "C:\\Projects\\Blink\\main.bas";
  auto enabled = [&] {
    return state([&](IdeState& s) { return s.find_page(main)->version_enabled; });
  };
  commands.handle_line("SetPageVersionEnabled//::^x1//::^xtrue//::^x" + main);
  EXPECT_TRUE(enabled());
  commands.handle_line("SetPageVersionEnabled//::^x1//::^xFalse//::^x" + main);
  EXPECT_FALSE(enabled());
  commands.handle_line("SetPageVersionEnabled//::^x1//::^xTrue//::^x" + main);
  commands.handle_line("SetPageVersionEnabled//::^x1//::^x0//::^x" + main);
  EXPECT_FALSE(enabled());
}

}  // namespace
}  // namespace tavrosk::host
