#pragma once
// The fixtures of tests that build for both platforms, with the same names on both: natively
// on the simulated desktop, on Windows over real windows, the relay program as a separate
// process and the real Zavoplex.dll.
//   PlatformTest     a clean session record, stores and reference host; box_texts()
//   ConnectedIdeTest the IDE window and a VB_PluginLib on the direct road, the host connected
//   BothRoadsTest    the IDE window, the relay tool and a VB_PluginLib on the road of the
//                    test's parameter
//   TempFolderTest   PlatformTest with a fresh folder for files (support/temp_folder.h)
//   IdeWindow, RelayTool, TestWindow (support/test_window.h)
// Each platform's header gives PlatformTest, IdeWindow and RelayTool; the fixtures over them
// are written once, here.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bridge/vb_plugin_lib.h"
#include "support/roads.h"
#if defined(_WIN32)
#include "support/win32/win32_fixture.h"
#else
#include "support/sim/sim_fixture.h"
#endif
#include "support/test_window.h"

namespace tavrosk::testing {

// The IDE window and a VB_PluginLib on the direct road, the host connected, no relay tool.
class ConnectedIdeTest : public PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<IdeWindow> ide_window_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// The IDE window, the relay tool and a VB_PluginLib, with the thread on the road of the test's
// parameter. The same scenario run on both roads must give the same results.
class BothRoadsTest : public PlatformTest, public ::testing::WithParamInterface<Road> {
 protected:
  static constexpr Long kPluginWindow = 1312;

  void SetUp() override;
  void TearDown() override;

  bool relayed() const { return GetParam() == Road::kRelay; }
  // The lines the relay tool received since the road was set up.
  std::vector<std::u16string> relay_lines() const { return relay_->lines(); }
  // The export calls the host logged since the road was set up.
  std::vector<std::string> export_calls() const;

  std::unique_ptr<IdeWindow> ide_window_;
  std::unique_ptr<RelayTool> relay_;
  std::unique_ptr<VB_PluginLib> ide_;
};

}  // namespace tavrosk::testing
