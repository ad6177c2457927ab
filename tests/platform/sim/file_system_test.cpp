// The simulated file system's own set-up for tests.
#include <gtest/gtest.h>

#include "platform/sim/file_system.h"

namespace tavrosk::sim {
namespace {

TEST(SimFileSystem, TestSetupNeitherInventsDrivesNorBuildsUnderFiles) {
  FileSystem& fs = file_system();
  fs.reset();
  fs.add_drive('C');
  fs.add_directory("C:\\Top\\Empty");
  fs.add_file("C:\\Top\\zeta.txt");
  fs.add_directory("Q:\\Nowhere");
  EXPECT_FALSE(fs.is_directory("Q:\\"));
  EXPECT_FALSE(fs.is_directory("Q:\\Nowhere"));
  fs.add_directory("C:\\Top\\zeta.txt\\Inside");
  EXPECT_FALSE(fs.is_directory("C:\\Top\\zeta.txt\\Inside"));
  EXPECT_TRUE(fs.is_file("C:\\Top\\zeta.txt"));
  fs.add_file("C:\\Top\\Empty");  // a folder stays a folder
  EXPECT_TRUE(fs.is_directory("C:\\Top\\Empty"));
  fs.reset();
}

}  // namespace
}  // namespace tavrosk::sim
