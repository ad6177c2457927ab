#pragma once
// What the release tests share: the release's files from the build, programs run to their end
// while this thread answers its windows' messages, the registry read as a client reads it, and
// the keys that a registration of Tavrosk.dll writes under a classes root.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32/program_run.h"

namespace tavrosk::release_testing {

// A path of the build as Windows programs under Wine see it ("Z:\...").
std::wstring windows_path(const char* build_path);

// The two places a registration goes: the machine's classes (HKCR is
// HKLM\Software\Classes) or the current user's (HKCU\Software\Classes).
enum class Scope { machine, user };
HKEY scope_root(Scope scope);
Scope other(Scope scope);

// The two widths of Tavrosk.dll, each in a folder of the release named after it, registered in
// its own registry view. This program's own width serves where only one is built.
enum class Width { win32, win64 };
inline constexpr Width kOwnWidth = sizeof(void*) == 8 ? Width::win64 : Width::win32;
const wchar_t* folder_name(Width width);
bool on_64_bit_windows();
// The widths that an installation on this system has.
std::vector<Width> installed_widths();

// Where a type library's version names its server: the platform subkey of the width.
std::wstring type_library_platform(Width width);

// Keys and values as a program of the width sees them under root\Software\Classes: its own
// CLSID and Interface keys (the 32-bit ones in Wow6432Node on 64-bit Windows, read by that path
// because Wine redirects no user key), and the ProgIDs and type library that both share. Keys
// are given relative to Software\Classes.
bool key_exists(HKEY root, const std::wstring& key);  // a path of its own, not under Classes
bool class_key_exists(HKEY root, Width width, const std::wstring& key);
// A string value; "" when it or its key is missing.
std::wstring registry_text(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);
std::wstring class_text(HKEY root, Width width, const std::wstring& key,
                        const wchar_t* name = nullptr);

// The keys that registering Tavrosk.dll writes, relative to Software\Classes: the four ProgIDs
// and CLSIDs, the type library and its four interfaces.
std::vector<std::wstring> registration_keys();
// Those of them present in the width's view.
std::vector<std::wstring> registered_keys(HKEY root, Width width);
// Those present in either view.
std::vector<std::wstring> registered_keys(HKEY root);
std::wstring clsid_text(REFGUID guid);

// The regsvr32 of the width (the 64-bit one reached past the file system's redirection), with
// its options, on a DLL; its exit code.
DWORD regsvr32(Width width, const std::wstring& options, const std::wstring& library);
// A program of the system folder of the width ("cscript.exe" ...) as a command's first word.
std::wstring system_program(Width width, const wchar_t* name);

using testing::ProgramRun;
// Runs a program to its end in `folder` (see program_run.h); a 64-bit system program is found
// past the file system's redirection.
ProgramRun run_program(const std::wstring& command_line, const std::wstring& folder);
// Polls `condition` for up to `seconds`, answering window messages between polls.
bool wait_until(const std::function<bool()>& condition, int seconds);

bool file_exists(const std::wstring& path);

// The version resource of a binary, as GetFileVersionInfo reads it.
struct FileVersion {
  std::wstring fixed;  // "major.minor.patch.build" of the fixed part
  std::wstring file_version;
  std::wstring product_version;
  std::wstring product_name;
  std::wstring original_filename;
};
FileVersion file_version(const std::wstring& path);

// A top-level window titled "Korvex IDE", so that creating a VB_PluginLib finds the IDE. It
// takes no relayed line: the relay tool answers from its own model.
class IdeWindowStandIn {
 public:
  IdeWindowStandIn();
  ~IdeWindowStandIn();
  IdeWindowStandIn(const IdeWindowStandIn&) = delete;
  IdeWindowStandIn& operator=(const IdeWindowStandIn&) = delete;

 private:
  HWND window_ = nullptr;
};

// A reference relay tool (of an installation, or a build's host program), started with its
// arguments, until the end of the scope.
class InstalledRelayTool {
 public:
  explicit InstalledRelayTool(const std::wstring& program, const std::wstring& arguments = L"");
  ~InstalledRelayTool();
  InstalledRelayTool(const InstalledRelayTool&) = delete;
  InstalledRelayTool& operator=(const InstalledRelayTool&) = delete;
  bool running() const { return window_ != nullptr; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace tavrosk::release_testing
