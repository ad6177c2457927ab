#include "support/plugin_manager_library.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "bridge/plugin_manager/exports.h"
#include "platform/library_loader.h"
#include "support/win32/program_run.h"

namespace tavrosk::testing {
namespace {

// The library never unloads what it loaded (a thread may still hold an export); the test lets
// go of it, so that the next call loads by name from the new search path.
void search_library_in(const std::string& folder) {
  const char* name = platform::plugin_manager_library_name();
  plugin_manager::forget_loaded_library();
  for (int loads = 0; loads < 1000; ++loads) {
    HMODULE loaded = GetModuleHandleA(name);
    if (loaded == nullptr || !FreeLibrary(loaded)) break;
  }
  EXPECT_EQ(GetModuleHandleA(name), nullptr) << name << " stays loaded";
  EXPECT_EQ(GetFileAttributesA((ansi_program_folder() + name).c_str()), INVALID_FILE_ATTRIBUTES)
      << "the program's own folder comes first";
  EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
  EXPECT_TRUE(SetDllDirectoryA(folder.c_str()));
}

}  // namespace

void find_whole_plugin_manager_library() {
  search_library_in(ansi_program_folder() + "..");
}

void find_no_plugin_manager_library() {
  search_library_in(ansi_program_folder());
}

void find_plugin_manager_library_lacking(const std::string& export_name) {
  search_library_in(ansi_program_folder() + "lacking_" + export_name);
}

}  // namespace tavrosk::testing
