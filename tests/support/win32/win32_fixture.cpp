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

}  // namespace tavrosk::testing
