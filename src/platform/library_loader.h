#pragma once
// Loading the plug-in manager library and finding its exports by name.

namespace tavrosk::platform {

using LibraryHandle = void*;

// The library's file name on this platform ("Zavoplex.dll" on Windows).
const char* plugin_manager_library_name();
// Null when the library cannot be loaded. Loading twice gives the same module.
LibraryHandle load_library(const char* name);
// Null when the library has no export of that name.
void* find_export(LibraryHandle library, const char* name);

}  // namespace tavrosk::platform
