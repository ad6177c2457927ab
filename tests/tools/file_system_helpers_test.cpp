// FileExists, PathExists and CreatePath on a fresh folder of the file system.
#include "support/temp_folder.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class FileSystemHelpers : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    if (HasFatalFailure()) return;
    add_folder("Work\\Project");
    add_folder("Work\\B");
    add_folder("Work\\Empty");
    add_folder("AB");
    add_folder("ABC");
    add_file("Work\\readme.txt");
  }

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
  EXPECT_TRUE(path_exists(temp_text("Work\\Project")));
  EXPECT_TRUE(path_exists(temp_text("Work\\Project\\")));
  EXPECT_FALSE(path_exists(temp_text("Work\\readme.txt")));
  EXPECT_FALSE(path_exists(temp_text("Work\\Missing")));
  EXPECT_FALSE(path_exists(u""));
  EXPECT_FALSE(path_exists(u"\\"));  // becomes the empty text
  make_current("Work");
  EXPECT_TRUE(path_exists(u"B"));  // one letter, relative to the current folder
}

TEST_F(FileSystemHelpers, AThreeCharacterTextKeepsItsTrailingBackslash) {
  make_current();
  EXPECT_TRUE(path_exists(u"AB"));
  EXPECT_FALSE(path_exists(u"AB\\"));  // searched as it is: no entry ends in a separator
  EXPECT_TRUE(path_exists(u"ABC\\"));  // four characters: the separator is dropped
}

TEST_F(FileSystemHelpers, PathExistsWithWildcardsLooksAtTheFirstEntryFound) {
  EXPECT_TRUE(path_exists(temp_text("Work\\Pro*")));
  EXPECT_TRUE(path_exists(temp_text("Work\\?")));         // ".", which comes first
  EXPECT_TRUE(path_exists(temp_text("Work\\Empty\\*")));  // an empty folder lists "." too
  EXPECT_FALSE(path_exists(temp_text("Work\\read*")));
  // A hidden folder still carries the folder bit among its others.
  hide("Work\\Project");
  EXPECT_TRUE(path_exists(temp_text("Work\\Project")));
}

TEST_F(FileSystemHelpers, FileExistsForAnyEntry) {
  EXPECT_TRUE(file_exists(temp_text("Work\\Project")));
  EXPECT_TRUE(file_exists(temp_text("Work\\readme.txt")));
  EXPECT_TRUE(file_exists(temp_text("Work\\*.*")));
  EXPECT_FALSE(file_exists(u""));
  EXPECT_FALSE(file_exists(temp_text("Work\\Project\\")));
  EXPECT_FALSE(file_exists(temp_text("Work\\*.bas")));
  EXPECT_TRUE(file_exists(temp_text("WORK\\README.TX?")));  // any letter case
  EXPECT_FALSE(file_exists(temp_text("W*\\readme.txt")));   // wildcards in the last part only
  EXPECT_FALSE(file_exists(u"C:\\"));                       // a drive root is no entry of its own
  EXPECT_TRUE(file_exists(u"C:\\*.*"));
}

// A folder made before its parent, or made again, would fail: success shows the order, and
// that nothing already there is made.
TEST_F(FileSystemHelpers, CreatePathMakesTheMissingFoldersFromTheLeft) {
  add_folder("A");
  EXPECT_TRUE(tools_.CreatePath(temp_text("A\\B\\C")).ok());
  EXPECT_TRUE(is_folder("A\\B\\C"));
  EXPECT_TRUE(tools_.CreatePath(temp_text("A\\B\\C")).ok());
  EXPECT_TRUE(tools_.CreatePath(u"C:\\").ok());
}

TEST_F(FileSystemHelpers, CreatePathStopsAtItsLastBackslash) {
  EXPECT_TRUE(tools_.CreatePath(temp_text("New\\Deeper\\")).ok());
  EXPECT_TRUE(is_folder("New\\Deeper"));
}

TEST_F(FileSystemHelpers, CreatePathPassesOnThePlatformsError) {
  auto empty = tools_.CreatePath(u"");
  EXPECT_FALSE(empty.ok());
  EXPECT_EQ(empty.error_number(), error::kPathNotFound);

  // A file stands where a folder should go.
  add_file("Out\\Blocked");
  auto blocked = tools_.CreatePath(temp_text("Out\\Blocked\\Inner"));
  EXPECT_EQ(blocked.error_number(), error::kPathFileAccess);
}

TEST_F(FileSystemHelpers, CreatePathOverflowsOncePositionsPassSixteenBits) {
  // Base\ is made; the next separator stands beyond 32,767. The folders made stay.
  auto status = tools_.CreatePath(temp_text("Base\\") + Text(32'800, u'n') + u"\\Leaf");
  EXPECT_EQ(status.error_number(), error::kOverflow);
  EXPECT_TRUE(is_folder("Base"));

  // Up to 32,767 the positions hold, whatever the file system says of so long a name.
  Text fits = temp_text("Fits\\");
  fits += Text(32'767 - fits.size(), u'f');
  EXPECT_NE(tools_.CreatePath(fits).error_number(), error::kOverflow);
  EXPECT_EQ(tools_.CreatePath(fits + u"f").error_number(), error::kOverflow);
}

}  // namespace
}  // namespace tavrosk::testing
