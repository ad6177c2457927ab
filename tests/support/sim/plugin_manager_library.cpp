#include "support/plugin_manager_library.h"

#include "platform/sim/library_control.h"

namespace tavrosk::testing {

void find_whole_plugin_manager_library() {
  sim::hide_plugin_manager_library(false);
  sim::show_all_exports();
}

void find_no_plugin_manager_library() {
  sim::hide_plugin_manager_library(true);
}

void find_plugin_manager_library_lacking(const std::string& export_name) {
  find_whole_plugin_manager_library();
  sim::hide_export(export_name);
}

}  // namespace tavrosk::testing
