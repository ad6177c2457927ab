// regsvr32 /n /i:user registers the released Tavrosk.dll for the current user only, with no
// administrator: every key under HKCU\Software\Classes, none of the machine's. regsvr32 /u /n
// /i:user removes every one of them again.
#include <gtest/gtest.h>

#include "release_support.h"
#include "tavrosk.h"

namespace tavrosk::release_testing {
namespace {

DWORD regsvr32(const std::wstring& options, const std::wstring& library) {
  return run_program(L"regsvr32 " + options + L" \"" + library + L"\"", std::wstring()).exit_code;
}

TEST(UserRegistration, WritesEveryKeyUnderTheUsersClassesAndRemovesThemAll) {
  std::wstring library = windows_path(TAVROSK_STAGE) + L"\\Tavrosk.dll";
  ASSERT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  ASSERT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());

  ASSERT_EQ(regsvr32(L"/s /n /i:user", library), 0u);
  EXPECT_EQ(registered_keys(HKEY_CURRENT_USER), registration_keys());
  EXPECT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  std::wstring classes = L"Software\\Classes\\";
  std::wstring server =
      registry_text(HKEY_CURRENT_USER,
                    classes + L"CLSID\\" + clsid_text(CLSID_PageInfoLib) + L"\\InprocServer32");
  EXPECT_EQ(_wcsicmp(server.c_str(), library.c_str()), 0);
  EXPECT_EQ(registry_text(HKEY_CURRENT_USER, classes + L"Tavrosk.PageInfoLib\\CLSID"),
            clsid_text(CLSID_PageInfoLib));
  std::wstring type_library = classes + L"TypeLib\\" + clsid_text(LIBID_Tavrosk) + L"\\1.0";
  EXPECT_EQ(_wcsicmp(registry_text(HKEY_CURRENT_USER, type_library + kTypeLibraryPlatform).c_str(),
                     library.c_str()),
            0);
  std::wstring interface_key = classes + L"Interface\\" + clsid_text(IID__PageInfoLib);
  EXPECT_EQ(registry_text(HKEY_CURRENT_USER, interface_key), L"_PageInfoLib");
  EXPECT_EQ(registry_text(HKEY_CURRENT_USER, interface_key + L"\\TypeLib"),
            clsid_text(LIBID_Tavrosk));
  EXPECT_EQ(registry_text(HKEY_CURRENT_USER, interface_key + L"\\ProxyStubClsid32"),
            L"{00020424-0000-0000-C000-000000000046}");

  ASSERT_EQ(regsvr32(L"/u /s /n /i:user", library), 0u);
  EXPECT_TRUE(registered_keys(HKEY_CURRENT_USER).empty());
  EXPECT_TRUE(registered_keys(HKEY_LOCAL_MACHINE).empty());
  // Removing what is not there is no failure.
  EXPECT_EQ(regsvr32(L"/u /s /n /i:user", library), 0u);
}

}  // namespace
}  // namespace tavrosk::release_testing
