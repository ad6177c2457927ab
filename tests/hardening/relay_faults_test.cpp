// Faults of the relay tool seen through the members: a tool that closes between the send and the
// read, a relay window without a reply window, a reply window that leaves no NUL, and replies
// at the capacity's edge. The faulty tools are windows of the test's own thread.
#include <cstring>
#include <functional>
#include <memory>

#include "base/user_messages.h"
#include "bridge/page_info_lib.h"
#include "records/page_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

constexpr Long kHandle = 1312;

class RelayFaults : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    close_relay_tool();
    ide_window_ = std::make_unique<IdeWindow>();
    ide_ = std::make_unique<VB_PluginLib>();
    TestWindow relay(u"Debug VB Application");
    TestWindow reply(u"True", relay.handle());
    ASSERT_TRUE(ide_->DebugApp(kHandle, kTrue).ok());
  }
  void TearDown() override {
    windows_.clear();
    ide_.reset();
    ide_window_.reset();
    PlatformTest::TearDown();
  }

  // A relay window that counts the lines it receives and hands each to `on_line`.
  TestWindow& relay_window(std::function<void(TestWindow& self)> on_line = nullptr) {
    auto self = std::make_shared<TestWindow*>(nullptr);
    TestWindow& window = keep(std::make_unique<TestWindow>(
        u"Debug VB Application", 0,
        [this, on_line, self](std::uint32_t message, std::uintptr_t,
                              std::intptr_t) -> std::optional<std::intptr_t> {
          if (message != platform::kWmCopyData) return std::nullopt;
          ++lines_received_;
          if (on_line) on_line(**self);
          return 1;
        }));
    *self = &window;
    return window;
  }
  TestWindow& keep(std::unique_ptr<TestWindow> window) {
    windows_.push_back(std::move(window));
    return *windows_.back();
  }
  // The tool closes itself while it handles the line, before the reply is read.
  void open_closing_relay() {
    TestWindow& relay = relay_window([](TestWindow& self) { self.destroy(); });
    keep(std::make_unique<TestWindow>(u"reply", relay.handle()));
  }

  std::unique_ptr<IdeWindow> ide_window_;
  std::unique_ptr<VB_PluginLib> ide_;
  std::vector<std::unique_ptr<TestWindow>> windows_;
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
  EXPECT_EQ(box_texts(), std::vector<std::u16string>(static_cast<std::size_t>(reads),
                                                     std::u16string(kDebuggerNotRunning)));
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

TEST_F(RelayFaults, AReplyWindowThatFillsEveryByteWithoutANulGivesTheEmptyReply) {
  std::vector<std::uintptr_t> capacities;
  keep(std::make_unique<TestWindow>(u"reply", relay_window().handle(),
                                    [&](std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam) -> std::optional<std::intptr_t> {
                                      if (message != platform::kWmGetText) return std::nullopt;
                                      capacities.push_back(wparam);
                                      std::memset(reinterpret_cast<char*>(lparam), 'R', wparam);
                                      return static_cast<std::intptr_t>(wparam);
                                    }));
  EXPECT_EQ(ide_->GetPathIDE().value, u"");
  EXPECT_EQ(ide_->GetPageText().value, u"");
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"");
  EXPECT_EQ(ide_->GetPageTextRTF().value, u"");
  EXPECT_EQ(ide_->SetPage(u"main.bas").status.error_number(), error::kTypeMismatch);
  EXPECT_EQ(capacities, (std::vector<std::uintptr_t>{500, 512006, 240006, 512006, 500}));
}

TEST_F(RelayFaults, RepliesOfCapacityMinusOneArriveWholeAndLongerOnesAreCut) {
  RelayTool relay;
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

}  // namespace
}  // namespace tavrosk::testing
