#pragma once
// A fixture with a fresh folder for the test's files, removed afterwards, with the same names on
// both platforms: on Windows a real folder under the temp directory, natively a folder of the
// simulated file system (drive C:). Paths are relative to the folder, with backslashes.
#include <string>

#include "base/value_types.h"
#include "platform/code_page.h"
#include "support/fixture.h"

namespace tavrosk::testing {

class TempFolderTest : public PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;  // the current folder put back first

  // The folder's full path (no trailing backslash), or `relative` inside it; as a plug-in's text.
  std::string temp_path(const std::string& relative = "") const {
    return relative.empty() ? root_ : root_ + "\\" + relative;
  }
  Text temp_text(const std::string& relative = "") const {
    return platform::from_ansi(temp_path(relative));
  }
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
