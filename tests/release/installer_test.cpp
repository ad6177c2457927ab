// The setup program as a user runs it, silently: per machine (/AllUsers) and per user
// (/CurrentUser; under Wine every program runs as an administrator, so the switch chooses).
// After the install, the files and keys are where the scope puts them and nowhere else: each
// width's Tavrosk.dll in its folder (the 64-bit one on 64-bit Windows only), registered in its
// own registry view; every shipped binary carries the release's version, and plug-ins of each
// width create the four classes and run members against the installed reference host: on both
// roads where the client has the host's width, and a 64-bit one on the relay road with the
// direct road's missing-library error. After the silent uninstall that Add/Remove Programs
// would start, nothing is left in either view.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "release_support.h"
#include "tavrosk.h"

namespace tavrosk::release_testing {
namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrosk";

std::wstring wide(const char* text) {
  return std::wstring(text, text + strlen(text));
}

// The build's setup program, or the one that the signing test names (signed_release.sh).
std::wstring setup_program() {
  const wchar_t* given = _wgetenv(L"TAVROSK_SETUP_UNDER_TEST");
  return given && *given ? std::wstring(given) : windows_path(TAVROSK_SETUP);
}

std::vector<std::wstring> reference_host_files() {
  std::vector<std::wstring> names;
  std::wstring list = wide(TAVROSK_REFERENCE_HOST_FILES);
  for (size_t start = 0, bar; start <= list.size(); start = bar + 1) {
    bar = list.find(L'|', start);
    if (bar == std::wstring::npos) bar = list.size();
    names.push_back(list.substr(start, bar - start));
  }
  return names;
}

std::wstring known_folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

struct InstallCase {
  const char* label;
  const wchar_t* option;
  Scope scope;
};

class Installer : public ::testing::TestWithParam<InstallCase> {
 protected:
  std::wstring expected_folder() const {
    return GetParam().scope == Scope::machine
               ? known_folder(CSIDL_PROGRAM_FILES) + L"\\Tavrosk"
               : known_folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tavrosk";
  }

  // Every key under the scope's classes in each width's view, none under the other scope's.
  void expect_registered(const std::wstring& folder) const {
    HKEY root = scope_root(GetParam().scope);
    EXPECT_TRUE(registered_keys(scope_root(other(GetParam().scope))).empty());
    for (Width width : installed_widths()) {
      std::string label(folder_name(width), folder_name(width) + 5);
      EXPECT_EQ(registered_keys(root, width), registration_keys()) << label;
      std::wstring server = folder + L"\\" + folder_name(width) + L"\\Tavrosk.dll";
      for (const CLSID* clsid :
           {&CLSID_VB_PluginLib, &CLSID_PageInfoLib, &CLSID_ProgInfoLib, &CLSID_PlugInToolsLib}) {
        std::wstring key = L"CLSID\\" + clsid_text(*clsid) + L"\\InprocServer32";
        EXPECT_EQ(_wcsicmp(class_text(root, width, key).c_str(), server.c_str()), 0) << label;
        EXPECT_EQ(class_text(root, width, key, L"ThreadingModel"), L"Apartment") << label;
      }
      std::wstring library = L"TypeLib\\" + clsid_text(LIBID_Tavrosk) + L"\\1.0";
      EXPECT_EQ(_wcsicmp(class_text(root, width, library + type_library_platform(width)).c_str(),
                         server.c_str()),
                0)
          << label;
    }
  }

  void expect_release_version(const std::wstring& binary) const {
    FileVersion version = file_version(binary);
    std::string name(binary.begin(), binary.end());
    EXPECT_EQ(version.fixed, wide(TAVROSK_VERSION) + L".0") << name;
    EXPECT_EQ(version.file_version, wide(TAVROSK_VERSION)) << name;
    EXPECT_EQ(version.product_version, wide(TAVROSK_VERSION)) << name;
    EXPECT_EQ(version.product_name, L"Tavrosk") << name;
    std::wstring file_name = binary.substr(binary.find_last_of(L'\\') + 1);
    EXPECT_EQ(_wcsicmp(version.original_filename.c_str(), file_name.c_str()), 0) << name;
  }

