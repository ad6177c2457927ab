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

const wchar_t* folder_name(Width width) {
  return width == Width::win64 ? L"win64" : L"win32";
}

bool on_64_bit_windows() {
  if (sizeof(void*) == 8) return true;
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::vector<Width> installed_widths() {
  if (sizeof(void*) == 8) return {Width::win64};
  if (on_64_bit_windows()) return {Width::win32, Width::win64};
  return {Width::win32};
}

std::wstring type_library_platform(Width width) {
  return std::wstring(L"\\0\\") + folder_name(width);
}

namespace {

// The literal path, whatever this program's width.
constexpr REGSAM kLiteralView = KEY_WOW64_64KEY;

// Where root\Software\Classes\<key> lies for a program of the width.
std::wstring class_path(Width width, const std::wstring& key) {
  bool redirected = (key.rfind(L"CLSID\\", 0) == 0 || key.rfind(L"Interface\\", 0) == 0) &&
                    width == Width::win32 && on_64_bit_windows();
  return redirected ? L"Software\\Classes\\Wow6432Node\\" + key : L"Software\\Classes\\" + key;
}

bool open_exists(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

std::wstring text_of(HKEY root, const std::wstring& path, const wchar_t* name, REGSAM view) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return {};
  wchar_t value[2048] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  LONG read = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  return read == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring();
}

}  // namespace

bool key_exists(HKEY root, const std::wstring& key) {
  return open_exists(root, key, 0);
}

bool class_key_exists(HKEY root, Width width, const std::wstring& key) {
  return open_exists(root, class_path(width, key), kLiteralView);
}

std::wstring registry_text(HKEY root, const std::wstring& key, const wchar_t* name) {
  return text_of(root, key, name, 0);
}

std::wstring class_text(HKEY root, Width width, const std::wstring& key, const wchar_t* name) {
  return text_of(root, class_path(width, key), name, kLiteralView);
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

std::vector<std::wstring> registered_keys(HKEY root, Width width) {
  std::vector<std::wstring> present;
  for (const std::wstring& key : registration_keys()) {
    if (class_key_exists(root, width, key)) present.push_back(key);
  }
  return present;
}

std::vector<std::wstring> registered_keys(HKEY root) {
  std::vector<std::wstring> present;
  for (const std::wstring& key : registration_keys()) {
    if (class_key_exists(root, Width::win32, key) || class_key_exists(root, Width::win64, key)) {
      present.push_back(key);
    }
  }
  return present;
}

DWORD regsvr32(Width width, const std::wstring& options, const std::wstring& library) {
  return run_program(
             system_program(width, L"regsvr32.exe") + L" " + options + L" \"" + library + L"\"",
             std::wstring())
      .exit_code;
}

std::wstring system_program(Width width, const wchar_t* name) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const wchar_t* system =
      width == Width::win32 && on_64_bit_windows() ? L"\\SysWOW64\\" : L"\\System32\\";
  return L"\"" + std::wstring(windows) + system + name + L"\"";
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
  // This thread's view of System32 is the 64-bit one while the program starts.
  void* redirection = nullptr;
  bool unredirected =
      sizeof(void*) == 4 && on_64_bit_windows() && Wow64DisableWow64FsRedirection(&redirection);
  ProgramRun run = testing::run_program_in(command_line, folder);
  if (unredirected) Wow64RevertWow64FsRedirection(redirection);
  return run;
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

InstalledRelayTool::InstalledRelayTool(const std::wstring& program, const std::wstring& arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring line = L"\"" + program + L"\" " + arguments;
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
