// The plug-in manager library through the system loader.
#include "platform/library_loader.h"

#include <windows.h>

namespace tavrosk::platform {

const char* plugin_manager_library_name() {
  return "Zavoplex.dll";
}

LibraryHandle load_library(const char* name) {
  return reinterpret_cast<LibraryHandle>(LoadLibraryA(name));
}

void* find_export(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

}  // namespace tavrosk::platform
