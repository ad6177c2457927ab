// The file services on the real (Wine) file system: what a search finds, for folders, files,
// drive roots, trailing separators and wildcards; and folder creation with its errors.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_services.h"

namespace tavrosk::platform {
namespace {

class RealFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    root_ = std::string(folder) + "tavrosk_files_" + std::to_string(GetCurrentProcessId());
    std::filesystem::remove_all(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    std::ofstream(root_ + "\\notes.txt") << "x";
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  bool is_folder(const std::string& pattern) {
    auto attributes = find_first_file_attributes(pattern);
    return attributes && (*attributes & kFileAttributeDirectory) != 0;
  }

  std::string root_;  // no trailing backslash
};

TEST_F(RealFileSystem, SearchFindsFoldersAndFilesButNotAFolderWithTrailingBackslash) {
  EXPECT_TRUE(is_folder(root_));
  ASSERT_TRUE(find_first_file_attributes(root_ + "\\notes.txt").has_value());
  EXPECT_FALSE(is_folder(root_ + "\\notes.txt"));
  // Why folder tests drop a trailing separator before they search.
  EXPECT_FALSE(find_first_file_attributes(root_ + "\\").has_value());
  EXPECT_FALSE(find_first_file_attributes(root_ + "\\missing").has_value());
  EXPECT_FALSE(find_first_file_attributes("").has_value());
}

TEST_F(RealFileSystem, DriveRootsAreFoundOnlyThroughAWildcard) {
  EXPECT_FALSE(find_first_file_attributes("C:\\").has_value());
  EXPECT_TRUE(find_first_file_attributes("C:\\*.*").has_value());
  EXPECT_TRUE(find_first_file_attributes("c:\\WINDOWS").has_value());  // letter case ignored
}

TEST_F(RealFileSystem, WildcardsReportTheFirstEntryFound) {
  // A folder's own entry "." comes first; a pattern that only files match gives a file.
  EXPECT_TRUE(is_folder(root_ + "\\*.*"));
  ASSERT_TRUE(find_first_file_attributes(root_ + "\\*.txt").has_value());
  EXPECT_FALSE(is_folder(root_ + "\\*.txt"));
  EXPECT_TRUE(find_first_file_attributes(root_ + "\\note?.txt").has_value());
  EXPECT_FALSE(find_first_file_attributes(root_ + "\\*.bas").has_value());
}

TEST_F(RealFileSystem, FoldersAreCreatedParentFirstAndFailuresCarryTheirError) {
  EXPECT_EQ(create_directory(root_ + "\\A"), 0);
  EXPECT_EQ(create_directory(root_ + "\\A\\B\\"), 0);  // a trailing separator is accepted
  EXPECT_TRUE(is_folder(root_ + "\\A\\B"));
  EXPECT_EQ(create_directory(root_ + "\\A"), 75);          // exists already
  EXPECT_EQ(create_directory(root_ + "\\notes.txt"), 75);  // a file of that name
  EXPECT_EQ(create_directory(root_ + "\\X\\Y"), 76);       // the parent is missing
  EXPECT_FALSE(find_first_file_attributes(root_ + "\\X").has_value());
  EXPECT_NE(create_directory(""), 0);
}

}  // namespace
}  // namespace tavrosk::platform
