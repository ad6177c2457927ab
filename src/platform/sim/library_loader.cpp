#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "platform/library_loader.h"
#include "platform/sim/library_control.h"

namespace tavrosk::sim {
namespace {

std::atomic<bool> g_library_hidden{false};
std::mutex g_hidden_mutex;
std::set<std::string> g_hidden_exports;

}  // namespace

void hide_plugin_manager_library(bool hidden) {
  g_library_hidden = hidden;
}

void hide_export(const std::string& name) {
  std::lock_guard lock(g_hidden_mutex);
  g_hidden_exports.insert(name);
}

void show_all_exports() {
  std::lock_guard lock(g_hidden_mutex);
  g_hidden_exports.clear();
}

}  // namespace tavrosk::sim

namespace tavrosk::platform {

const char* plugin_manager_library_name() {
  return "libZavoplex.so";
}

LibraryHandle load_library(const char* name) {
  if (sim::g_library_hidden && std::string(name) == plugin_manager_library_name()) return nullptr;
  return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* find_export(LibraryHandle library, const char* name) {
  {
    std::lock_guard lock(sim::g_hidden_mutex);
    if (sim::g_hidden_exports.count(name)) return nullptr;
  }
  return library == nullptr ? nullptr : dlsym(library, name);
}

}  // namespace tavrosk::platform
