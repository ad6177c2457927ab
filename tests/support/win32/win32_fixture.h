#pragma once
// The test base on real Windows (under Wine in `make test`): every test starts from a clean
// reference host and session record; message boxes are answered by the box watcher, and what
// they said is read back from its record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/session.h"
#include "relay_tool/win32_ide_window.h"
#include "support/win32/relay_tool_process.h"

namespace tavrosk::testing {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The boxes shown since the test (or its road) was set up, as their texts.
  std::vector<std::u16string> box_texts() const;
  void forget_boxes();
  // Forgets what the desktop recorded so far: the boxes.
  void forget_records() { forget_boxes(); }
  // Ends the relay program, which otherwise serves the tests one after another.
  void close_relay_tool();

 private:
  std::size_t boxes_before_ = 0;
};

// The names that the fixtures and tests for both platforms use (support/fixture.h).
using PlatformTest = WindowsTest;
using IdeWindow = host::Win32IdeWindow;
using RelayTool = RelayToolProcess;

}  // namespace tavrosk::testing
