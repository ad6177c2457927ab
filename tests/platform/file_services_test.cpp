// The file services on a fresh folder of the file system: what a search finds, for folders,
// files, drive roots, trailing separators and wildcards; and folder creation with its errors.
#include <cctype>

#include "platform/file_services.h"
#include "support/temp_folder.h"

namespace tavrosk::testing {
namespace {

using platform::create_directory;
using platform::find_first_file_attributes;
constexpr std::uint32_t kDirectory = platform::kFileAttributeDirectory;
constexpr std::uint32_t kHidden = 0x2;

bool folder_found(std::optional<std::uint32_t> attributes) {
  return attributes && (*attributes & kDirectory) != 0;
}

class FileServices : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    if (HasFatalFailure()) return;
    add_folder("Top\\Empty");
    add_file("Top\\zeta.txt");
  }
  std::optional<std::uint32_t> find(const std::string& relative) const {
    return find_first_file_attributes(temp_path(relative));
  }
};

TEST_F(FileServices, SearchFindsFoldersAndFilesButNothingThatEndsInASeparator) {
  EXPECT_TRUE(folder_found(find("Top")));
  ASSERT_TRUE(find("Top\\zeta.txt").has_value());
  EXPECT_FALSE(folder_found(find("Top\\zeta.txt")));
  // Why folder tests drop a trailing separator before they search.
  EXPECT_EQ(find("Top\\"), std::nullopt);
  EXPECT_EQ(find("Top\\missing"), std::nullopt);
  EXPECT_EQ(find_first_file_attributes(""), std::nullopt);
}

TEST_F(FileServices, DotEntriesComeFirstInAFolder) {
  // An empty folder still lists "." and "..".
  EXPECT_TRUE(folder_found(find("Top\\Empty\\*.*")));
  EXPECT_TRUE(folder_found(find("Top\\Empty\\*")));
  // "." comes before zeta.txt; a pattern that only the file matches gives the file.
  EXPECT_TRUE(folder_found(find("Top\\*")));
  ASSERT_TRUE(find("Top\\*.txt").has_value());
  EXPECT_FALSE(folder_found(find("Top\\*.txt")));
  EXPECT_EQ(find("Top\\*.bas"), std::nullopt);
}

TEST_F(FileServices, WildcardsMatchOneNameInAnyLetterCase) {
  EXPECT_TRUE(find("Top\\Z?TA.*").has_value());
  std::string upper = temp_path("Top\\*.TXT");
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(find_first_file_attributes(upper).has_value());
  EXPECT_FALSE(find("Top\\zeta.tx?x").has_value());
  EXPECT_FALSE(find("T*\\zeta.txt").has_value());  // wildcards only in the last component
}

TEST_F(FileServices, DriveRootsAreFoundOnlyThroughAWildcard) {
  EXPECT_EQ(find_first_file_attributes("C:\\"), std::nullopt);
  EXPECT_TRUE(find_first_file_attributes("C:\\*.*").has_value());
}

TEST_F(FileServices, AHiddenFolderReportsMoreThanTheFolderBit) {
  hide("Top\\Empty");
  EXPECT_EQ(find("Top\\Empty"), kDirectory | kHidden);
}

TEST_F(FileServices, CreatingAFolderNeedsItsParentAndItsName) {
  EXPECT_EQ(create_directory(temp_path("Missing\\New")), 76);
  EXPECT_EQ(create_directory(temp_path("Top\\zeta.txt\\New")), 76);
  EXPECT_EQ(create_directory(temp_path("Top\\zeta.txt")), 75);
  EXPECT_EQ(create_directory(temp_path("Top\\Empty\\")), 75);
  EXPECT_EQ(create_directory(""), 76);
  EXPECT_EQ(find("Missing"), std::nullopt);
  EXPECT_EQ(create_directory(temp_path("Top\\New\\")), 0);  // a trailing separator is accepted
  EXPECT_TRUE(folder_found(find("Top\\NEW")));
}

}  // namespace
}  // namespace tavrosk::testing
