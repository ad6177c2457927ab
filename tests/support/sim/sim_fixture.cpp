#include "support/sim/sim_fixture.h"

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "platform/sim/code_page_selection.h"
#include "platform/sim/file_system.h"
#include "platform/sim/library_control.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"

namespace tavrosk::testing {

void SimTest::SetUp() {
  sim::desktop().reset();
  sim::file_system().reset();
  sim::set_code_page(sim::CodePage::kWindows1252);
  sim::hide_plugin_manager_library(false);
  sim::show_all_exports();
  plugin_manager::forget_loaded_library();
  host::ide_model().reset();
  session() = SessionRecord{};
  page_info_store() = PageInfoStore{};
  programmer_info_store() = ProgrammerInfoStore{};
}

void SimTest::TearDown() {
  sim::desktop().reset();
  sim::set_code_page(sim::CodePage::kWindows1252);
  session() = SessionRecord{};
}

std::vector<std::u16string> SimTest::box_texts() const {
  std::vector<std::u16string> texts;
  for (const auto& box : sim::desktop().message_boxes()) texts.push_back(box.text);
  return texts;
}

void ConnectedIdeTest::SetUp() {
  SimTest::SetUp();
  ide_window_ = std::make_unique<host::SimIdeWindow>();
  ide_ = std::make_unique<VB_PluginLib>();
  host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
}

void ConnectedIdeTest::TearDown() {
  ide_.reset();
  ide_window_.reset();
  SimTest::TearDown();
}

void BothRoadsTest::SetUp() {
  SimTest::SetUp();
  ide_window_ = std::make_unique<host::SimIdeWindow>();
  relay_ = std::make_unique<host::SimRelayTool>();
  ide_ = std::make_unique<VB_PluginLib>();
  if (relayed()) {
    ASSERT_TRUE(ide_->DebugApp(kPluginWindow, kTrue).ok());
  }
  relay_->clear_received();
  desktop().clear_records();
  host::ide_model().reset();
}

void BothRoadsTest::TearDown() {
  ide_.reset();
  relay_.reset();
  ide_window_.reset();
  SimTest::TearDown();
}

std::vector<std::string> BothRoadsTest::export_calls() const {
  return host::ide_model().export_calls();
}

}  // namespace tavrosk::testing
