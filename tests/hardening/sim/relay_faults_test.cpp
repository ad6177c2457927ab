// Faults of the relay tool seen through the members: a tool that closes between the send and the
// read, a relay window without a reply window, a reply window that leaves no NUL, replies at the
// capacity's edge, and replies cut inside a multi-byte character.
#include <cstring>
#include <functional>
#include <memory>

#include "base/user_messages.h"
#include "platform/sim/code_page_selection.h"
#include "records/page_info_lib.h"
#include "records/page_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

using platform::WindowHandle;

constexpr Long kHandle = 1312;

class RelayFaults : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ide_window_ = std::make_unique<host::SimIdeWindow>();
    ide_ = std::make_unique<VB_PluginLib>();
    {
      host::SimRelayTool relay;
      ASSERT_TRUE(ide_->DebugApp(kHandle, kTrue).ok());
    }
    desktop().clear_records();
  }
  void TearDown() override {
    ide_.reset();
    ide_window_.reset();
    SimTest::TearDown();
  }

  // A relay window that counts the lines it receives and hands each to `on_line`.
  WindowHandle relay_window(std::function<void(WindowHandle self)> on_line = nullptr) {
    return desktop().create_window(
        u"Debug VB Application", 0,
        [this, on_line](WindowHandle self, std::uint32_t message, std::uintptr_t,
                        std::intptr_t) -> std::optional<std::intptr_t> {
          if (message != platform::kWmCopyData) return std::nullopt;
          ++lines_received_;
          if (on_line) on_line(self);
          return 1;
        });
  }
  // The tool closes itself while it handles the line, before the reply is read.
  void open_closing_relay() {
    WindowHandle relay =
        relay_window([](WindowHandle self) { sim::desktop().destroy_window(self); });
    desktop().create_window(u"reply", relay);
  }

  std::unique_ptr<host::SimIdeWindow> ide_window_;
  std::unique_ptr<VB_PluginLib> ide_;
  int lines_received_ = 0;
};

// Every reply form, each read once after `before_each` has prepared the faulty tool: Boolean
// fails 13, Number gives 0, Text "", Split false or 9 with nothing written.
void expect_every_form_reads_the_empty_reply(VB_PluginLib& ide,
                                             const std::function<void()>& before_each) {
  before_each();
  EXPECT_EQ(ide.IsConnected().status.error_number(), error::kTypeMismatch);
  before_each();
  Result<Long> count = ide.GetPageCount();
  EXPECT_TRUE(count.ok());
  EXPECT_EQ(count.value, 0);
  before_each();
  Result<Text> path = ide.GetPathIDE();
  EXPECT_TRUE(path.ok());
  EXPECT_EQ(path.value, u"");
  before_each();
  Text page = u"kept";
  Result<VbBool> found = ide.GetPageByIndex(0, page);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(page, u"kept");
  before_each();
  Long line = 7, column = 8;
  EXPECT_EQ(ide.GetPageCursorPos(line, column).error_number(), error::kSubscriptOutOfRange);
  EXPECT_EQ(line, 7);
  EXPECT_EQ(column, 8);
  before_each();
  page_info_store().PageSize = 4321;
  Text name = u"main.bas";
  EXPECT_EQ(PageInfoLib().GetPageInfo(name).status.error_number(), error::kTypeMismatch);
  EXPECT_EQ(page_info_store().PageSize, 4321);
  EXPECT_EQ(name, u"main.bas");
}

TEST_F(RelayFaults, AToolClosedBetweenSendAndReadGivesTheEmptyReplyAfterOneBox) {
  int reads = 0;
  expect_every_form_reads_the_empty_reply(*ide_, [&] {
    open_closing_relay();
    ++reads;
  });
  EXPECT_EQ(lines_received_, reads);  // each line did arrive before the tool went away
  EXPECT_EQ(box_texts().size(), static_cast<std::size_t>(reads));
  for (const auto& text : box_texts()) EXPECT_EQ(text, kDebuggerNotRunning);
}

