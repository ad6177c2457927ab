// FileExists, PathExists and CreatePath where only the simulated file system can set the scene:
// drive roots of the test's own, and a folder that refuses new folders; and that set-up itself.
#include "platform/sim/file_system.h"
#include "support/fixture.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class SimFileSystemHelpers : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    fs().add_drive('C');
    fs().add_drive('D');  // an empty root
    fs().add_drive('E');
    fs().add_file("E:\\only.txt");  // a root whose one entry is a file
    fs().add_directory("C:\\Work");
  }
  static sim::FileSystem& fs() { return sim::file_system(); }

  PlugInToolsLib tools_;
};

TEST_F(SimFileSystemHelpers, ADriveRootCountsWhenItListsAnEntryOfAnyKind) {
  EXPECT_EQ(tools_.PathExists(u"C:\\").value, kTrue);
  EXPECT_EQ(tools_.PathExists(u"E:\\").value, kTrue);  // its only entry is a file
  EXPECT_EQ(tools_.PathExists(u"D:\\").value, kFalse);
  EXPECT_EQ(tools_.FileExists(u"D:\\*.*").value, kFalse);
  // In a root the first entry is the first name, no "." before it.
  EXPECT_EQ(tools_.PathExists(u"E:\\*").value, kFalse);
}

TEST_F(SimFileSystemHelpers, CreatePathPassesOnAFoldersRefusal) {
  fs().set_read_only("C:\\Work", true);
  auto refused = tools_.CreatePath(u"C:\\Work\\Fresh\\Sub");
  EXPECT_EQ(refused.error_number(), error::kPathFileAccess);
  EXPECT_TRUE(fs().created_directories().empty());
}

TEST_F(SimFileSystemHelpers, TheSetUpNeitherInventsDrivesNorBuildsUnderFiles) {
  fs().add_directory("Q:\\Nowhere");
  EXPECT_FALSE(fs().is_directory("Q:\\"));
  EXPECT_FALSE(fs().is_directory("Q:\\Nowhere"));
  fs().add_directory("E:\\only.txt\\Inside");
  EXPECT_FALSE(fs().is_directory("E:\\only.txt\\Inside"));
  EXPECT_TRUE(fs().is_file("E:\\only.txt"));
  fs().add_file("C:\\Work");  // a folder stays a folder
  EXPECT_TRUE(fs().is_directory("C:\\Work"));
}

}  // namespace
}  // namespace tavrosk::testing
