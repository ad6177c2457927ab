#include "support/fixture.h"

#include "model/ide_model.h"

namespace tavrosk::testing {

void ConnectedIdeTest::SetUp() {
  PlatformTest::SetUp();
  if (HasFatalFailure()) return;
  close_relay_tool();
  ide_window_ = std::make_unique<IdeWindow>();
  ide_ = std::make_unique<VB_PluginLib>();
  host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
}

void ConnectedIdeTest::TearDown() {
  ide_.reset();
  ide_window_.reset();
  PlatformTest::TearDown();
}

void BothRoadsTest::SetUp() {
  PlatformTest::SetUp();
  if (HasFatalFailure()) return;
  ide_window_ = std::make_unique<IdeWindow>();
  relay_ = std::make_unique<RelayTool>();
  ASSERT_NE(relay_->window(), 0);
  ide_ = std::make_unique<VB_PluginLib>();
  if (relayed()) {
    ASSERT_TRUE(ide_->DebugApp(kPluginWindow, kTrue).ok());
  }
  relay_->clear_received();
  forget_records();
  host::ide_model().reset();
}

void BothRoadsTest::TearDown() {
  ide_.reset();
  relay_.reset();
  ide_window_.reset();
  PlatformTest::TearDown();
}

std::vector<std::string> BothRoadsTest::export_calls() const {
  return host::ide_model().export_calls();
}

}  // namespace tavrosk::testing
