// The relay program sets its reply window's text only when a reply differs from what the window
// shows, since setting a long reply costs the system a copy of all of it. Whatever came before,
// the window must show each reply as if the program had set it every time.
#include <string>

#include "relay/channel.h"
#include "support/fixture.h"
#include "support/win32/relay_tool_process.h"

namespace tavrosk::testing {
namespace {

constexpr Long kCapacity = 512006;

std::u16string ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

class RelayProgramReply : public WindowsTest {
 protected:
  // One line answered with `reply`, then the window read as another program and as the
  // library read it.
  void expect_shown_after_line(const std::u16string& reply, const std::string& step) {
    relay_.script_reply(reply);
    SendDebugLine(u"GetPageCount//::^x1312");
    expect_shown(reply, step);
  }
  void expect_shown(const std::u16string& text, const std::string& step) {
    EXPECT_EQ(relay_.reply_text(), text) << step;
    EXPECT_EQ(ReadDebugReply(kCapacity), text) << step;
  }

  RelayToolProcess relay_;
};

TEST_F(RelayProgramReply, RepeatedChangedAndLongRepliesEachShowAsGiven) {
  std::u16string page;
  for (int line = 0; page.size() < 300000; ++line)
    page += ascii("line " + std::to_string(line) + "\r\n");
  std::u16string page_changed_at_end = page;
  page_changed_at_end.back() = u'!';
  const std::pair<std::u16string, const char*> replies[] = {
      {u"alpha", "first"},
      {u"alpha", "repeated"},
      {u"beta", "changed"},
      {u"alpha", "back"},
      {page, "long"},
      {page, "long repeated"},
      {page_changed_at_end, "long, last character changed"},
      {page.substr(0, 1000), "shorter"},
      {u"", "empty"},
      {u"", "empty repeated"},
      {u"gamma", "after empty"}};
  for (const auto& [reply, step] : replies) expect_shown_after_line(reply, step);
}

TEST_F(RelayProgramReply, ATextSetByAnotherProgramIsReplacedByTheNextReplyEvenWhenUnchanged) {
  expect_shown_after_line(u"alpha", "before");
  relay_.set_reply_text(u"set from outside");
  expect_shown(u"set from outside", "set from outside");
  expect_shown_after_line(u"alpha", "the same reply again");
  expect_shown_after_line(u"alpha", "and once more");
}

TEST_F(RelayProgramReply, AResetEmptiesTheWindowAndALineWithoutReplyLeavesIt) {
  expect_shown_after_line(u"alpha", "before");
  SendDebugLine(u"NoSuchCommand//::^x1312");
  expect_shown(u"alpha", "a line without reply");
  RelayToolProcess again;  // resets the program
  expect_shown(u"", "reset");
  expect_shown_after_line(u"alpha", "the reply before the reset again");
}

}  // namespace
}  // namespace tavrosk::testing
