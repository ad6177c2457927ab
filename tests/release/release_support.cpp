#include "release_support.h"

#include <oleauto.h>

#include <thread>

#include "tavrosk.h"

namespace tavrosk::release_testing {

std::wstring windows_path(const char* build_path) {
  std::wstring path = L"Z:";
  for (const char* c = build_path; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

HKEY scope_root(Scope scope) {
  return scope == Scope::machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

Scope other(Scope scope) {
  return scope == Scope::machine ? Scope::user : Scope::machine;
}

bool key_exists(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::wstring registry_text(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t value[2048] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value;
}

std::wstring clsid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::vector<std::wstring> registration_keys() {
  std::vector<std::wstring> keys = {L"Tavrosk.VB_PluginLib", L"Tavrosk.PageInfoLib",
                                    L"Tavrosk.ProgInfoLib", L"Tavrosk.PlugInToolsLib",
                                    L"TypeLib\\" + clsid_text(LIBID_Tavrosk)};
  for (const CLSID* clsid :
       {&CLSID_VB_PluginLib, &CLSID_PageInfoLib, &CLSID_ProgInfoLib, &CLSID_PlugInToolsLib}) {
    keys.push_back(L"CLSID\\" + clsid_text(*clsid));
  }
  for (const IID* iid :
       {&IID__VB_PluginLib, &IID__PageInfoLib, &IID__ProgInfoLib, &IID__PlugInToolsLib}) {
    keys.push_back(L"Interface\\" + clsid_text(*iid));
  }
  return keys;
}

std::vector<std::wstring> registered_keys(HKEY root) {
  std::vector<std::wstring> present;
  for (const std::wstring& key : registration_keys()) {
    if (key_exists(root, L"Software\\Classes\\" + key)) present.push_back(key);
  }
  return present;
}

namespace {

void pump_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

ProgramRun run_program(const std::wstring& command_line, const std::wstring& folder) {
  return testing::run_program_in(command_line, folder);
}

bool wait_until(const std::function<bool()>& condition, int seconds) {
  for (int tenth = 0; tenth < seconds * 10; ++tenth) {
    if (condition()) return true;
    pump_messages();
    Sleep(100);
  }
  return condition();
}

bool file_exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileVersion file_version(const std::wstring& path) {
  FileVersion version;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return version;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return version;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    version.fixed = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                    std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                    std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                    std::to_wstring(LOWORD(fixed->dwFileVersionLS));
  }
  // The strings stand in the block of the first translation, "<language><code page>".
  WORD* translation = nullptr;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      translation == nullptr || length < 2 * sizeof(WORD)) {
    return version;
  }
  wchar_t block[16] = {};
  for (int i = 0; i < 8; ++i) {
    unsigned digit =
        ((static_cast<unsigned>(translation[0]) << 16 | translation[1]) >> (28 - 4 * i)) & 15u;
    block[i] = L"0123456789abcdef"[digit];
  }
  auto text = [&](const wchar_t* name) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
    wchar_t* value = nullptr;
    UINT characters = 0;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value),
                        &characters) ||
        value == nullptr) {
      return std::wstring();
    }
    return std::wstring(value);
  };
  version.file_version = text(L"FileVersion");
  version.product_version = text(L"ProductVersion");
  version.product_name = text(L"ProductName");
  version.original_filename = text(L"OriginalFilename");
  return version;
}

IdeWindowStandIn::IdeWindowStandIn() {
  window_ = CreateWindowExW(0, L"STATIC", L"Korvex IDE", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

IdeWindowStandIn::~IdeWindowStandIn() {
  if (window_) DestroyWindow(window_);
}

InstalledRelayTool::InstalledRelayTool(const std::wstring& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring line = L"\"" + program + L"\"";
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_)) {
    return;
  }
  wait_until(
      [&] {
        window_ = FindWindowW(nullptr, L"Debug VB Application");
        return window_ != nullptr;
      },
      30);
}

InstalledRelayTool::~InstalledRelayTool() {
  if (process_.hProcess == nullptr) return;
  // Closed as the user closes it; it must be gone before its files can be removed.
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
  if (!wait_until([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, 10)) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

}  // namespace tavrosk::release_testing
