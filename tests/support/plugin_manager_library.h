#pragma once
// Which plug-in manager library the direct road finds from the next call on: natively the
// simulated loader hides it or an export; on Windows the loader-fault program (in a folder
// without Zavoplex.dll) puts the folder above (the whole library), lacking_<export>/ (built for
// the exports that tests/CMakeLists.txt lists) or its own on the loader's search path.
#include <string>

namespace tavrosk::testing {

void find_whole_plugin_manager_library();
void find_no_plugin_manager_library();
void find_plugin_manager_library_lacking(const std::string& export_name);

}  // namespace tavrosk::testing
