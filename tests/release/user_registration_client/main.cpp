// A plug-in that creates the classes as Windows' COM does for a per-user registration: from
// the server that HKCU\Software\Classes\CLSID\{...}\InprocServer32 names, in this program's
// registry view (Wow6432Node for 32-bit code on 64-bit Windows; Wine's COM reads the machine's
// classes only). It runs members of all four classes on both roads against the
// reference host of the current folder: its Zavoplex.dll directly, its running relay tool after
// DebugApp. Prints each failed check; the exit code is their number.
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tavrosk.h"

namespace {

int g_failures = 0;

void check(const char* what, bool passed) {
  if (passed) return;
  std::printf("FAIL %s\n", what);
  ++g_failures;
}

IDispatch* create(REFCLSID clsid) {
  wchar_t clsid_text[40] = {};
  StringFromGUID2(clsid, clsid_text, 40);
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  std::wstring key = std::wstring(wow64 ? L"Software\\Classes\\Wow6432Node\\CLSID\\"
                                        : L"Software\\Classes\\CLSID\\") +
                     clsid_text + L"\\InprocServer32";
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &handle) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  wchar_t server[MAX_PATH] = {};
  DWORD size = sizeof(server) - sizeof(wchar_t);
  LONG read =
      RegQueryValueExW(handle, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(server), &size);
  RegCloseKey(handle);
  if (read != ERROR_SUCCESS) return nullptr;
  // Loaded for the rest of the process, as COM keeps a server that has live objects.
  HMODULE library = LoadLibraryW(server);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get_class_object = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (get_class_object == nullptr ||
      FAILED(get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    return nullptr;
  }
  IDispatch* object = nullptr;
  factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));
  factory->Release();
  return object;
}

VARIANT number(long value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT flag(bool value) {
  VARIANT v;
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT text(const wchar_t* value) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(value);
  return v;
}

// A late-bound call by name, the arguments in their natural order; the result as text ("" on
// failure, which counts).
std::wstring call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments = {}) {
  std::wstring result;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT value;
  VariantInit(&value);
  if (object == nullptr || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id)) ||
      FAILED(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, &value, nullptr,
                            nullptr)) ||
      FAILED(VariantChangeType(&value, &value, VARIANT_ALPHABOOL, VT_BSTR))) {
    std::printf("FAIL call %ls\n", name);
    ++g_failures;
  } else if (V_VT(&value) == VT_BSTR && V_BSTR(&value) != nullptr) {
    result = V_BSTR(&value);
  }
  VariantClear(&value);
  for (VARIANT& argument : arguments) VariantClear(&argument);
  return result;
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) return 1;
  constexpr long kPluginWindow = 1312;
  IDispatch* ide = create(CLSID_VB_PluginLib);
  IDispatch* info = create(CLSID_PageInfoLib);
  IDispatch* programmer = create(CLSID_ProgInfoLib);
  IDispatch* tools = create(CLSID_PlugInToolsLib);
  check("the four classes created", ide && info && programmer && tools);

  check("Connect", call(ide, L"Connect", {number(kPluginWindow)}) == L"True");
  check("GetPageCount, direct", call(ide, L"GetPageCount") == L"2");
  check("GetPageInfo",
        call(info, L"GetPageInfo", {text(L"C:\\Projects\\Blink\\main.bas")}) == L"True");
  check("Device", call(info, L"Device") == L"KX-A4550");
  check("GetProgrammerInfo",
        call(programmer, L"GetProgrammerInfo", {text(L"ProbeWriter")}) == L"True");
  check("Path", call(programmer, L"Path") == L"C:\\Programmers\\ProbeWriter\\");
  check("IsKorvexIdeRunning", call(tools, L"IsKorvexIdeRunning") == L"True");

  check("DebugApp True", call(ide, L"DebugApp", {number(kPluginWindow), flag(true)}) == L"True");
  check("GetPageCount, relayed", call(ide, L"GetPageCount") == L"2");
  check("GetPage, relayed", call(ide, L"GetPage") == L"C:\\Projects\\Blink\\main.bas");
  call(ide, L"DebugApp", {number(kPluginWindow), flag(false)});

  for (IDispatch* object : {ide, info, programmer, tools}) {
    if (object) object->Release();
  }
  CoUninitialize();
  return g_failures;
}
