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

}  // namespace tavrosk::testing
