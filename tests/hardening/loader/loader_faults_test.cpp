// A plug-in manager library that is missing, or lacks one export: the direct members that need
// it fail with 53 or 453 and write nothing, while everything else keeps working.
#include <memory>

#include "bridge/page_info_lib.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/prog_info_lib.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "support/fixture.h"
#include "support/plugin_manager_library.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class LoaderFaults : public ConnectedIdeTest {
 protected:
  void SetUp() override {
    ConnectedIdeTest::SetUp();
    find_whole_plugin_manager_library();
  }
};

TEST_F(LoaderFaults, AMissingLibraryFailsEveryDirectMemberWith53AndWritesNothing) {
  find_no_plugin_manager_library();
  page_info_store().OSC = 77;
  programmer_info_store().Path[0] = u'p';
  EXPECT_EQ(ide_->IsConnected().status.error_number(), error::kFileNotFound);
  EXPECT_EQ(ide_->GetPathIDE().status.error_number(), error::kFileNotFound);
  EXPECT_EQ(ide_->SetPageClear().error_number(), error::kFileNotFound);
  EXPECT_EQ(ide_->GetPageText(100).status.error_number(), error::kFileNotFound);
  // The caller's variables stay as they were, not even converted through the code page.
  Text page = u"kept", name = u"C:\\\u0100.bas", include = u"kept";
  EXPECT_EQ(ide_->GetPageByIndex(0, page).status.error_number(), error::kFileNotFound);
  EXPECT_EQ(ide_->GetPageIncludeByIndex(name, 0, include).status.error_number(),
            error::kFileNotFound);
  EXPECT_EQ(page + include, u"keptkept");
  Long line = 3, column = 4;
  EXPECT_EQ(ide_->GetPageCursorPos(line, column).error_number(), error::kFileNotFound);
  EXPECT_EQ(line, 3);
  EXPECT_EQ(column, 4);
  Text programmer = u"FlashLink";
  EXPECT_EQ(PageInfoLib().GetPageInfo(name).status.error_number(), error::kFileNotFound);
  EXPECT_EQ(ProgInfoLib().GetProgrammerInfo(programmer).status.error_number(),
            error::kFileNotFound);
  EXPECT_EQ(name, u"C:\\\u0100.bas");
  EXPECT_EQ(programmer, u"FlashLink");
  EXPECT_EQ(page_info_store().OSC, 77);
  EXPECT_EQ(programmer_info_store().Path[0], u'p');
  EXPECT_TRUE(host::ide_model().export_calls().empty());

  // The store-only members, the tools and the relay road need no library.
  EXPECT_EQ(PageInfoLib().OSC().value, 77);
  EXPECT_EQ(PlugInToolsLib().IsKorvexIdeRunning().value, kTrue);
  {
    RelayTool relay;
    ASSERT_TRUE(ide_->DebugApp(1312, kTrue).ok());
    EXPECT_EQ(ide_->GetPageCount().value, 2);
    ASSERT_TRUE(ide_->DebugApp(1312, kFalse).ok());
  }
  // The library is looked for again at the next call.
  find_whole_plugin_manager_library();
  EXPECT_EQ(ide_->IsConnected().value, kTrue);
}

struct MissingExport {
  const char* name;
  std::function<Status(VB_PluginLib&)> needs_it;
};

Status status_of(const auto& result) {
  return result.status;
}

class OneExportMissing : public LoaderFaults,
                         public ::testing::WithParamInterface<MissingExport> {};

TEST_P(OneExportMissing, FailsOnlyTheMembersThatCallItWith453) {
  find_plugin_manager_library_lacking(GetParam().name);
  EXPECT_EQ(GetParam().needs_it(*ide_).error_number(), error::kDllEntryPointNotFound);
  // The other exports keep working, the library loaded once for all of them.
  EXPECT_EQ(ide_->GetPageCount().value, 2);
  EXPECT_EQ(ide_->GetPathCompiler().value, u"C:\\Korvex\\Compiler\\");
  Text name = u"C:\\Projects\\Blink\\util.bas";
  PageInfoLib page;
  if (std::string(GetParam().name) != "GetPageInfo") {
    EXPECT_EQ(page.GetPageInfo(name).value, kTrue);
    EXPECT_EQ(page.DisplayName().value, u"util.bas");
  }
  find_whole_plugin_manager_library();
  EXPECT_TRUE(GetParam().needs_it(*ide_).ok());
}

INSTANTIATE_TEST_SUITE_P(
    Exports, OneExportMissing,
    ::testing::Values(
        MissingExport{"IsConnected",
                      [](VB_PluginLib& ide) { return status_of(ide.GetPageText()); }},
        MissingExport{"GetPage",
                      [](VB_PluginLib& ide) { return status_of(ide.GetPageSelectedText()); }},
        MissingExport{"GetPageInfo",
                      [](VB_PluginLib& ide) { return status_of(ide.GetPageTextRTF()); }},
        MissingExport{"GetProgrammer",
                      [](VB_PluginLib& ide) { return status_of(ide.GetProgrammer()); }},
        MissingExport{"SetPageVersion",
                      [](VB_PluginLib& ide) {
                        Text page = u"main.bas";
                        return ide.SetPageVersion(page, 1, 2, 3, 4);
                      }},
        MissingExport{"GetPageDisplayLines",
                      [](VB_PluginLib& ide) {
                        Long top = 0, lines = 0;
                        return ide.GetPageDisplayLines(top, lines);
                      }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LoaderFaults, WithoutThePageInformationOnlyAReadOfAGivenLengthWorks) {
  find_plugin_manager_library_lacking("GetPageInfo");
  EXPECT_EQ(ide_->GetPageText().status.error_number(), error::kDllEntryPointNotFound);
  EXPECT_EQ(ide_->GetPageText(5).value, u"Devic");
}

// A text read whose export is missing fails after the page information was fetched: what the
// body wrote before the failure stays written.
TEST_F(LoaderFaults, AMissingTextExportLeavesTheFetchedPageInformation) {
  find_plugin_manager_library_lacking("GetPageText");
  EXPECT_EQ(ide_->GetPageText().status.error_number(), error::kDllEntryPointNotFound);
  EXPECT_EQ(PageInfoLib().DisplayName().value, u"main.bas");
  std::size_t page_size =
      host::ide_model().locked([](host::IdeState& s) { return s.active()->text.size(); });
  EXPECT_EQ(session().result_buffer_length, static_cast<Long>(page_size));
}

}  // namespace
}  // namespace tavrosk::testing
