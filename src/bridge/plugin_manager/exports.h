#pragma once
// The direct road's view of the plug-in manager library: one callable per export.
// The library is loaded by name at the first call of any export, and each export is found by
// name at its first call and kept. A library that cannot be loaded fails the call with error
// 53 "File not found"; a missing export with 453 "Can't find DLL entry point". Both are tried
// again at the next call.
#include <atomic>

#include "bridge/plugin_manager/calling_convention.h"
#include "bridge/plugin_manager/export_list.h"

namespace tavrosk::plugin_manager {

// Finds an export by name, loading the library first when needed; raises 53 or 453.
void* resolve_export(const char* name);

class ExportSlot {
 public:
  explicit ExportSlot(const char* name);
  const char* name() const { return name_; }

 protected:
  void* address() const;

 private:
  friend void forget_loaded_library();
  const char* name_;
  mutable std::atomic<void*> cached_{nullptr};
  ExportSlot* next_;
};

template <class Signature>
class Export;

template <class R, class... Args>
class Export<R(Args...)> : public ExportSlot {
 public:
  using Pointer = R(TAVROSK_STDCALL*)(Args...);
  using ExportSlot::ExportSlot;
  R operator()(Args... args) const { return reinterpret_cast<Pointer>(address())(args...); }
};

#define TAVROSK_DECLARE_EXPORT(name, ...) extern const Export<__VA_ARGS__> name;
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_DECLARE_EXPORT)
#undef TAVROSK_DECLARE_EXPORT

// Drops every resolved export so that the next call loads and resolves afresh. For tests that
// swap or hide the library; must not race with calls.
void forget_loaded_library();

}  // namespace tavrosk::plugin_manager
