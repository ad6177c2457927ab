// PageInfoLib when the plug-in manager library lacks its export, through the simulated loader.
#include "bridge/plugin_manager/exports.h"
#include "platform/sim/library_control.h"
#include "records/page_info_lib.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class PageInfoMissingExport : public ConnectedIdeTest {};

TEST_F(PageInfoMissingExport, AMissingExportFailsWith453AndChangesNothing) {
  PageInfoLib info;
  Text name = u"C:\\Projects\\Blink\\main.bas";
  info.GetPageInfo(name);
  sim::hide_export("GetPageInfo");
  plugin_manager::forget_loaded_library();
  Text other = u"C:\\\u0100.bas";
  auto fetched = info.GetPageInfo(other);
  EXPECT_EQ(fetched.status.error_number(), 453);
  EXPECT_EQ(other, u"C:\\\u0100.bas");
  EXPECT_EQ(info.FileName().value, Text(u"C:\\Projects\\Blink\\main.bas"));
}

}  // namespace
}  // namespace tavrosk::testing
