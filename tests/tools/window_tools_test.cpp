// PlugInToolsLib's window members, seen in the simulated desktop's records.
#include "bridge/session.h"
#include "support/sim_fixture.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class WindowTools : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    form_a_ = desktop().create_window(u"Plug-in A");
    form_b_ = desktop().create_window(u"Plug-in B");
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
  // The (window, insert-after) of every SetWindowPos, checking the fixed arguments on the way.
  std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>> placements() const {
    std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>> out;
    for (const auto& call : sim::desktop().window_pos_calls()) {
      EXPECT_EQ(call.flags, 0x43u);
      EXPECT_EQ((std::vector<int>{call.x, call.y, call.cx, call.cy}), (std::vector<int>(4, 0)));
      out.emplace_back(call.window, call.insert_after);
    }
    return out;
  }

  platform::WindowHandle form_a_ = 0;
  platform::WindowHandle form_b_ = 0;
  int hwnd_reads_ = 0;
  PlugInToolsLib tools_;
};

using Placements = std::vector<std::pair<platform::WindowHandle, platform::WindowHandle>>;
constexpr platform::WindowHandle kTopmost = -1;
constexpr platform::WindowHandle kNotTopmost = -2;

TEST_F(WindowTools, OnTopTwiceOnOneObjectPlacesTheWindowOnce) {
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_), kTrue).ok());
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_), kTrue).ok());
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}}));
  EXPECT_TRUE(desktop().is_topmost(form_a_));
}

TEST_F(WindowTools, TheStateBelongsToTheObjectNotToTheWindow) {
  tools_.FormAlwaysOnTop(form(form_a_), kTrue);
  tools_.FormAlwaysOnTop(form(form_b_), kTrue);  // this object is on top already: nothing
  EXPECT_EQ(hwnd_reads_, 1);                     // nor is the second handle resolved
  tools_.FormAlwaysOnTop(form(form_b_), kFalse);
  EXPECT_EQ(placements(), (Placements{{form_a_, kTopmost}, {form_b_, kNotTopmost}}));
  EXPECT_TRUE(desktop().is_topmost(form_a_));
  EXPECT_FALSE(desktop().is_topmost(form_b_));

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

TEST_F(WindowTools, WordWrapSendsTheLineWidthToTheControlsWindow) {
  platform::WindowHandle rich_text = desktop().create_window(u"", form_a_);
  EXPECT_TRUE(tools_.RichTextBoxWordWrap(form(rich_text)).ok());
  tools_.RichTextBoxWordWrap(form(rich_text), kFalse);
  tools_.RichTextBoxWordWrap(form(rich_text), raw_vb_bool(1));
  std::vector<std::tuple<std::uint32_t, std::uintptr_t, std::intptr_t>> sent;
  for (const auto& m : desktop().messages_to(rich_text))
    sent.emplace_back(m.message, m.wparam, m.lparam);
  EXPECT_EQ(sent, (decltype(sent){{1096u, 0u, 0}, {1096u, 0u, 1}, {1096u, 0u, 0}}));
}

TEST_F(WindowTools, WordWrapHasNoPathForANumber) {
  platform::WindowHandle rich_text = desktop().create_window(u"", form_a_);
  auto status = tools_.RichTextBoxWordWrap(handle_of(rich_text), kTrue);
  EXPECT_EQ(status.error_number(), error::kObjectRequired);
  EXPECT_TRUE(desktop().messages().empty());
}

TEST_F(WindowTools, TheIdeRunsOnlyUnderItsWholeTitle) {
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kFalse);
  platform::WindowHandle longer = desktop().create_window(u"Korvex IDE - main.bas");
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kFalse);
  desktop().destroy_window(longer);
  desktop().create_window(u"KORVEX ide");
  auto running = tools_.IsKorvexIdeRunning();
  EXPECT_TRUE(running.ok());
  EXPECT_EQ(running.value, kTrue);
}

TEST_F(WindowTools, TheToolsIgnoreTheDebugFlag) {
  // Relayed, with no relay tool: a routed member would show its message and fail.
  session().debug_flag = kTrue;
  desktop().create_window(u"Korvex IDE");
  EXPECT_EQ(tools_.IsKorvexIdeRunning().value, kTrue);
  EXPECT_TRUE(tools_.FormAlwaysOnTop(handle_of(form_a_)).ok());
  EXPECT_EQ(placements().size(), 1u);
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
