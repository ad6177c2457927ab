// The relay channel on the simulated desktop: what is sent, what is read, and what the user is
// told when the relay tool is missing.
#include <cstring>

#include "platform/sim/code_page_selection.h"
#include "relay/channel.h"
#include "support/sim_fixture.h"

namespace tavrosk::testing {
namespace {

class RelayChannel : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    relay_ = std::make_unique<host::SimRelayTool>();
  }
  void TearDown() override {
    relay_.reset();
    SimTest::TearDown();
  }
  std::unique_ptr<host::SimRelayTool> relay_;
};

TEST_F(RelayChannel, SendsTheTrimmedLineWithTagThreeAndOneZeroByte) {
  SendDebugLine(u"  Disconnect//::^x1312  ");
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].tag, 3u);
  EXPECT_EQ(received[0].size, 21u);
  EXPECT_EQ(received[0].bytes, std::string("Disconnect//::^x1312") + std::string(1, '\0'));
  EXPECT_EQ(received[0].text, u"Disconnect//::^x1312");
}

TEST_F(RelayChannel, TabsAndLineBreaksAreNotTrimmed) {
  SendDebugLine(u"\tA\r\n ");
  EXPECT_EQ(relay_->lines(), std::vector<std::u16string>{u"\tA\r\n"});
}

TEST_F(RelayChannel, BlankLineSendsNothingAndLooksNothingUp) {
  SendDebugLine(u"     ");
  SendDebugLine(u"");
  EXPECT_TRUE(relay_->received().empty());
  EXPECT_TRUE(desktop().messages().empty());
}

TEST_F(RelayChannel, A254CharacterLineFillsTheSendBufferExactly) {
  std::u16string line(254, u'L');
  SendDebugLine(line);
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].size, 255u);
  EXPECT_EQ(received[0].bytes, std::string(254, 'L') + '\0');
}

TEST_F(RelayChannel, ALongerLineArrivesWhole) {
  std::u16string line(1000, u'x');
  SendDebugLine(line);
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].size, 1001u);
  EXPECT_EQ(received[0].text, line);
}

TEST_F(RelayChannel, MultiByteLinesAreCountedInBytes) {
  sim::set_code_page(sim::CodePage::kUtf8);
  std::u16string line = std::u16string(250, u'a') + u"\u00e9\u00e9\u20ac";  // 2 + 2 + 3 bytes
  SendDebugLine(line);
  auto received = relay_->received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].size, 258u);
  EXPECT_EQ(received[0].text, line);
}

TEST_F(RelayChannel, CharactersOutsideWindows1252ArriveAsQuestionMarks) {
  SendDebugLine(u"caf\u00e9 \u20ac \u0101");
  EXPECT_EQ(relay_->received()[0].bytes, "caf\xe9 \x80 ?" + std::string(1, '\0'));
}

TEST_F(RelayChannel, NoRelayToolSendsNothingAndSaysNothing) {
  relay_->close();
  desktop().clear_records();
  SendDebugLine(u"IDELock//::^x1");
  EXPECT_TRUE(desktop().messages().empty());
  EXPECT_TRUE(desktop().message_boxes().empty());
}

TEST_F(RelayChannel, ReadsTheReplyWindowTextUpToCapacityMinusOne) {
  relay_->set_reply_text(std::u16string(600, u'r'));
  EXPECT_EQ(ReadDebugReply(0), std::u16string(499, u'r'));
  EXPECT_EQ(ReadDebugReply(500), std::u16string(499, u'r'));
  EXPECT_EQ(ReadDebugReply(10), std::u16string(9, u'r'));
  relay_->set_reply_text(u"short");
  EXPECT_EQ(ReadDebugReply(512006), u"short");
  auto reads = desktop().messages_to(relay_->reply_window());
  ASSERT_EQ(reads.size(), 4u);
  EXPECT_EQ(reads[0].message, platform::kWmGetText);
  EXPECT_EQ(reads[0].wparam, 500u);
  EXPECT_EQ(reads[3].wparam, 512006u);
}

TEST_F(RelayChannel, AReplyOfCapacityMinusOneArrivesWhole) {
  relay_->set_reply_text(std::u16string(499, u'z'));
  EXPECT_EQ(ReadDebugReply(0), std::u16string(499, u'z'));
}

TEST_F(RelayChannel, AReplyWindowThatLeavesNoNulGivesTheEmptyReply) {
  // A reply window that ignores the capacity's last byte and writes no terminator.
  auto relay = desktop().find_top_level(u"Debug VB Application");
  desktop().destroy_window(desktop().first_child(relay));
  desktop().create_window(u"", relay,
                          [](platform::WindowHandle, std::uint32_t message, std::uintptr_t wparam,
                             std::intptr_t lparam) -> std::optional<std::intptr_t> {
                            if (message != platform::kWmGetText) return std::nullopt;
                            std::memset(reinterpret_cast<char*>(lparam), 'q', wparam);
                            return static_cast<std::intptr_t>(wparam);
                          });
  EXPECT_EQ(ReadDebugReply(0), u"");
}

TEST_F(RelayChannel, MissingRelayToolShowsTheBoxOncePerRead) {
  relay_->close();
  EXPECT_EQ(ReadDebugReply(0), u"");
  auto boxes = desktop().message_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(
      boxes[0].text,
      u"VB DEBUGGER not running\r\nPlease launch the VB DEBUGGER from the Korvex IDE Toolbar");
  EXPECT_EQ(boxes[0].caption, u"Tavrosk");
  EXPECT_EQ(boxes[0].style, 0x10u);  // error icon, OK button only
  ReadDebugReply(0);
  EXPECT_EQ(desktop().message_boxes().size(), 2u);
}

TEST_F(RelayChannel, RelayWindowWithoutAChildGivesTheEmptyReplyAndNoBox) {
  desktop().destroy_window(relay_->reply_window());
  EXPECT_EQ(ReadDebugReply(0), u"");
  EXPECT_TRUE(desktop().message_boxes().empty());
  EXPECT_EQ(FindDebugReplyWindow(u"Debug VB Application"), 0);
}

TEST_F(RelayChannel, WindowsAreFoundByWholeTitleIgnoringCase) {
  EXPECT_EQ(FindDebuggerWindow(), relay_->window());
  EXPECT_EQ(FindDebugReplyWindow(u"DEBUG vb application"), relay_->reply_window());
  auto other = desktop().create_window(u"Debug VB Application 2");
  relay_->close();
  EXPECT_EQ(FindDebuggerWindow(), 0);
  EXPECT_NE(other, 0);
}

TEST_F(RelayChannel, SendMessageTextReadsTheWholeBufferBack) {
  relay_->set_reply_text(u"abc");
  Text text(8, u' ');
  auto result = SendMessageText(relay_->reply_window(), platform::kWmGetText, 8, text);
  EXPECT_EQ(result, 3);
  EXPECT_EQ(text, std::u16string(u"abc\0    ", 8));
}

}  // namespace
}  // namespace tavrosk::testing
