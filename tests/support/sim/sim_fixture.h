#pragma once
// Test fixtures on the simulated desktop: every test starts from a clean desktop, file system,
// code page, reference host and session record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bridge/session.h"
#include "bridge/vb_plugin_lib.h"
#include "platform/sim/desktop.h"
#include "testing/sim_relay_tool.h"
#include "support/roads.h"

namespace tavrosk::testing {

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  sim::Desktop& desktop() { return sim::desktop(); }
  // The boxes shown so far, as their texts.
  std::vector<std::u16string> box_texts() const;
  // The simulated desktop starts every test without a relay tool.
  void close_relay_tool() {}
};

// The IDE window and a VB_PluginLib on the direct road, the host connected, no relay tool.
class ConnectedIdeTest : public SimTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<host::SimIdeWindow> ide_window_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// The IDE window, the relay tool and a VB_PluginLib, with the thread on the road of the test's
// parameter. The same scenario run on both roads must give the same results.
class BothRoadsTest : public SimTest, public ::testing::WithParamInterface<Road> {
 protected:
  static constexpr Long kPluginWindow = 1312;

  void SetUp() override;
  void TearDown() override;

  bool relayed() const { return GetParam() == Road::kRelay; }
  // The lines the relay tool received since the road was set up.
  std::vector<std::u16string> relay_lines() const { return relay_->lines(); }
  // The export calls the host logged since the road was set up.
  std::vector<std::string> export_calls() const;

  std::unique_ptr<host::SimIdeWindow> ide_window_;
  std::unique_ptr<host::SimRelayTool> relay_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// The names that tests for both platforms use.
using PlatformTest = SimTest;
using IdeWindow = host::SimIdeWindow;
using RelayTool = host::SimRelayTool;

}  // namespace tavrosk::testing
