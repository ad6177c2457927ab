// The relay channel across two real processes: the lines as the relay program received them,
// the reply read from its child window, and the box when the program is not running.
#include <memory>
#include <string>

#include "base/user_messages.h"
#include "bridge/session.h"
#include "bridge/vb_plugin_lib.h"
#include "relay/channel.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RealRelayChannel : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    if (HasFatalFailure()) return;
    relay_ = std::make_unique<RelayToolProcess>();
    ASSERT_NE(relay_->window(), 0);
  }
  std::unique_ptr<RelayToolProcess> relay_;
};

TEST_F(RealRelayChannel, LinesArriveWithTagThreeTheirLengthPlusOneAndTheirBytes) {
  SendDebugLine(std::u16string(254, u'L'));   // fills the 255-byte send buffer exactly
  SendDebugLine(std::u16string(1000, u'M'));  // longer than the buffer, and still whole
  SendDebugLine(u"  Disconnect//::^x1312  ");
  SendDebugLine(u"   ");  // sends nothing
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].tag, 3u);
  EXPECT_EQ(received[0].size, 255u);
  EXPECT_EQ(received[0].bytes, std::string(254, 'L') + '\0');
  EXPECT_EQ(received[1].tag, 3u);
  EXPECT_EQ(received[1].size, 1001u);
  EXPECT_EQ(received[1].bytes, std::string(1000, 'M') + '\0');
  EXPECT_EQ(received[2].size, 21u);
  EXPECT_EQ(received[2].text, u"Disconnect//::^x1312");
}

TEST_F(RealRelayChannel, TextTravelsAsOneByteACharacterInTheAnsiCodePage) {
  SendDebugLine(u"SetPage//::^x1//::^xCaf\u00e9 \u20ac");
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].bytes, std::string("SetPage//::^x1//::^xCaf\xe9 \x80") + '\0');
  EXPECT_EQ(received[0].size, 27u);
  relay_->set_reply_text(u"d\u00e9j\u00e0");
  EXPECT_EQ(ReadDebugReply(0), u"d\u00e9j\u00e0");
}

TEST_F(RealRelayChannel, TheReplyIsTheChildsTextCutAtCapacityLessOne) {
  relay_->set_reply_text(std::u16string(600, u'R'));
  EXPECT_EQ(ReadDebugReply(0), std::u16string(499, u'R'));
  EXPECT_EQ(ReadDebugReply(10), std::u16string(9, u'R'));
  relay_->set_reply_text(u"");
  EXPECT_EQ(ReadDebugReply(0), u"");
}

TEST_F(RealRelayChannel, TheReplyIsInPlaceWhenTheSendReturns) {
  relay_->script_reply(u"True//::^xabc");
  SendDebugLine(u"IsConnected//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"True//::^xabc");
  // Unscripted, the program answers from its own IDE model: nothing is connected there.
  SendDebugLine(u"Disconnect//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"False");
  // A line it has no command for leaves the reply window as it was.
  SendDebugLine(u"NoSuchCommand//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"False");
}

TEST_F(RealRelayChannel, TheTitleSearchIgnoresLetterCaseAndTheReplyWindowIsTheFirstChild) {
  EXPECT_EQ(platform::find_top_level_window(u"debug vb application"), relay_->window());
  EXPECT_EQ(FindDebuggerWindow(), relay_->window());
  EXPECT_EQ(FindDebugReplyWindow(kRelayWindowTitle), relay_->reply_window());
  EXPECT_NE(relay_->reply_window(), 0);
  EXPECT_EQ(platform::first_child_window(relay_->reply_window()), 0);
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(RealRelayChannel, WithoutTheProgramOnlyAReplyReadShowsTheBox) {
  relay_->close();
  EXPECT_EQ(FindDebuggerWindow(), 0);
  SendDebugLine(u"Disconnect//::^x1312");
  EXPECT_TRUE(box_texts().empty());
  EXPECT_EQ(ReadDebugReply(0), u"");
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{std::u16string(kDebuggerNotRunning)});
  EXPECT_EQ(narrow(box_texts().at(0)),
            "VB DEBUGGER not running\r\nPlease launch the VB DEBUGGER from the Korvex IDE Toolbar");
}

TEST_F(RealRelayChannel, DebugAppWithoutTheProgramFailsButSwitchesTheRoad) {
  host::Win32IdeWindow ide_window;
  VB_PluginLib ide;
  relay_->close();
  auto result = ide.DebugApp(1312, kTrue);
  EXPECT_EQ(result.status.error_number(), 13);
  EXPECT_EQ(result.value, kFalse);
  EXPECT_EQ(box_texts().size(), 1u);
  EXPECT_EQ(session().session_handle, 1312);
  EXPECT_TRUE(is_set(session().debug_flag));
  // Relayed now, so the next Boolean call fails the same way, with one more box.
  EXPECT_EQ(ide.IsConnected().status.error_number(), 13);
  EXPECT_EQ(box_texts().size(), 2u);
}

class LibraryCreation : public WindowsTest {};

TEST_F(LibraryCreation, WarnsWhenTheIdeWindowIsMissingAndOnlyThen) {
  { VB_PluginLib without_ide; }
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{u"Korvex IDE not running"});
  forget_boxes();
  host::Win32IdeWindow ide_window;
  { VB_PluginLib with_ide; }
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
