// regsvr32 of each width registers the staged Tavrosk.dll of that width, for the current user
// only (regsvr32 /n /i:user, no administrator: every key under HKCU\Software\Classes) or for the
// machine: its CLSID and Interface keys in its own registry view, the shared ProgIDs and the
// type library's subkey of its platform. Unregistering one width leaves the other's
// registration whole; unregistering both removes every key.
#include <gtest/gtest.h>

#include "release_support.h"
#include "tavrosk.h"

namespace tavrosk::release_testing {
namespace {

struct ScopeCase {
  const char* label;
  const wchar_t* options;
  Scope scope;
};

class Registration : public ::testing::TestWithParam<ScopeCase> {
 protected:
  static std::wstring library(Width width) {
    return windows_path(TAVROSK_STAGE) + L"\\" + folder_name(width) + L"\\Tavrosk.dll";
  }
  DWORD regsvr32_of(Width width, const std::wstring& more) const {
    return regsvr32(width, L"/s " + more + GetParam().options, library(width));
  }

  // The width's registration as a client of that width reads it.
  void expect_registered(Width width) const {
    HKEY root = scope_root(GetParam().scope);
    std::string label(folder_name(width), folder_name(width) + 5);
    EXPECT_EQ(registered_keys(root, width), registration_keys()) << label;
    std::wstring server =
        class_text(root, width, L"CLSID\\" + clsid_text(CLSID_PageInfoLib) + L"\\InprocServer32");
    EXPECT_EQ(_wcsicmp(server.c_str(), library(width).c_str()), 0) << label;
    EXPECT_EQ(class_text(root, width, L"Tavrosk.PageInfoLib\\CLSID"),
              clsid_text(CLSID_PageInfoLib));
    std::wstring type_library = L"TypeLib\\" + clsid_text(LIBID_Tavrosk) + L"\\1.0";
    EXPECT_EQ(_wcsicmp(class_text(root, width, type_library + type_library_platform(width)).c_str(),
                       library(width).c_str()),
              0)
        << label;
    std::wstring interface_key = L"Interface\\" + clsid_text(IID__PageInfoLib);
    EXPECT_EQ(class_text(root, width, interface_key), L"_PageInfoLib") << label;
    EXPECT_EQ(class_text(root, width, interface_key + L"\\TypeLib"), clsid_text(LIBID_Tavrosk));
    EXPECT_EQ(class_text(root, width, interface_key + L"\\ProxyStubClsid32"),
              L"{00020424-0000-0000-C000-000000000046}");
  }

  void expect_nothing_registered() const {
    EXPECT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());
    EXPECT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  }
};

TEST_P(Registration, EachWidthInItsOwnViewAndUnregisteringOneLeavesTheOther) {
  std::vector<Width> widths = installed_widths();
  ASSERT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  ASSERT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());

  for (Width width : widths) ASSERT_EQ(regsvr32_of(width, L""), 0u);
  for (Width width : widths) expect_registered(width);
  EXPECT_TRUE(registered_keys(scope_root(other(GetParam().scope))).empty());

  // The first width goes; the last one stays registered whole, then goes too.
  for (size_t gone = 0; gone < widths.size(); ++gone) {
    ASSERT_EQ(regsvr32_of(widths[gone], L"/u "), 0u);
    HKEY root = scope_root(GetParam().scope);
    for (const std::wstring& key : registration_keys()) {
      if (key.rfind(L"CLSID\\", 0) == 0 || key.rfind(L"Interface\\", 0) == 0) {
        EXPECT_FALSE(class_key_exists(root, widths[gone], key))
            << std::string(key.begin(), key.end());
      }
    }
    std::wstring type_library = L"TypeLib\\" + clsid_text(LIBID_Tavrosk) + L"\\1.0";
    EXPECT_FALSE(
        class_key_exists(root, widths[gone], type_library + type_library_platform(widths[gone])));
    for (size_t kept = gone + 1; kept < widths.size(); ++kept) expect_registered(widths[kept]);
  }
  expect_nothing_registered();
  // Removing what is not there is no failure.
  for (Width width : widths) EXPECT_EQ(regsvr32_of(width, L"/u "), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothScopes, Registration,
                         ::testing::Values(ScopeCase{"PerUser", L"/n /i:user", Scope::user},
                                           ScopeCase{"PerMachine", L"", Scope::machine}),
                         [](const ::testing::TestParamInfo<ScopeCase>& c) {
                           return std::string(c.param.label);
                         });

}  // namespace
}  // namespace tavrosk::release_testing
