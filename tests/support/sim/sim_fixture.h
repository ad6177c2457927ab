#pragma once
// The test base on the simulated desktop: every test starts from a clean desktop, file
// system, code page, reference host and session record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/session.h"
#include "platform/sim/desktop.h"
#include "testing/sim_relay_tool.h"

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
  // Forgets what the desktop recorded so far: boxes, messages, window placements.
  void forget_records() { desktop().clear_records(); }
};

// The names that the fixtures and tests for both platforms use (support/fixture.h).
using PlatformTest = SimTest;
using IdeWindow = host::SimIdeWindow;
using RelayTool = host::SimRelayTool;

}  // namespace tavrosk::testing
