// The plug-in manager library missing, or lacking an export, through the simulated loader.
#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "platform/sim/library_control.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class MissingPluginManagerLibrary : public SimTest {};

TEST_F(MissingPluginManagerLibrary, MissingLibraryFailsWithFileNotFoundUntilItIsThere) {
  sim::hide_plugin_manager_library(true);
  VB_PluginLib ide;
  auto result = ide.Connect(1);
  EXPECT_EQ(result.status.error_number(), 53);
  EXPECT_EQ(result.status.code, 0x800A0035u);
  EXPECT_EQ(ide.IsConnected().status.error_number(), 53);
  sim::hide_plugin_manager_library(false);
  EXPECT_EQ(ide.Connect(1).value, kTrue);
}

TEST_F(MissingPluginManagerLibrary, MissingExportFailsAloneWhileOthersWork) {
  sim::hide_export("IsConnected");
  VB_PluginLib ide;
  auto result = ide.IsConnected();
  EXPECT_EQ(result.status.error_number(), 453);
  EXPECT_EQ(result.status.code, 0x800A01C5u);
  EXPECT_EQ(ide.Connect(3).value, kTrue);
  EXPECT_EQ(ide.Disconnect().value, kTrue);
  EXPECT_EQ(host::ide_model().export_calls(),
            (std::vector<std::string>{"Connect(3)", "Disconnect()"}));
}

TEST_F(MissingPluginManagerLibrary, AResolvedExportIsKept) {
  VB_PluginLib ide;
  EXPECT_TRUE(ide.IsConnected().ok());
  sim::hide_export("IsConnected");
  sim::hide_plugin_manager_library(true);
  EXPECT_TRUE(ide.IsConnected().ok());
}

class MissingExport : public ConnectedIdeTest {};

TEST_F(MissingExport, AMissingPageInfoExportFailsOnlyTheReadsThatNeedIt) {
  sim::hide_export("GetPageInfo");
  EXPECT_EQ(ide_->GetPageText().status.error_number(), 453);
  EXPECT_EQ(ide_->GetPageTextRTF().status.error_number(), 453);
  auto text = ide_->GetPageText(5);
  EXPECT_TRUE(text.ok());
  EXPECT_EQ(text.value, u"Devic");
}

TEST_F(MissingExport, MissingEnumerationExportsFailWith453AndLeaveTheVariables) {
  sim::hide_export("GetPageByIndex");
  sim::hide_export("GetPageIncludeByIndex");
  Text page = u"caller's";
  EXPECT_EQ(ide_->GetPageByIndex(0, page).status.error_number(), 453);
  EXPECT_EQ(page, u"caller's");
  Text name = u"C:\\\u0100.bas";
  Text include = u"caller's";
  EXPECT_EQ(ide_->GetPageIncludeByIndex(name, 0, include).status.error_number(), 453);
  EXPECT_EQ(name, u"C:\\\u0100.bas");
  EXPECT_EQ(include, u"caller's");
}

TEST_F(MissingExport, AMissingLibraryOrExportFailsTheCall) {
  sim::hide_export("SetPageTextAt");
  plugin_manager::forget_loaded_library();
  EXPECT_EQ(ide_->SetPageTextAt(1, 1, u"x").error_number(), 453);
  sim::hide_plugin_manager_library(true);
  plugin_manager::forget_loaded_library();
  Long line = 3, column = 4;
  EXPECT_EQ(ide_->GetPageCursorPos(line, column).error_number(), 53);
  EXPECT_EQ(line, 3);
  EXPECT_EQ(column, 4);
}

TEST_F(MissingExport, AMissingExportFailsWith453AndLeavesTheNameAlone) {
  sim::hide_export("GetProgrammerByIndex");
  sim::hide_export("GetPathIDE");
  sim::hide_export("IDELock");
  Text name = u"caller's";
  auto found = ide_->GetProgrammerByIndex(0, name);
  EXPECT_EQ(found.status.error_number(), 453);
  EXPECT_EQ(name, u"caller's");
  auto path = ide_->GetPathIDE();
  EXPECT_EQ(path.status.error_number(), 453);
  EXPECT_EQ(path.value, u"");
  EXPECT_EQ(ide_->IDELock().error_number(), 453);
  // The others are still there.
  EXPECT_EQ(ide_->GetProgrammerCount().value, 2);
}

}  // namespace
}  // namespace tavrosk::testing
