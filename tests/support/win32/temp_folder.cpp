#include "support/temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace tavrosk::testing {

namespace fs = std::filesystem;

void TempFolderTest::SetUp() {
  PlatformTest::SetUp();
  root_ = (fs::temp_directory_path() / ("tavrosk_files_" + std::to_string(GetCurrentProcessId())))
              .string();
  fs::remove_all(root_);  // what a crashed run left
  fs::create_directory(root_);
}

void TempFolderTest::TearDown() {
  // Windows removes no folder that is a process's current folder.
  if (!previous_current_.empty()) fs::current_path(previous_current_);
  std::error_code ignored;
  fs::remove_all(root_, ignored);
  PlatformTest::TearDown();
}

void TempFolderTest::add_folder(const std::string& relative) {
  fs::create_directories(temp_path(relative));
}

void TempFolderTest::add_file(const std::string& relative) {
  fs::create_directories(fs::path(temp_path(relative)).parent_path());
  std::ofstream{temp_path(relative)};
}

void TempFolderTest::hide(const std::string& relative) {
  std::string path = temp_path(relative);
  SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

void TempFolderTest::make_current(const std::string& relative) {
  if (previous_current_.empty()) previous_current_ = fs::current_path().string();
  fs::current_path(temp_path(relative));
}

bool TempFolderTest::is_folder(const std::string& relative) const {
  return fs::is_directory(temp_path(relative));
}

}  // namespace tavrosk::testing
