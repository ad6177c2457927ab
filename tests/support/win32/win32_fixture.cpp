#include "support/win32/win32_fixture.h"

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "support/win32/box_record.h"

namespace tavrosk::testing {

void WindowsTest::SetUp() {
  // Without the watcher, the first box would wait for a user who never comes. It may still be
  // starting when the first test begins.
  bool watching = false;
  for (int waited = 0; !watching && waited < 15000; waited += 20) {
    watching = FindWindowW(nullptr, win32::kWatcherWindowTitle) != nullptr;
    if (!watching) Sleep(20);
  }
  ASSERT_TRUE(watching) << "the box watcher (tavrosk_box_watcher.exe) must run in this session";
  plugin_manager::forget_loaded_library();
  host::ide_model().reset();
  session() = SessionRecord{};
  page_info_store() = PageInfoStore{};
  programmer_info_store() = ProgrammerInfoStore{};
  forget_boxes();
}

void WindowsTest::TearDown() {
  session() = SessionRecord{};
}

std::vector<std::u16string> WindowsTest::box_texts() const {
  std::vector<std::u16string> boxes = win32::read_box_record();
  boxes.erase(boxes.begin(),
              boxes.begin() + static_cast<std::ptrdiff_t>(std::min(boxes_before_, boxes.size())));
  return boxes;
}

void WindowsTest::forget_boxes() {
  boxes_before_ = win32::read_box_record().size();
}

void WindowsTest::close_relay_tool() {
  stop_relay_program();
}

void ConnectedIdeTest::SetUp() {
  WindowsTest::SetUp();
  if (HasFatalFailure()) return;
  close_relay_tool();
  ide_window_ = std::make_unique<host::Win32IdeWindow>();
  ide_ = std::make_unique<VB_PluginLib>();
  host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
}

void ConnectedIdeTest::TearDown() {
  ide_.reset();
  ide_window_.reset();
  WindowsTest::TearDown();
}

void BothRoadsTest::SetUp() {
  WindowsTest::SetUp();
  if (HasFatalFailure()) return;
  ide_window_ = std::make_unique<host::Win32IdeWindow>();
  relay_ = std::make_unique<RelayToolProcess>();
  ASSERT_NE(relay_->window(), 0);
  ide_ = std::make_unique<VB_PluginLib>();
  if (relayed()) {
    ASSERT_TRUE(ide_->DebugApp(kPluginWindow, kTrue).ok());
  }
  relay_->clear_received();
  forget_boxes();
  host::ide_model().reset();
}

void BothRoadsTest::TearDown() {
  ide_.reset();
  relay_.reset();
  ide_window_.reset();
  WindowsTest::TearDown();
}

std::vector<std::string> BothRoadsTest::export_calls() const {
  return host::ide_model().export_calls();
}

}  // namespace tavrosk::testing
