// Registration of the four classes and the type library, for the whole machine or for the
// current user only:
//   DllRegisterServer / DllUnregisterServer (regsvr32, regsvr32 /u): HKLM\Software\Classes;
//   DllInstall with "user" (regsvr32 /n /i:user, regsvr32 /u /n /i:user): HKCU\Software\Classes,
//   which needs no administrator.
// Each class: the ProgID "Tavrosk.<class>", the CLSID key with the in-process server and its
// apartment threading; the type library's keys and its four interfaces. The 32-bit and the
// 64-bit DLL share every identifier. On 64-bit Windows each width's CLSID and Interface keys
// live in its own registry view, while the ProgIDs and the type library's key (with a win32 and
// a win64 subkey) are shared: unregistering one width leaves what the other still uses.
// The keys are written here rather than by RegisterTypeLib, which under Wine registers for the
// machine only and writes the interfaces into both views.
#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "com/coclasses.h"
#include "com/entry_point.h"
#include "com/exports.h"
#include "com/module.h"
#include "com/type_library.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

// The marshaler of dual and oleautomation interfaces.
constexpr wchar_t kAutomationMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";

constexpr bool k64BitCode = sizeof(void*) == 8;

bool on_64_bit_windows() {
  if (k64BitCode) return true;
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Keys under one classes folder in one registry view: `root`\`classes`\<key>, opened with
// `view` (KEY_WOW64_32KEY or KEY_WOW64_64KEY; 32-bit Windows ignores both).
struct Place {
  HKEY root;
  std::wstring classes;
  REGSAM view;

  std::wstring path(const std::wstring& key) const { return classes + L"\\" + key; }
};

enum class Scope { machine, user };

// Where this width's CLSID and Interface keys go. The machine's classes are redirected by the
// system; the user's 32-bit ones are written to their physical place, Wow6432Node, by path,
// because Wine redirects no user key (Windows keeps them there too).
Place own_place(Scope scope) {
  if (scope == Scope::machine) {
    return {HKEY_LOCAL_MACHINE, L"Software\\Classes",
            k64BitCode ? KEY_WOW64_64KEY : KEY_WOW64_32KEY};
  }
  bool redirected = !k64BitCode && on_64_bit_windows();
  return {HKEY_CURRENT_USER, redirected ? L"Software\\Classes\\Wow6432Node" : L"Software\\Classes",
          KEY_WOW64_64KEY};
}

// The other width's CLSID keys, to see whether it is still registered; none on 32-bit Windows.
bool other_place(Scope scope, Place* place) {
  if (!on_64_bit_windows()) return false;
  if (scope == Scope::machine) {
    *place = {HKEY_LOCAL_MACHINE, L"Software\\Classes",
              k64BitCode ? KEY_WOW64_32KEY : KEY_WOW64_64KEY};
  } else {
    *place = {HKEY_CURRENT_USER,
              k64BitCode ? L"Software\\Classes\\Wow6432Node" : L"Software\\Classes",
              KEY_WOW64_64KEY};
  }
  return true;
}

// The ProgIDs and the type library's key, which both widths share.
Place shared_place(Scope scope) {
  Place place = own_place(scope);
  place.classes = L"Software\\Classes";
  return place;
}

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

// Creates the key and sets one value (the default one when `name` is null).
bool set_value(const Place& place, const std::wstring& key, const wchar_t* name,
               const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(place.root, place.path(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | place.view, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG written =
      RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return written == ERROR_SUCCESS;
}

bool key_exists(const Place& place, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(place.root, place.path(key).c_str(), 0, KEY_READ | place.view, &handle) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

bool has_subkeys(const Place& place, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(place.root, place.path(key).c_str(), 0, KEY_READ | place.view, &handle) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD subkeys = 0;
  RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(handle);
  return subkeys != 0;
}

void delete_tree(const Place& place, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(place.root, place.path(key).c_str(), 0, KEY_ALL_ACCESS | place.view, &handle) !=
      ERROR_SUCCESS) {
    return;
  }
  RegDeleteTreeW(handle, nullptr);  // its subkeys and values
  RegCloseKey(handle);
  RegDeleteKeyExW(place.root, place.path(key).c_str(), place.view, 0);
}

// Deletes the key only when nothing is left under it.
void delete_if_empty(const Place& place, const std::wstring& key) {
  RegDeleteKeyExW(place.root, place.path(key).c_str(), place.view, 0);
}

bool register_class(Scope scope, const Coclass& coclass, const std::wstring& server_path) {
  Place own = own_place(scope);
  Place shared = shared_place(scope);
  std::wstring clsid = clsid_key(coclass);
  return set_value(shared, prog_id(coclass), nullptr, prog_id(coclass)) &&
         set_value(shared, prog_id(coclass) + L"\\CLSID", nullptr, guid_text(coclass.clsid)) &&
         set_value(own, clsid, nullptr, coclass.name) &&
         set_value(own, clsid + L"\\InprocServer32", nullptr, server_path) &&
         set_value(own, clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         set_value(own, clsid + L"\\ProgID", nullptr, prog_id(coclass)) &&
         set_value(own, clsid + L"\\TypeLib", nullptr, guid_text(LIBID_Tavrosk));
}

// The ProgID goes with the last width that serves the class.
void unregister_class(Scope scope, const Coclass& coclass) {
  delete_tree(own_place(scope), clsid_key(coclass));
  Place other{};
  if (other_place(scope, &other) && key_exists(other, clsid_key(coclass) + L"\\InprocServer32")) {
    return;
  }
  delete_tree(shared_place(scope), prog_id(coclass));
}

// A number as the type library's registry keys write it. (Not swprintf: it would bring the
// runtime's whole formatted output into the DLL.)
std::wstring number_text(unsigned value, unsigned base) {
  std::wstring text;
  do {
    text.insert(text.begin(), L"0123456789abcdef"[value % base]);
    value /= base;
  } while (value != 0);
  return text;
}

// The library's version as its registry key names it ("1.0"; the numbers in hexadecimal).
std::wstring version_text(const TLIBATTR& attributes) {
  return number_text(attributes.wMajorVerNum, 16) + L"." + number_text(attributes.wMinorVerNum, 16);
}

// The dual interfaces, which clients reach through the automation marshaler.
struct AutomationInterface {
  const IID& iid;
  const wchar_t* name;
};
const AutomationInterface kAutomationInterfaces[] = {{IID__VB_PluginLib, L"_VB_PluginLib"},
                                                     {IID__PageInfoLib, L"_PageInfoLib"},
                                                     {IID__ProgInfoLib, L"_ProgInfoLib"},
                                                     {IID__PlugInToolsLib, L"_PlugInToolsLib"}};

std::wstring folder_of(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The type library's key names: TypeLib\{libid}\<version>, and under it <locale>\<platform>,
// the subkey of this width ("win32" or "win64", from the library's own attributes).
struct TypeLibraryKeys {
  std::wstring library;
  std::wstring version;
  std::wstring locale;
  std::wstring platform;
};

bool type_library_keys(ITypeLib* library, TypeLibraryKeys* keys) {
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return false;
  keys->library = L"TypeLib\\" + guid_text(LIBID_Tavrosk);
  keys->version = keys->library + L"\\" + version_text(*attributes);
  keys->locale = keys->version + L"\\" + number_text(attributes->lcid, 16);
  keys->platform = keys->locale + (attributes->syskind == SYS_WIN64 ? L"\\win64" : L"\\win32");
  library->ReleaseTLibAttr(attributes);
  return true;
}

bool register_type_library(Scope scope, ITypeLib* library, const std::wstring& path) {
  TypeLibraryKeys keys;
  if (!type_library_keys(library, &keys)) return false;
  std::wstring version = keys.version.substr(keys.version.find_last_of(L'\\') + 1);

  BSTR doc = nullptr;
  library->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
  std::wstring description = doc ? doc : L"";
  SysFreeString(doc);

  Place shared = shared_place(scope);
  Place own = own_place(scope);
  std::wstring libid = guid_text(LIBID_Tavrosk);
  bool written = set_value(shared, keys.version, nullptr, description) &&
                 set_value(shared, keys.platform, nullptr, path) &&
                 set_value(shared, keys.version + L"\\FLAGS", nullptr, L"0") &&
                 set_value(shared, keys.version + L"\\HELPDIR", nullptr, folder_of(path));
  for (const AutomationInterface& entry : kAutomationInterfaces) {
    std::wstring interface_key = L"Interface\\" + guid_text(entry.iid);
    written =
        written && set_value(own, interface_key, nullptr, entry.name) &&
        set_value(own, interface_key + L"\\ProxyStubClsid", nullptr, kAutomationMarshaler) &&
        set_value(own, interface_key + L"\\ProxyStubClsid32", nullptr, kAutomationMarshaler) &&
        set_value(own, interface_key + L"\\TypeLib", nullptr, libid) &&
        set_value(own, interface_key + L"\\TypeLib", L"Version", version);
  }
  return written;
}

// This width's subkey goes; the version's key and the library's go with the last width.
void unregister_type_library(Scope scope, ITypeLib* library) {
  Place own = own_place(scope);
  for (const AutomationInterface& entry : kAutomationInterfaces) {
    delete_tree(own, L"Interface\\" + guid_text(entry.iid));
  }
  TypeLibraryKeys keys;
  if (library == nullptr || !type_library_keys(library, &keys)) return;
  Place shared = shared_place(scope);
  delete_tree(shared, keys.platform);
  delete_if_empty(shared, keys.locale);
  if (!key_exists(shared, keys.locale)) {
    delete_tree(shared, keys.version + L"\\FLAGS");
    delete_tree(shared, keys.version + L"\\HELPDIR");
    delete_if_empty(shared, keys.version);
  }
  if (!has_subkeys(shared, keys.library)) delete_if_empty(shared, keys.library);
}

HRESULT register_in(Scope scope) {
  std::wstring path = module_path();
  ITypeLib* library = type_library();
  if (path.empty() || library == nullptr) return SELFREG_E_TYPELIB;
  if (!register_type_library(scope, library, path)) return SELFREG_E_TYPELIB;
  for (const Coclass& coclass : coclasses()) {
    if (!register_class(scope, coclass, path)) return SELFREG_E_CLASS;
  }
  return S_OK;
}

// Removing what is not there is no failure.
HRESULT unregister_from(Scope scope) {
  for (const Coclass& coclass : coclasses()) unregister_class(scope, coclass);
  unregister_type_library(scope, type_library());
  return S_OK;
}

}  // namespace
}  // namespace tavrosk::com

// Registration builds its keys' names and values as strings: running out of memory there is
// the export's E_OUTOFMEMORY, not an exception for regsvr32 or the installer.
extern "C" HRESULT STDAPICALLTYPE tavrosk_register_server() noexcept {
  using namespace tavrosk::com;
  return entry_point([] { return register_in(Scope::machine); });
}

extern "C" HRESULT STDAPICALLTYPE tavrosk_unregister_server() noexcept {
  using namespace tavrosk::com;
  return entry_point([] { return unregister_from(Scope::machine); });
}

// regsvr32 /n /i:user registers for the current user, /u /n /i:user unregisters; without "user"
// it registers for the machine like DllRegisterServer.
extern "C" HRESULT STDAPICALLTYPE tavrosk_install(BOOL install, LPCWSTR command_line) noexcept {
  using namespace tavrosk::com;
  bool per_user = command_line != nullptr && _wcsicmp(command_line, L"user") == 0;
  if (command_line != nullptr && *command_line != L'\0' && !per_user) return E_INVALIDARG;
  if (!per_user) return install ? tavrosk_register_server() : tavrosk_unregister_server();
  return entry_point(
      [&] { return install ? register_in(Scope::user) : unregister_from(Scope::user); });
}
