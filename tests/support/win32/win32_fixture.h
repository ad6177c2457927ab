#pragma once
// Test fixtures on real Windows (under Wine in `make test`): every test starts from a clean
// reference host and session record; message boxes are answered by the box watcher, and what
// they said is read back from its record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bridge/session.h"
#include "bridge/vb_plugin_lib.h"
#include "support/roads.h"
#include "support/win32/relay_tool_process.h"
#include "relay_tool/win32_ide_window.h"

namespace tavrosk::testing {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The boxes shown since the test (or its road) was set up, as their texts.
  std::vector<std::u16string> box_texts() const;
  void forget_boxes();
  // Ends the relay program, which otherwise serves the tests one after another.
  void close_relay_tool();

 private:
  std::size_t boxes_before_ = 0;
};

// The IDE window and a VB_PluginLib on the direct road, the host connected, no relay program.
class ConnectedIdeTest : public WindowsTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<host::Win32IdeWindow> ide_window_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// The IDE window, the relay program and a VB_PluginLib, with the thread on the road of the
// test's parameter. The same scenario run on both roads must give the same results.
class BothRoadsTest : public WindowsTest, public ::testing::WithParamInterface<Road> {
 protected:
  static constexpr Long kPluginWindow = 1312;

  void SetUp() override;
  void TearDown() override;

  bool relayed() const { return GetParam() == Road::kRelay; }
  // The lines the relay program received since the road was set up.
  std::vector<std::u16string> relay_lines() const { return relay_->lines(); }
  // The export calls the host logged since the road was set up.
  std::vector<std::string> export_calls() const;

  std::unique_ptr<host::Win32IdeWindow> ide_window_;
  std::unique_ptr<RelayToolProcess> relay_;
  std::unique_ptr<VB_PluginLib> ide_;
};

// The names that tests for both platforms use.
using PlatformTest = WindowsTest;
using IdeWindow = host::Win32IdeWindow;
using RelayTool = RelayToolProcess;

}  // namespace tavrosk::testing
