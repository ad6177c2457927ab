#include "support/temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "platform/code_page.h"

namespace tavrosk::testing {

void TempFolderTest::SetUp() {
  PlatformTest::SetUp();
  if (HasFatalFailure()) return;
  char temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
  root_ = std::string(temp) + "tavrosk_files_" + std::to_string(GetCurrentProcessId());
  std::filesystem::remove_all(root_);  // what a crashed run left
  ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr)) << root_;
}

void TempFolderTest::TearDown() {
  // Windows removes no folder that is some process's current folder.
  if (!previous_current_.empty()) SetCurrentDirectoryA(previous_current_.c_str());
  previous_current_.clear();
  std::error_code ignored;
  if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  PlatformTest::TearDown();
}

std::string TempFolderTest::temp_path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "\\" + relative;
}

Text TempFolderTest::temp_text(const std::string& relative) const {
  return platform::from_ansi(temp_path(relative));
}

void TempFolderTest::add_folder(const std::string& relative) {
  std::filesystem::create_directories(temp_path(relative));
}

void TempFolderTest::add_file(const std::string& relative) {
  std::filesystem::path file = temp_path(relative);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream{file};
}

void TempFolderTest::hide(const std::string& relative) {
  std::string path = temp_path(relative);
  SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

void TempFolderTest::make_current(const std::string& relative) {
  if (previous_current_.empty()) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_current_ = current;
  }
  SetCurrentDirectoryA(temp_path(relative).c_str());
}

bool TempFolderTest::is_folder(const std::string& relative) const {
  DWORD attributes = GetFileAttributesA(temp_path(relative).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tavrosk::testing
