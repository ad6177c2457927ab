// The simulated file system searches and creates as the Windows file services do.
#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "platform/sim/file_system.h"

namespace tavrosk::sim {
namespace {

constexpr std::uint32_t kDirectory = 0x10;

class SimFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    fs().reset();
    fs().add_drive('C');
    fs().add_directory("C:\\Top\\Empty");
    fs().add_file("C:\\Top\\zeta.txt");
  }
  void TearDown() override { fs().reset(); }
  static FileSystem& fs() { return file_system(); }
  static std::optional<std::uint32_t> find(const std::string& pattern) {
    return platform::find_first_file_attributes(pattern);
  }
};

TEST_F(SimFileSystem, DotEntriesComeFirstInAFolderButNotInARoot) {
  // An empty folder still lists "." and "..".
  EXPECT_EQ(find("C:\\Top\\Empty\\*.*"), kDirectory);
  EXPECT_EQ(find("C:\\Top\\Empty\\*"), kDirectory);
  // "." sorts before zeta.txt: the first entry is a folder.
  EXPECT_EQ(find("C:\\Top\\*"), kDirectory);
  // A root has no dot entries: its first entry is its first name.
  fs().reset();
  fs().add_drive('C');
  EXPECT_EQ(find("C:\\*"), std::nullopt);
  fs().add_file("C:\\a.txt");
  ASSERT_TRUE(find("C:\\*").has_value());
  EXPECT_EQ(*find("C:\\*") & kDirectory, 0u);
}

TEST_F(SimFileSystem, WildcardsMatchOneNameInAnyLetterCase) {
  EXPECT_TRUE(find("C:\\Top\\Z?TA.*").has_value());
  EXPECT_TRUE(find("c:\\top\\*.TXT").has_value());
  EXPECT_FALSE(find("C:\\Top\\zeta.tx?x").has_value());
  EXPECT_FALSE(find("C:\\T*\\zeta.txt").has_value());  // wildcards only in the last component
}

TEST_F(SimFileSystem, AReadOnlyFolderReportsMoreThanTheFolderBit) {
  fs().set_read_only("C:\\Top", true);
  EXPECT_EQ(find("C:\\Top"), kDirectory | 0x1u);
  EXPECT_EQ(platform::create_directory("C:\\Top\\New"), 75);
}

TEST_F(SimFileSystem, CreatingAFolderNeedsItsParentAndItsName) {
  EXPECT_EQ(platform::create_directory("C:\\Missing\\New"), 76);
  EXPECT_EQ(platform::create_directory("C:\\Top\\zeta.txt\\New"), 76);
  EXPECT_EQ(platform::create_directory("C:\\Top\\zeta.txt"), 75);
  EXPECT_EQ(platform::create_directory("C:\\Top\\Empty\\"), 75);
  EXPECT_EQ(platform::create_directory("Q:\\New"), 76);
  EXPECT_EQ(platform::create_directory("C:\\Top\\New\\"), 0);
  EXPECT_EQ(find("C:\\Top\\NEW"), kDirectory);
  EXPECT_EQ(fs().created_directories(), std::vector<std::string>{"C:\\Top\\New\\"});
}

TEST_F(SimFileSystem, TestSetupNeitherInventsDrivesNorBuildsUnderFiles) {
  fs().add_directory("Q:\\Nowhere");
  EXPECT_FALSE(fs().is_directory("Q:\\"));
  EXPECT_FALSE(fs().is_directory("Q:\\Nowhere"));
  fs().add_directory("C:\\Top\\zeta.txt\\Inside");
  EXPECT_FALSE(fs().is_directory("C:\\Top\\zeta.txt\\Inside"));
  EXPECT_TRUE(fs().is_file("C:\\Top\\zeta.txt"));
  fs().add_file("C:\\Top\\Empty");  // a folder stays a folder
  EXPECT_TRUE(fs().is_directory("C:\\Top\\Empty"));
}

}  // namespace
}  // namespace tavrosk::sim
