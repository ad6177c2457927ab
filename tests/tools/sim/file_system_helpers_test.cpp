// FileExists, PathExists and CreatePath on the simulated file system.
#include "platform/sim/file_system.h"
#include "support/fixture.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class FileSystemHelpers : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    fs().add_drive('C');
    fs().add_drive('D');  // an empty root
    fs().add_drive('E');
    fs().add_directory("C:\\Work\\Project");
    fs().add_directory("C:\\Work\\B");
    fs().add_directory("C:\\Work\\Empty");
    fs().add_directory("C:\\AB");
    fs().add_file("C:\\Work\\readme.txt");
    fs().add_file("E:\\only.txt");  // a root whose one entry is a file
    fs().set_current_directory("C:\\Work");
  }
  static sim::FileSystem& fs() { return sim::file_system(); }

  bool path_exists(const Text& path) {
    auto result = tools_.PathExists(path);
    EXPECT_TRUE(result.ok()) << narrow(path);
    return is_set(result.value);
  }
  bool file_exists(const Text& path) {
    auto result = tools_.FileExists(path);
    EXPECT_TRUE(result.ok()) << narrow(path);
    return is_set(result.value);
  }

  PlugInToolsLib tools_;
};

TEST_F(FileSystemHelpers, PathExistsForFoldersOnly) {
  EXPECT_TRUE(path_exists(u"C:\\Work\\Project"));
  EXPECT_TRUE(path_exists(u"C:\\Work\\Project\\"));
  EXPECT_FALSE(path_exists(u"C:\\Work\\readme.txt"));
  EXPECT_FALSE(path_exists(u"C:\\Work\\Missing"));
  EXPECT_FALSE(path_exists(u""));
  EXPECT_FALSE(path_exists(u"\\"));  // becomes the empty text
  EXPECT_TRUE(path_exists(u"B"));    // one letter, relative to the current folder
}

TEST_F(FileSystemHelpers, PathExistsForADriveRootNeedsAnEntryOfAnyKind) {
  EXPECT_TRUE(path_exists(u"C:\\"));
  EXPECT_TRUE(path_exists(u"E:\\"));  // its only entry is a file
  EXPECT_FALSE(path_exists(u"D:\\"));
}

TEST_F(FileSystemHelpers, AThreeCharacterTextKeepsItsTrailingBackslash) {
  fs().set_current_directory("C:\\");
  EXPECT_TRUE(path_exists(u"AB"));
  EXPECT_FALSE(path_exists(u"AB\\"));   // searched as it is: no entry ends in a separator
  EXPECT_TRUE(path_exists(u"\\AB\\"));  // four characters: the separator is dropped
}

TEST_F(FileSystemHelpers, PathExistsWithWildcardsLooksAtTheFirstEntryFound) {
  EXPECT_TRUE(path_exists(u"C:\\Work\\Pro*"));
  EXPECT_TRUE(path_exists(u"C:\\Work\\?"));
  EXPECT_FALSE(path_exists(u"C:\\Work\\read*"));
  // In a root the first entry is the first name, no "." before it.
  EXPECT_FALSE(path_exists(u"E:\\*"));
  // A read-only folder still carries the folder bit among its others.
  fs().set_read_only("C:\\Work\\Project", true);
  EXPECT_TRUE(path_exists(u"C:\\Work\\Project"));
}

TEST_F(FileSystemHelpers, FileExistsForAnyEntry) {
  EXPECT_TRUE(file_exists(u"C:\\Work\\Project"));
  EXPECT_TRUE(file_exists(u"C:\\Work\\readme.txt"));
  EXPECT_TRUE(file_exists(u"C:\\Work\\*.*"));
  EXPECT_FALSE(file_exists(u""));
  EXPECT_FALSE(file_exists(u"C:\\Work\\Project\\"));
  EXPECT_FALSE(file_exists(u"D:\\*.*"));
}

TEST_F(FileSystemHelpers, CreatePathMakesTheMissingFoldersFromTheLeft) {
  fs().add_directory("C:\\A");
  EXPECT_TRUE(tools_.CreatePath(u"C:\\A\\B\\C").ok());
  EXPECT_EQ(fs().created_directories(), (std::vector<std::string>{"C:\\A\\B\\", "C:\\A\\B\\C"}));
  EXPECT_TRUE(fs().is_directory("C:\\A\\B\\C"));

  // Everything there: nothing is made, no error.
  EXPECT_TRUE(tools_.CreatePath(u"C:\\A\\B\\C").ok());
  EXPECT_TRUE(tools_.CreatePath(u"C:\\").ok());
  EXPECT_EQ(fs().created_directories().size(), 2u);
}

TEST_F(FileSystemHelpers, CreatePathStopsAtItsLastBackslash) {
  EXPECT_TRUE(tools_.CreatePath(u"D:\\New\\Deeper\\").ok());
  EXPECT_EQ(fs().created_directories(),
            (std::vector<std::string>{"D:\\New\\", "D:\\New\\Deeper\\"}));
}

TEST_F(FileSystemHelpers, CreatePathPassesOnThePlatformsError) {
  auto empty = tools_.CreatePath(u"");
  EXPECT_FALSE(empty.ok());
  EXPECT_EQ(empty.error_number(), error::kPathNotFound);

  // A file stands where a folder should go.
  fs().add_file("C:\\Out\\Blocked");
  auto blocked = tools_.CreatePath(u"C:\\Out\\Blocked\\Inner");
  EXPECT_EQ(blocked.error_number(), error::kPathFileAccess);

  fs().set_read_only("C:\\Work", true);
  auto read_only = tools_.CreatePath(u"C:\\Work\\Fresh\\Sub");
  EXPECT_EQ(read_only.error_number(), error::kPathFileAccess);
  EXPECT_TRUE(fs().created_directories().empty());
}

TEST_F(FileSystemHelpers, CreatePathOverflowsOncePositionsPassSixteenBits) {
  // C:\Base\ is the first step; the next separator stands beyond 32,767.
  const Text long_name(32'800, u'n');
  auto status = tools_.CreatePath(u"C:\\Base\\" + long_name + u"\\Leaf");
  EXPECT_EQ(status.error_number(), error::kOverflow);
  EXPECT_EQ(fs().created_directories(), std::vector<std::string>{"C:\\Base\\"});

  // Up to 32,767 the positions hold.
  const Text fits = u"C:\\Fits\\" + Text(32'767 - 8, u'f');
  EXPECT_TRUE(tools_.CreatePath(fits).ok());
  EXPECT_EQ(fs().created_directories().size(), 3u);
}

}  // namespace
}  // namespace tavrosk::testing
