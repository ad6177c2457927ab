// PlugInToolsLib's window members, seen by the windows they place and send to.
#include <cstdint>
#include <limits>

#include "base/run_time_error.h"
#include "bridge/session.h"
#include "support/fixture.h"
#include "tools/plug_in_tools_lib.h"
#include "tools/window_argument.h"

namespace tavrosk::testing {
namespace {

class WindowTools : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    window_a_ = std::make_unique<TestWindow>(u"Plug-in A");
    window_b_ = std::make_unique<TestWindow>(u"Plug-in B");
    form_a_ = window_a_->handle();
    form_b_ = window_b_->handle();
  }
  void TearDown() override {
    window_b_.reset();
    window_a_.reset();
    PlatformTest::TearDown();
  }

  static WindowArgument handle_of(platform::WindowHandle window) {
    return WindowArgument::handle(static_cast<Long>(window));
  }
  // A form whose hwnd is read by name, counting the reads.
  WindowArgument form(platform::WindowHandle window) {
    return WindowArgument::object([this, window] {
      ++hwnd_reads_;
      return static_cast<Long>(window);
    });
  }
  // The (window, insert-after) of every SetWindowPos that reached the two forms, A's first.
  std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>> placements() const {
    std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>> out;
    for (const auto* window : {window_a_.get(), window_b_.get()})
      for (platform::WindowHandle after : window->placements())
        out.emplace_back(window->handle(), after);
    return out;
  }

  std::unique_ptr<TestWindow> window_a_;
  std::unique_ptr<TestWindow> window_b_;
  platform::WindowHandle form_a_ = 0;
  platform::WindowHandle form_b_ = 0;
  int hwnd_reads_ = 0;
  PlugInToolsLib tools_;
};

using Placements = std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>>;
constexpr platform::WindowHandle kTopmost = -1;
constexpr platform::WindowHandle kNotTopmost = -2;

TEST_F(WindowTools, OnTopTwiceOnOneObjectPlacesTheWindowOnceWhereItStands) {
  ASSERT_FALSE(window_a_->visible());
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_), kTrue).ok());
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_), kTrue).ok());
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}}));
  EXPECT_TRUE(window_a_->topmost());
  EXPECT_TRUE(window_a_->visible());
  EXPECT_TRUE(window_a_->kept_place_and_size());
}

TEST_F(WindowTools, TheStateBelongsToTheObjectNotToTheWindow) {
  tools_.FormAlwaysOnTop(form(form_a_), kTrue);
  tools_.FormAlwaysOnTop(form(form_b_), kTrue);  // this object is on top already: nothing
  EXPECT_EQ(hwnd_reads_, 1);                     // nor is the second handle resolved
  tools_.FormAlwaysOnTop(form(form_b_), kFalse);
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}, {form_b_, kNotTopmost}}));
  EXPECT_TRUE(window_a_->topmost());
  EXPECT_FALSE(window_b_->topmost());
  EXPECT_TRUE(window_b_->kept_place_and_size());

  // Another object starts from False: its False does nothing, its True applies.
  PlugInToolsLib other;
  other.FormAlwaysOnTop(handle_of(form_b_), kFalse);
  EXPECT_EQ(placements().size(), 2u);
  other.FormAlwaysOnTop(handle_of(form_b_), kTrue);
  EXPECT_EQ(placements().back(), std::make_pair(form_b_, kTopmost));
}

TEST_F(WindowTools, OnlyExactTrueAndExactFalseSwitch) {
  tools_.FormAlwaysOnTop(handle_of(form_a_), raw_vb_bool(1));
  EXPECT_TRUE(placements().empty());
  tools_.FormAlwaysOnTop(handle_of(form_a_));  // OnTop left out: True
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}}));
  tools_.FormAlwaysOnTop(handle_of(form_a_), raw_vb_bool(1));
  tools_.FormAlwaysOnTop(handle_of(form_a_), raw_vb_bool(-2));
  EXPECT_EQ(placements().size(), 1u);
  tools_.FormAlwaysOnTop(handle_of(form_a_), kFalse);
  EXPECT_EQ(placements().back(), std::make_pair(form_a_, kNotTopmost));
}