TEST_F(RelayFaults, ARelayWindowWithoutAChildGivesTheEmptyReplyAndNoBox) {
  relay_window();
  expect_every_form_reads_the_empty_reply(*ide_, [] {});
  EXPECT_EQ(lines_received_, 6);
  EXPECT_TRUE(box_texts().empty());
  // DebugApp fails at its reading, so its own window test never shows the box either.
  EXPECT_EQ(ide_->DebugApp(kHandle, kFalse).status.error_number(), error::kTypeMismatch);
  EXPECT_TRUE(box_texts().empty());
  EXPECT_FALSE(is_set(session().debug_flag));
}

// A reply window that writes all `wparam` bytes and no NUL; records the capacity it was given.
class NoNulReplyWindow {
 public:
  explicit NoNulReplyWindow(WindowHandle relay) {
    sim::desktop().create_window(u"reply", relay,
                                 [this](WindowHandle, std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam) -> std::optional<std::intptr_t> {
                                   if (message != platform::kWmGetText) return std::nullopt;
                                   capacities.push_back(wparam);
                                   std::memset(reinterpret_cast<char*>(lparam), 'R', wparam);
                                   return static_cast<std::intptr_t>(wparam);
                                 });
  }
  std::vector<std::uintptr_t> capacities;
};

TEST_F(RelayFaults, AReplyWindowThatFillsEveryByteWithoutANulGivesTheEmptyReply) {
  NoNulReplyWindow reply(relay_window());
  EXPECT_EQ(ide_->GetPathIDE().value, u"");
  EXPECT_EQ(ide_->GetPageText().value, u"");
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"");
  EXPECT_EQ(ide_->GetPageTextRTF().value, u"");
  EXPECT_EQ(ide_->SetPage(u"main.bas").status.error_number(), error::kTypeMismatch);
  EXPECT_EQ(reply.capacities, (std::vector<std::uintptr_t>{500, 512006, 240006, 512006, 500}));
}

TEST_F(RelayFaults, RepliesOfCapacityMinusOneArriveWholeAndLongerOnesAreCut) {
  host::SimRelayTool relay;
  struct Reader {
    std::size_t capacity;
    std::function<Result<Text>()> read;
  };
  const Reader readers[] = {{500, [&] { return ide_->GetProgrammer(); }},
                            {512006, [&] { return ide_->GetPageText(100); }},
                            {240006, [&] { return ide_->GetPageSelectedText(); }}};
  for (const auto& reader : readers) {
    Text exact(reader.capacity - 1, u'x');
    exact.back() = u'!';
    relay.script_reply(exact);
    EXPECT_EQ(reader.read().value, exact) << reader.capacity;
    relay.script_reply(exact + u"?");
    EXPECT_EQ(reader.read().value, exact) << reader.capacity;
  }
}

TEST_F(RelayFaults, AReplyCutInsideAMultiByteCharacterLosesThatCharacterOnly) {
  sim::set_code_page(sim::CodePage::kUtf8);
  host::SimRelayTool relay;
  // 499 bytes arrive: the two-byte é and the three-byte € would each be cut after one or two.
  relay.script_reply(Text(498, u'a') + u"é");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(498, u'a'));
  relay.script_reply(Text(497, u'a') + u"€");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(497, u'a'));
  relay.script_reply(Text(496, u'a') + u"€");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(496, u'a') + u"€");
  // Four bytes of a character outside the BMP, cut after three.
  relay.script_reply(Text(496, u'a') + u"\U0001F600");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(496, u'a'));
  // Windows-1252 has one byte per character: 499 of them arrive, none cut.
  sim::set_code_page(sim::CodePage::kWindows1252);
  relay.script_reply(Text(600, u'é'));
  EXPECT_EQ(ide_->GetProgrammer().value, Text(499, u'é'));
}

}  // namespace
}  // namespace tavrosk::testing
