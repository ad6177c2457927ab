// regsvr32 registers and unregisters Tavrosk.dll; once unregistered no client can create its
// classes. The program registers the DLL before its first test.
#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

const wchar_t* const kProgIds[] = {L"Tavrosk.VB_PluginLib", L"Tavrosk.PageInfoLib",
                                   L"Tavrosk.ProgInfoLib", L"Tavrosk.PlugInToolsLib"};
const CLSID* const kClsids[] = {&CLSID_VB_PluginLib, &CLSID_PageInfoLib, &CLSID_ProgInfoLib,
                                &CLSID_PlugInToolsLib};

DWORD regsvr32(const wchar_t* options) {
  std::wstring line =
      std::wstring(L"regsvr32 ") + options + L" \"" + program_folder() + L"Tavrosk.dll\"";
  return run_program(line).exit_code;
}

class RegisteredServer : public ::testing::Environment {
 public:
  void SetUp() override {
    // The test's own thread is an apartment too: relayed scenarios run on it.
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(regsvr32(L"/s"), 0u);
  }
};
const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new RegisteredServer);

std::wstring guid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// The value of HKCR\<key> (the default value when `name` is null); "" when it is missing.
std::wstring registry_text(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return value;
}

bool key_exists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

bool type_library_registered() {
  ITypeLib* library = nullptr;
  if (FAILED(LoadRegTypeLib(LIBID_Tavrosk, 1, 0, LOCALE_NEUTRAL, &library))) return false;
  library->Release();
  return true;
}

class Registration : public WindowsTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(regsvr32(L"/s"), 0u);  // the other tests need the classes
    WindowsTest::TearDown();
  }
};

TEST_F(Registration, RegistersEveryClassUnderItsProgIdWithAnApartmentInProcessServer) {
  std::wstring server = program_folder() + L"Tavrosk.dll";
  for (int i = 0; i < 4; ++i) {
    std::wstring clsid = guid_text(*kClsids[i]);
    std::wstring key = L"CLSID\\" + clsid;
    EXPECT_EQ(registry_text(std::wstring(kProgIds[i]) + L"\\CLSID"), clsid) << kProgIds[i];
    EXPECT_EQ(registry_text(key + L"\\ProgID"), kProgIds[i]);
    EXPECT_EQ(_wcsicmp(registry_text(key + L"\\InprocServer32").c_str(), server.c_str()), 0)
        << kProgIds[i];
    EXPECT_EQ(registry_text(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    CLSID from_prog_id{};
    EXPECT_EQ(CLSIDFromProgID(kProgIds[i], &from_prog_id), S_OK);
    EXPECT_TRUE(IsEqualCLSID(from_prog_id, *kClsids[i]));
  }
  EXPECT_TRUE(type_library_registered());
}

TEST_F(Registration, UnregisteringRemovesEveryKeyAndTheTypeLibrarySoCreationFails) {
  ASSERT_EQ(regsvr32(L"/u /s"), 0u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(key_exists(kProgIds[i])) << kProgIds[i];
    EXPECT_FALSE(key_exists(L"CLSID\\" + guid_text(*kClsids[i]))) << kProgIds[i];
  }
  EXPECT_FALSE(type_library_registered());
  run_in_apartment([] {
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_PlugInToolsLib, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
  });
  // A script's CreateObject fails as well: the script reports its Err.Number as exit code.
  ProgramRun script = run_script(L"create_tools.vbs");
  EXPECT_EQ(script.exit_code, 429u) << script.output;

  // Registering again brings the classes back.
  ASSERT_EQ(regsvr32(L"/s"), 0u);
  script = run_script(L"create_tools.vbs");
  EXPECT_EQ(script.exit_code, 0u) << script.output;
}

}  // namespace
}  // namespace tavrosk::testing
