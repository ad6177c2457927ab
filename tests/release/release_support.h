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

// Where a type library's version names its server: the platform of the DLL's own width.
inline constexpr const wchar_t* kTypeLibraryPlatform =
    sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32";

bool key_exists(HKEY root, const std::wstring& key);
// A string value; "" when it or its key is missing.
std::wstring registry_text(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);

// The keys that registering Tavrosk.dll writes, relative to Software\Classes: the four ProgIDs
// and CLSIDs, the type library and its four interfaces.
std::vector<std::wstring> registration_keys();
// Those of them present under root\Software\Classes.
std::vector<std::wstring> registered_keys(HKEY root);
std::wstring clsid_text(REFGUID guid);

using testing::ProgramRun;
// Runs a program to its end in `folder` (see program_run.h).
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

// The reference relay tool of an installation, started from there, until the end of the scope.
class InstalledRelayTool {
 public:
  explicit InstalledRelayTool(const std::wstring& program);
  ~InstalledRelayTool();
  InstalledRelayTool(const InstalledRelayTool&) = delete;
  InstalledRelayTool& operator=(const InstalledRelayTool&) = delete;
  bool running() const { return window_ != nullptr; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace tavrosk::release_testing
