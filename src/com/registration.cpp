// Registration of the four classes and the type library, for the whole machine or for the
// current user only:
//   DllRegisterServer / DllUnregisterServer (regsvr32, regsvr32 /u): HKEY_CLASSES_ROOT;
//   DllInstall with "user" (regsvr32 /n /i:user, regsvr32 /u /n /i:user): HKCU\Software\Classes,
//   which needs no administrator.
// Each class: the ProgID "Tavrosk.<class>", the CLSID key with the in-process server and its
// apartment threading. The type library: RegisterTypeLib for the machine; for the user its keys
// are written here, because Wine's RegisterTypeLibForUser registers machine-wide.
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

// Creates <root>\<key> and sets one value (the default one when `name` is null).
bool set_value(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG written =
      RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return written == ERROR_SUCCESS;
}

void delete_tree(HKEY root, const std::wstring& key) {
  RegDeleteTreeW(root, key.c_str());
  RegDeleteKeyW(root, key.c_str());
}

bool register_class(HKEY root, const Coclass& coclass, const std::wstring& server_path) {
  std::wstring clsid = clsid_key(coclass);
  return set_value(root, prog_id(coclass), nullptr, prog_id(coclass)) &&
         set_value(root, prog_id(coclass) + L"\\CLSID", nullptr, guid_text(coclass.clsid)) &&
         set_value(root, clsid, nullptr, coclass.name) &&
         set_value(root, clsid + L"\\InprocServer32", nullptr, server_path) &&
         set_value(root, clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         set_value(root, clsid + L"\\ProgID", nullptr, prog_id(coclass)) &&
         set_value(root, clsid + L"\\TypeLib", nullptr, guid_text(LIBID_Tavrosk));
}

void unregister_class(HKEY root, const Coclass& coclass) {
  delete_tree(root, clsid_key(coclass));
  delete_tree(root, prog_id(coclass));
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

// The keys that RegisterTypeLib writes, under the user's classes.
bool register_type_library_for_user(HKEY root, ITypeLib* library, const std::wstring& path) {
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return false;
  std::wstring version = version_text(*attributes);
  std::wstring locale = number_text(attributes->lcid, 16);
  const wchar_t* platform = attributes->syskind == SYS_WIN64 ? L"win64" : L"win32";
  library->ReleaseTLibAttr(attributes);

  BSTR doc = nullptr;
  library->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
  std::wstring description = doc ? doc : L"";
  SysFreeString(doc);

  std::wstring libid = guid_text(LIBID_Tavrosk);
  std::wstring key = L"TypeLib\\" + libid + L"\\" + version;
  bool written = set_value(root, key, nullptr, description) &&
                 set_value(root, key + L"\\" + locale + L"\\" + platform, nullptr, path) &&
                 set_value(root, key + L"\\FLAGS", nullptr, L"0") &&
                 set_value(root, key + L"\\HELPDIR", nullptr, folder_of(path));
  for (const AutomationInterface& entry : kAutomationInterfaces) {
    std::wstring interface_key = L"Interface\\" + guid_text(entry.iid);
    written =
        written && set_value(root, interface_key, nullptr, entry.name) &&
        set_value(root, interface_key + L"\\ProxyStubClsid", nullptr, kAutomationMarshaler) &&
        set_value(root, interface_key + L"\\ProxyStubClsid32", nullptr, kAutomationMarshaler) &&
        set_value(root, interface_key + L"\\TypeLib", nullptr, libid) &&
        set_value(root, interface_key + L"\\TypeLib", L"Version", version);
  }
  return written;
}

void unregister_type_library_for_user(HKEY root, ITypeLib* library) {
  for (const AutomationInterface& entry : kAutomationInterfaces) {
    delete_tree(root, L"Interface\\" + guid_text(entry.iid));
  }
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return;
  std::wstring library_key = L"TypeLib\\" + guid_text(LIBID_Tavrosk);
  delete_tree(root, library_key + L"\\" + version_text(*attributes));
  library->ReleaseTLibAttr(attributes);
  // The library's own key goes when no other version is registered under it.
  RegDeleteKeyW(root, library_key.c_str());
}

HRESULT register_for_user() {
  std::wstring path = module_path();
  ITypeLib* library = type_library();
  if (path.empty() || library == nullptr) return SELFREG_E_TYPELIB;
  HKEY classes = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &classes, nullptr) != ERROR_SUCCESS) {
    return SELFREG_E_CLASS;
  }
  HRESULT hr = register_type_library_for_user(classes, library, path) ? S_OK : SELFREG_E_TYPELIB;
  for (const Coclass& coclass : coclasses()) {
    if (SUCCEEDED(hr) && !register_class(classes, coclass, path)) hr = SELFREG_E_CLASS;
  }
  RegCloseKey(classes);
  return hr;
}

HRESULT unregister_for_user() {
  HKEY classes = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_ALL_ACCESS, &classes) !=
      ERROR_SUCCESS) {
    return S_OK;  // nothing registered
  }
  for (const Coclass& coclass : coclasses()) unregister_class(classes, coclass);
  if (ITypeLib* library = type_library()) unregister_type_library_for_user(classes, library);
  RegCloseKey(classes);
  return S_OK;
}

}  // namespace
}  // namespace tavrosk::com

// Registration builds its keys' names and values as strings: running out of memory there is
// the export's E_OUTOFMEMORY, not an exception for regsvr32 or the installer.
extern "C" HRESULT STDAPICALLTYPE tavrosk_register_server() noexcept {
  using namespace tavrosk::com;
  return entry_point([] {
    std::wstring path = module_path();
    ITypeLib* library = type_library();
    if (path.empty() || library == nullptr) return SELFREG_E_TYPELIB;
    HRESULT hr = RegisterTypeLib(library, path.data(), nullptr);
    if (FAILED(hr)) return hr;
    for (const Coclass& coclass : coclasses()) {
      if (!register_class(HKEY_CLASSES_ROOT, coclass, path)) return SELFREG_E_CLASS;
    }
    return S_OK;
  });
}

extern "C" HRESULT STDAPICALLTYPE tavrosk_unregister_server() noexcept {
  using namespace tavrosk::com;
  return entry_point([] {
    for (const Coclass& coclass : coclasses()) unregister_class(HKEY_CLASSES_ROOT, coclass);
    ITypeLib* library = type_library();
    TLIBATTR* attributes = nullptr;
    if (library == nullptr || FAILED(library->GetLibAttr(&attributes))) return SELFREG_E_TYPELIB;
    TLIBATTR registered = *attributes;
    library->ReleaseTLibAttr(attributes);
    // A library that was never registered is no failure of unregistering.
    HRESULT hr = UnRegisterTypeLib(LIBID_Tavrosk, registered.wMajorVerNum, registered.wMinorVerNum,
                                   registered.lcid, registered.syskind);
    return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK
                                                                                         : hr;
  });
}

// regsvr32 /n /i:user registers for the current user, /u /n /i:user unregisters; without "user"
// it registers for the machine like DllRegisterServer.
extern "C" HRESULT STDAPICALLTYPE tavrosk_install(BOOL install, LPCWSTR command_line) noexcept {
  using namespace tavrosk::com;
  bool per_user = command_line != nullptr && _wcsicmp(command_line, L"user") == 0;
  if (command_line != nullptr && *command_line != L'\0' && !per_user) return E_INVALIDARG;
  if (!per_user) return install ? tavrosk_register_server() : tavrosk_unregister_server();
  return entry_point([&] { return install ? register_for_user() : unregister_for_user(); });
}
