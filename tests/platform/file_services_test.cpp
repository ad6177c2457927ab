// Folder creation and the run-time error of each way it fails, on a fresh folder of the file
// system. What a search finds is seen through the tools' FileExists and PathExists.
#include "platform/file_services.h"
#include "platform/run_time_error_table.h"
#include "support/temp_folder.h"

namespace tavrosk::testing {
namespace {

using platform::create_directory;
using FileServices = TempFolderTest;

TEST_F(FileServices, CreatingAFolderNeedsItsParentAndItsName) {
  add_folder("Top\\Empty");
  add_file("Top\\zeta.txt");
  EXPECT_EQ(create_directory(temp_path("Missing\\New")), error::kPathNotFound);
  EXPECT_EQ(create_directory(temp_path("Top\\zeta.txt\\New")), error::kPathNotFound);
  EXPECT_EQ(create_directory(""), error::kPathNotFound);
  EXPECT_EQ(create_directory(temp_path("Top\\zeta.txt")), error::kPathFileAccess);
  EXPECT_EQ(create_directory(temp_path("Top\\Empty\\")), error::kPathFileAccess);
  EXPECT_FALSE(is_folder("Missing"));
  EXPECT_EQ(create_directory(temp_path("Top\\New\\")), 0);  // a trailing separator is accepted
  EXPECT_TRUE(is_folder("Top\\NEW"));
}

}  // namespace
}  // namespace tavrosk::testing
