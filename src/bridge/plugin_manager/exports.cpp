#include "bridge/plugin_manager/exports.h"

#include <mutex>

#include "base/run_time_error.h"
#include "platform/library_loader.h"

namespace tavrosk::plugin_manager {
namespace {

std::mutex g_load_mutex;
platform::LibraryHandle g_library = nullptr;
ExportSlot* g_slots = nullptr;  // every export, for forget_loaded_library

}  // namespace

void* resolve_export(const char* name) {
  std::lock_guard lock(g_load_mutex);
  if (g_library == nullptr) {
    g_library = platform::load_library(platform::plugin_manager_library_name());
    if (g_library == nullptr) raise(error::kFileNotFound);
  }
  void* address = platform::find_export(g_library, name);
  if (address == nullptr) raise(error::kDllEntryPointNotFound);
  return address;
}

ExportSlot::ExportSlot(const char* name) : name_(name), next_(g_slots) {
  g_slots = this;
}

void* ExportSlot::address() const {
  void* address = cached_.load(std::memory_order_acquire);
  if (address == nullptr) {
    address = resolve_export(name_);
    cached_.store(address, std::memory_order_release);
  }
  return address;
}

void forget_loaded_library() {
  std::lock_guard lock(g_load_mutex);
  for (ExportSlot* slot = g_slots; slot != nullptr; slot = slot->next_) {
    slot->cached_.store(nullptr, std::memory_order_release);
  }
  g_library = nullptr;
}

#define TAVROSK_DEFINE_EXPORT(name, ...) const Export<__VA_ARGS__> name{#name};
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_DEFINE_EXPORT)
#undef TAVROSK_DEFINE_EXPORT

}  // namespace tavrosk::plugin_manager
