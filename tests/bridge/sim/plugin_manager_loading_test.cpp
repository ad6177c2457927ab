// An export once found is kept: the library cannot vanish under it on Windows, only in the
// simulated loader. The loading faults themselves are in hardening/loader, on both platforms.
#include "platform/sim/library_control.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class PluginManagerLoading : public SimTest {};

TEST_F(PluginManagerLoading, AResolvedExportIsKept) {
  VB_PluginLib ide;
  EXPECT_TRUE(ide.IsConnected().ok());
  sim::hide_export("IsConnected");
  sim::hide_plugin_manager_library(true);
  EXPECT_TRUE(ide.IsConnected().ok());
}

}  // namespace
}  // namespace tavrosk::testing
