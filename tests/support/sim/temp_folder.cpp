#include "support/temp_folder.h"

#include "platform/sim/file_system.h"

namespace tavrosk::testing {

void TempFolderTest::SetUp() {
  PlatformTest::SetUp();
  root_ = "C:\\Temp\\tavrosk_files";
  sim::file_system().add_drive('C');
  add_folder("");
}

void TempFolderTest::TearDown() {
  sim::file_system().reset();  // the current folder goes back to C:\ with it
  PlatformTest::TearDown();
}

void TempFolderTest::add_folder(const std::string& relative) {
  sim::file_system().add_directory(temp_path(relative));
}

void TempFolderTest::add_file(const std::string& relative) {
  sim::file_system().add_file(temp_path(relative));
}

void TempFolderTest::hide(const std::string& relative) {
  sim::file_system().set_hidden(temp_path(relative), true);
}

void TempFolderTest::make_current(const std::string& relative) {
  sim::file_system().set_current_directory(temp_path(relative));
}

bool TempFolderTest::is_folder(const std::string& relative) const {
  return sim::file_system().is_directory(temp_path(relative));
}

}  // namespace tavrosk::testing
