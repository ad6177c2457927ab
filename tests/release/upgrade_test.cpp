// The setup program over an installed release: the same sources built as an older version
// (TAVROSK_OLDER_SETUP) installed first, per machine or per user, then this release's setup
// program run silently without a scope switch. It takes the older one's place: one Add/Remove
// Programs entry, in the same hive, with the new version; in the folder exactly the new release's
// files, byte for byte; both widths registered to them and to the new type library version, none
// of the old one's keys left. The older setup program run over the newer one ends with exit code
// 6 and changes nothing. The uninstaller then leaves nothing of either.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "release_support.h"
#include "tavrosk.h"

#ifdef TAVROSK_OLDER_SETUP

namespace tavrosk::release_testing {
namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrosk";
// The setup program's exit code for a newer release already installed.
constexpr DWORD kNewerInstalled = 6;

std::wstring wide(const char* text) {
  return std::wstring(text, text + strlen(text));
}

std::string narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// "1.0" of "1.0.0": the type library's version.
std::wstring major_minor(const char* version) {
  std::wstring text = wide(version);
  return text.substr(0, text.rfind(L'.'));
}

std::string contents(const std::wstring& path) {
  std::string bytes;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char block[65536];
    for (size_t read; (read = fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, read);
    fclose(file);
  }
  return bytes;
}

// Every file under `folder`, as paths relative to it.
void list_files(const std::wstring& folder, const std::wstring& prefix,
                std::set<std::wstring>* files) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      list_files(folder + L"\\" + name, prefix + name + L"\\", files);
    } else {
      files->insert(prefix + name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// The new release's files as staged: all of them but the other width's on 32-bit Windows.
std::set<std::wstring> new_release_files() {
  std::set<std::wstring> files;
  list_files(windows_path(TAVROSK_STAGE), L"", &files);
  if (!on_64_bit_windows()) {
    std::erase_if(files, [](const std::wstring& file) { return file.rfind(L"win64\\", 0) == 0; });
  }
  return files;
}

ProgramRun run_setup(const char* setup, const std::wstring& options) {
  return run_program(L"\"" + windows_path(setup) + L"\" /S" + options, std::wstring());
}

struct UpgradeCase {
  const char* label;
  const wchar_t* option;  // for the older release; the newer one is given none
  Scope scope;
};

class Upgrade : public ::testing::TestWithParam<UpgradeCase> {
 protected:
  HKEY root() const { return scope_root(GetParam().scope); }

  // The one entry of Add/Remove Programs, in the scope's hive, and its version.
  std::wstring entry_version() const {
    EXPECT_FALSE(key_exists(scope_root(other(GetParam().scope)), kUninstallKey));
    return registry_text(root(), kUninstallKey, L"DisplayVersion");
  }

  void expect_only_new_files(const std::wstring& folder) const {
    std::set<std::wstring> expected = new_release_files();
    expected.insert(L"Uninstall.exe");
    std::set<std::wstring> installed;
    list_files(folder, L"", &installed);
    EXPECT_EQ(installed, expected);
    std::wstring stage = windows_path(TAVROSK_STAGE);
    for (const std::wstring& file : new_release_files()) {
      EXPECT_EQ(contents(folder + L"\\" + file), contents(stage + L"\\" + file)) << narrow(file);
    }
  }

  // Each width's classes and the type library's new version name the new files, in the scope's
  // hive only; the older type library version is gone.
  void expect_registered_to(const std::wstring& folder) const {
    EXPECT_TRUE(registered_keys(scope_root(other(GetParam().scope))).empty());
    std::wstring library = L"TypeLib\\" + clsid_text(LIBID_Tavrosk) + L"\\";
    for (Width width : installed_widths()) {
      std::string label = narrow(folder_name(width));
      EXPECT_EQ(registered_keys(root(), width), registration_keys()) << label;
      std::wstring server = folder + L"\\" + folder_name(width) + L"\\Tavrosk.dll";
      for (const CLSID* clsid :
           {&CLSID_VB_PluginLib, &CLSID_PageInfoLib, &CLSID_ProgInfoLib, &CLSID_PlugInToolsLib}) {
        std::wstring key = L"CLSID\\" + clsid_text(*clsid) + L"\\InprocServer32";
        EXPECT_EQ(_wcsicmp(class_text(root(), width, key).c_str(), server.c_str()), 0) << label;
      }
      std::wstring registered = class_text(
          root(), width, library + major_minor(TAVROSK_VERSION) + type_library_platform(width));
      EXPECT_EQ(_wcsicmp(registered.c_str(), server.c_str()), 0) << label;
      EXPECT_FALSE(class_key_exists(root(), width, library + major_minor(TAVROSK_OLDER_VERSION)))
          << label;
    }
  }
};

TEST_P(Upgrade, ReplacesTheOlderReleaseRefusesTheWayBackAndUninstallsBoth) {
  ASSERT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  ASSERT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());
  ProgramRun older = run_setup(TAVROSK_OLDER_SETUP, std::wstring(L" ") + GetParam().option);
  ASSERT_EQ(older.exit_code, 0u) << older.output;
  ASSERT_EQ(entry_version(), wide(TAVROSK_OLDER_VERSION));
  std::wstring folder = registry_text(root(), kUninstallKey, L"InstallLocation");
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(file_version(folder + L"\\win32\\Tavrosk.dll").product_version,
            wide(TAVROSK_OLDER_VERSION));

  ProgramRun newer = run_setup(TAVROSK_SETUP, L"");
  ASSERT_EQ(newer.exit_code, 0u) << newer.output;
  EXPECT_EQ(entry_version(), wide(TAVROSK_VERSION));
  EXPECT_EQ(registry_text(root(), kUninstallKey, L"DisplayName"),
            L"Tavrosk " + wide(TAVROSK_VERSION));
  EXPECT_EQ(
      _wcsicmp(registry_text(root(), kUninstallKey, L"InstallLocation").c_str(), folder.c_str()),
      0);
  expect_only_new_files(folder);
  expect_registered_to(folder);

  // The way back is refused, and leaves the newer release as it was.
  ProgramRun downgrade = run_setup(TAVROSK_OLDER_SETUP, L"");
  EXPECT_EQ(downgrade.exit_code, kNewerInstalled) << downgrade.output;
  EXPECT_EQ(entry_version(), wide(TAVROSK_VERSION));
  expect_only_new_files(folder);
  expect_registered_to(folder);

  std::wstring quiet_uninstall = registry_text(root(), kUninstallKey, L"QuietUninstallString");
  ASSERT_FALSE(quiet_uninstall.empty());
  EXPECT_EQ(run_program(quiet_uninstall, std::wstring()).exit_code, 0u);
  EXPECT_TRUE(
      wait_until([&] { return !key_exists(root(), kUninstallKey) && !file_exists(folder); }, 60));
  EXPECT_FALSE(key_exists(scope_root(other(GetParam().scope)), kUninstallKey));
  EXPECT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  EXPECT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());
}

INSTANTIATE_TEST_SUITE_P(BothScopes, Upgrade,
                         ::testing::Values(UpgradeCase{"PerMachine", L"/AllUsers", Scope::machine},
                                           UpgradeCase{"PerUser", L"/CurrentUser", Scope::user}),
                         [](const ::testing::TestParamInfo<UpgradeCase>& c) {
                           return std::string(c.param.label);
                         });

}  // namespace
}  // namespace tavrosk::release_testing

#endif  // TAVROSK_OLDER_SETUP
