#pragma once
// Which plug-in manager library the direct road finds from the next call on: natively the
// simulated loader hides it or one of its exports; on Windows the loader-fault program, which
// runs from a folder without Zavoplex.dll, puts a folder on the loader's search path that holds
// the whole library (the folder above), a library lacking one export (lacking_<export>/ below,
// one for each export that tests/CMakeLists.txt lists), or none.
#include <string>

namespace tavrosk::testing {

void find_whole_plugin_manager_library();
void find_no_plugin_manager_library();
void find_plugin_manager_library_lacking(const std::string& export_name);

}  // namespace tavrosk::testing