  void run_plugins(const std::wstring& folder) const {
    std::wstring host = folder + L"\\ReferenceHost";
    IdeWindowStandIn ide;
    InstalledRelayTool relay_tool(host + L"\\" + wide(TAVROSK_RELAY_TOOL));
    ASSERT_TRUE(relay_tool.running());
    if (GetParam().scope == Scope::machine) {
      // The script host's CreateObject finds the classes through the machine's registration;
      // the direct road loads the installed Zavoplex.dll from the current folder, where a
      // client of the other width finds one that it cannot load.
      std::wstring scripts = windows_path(TAVROSK_SCRIPT_FOLDER);
      for (Width width : installed_widths()) {
        std::string label(folder_name(width), folder_name(width) + 5);
        std::wstring cscript = system_program(width, L"cscript.exe") + L" //nologo \"" + scripts;
        ProgramRun relay = run_program(cscript + L"\\both_roads.vbs\" relay", host);
        EXPECT_EQ(relay.exit_code, 0u) << label << relay.output;
        ProgramRun direct = width == kOwnWidth
                                ? run_program(cscript + L"\\both_roads.vbs\" direct", host)
                                : run_program(cscript + L"\\direct_without_library.vbs\"", host);
        EXPECT_EQ(direct.exit_code, 0u) << label << direct.output;
      }
    } else {
      // Wine's COM reads the machine's classes only; the client creates the classes from the
      // server that the user's keys name, as Windows' COM does for a per-user registration.
      ProgramRun run = run_program(L"\"" + windows_path(TAVROSK_USER_CLIENT) + L"\"", host);
      EXPECT_EQ(run.exit_code, 0u) << run.output;
    }
  }
};

TEST_P(Installer, InstallsRegistersServesAPluginAndUninstallsWithoutATrace) {
  const InstallCase& c = GetParam();
  HKEY root = scope_root(c.scope);
  ASSERT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  ASSERT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());

  ProgramRun setup = run_program(L"\"" + setup_program() + L"\" /S " + c.option, std::wstring());
  ASSERT_EQ(setup.exit_code, 0u) << setup.output;

  // Add/Remove Programs' entry, in the scope's own hive.
  std::wstring folder = registry_text(root, kUninstallKey, L"InstallLocation");
  EXPECT_EQ(_wcsicmp(folder.c_str(), expected_folder().c_str()), 0);
  EXPECT_EQ(registry_text(root, kUninstallKey, L"DisplayName"),
            L"Tavrosk " + wide(TAVROSK_VERSION));
  EXPECT_EQ(registry_text(root, kUninstallKey, L"DisplayVersion"), wide(TAVROSK_VERSION));
  EXPECT_EQ(registry_text(root, kUninstallKey, L"Publisher"), L"The Tavrosk developers");
  EXPECT_NE(registry_text(root, kUninstallKey, L"UninstallString").find(L"Uninstall.exe"),
            std::wstring::npos);
  std::wstring quiet_uninstall = registry_text(root, kUninstallKey, L"QuietUninstallString");
  EXPECT_NE(quiet_uninstall.find(L"/S"), std::wstring::npos);
  EXPECT_FALSE(key_exists(scope_root(other(c.scope)), kUninstallKey));

  // The reference host in a folder of its own: its Zavoplex.dll never beside Tavrosk.dll.
  std::vector<std::wstring> installed = {L"README.txt", L"LICENSE.txt", L"Uninstall.exe",
                                         L"Examples\\plugin_demo.vbs"};
  for (Width width : installed_widths()) {
    for (const wchar_t* name : {L"Tavrosk.dll", L"Tavrosk.tlb", L"Tavrosk.dll.debug"}) {
      installed.push_back(folder_name(width) + std::wstring(L"\\") + name);
    }
  }
  if (!on_64_bit_windows()) {
    EXPECT_FALSE(file_exists(folder + L"\\win64"));
  }
  for (const std::wstring& name : reference_host_files()) {
    installed.push_back(L"ReferenceHost\\" + name);
    EXPECT_FALSE(file_exists(folder + L"\\" + name));
  }
  for (const std::wstring& name : installed) {
    EXPECT_TRUE(file_exists(folder + L"\\" + name)) << std::string(name.begin(), name.end());
  }
  expect_registered(folder);

  for (Width width : installed_widths()) {
    expect_release_version(folder + L"\\" + folder_name(width) + L"\\Tavrosk.dll");
  }
  for (const std::wstring& name : reference_host_files()) {
    expect_release_version(folder + L"\\ReferenceHost\\" + name);
  }
  run_plugins(folder);

  // The uninstaller copies itself away and returns at once: its work is done when its entry
  // and the folder are gone.
  ASSERT_FALSE(quiet_uninstall.empty());
  ProgramRun uninstall = run_program(quiet_uninstall, std::wstring());
  EXPECT_EQ(uninstall.exit_code, 0u) << uninstall.output;
  EXPECT_TRUE(
      wait_until([&] { return !key_exists(root, kUninstallKey) && !file_exists(folder); }, 60));
  EXPECT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  EXPECT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());
}

INSTANTIATE_TEST_SUITE_P(BothScopes, Installer,
                         ::testing::Values(InstallCase{"PerMachine", L"/AllUsers", Scope::machine},
                                           InstallCase{"PerUser", L"/CurrentUser", Scope::user}),
                         [](const ::testing::TestParamInfo<InstallCase>& c) {
                           return std::string(c.param.label);
                         });

TEST(SetupProgram, CarriesTheReleaseVersion) {
  FileVersion version = file_version(setup_program());
  EXPECT_EQ(version.product_version, wide(TAVROSK_VERSION));
  EXPECT_EQ(version.product_name, L"Tavrosk");
}

}  // namespace
}  // namespace tavrosk::release_testing
