#pragma once
// Test control over the simulated loader, which otherwise loads real shared objects.
#include <string>

namespace tavrosk::sim {

// While hidden, loading the plug-in manager library fails as if it were missing.
void hide_plugin_manager_library(bool hidden);
// While hidden, the library lacks this export.
void hide_export(const std::string& name);
void show_all_exports();

}  // namespace tavrosk::sim
