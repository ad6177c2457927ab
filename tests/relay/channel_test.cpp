// The relay channel: what is sent, what is read, and what the user is told when the relay tool
// is missing. On Windows the relay program runs as a process of its own.
#include <cstring>

#include "base/user_messages.h"
#include "relay/channel.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RelayChannel : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    relay_ = std::make_unique<RelayTool>();
  }
  void TearDown() override {
    relay_.reset();
    PlatformTest::TearDown();
  }
  std::unique_ptr<RelayTool> relay_;
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

TEST_F(RelayChannel, BlankLineSendsNothing) {
  SendDebugLine(u"     ");
  SendDebugLine(u"");
  EXPECT_TRUE(relay_->received().empty());
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

TEST_F(RelayChannel, TextTravelsAsOneByteACharacterInTheAnsiCodePage) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  // A character the code page lacks goes as its best fit, or "?" when it has none.
  SendDebugLine(u"caf\u00e9 \u20ac \u0101 \u4e2d");
  EXPECT_EQ(relay_->received().at(0).bytes, "caf\xe9 \x80 a ?" + std::string(1, '\0'));
  relay_->set_reply_text(u"d\u00e9j\u00e0");
  EXPECT_EQ(ReadDebugReply(0), u"d\u00e9j\u00e0");
}

TEST_F(RelayChannel, TheReplyIsInPlaceWhenTheSendReturns) {
  relay_->script_reply(u"True//::^xabc");
  SendDebugLine(u"IsConnected//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"True//::^xabc");
  // Unscripted, the tool answers from the IDE model: nothing is connected there.
  SendDebugLine(u"Disconnect//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"False");
  // A line it has no command for leaves the reply window as it was.
  SendDebugLine(u"NoSuchCommand//::^x1312");
  EXPECT_EQ(ReadDebugReply(0), u"False");
}

TEST_F(RelayChannel, NoRelayToolSendsNothingAndSaysNothing) {
  relay_->close();
  SendDebugLine(u"IDELock//::^x1");
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(RelayChannel, ReadsTheReplyWindowTextUpToCapacityMinusOne) {
  relay_->set_reply_text(std::u16string(600, u'r'));
  EXPECT_EQ(ReadDebugReply(0), std::u16string(499, u'r'));
  EXPECT_EQ(ReadDebugReply(500), std::u16string(499, u'r'));
  EXPECT_EQ(ReadDebugReply(10), std::u16string(9, u'r'));
  relay_->set_reply_text(std::u16string(499, u'z'));
  EXPECT_EQ(ReadDebugReply(0), std::u16string(499, u'z'));
  relay_->set_reply_text(u"short");
  EXPECT_EQ(ReadDebugReply(512006), u"short");
  relay_->set_reply_text(u"");
  EXPECT_EQ(ReadDebugReply(0), u"");
}

TEST_F(RelayChannel, TheReadLendsTheCapacityAsWParam) {
  relay_->close();
  std::vector<std::uintptr_t> lent;
  TestWindow relay(u"Debug VB Application");
  TestWindow reply(u"", relay.handle(),
                   [&](std::uint32_t message, std::uintptr_t wparam,
                       std::intptr_t) -> std::optional<std::intptr_t> {
                     if (message == platform::kWmGetText) lent.push_back(wparam);
                     return std::nullopt;
                   });
  ReadDebugReply(0);
  ReadDebugReply(10);
  ReadDebugReply(512006);
  EXPECT_EQ(lent, (std::vector<std::uintptr_t>{500, 10, 512006}));
}

TEST_F(RelayChannel, AReplyWindowThatLeavesNoNulGivesTheEmptyReply) {
  relay_->close();
  // A reply window that ignores the capacity's last byte and writes no terminator.
  TestWindow relay(u"Debug VB Application");
  TestWindow reply(u"", relay.handle(),
                   [](std::uint32_t message, std::uintptr_t wparam,
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
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{std::u16string(kDebuggerNotRunning)});
  EXPECT_EQ(narrow(box_texts().at(0)),
            "VB DEBUGGER not running\r\nPlease launch the VB DEBUGGER from the Korvex IDE Toolbar");
  ReadDebugReply(0);
  EXPECT_EQ(box_texts().size(), 2u);
}

TEST_F(RelayChannel, RelayWindowWithoutAChildGivesTheEmptyReplyAndNoBox) {
  relay_->close();
  TestWindow childless(u"Debug VB Application");
  EXPECT_EQ(ReadDebugReply(0), u"");
  EXPECT_TRUE(box_texts().empty());
  EXPECT_EQ(FindDebugReplyWindow(u"Debug VB Application"), 0);
}

TEST_F(RelayChannel, WindowsAreFoundByWholeTitleIgnoringCase) {
  EXPECT_EQ(FindDebuggerWindow(), relay_->window());
  EXPECT_EQ(FindDebugReplyWindow(u"DEBUG vb application"), relay_->reply_window());
  EXPECT_NE(relay_->reply_window(), 0);
  EXPECT_EQ(platform::first_child_window(relay_->reply_window()), 0);
  TestWindow other(u"Debug VB Application 2");
  relay_->close();
  EXPECT_EQ(FindDebuggerWindow(), 0);
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
