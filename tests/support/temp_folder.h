#pragma once
// A fixture with a fresh folder for the test's files, removed afterwards, with the same names on
// both platforms: on Windows a real folder under the temp directory, natively a folder of the
// simulated file system (drive C:). Paths are relative to the folder, with backslashes.
#include <string>

#include "base/value_types.h"
#include "support/fixture.h"

namespace tavrosk::testing {

class TempFolderTest : public PlatformTest {
 protected:
  void SetUp() override;
  // Puts the current folder back, then removes the folder with everything in it.
  void TearDown() override;

  // The folder's full path (no trailing backslash), or `relative` inside it.
  std::string temp_path(const std::string& relative = "") const;
  // The same path as the text a plug-in passes.
  Text temp_text(const std::string& relative = "") const;
  void add_folder(const std::string& relative);         // with its missing parents
  void add_file(const std::string& relative);           // empty, with its missing parent folders
  void hide(const std::string& relative);               // the hidden attribute beside the others
  void make_current(const std::string& relative = "");  // the process's current folder
  bool is_folder(const std::string& relative) const;

 private:
  std::string root_;
  std::string previous_current_;
};

}  // namespace tavrosk::testing
