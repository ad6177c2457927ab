// DllRegisterServer / DllUnregisterServer: the ProgIDs "Tavrosk.<class>", the CLSID keys with
// the in-process server and its apartment threading, and the type library.
#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "com/coclasses.h"
#include "com/module.h"
#include "com/type_library.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

constexpr WORD kLibraryMajor = 1;
constexpr WORD kLibraryMinor = 0;

std::wstring guid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring prog_id(const Coclass& coclass) {
  return std::wstring(L"Tavrosk.") + coclass.name;
}

std::wstring clsid_key(const Coclass& coclass) {
  return L"CLSID\\" + guid_text(coclass.clsid);
}

// Creates HKCR\<key> and sets one value (the default one when `name` is null).
bool set_value(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG written =
      RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return written == ERROR_SUCCESS;
}

bool register_class(const Coclass& coclass, const std::wstring& server_path) {
  std::wstring clsid = clsid_key(coclass);
  return set_value(prog_id(coclass), nullptr, prog_id(coclass)) &&
         set_value(prog_id(coclass) + L"\\CLSID", nullptr, guid_text(coclass.clsid)) &&
         set_value(clsid, nullptr, coclass.name) &&
         set_value(clsid + L"\\InprocServer32", nullptr, server_path) &&
         set_value(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         set_value(clsid + L"\\ProgID", nullptr, prog_id(coclass)) &&
         set_value(clsid + L"\\TypeLib", nullptr, guid_text(LIBID_Tavrosk));
}

void unregister_class(const Coclass& coclass) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, clsid_key(coclass).c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, clsid_key(coclass).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, prog_id(coclass).c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, prog_id(coclass).c_str());
}

}  // namespace
}  // namespace tavrosk::com

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  using namespace tavrosk::com;
  std::wstring path = module_path();
  ITypeLib* library = type_library();
  if (path.empty() || library == nullptr) return SELFREG_E_TYPELIB;
  HRESULT hr = RegisterTypeLib(library, path.data(), nullptr);
  if (FAILED(hr)) return hr;
  for (const Coclass& coclass : coclasses()) {
    if (!register_class(coclass, path)) return SELFREG_E_CLASS;
  }
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  using namespace tavrosk::com;
  for (const Coclass& coclass : coclasses()) unregister_class(coclass);
  // A library that was never registered is no failure of unregistering.
  HRESULT hr =
      UnRegisterTypeLib(LIBID_Tavrosk, kLibraryMajor, kLibraryMinor, LOCALE_NEUTRAL, SYS_WIN32);
  return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK : hr;
}