TEST_F(WindowTools, AHandleThatIsNotAThirtyTwoBitIntegerFailsAndKeepsTheState) {
  // The same number held as a 16-bit integer is neither a handle nor an object.
  auto failed = tools_.FormAlwaysOnTop(WindowArgument::other(), kTrue);
  EXPECT_EQ(failed.error_number(), error::kObjectRequired);
  auto without_hwnd =
      tools_.FormAlwaysOnTop(WindowArgument::object([]() -> Long { raise(438); }), kTrue);
  EXPECT_EQ(without_hwnd.error_number(), 438);
  EXPECT_TRUE(placements().empty());
  // Still False: True applies now.
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_), kTrue).ok());
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}}));
}

// A 64-bit client's form answers its hwnd as a LongPtr, which the COM server reads with this
// rule (its clients' tests pass such forms): the handle is a Long sign-extended to 64 bits, and
// any other value would name another window when cut.
TEST(WideWindowHandle, IsALongSignExtendedToSixtyFourBits) {
  EXPECT_EQ(window_handle_of_wide(0x00010020), 0x00010020);
  EXPECT_EQ(window_handle_of_wide(-2), -2);
  EXPECT_EQ(window_handle_of_wide(-std::int64_t{0x80000000}), std::numeric_limits<Long>::min());
  EXPECT_EQ(window_handle_of_wide(std::int64_t{0x7FFFFFFF}), std::numeric_limits<Long>::max());
  for (std::int64_t cut : {std::int64_t{0x80000000}, std::int64_t{0xFFFFFFFF},
                           std::int64_t{0x100010020}, -std::int64_t{0x80000001}}) {
    auto status = guarded_void([cut] { window_handle_of_wide(cut); });
    EXPECT_EQ(status.error_number(), error::kOverflow) << cut;
  }
}

TEST_F(WindowTools, WordWrapSendsTheLineWidthToTheControlsWindow) {
  std::vector<std::pair<std::uintptr_t, std::intptr_t>> sent;
  TestWindow rich_text(u"", form_a_,
                       [&](std::uint32_t message, std::uintptr_t wparam,
                           std::intptr_t lparam) -> std::optional<std::intptr_t> {
                         if (message == platform::kEmSetTargetDevice)
                           sent.emplace_back(wparam, lparam);
                         return std::nullopt;
                       });
  EXPECT_TRUE(tools_.RichTextBoxWordWrap(form(rich_text.handle())).ok());
  tools_.RichTextBoxWordWrap(form(rich_text.handle()), kFalse);
  tools_.RichTextBoxWordWrap(form(rich_text.handle()), raw_vb_bool(1));
  EXPECT_EQ(sent, (decltype(sent){{0u, 0}, {0u, 1}, {0u, 0}}));
}

TEST_F(WindowTools, WordWrapHasNoPathForANumber) {
  TestWindow rich_text(u"", form_a_);
  auto status = tools_.RichTextBoxWordWrap(handle_of(rich_text.handle()), kTrue);
  EXPECT_EQ(status.error_number(), error::kObjectRequired);
  EXPECT_TRUE(rich_text.received(platform::kEmSetTargetDevice).empty());
}

TEST_F(WindowTools, TheIdeRunsOnlyUnderItsWholeTitle) {
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kFalse);
  auto longer = std::make_unique<TestWindow>(u"Korvex IDE - main.bas");
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kFalse);
  longer.reset();
  TestWindow child(u"Korvex IDE", form_a_);  // top-level windows only
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kFalse);
  TestWindow other_case(u"KORVEX ide");
  auto running = tools_.IsKorvexIdeRunning();
  EXPECT_TRUE(running.ok());
  EXPECT_EQ(running.value, kTrue);
}

TEST_F(WindowTools, TheToolsIgnoreTheDebugFlag) {
  // Relayed, with no relay tool: a routed member would show its message and fail.
  session().debug_flag = kTrue;
  TestWindow ide(u"Korvex IDE");
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kTrue);
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_)).ok());
  EXPECT_EQ(placements().size(), 1u);
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
