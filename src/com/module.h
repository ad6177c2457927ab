#pragma once
// The DLL as a whole: its handle and path, and the counts of live objects and server locks
// that decide whether it may be unloaded.
#include <windows.h>

#include <string>

namespace tavrosk::com {

HMODULE module_handle() noexcept;
// The full path of Tavrosk.dll, as registered under InprocServer32.
std::wstring module_path();

void object_created() noexcept;
void object_destroyed() noexcept;
void lock_server(bool lock) noexcept;
bool can_unload() noexcept;

}  // namespace tavrosk::com
