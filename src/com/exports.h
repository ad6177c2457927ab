#pragma once
// The DLL's exports, each an entry point (entry_point.h). tavrosk.def exports them under their
// usual names (DllGetClassObject, ...); they are defined under names of their own so that these
// declarations, noexcept, are their only ones, where the system headers declare the usual
// names without.
#include <windows.h>

extern "C" {

HRESULT STDAPICALLTYPE tavrosk_get_class_object(REFCLSID clsid, REFIID id, void** object) noexcept;
HRESULT STDAPICALLTYPE tavrosk_can_unload_now() noexcept;
HRESULT STDAPICALLTYPE tavrosk_register_server() noexcept;
HRESULT STDAPICALLTYPE tavrosk_unregister_server() noexcept;
// regsvr32 /i:<command line> (/u for `install` false).
HRESULT STDAPICALLTYPE tavrosk_install(BOOL install, LPCWSTR command_line) noexcept;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept;

}  // extern "C"
