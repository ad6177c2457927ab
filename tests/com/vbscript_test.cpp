// A VBScript plug-in through the script host, against the reference host's Zavoplex.dll (the
// direct road, in the script's process) and the relay program with this program's IDE window
// (the relay road).
#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

class VbScript : public ComTest {};

TEST_F(VbScript, EveryClassOnTheDirectRoad) {
  ProgramRun run = run_script(L"both_roads.vbs", L"direct");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(relay_->lines().size(), 0u);
}

TEST_F(VbScript, EveryClassOnTheRelayRoad) {
  ProgramRun run = run_script(L"both_roads.vbs", L"relay");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_GT(relay_->lines().size(), 10u);
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(VbScript, ARelayedBooleanWithoutTheRelayToolIsErr13FromTavrosk) {
  relay_->close();
  ProgramRun run = run_script(L"relay_missing.vbs");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  std::vector<std::u16string> boxes = box_texts();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].substr(0, 23), u"VB DEBUGGER not running");
}

TEST_F(VbScript, CreatingThePluginLibWithoutTheIdeWarns) {
  ide_window_.reset();
  ProgramRun run = run_script(L"create_plugin_lib.vbs");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{u"Korvex IDE not running"});
}

}  // namespace
}  // namespace tavrosk::testing
