// The DLL's exports and class objects called as the system calls them, with what makes each
// fail: every failure is a status (and nothing is left behind), never the end of the process.
#include <olectl.h>

#include "com/com_client.h"

namespace tavrosk::testing {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using NoArguments = HRESULT(STDAPICALLTYPE*)();
using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

// An export of Tavrosk.dll, loaded beside this program.
template <class Function>
Function export_of(const char* name) {
  static const HMODULE dll = LoadLibraryW((program_folder() + L"Tavrosk.dll").c_str());
  void* found = reinterpret_cast<void*>(GetProcAddress(dll, name));
  EXPECT_NE(found, nullptr) << name;
  return reinterpret_cast<Function>(found);
}

std::wstring guid_text(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

bool key_exists(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// A key that registration writes below, made volatile: the system refuses a lasting key under
// it (ERROR_CHILD_MUST_BE_VOLATILE), so registering fails at that class. Its parent is made a
// lasting key first; made along with the volatile key, it would be volatile too.
class VolatileKey {
 public:
  VolatileKey(HKEY root, const std::wstring& parent, const std::wstring& name) : name_(name) {
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, parent.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &parent_, nullptr) != ERROR_SUCCESS) {
      return;
    }
    HKEY key = nullptr;
    created_ = RegCreateKeyExW(parent_, name.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key, &disposition) == ERROR_SUCCESS &&
               disposition == REG_CREATED_NEW_KEY;
    if (key != nullptr) RegCloseKey(key);
  }
  ~VolatileKey() {
    if (parent_ == nullptr) return;
    RegDeleteTreeW(parent_, name_.c_str());
    RegDeleteKeyW(parent_, name_.c_str());
    RegCloseKey(parent_);
  }
  VolatileKey(const VolatileKey&) = delete;
  VolatileKey& operator=(const VolatileKey&) = delete;
  bool created() const { return created_; }

 private:
  std::wstring name_;
  HKEY parent_ = nullptr;
  bool created_ = false;
};

class ExportFailures : public WindowsTest {
 protected:
  void TearDown() override {
    // The other tests need the classes registered for the machine and none for the user.
    EXPECT_EQ(export_of<Install>("DllInstall")(FALSE, L"user"), S_OK);
    EXPECT_EQ(run_program(L"regsvr32 /s \"" + program_folder() + L"Tavrosk.dll\"").exit_code, 0u);
    WindowsTest::TearDown();
  }
};

TEST_F(ExportFailures, TheClassObjectsRefuseWhatTheyCannotServeAndLeaveNoObjectAlive) {
  run_in_apartment([] {
    auto get_class_object = export_of<GetClassObject>("DllGetClassObject");
    auto can_unload_now = export_of<NoArguments>("DllCanUnloadNow");
    EXPECT_EQ(get_class_object(CLSID_PageInfoLib, IID_IClassFactory, nullptr), E_POINTER);
    void* object = &object;  // what a careless caller leaves there
    EXPECT_EQ(get_class_object(IID_IDispatch, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = &object;
    EXPECT_EQ(get_class_object(CLSID_PageInfoLib, IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get_class_object(CLSID_PageInfoLib, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.put())),
              S_OK);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    object = &object;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    factory = ComPtr<IClassFactory>();
    // Neither a refused class object nor a refused object lives on.
    EXPECT_EQ(can_unload_now(), S_OK);
  });
}

TEST_F(ExportFailures, InstallRefusesAnUnknownCommandLineAndChangesNothing) {
  auto install = export_of<Install>("DllInstall");
  for (const wchar_t* line : {L"machine", L"users", L"user "}) {
    EXPECT_EQ(install(TRUE, line), E_INVALIDARG);
    EXPECT_EQ(install(FALSE, line), E_INVALIDARG);
  }
  EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, L"Tavrosk.PlugInToolsLib"));
  EXPECT_FALSE(key_exists(HKEY_CURRENT_USER, L"Software\\Classes\\Tavrosk.PlugInToolsLib"));
}

TEST_F(ExportFailures, RegistrationThatCannotWriteAClassFailsAndSucceedsOnceItCan) {
  auto register_server = export_of<NoArguments>("DllRegisterServer");
  auto unregister_server = export_of<NoArguments>("DllUnregisterServer");
  ASSERT_EQ(unregister_server(), S_OK);
  {
    VolatileKey blocker(HKEY_CLASSES_ROOT, L"CLSID", guid_text(CLSID_ProgInfoLib));
    ASSERT_TRUE(blocker.created());
    EXPECT_EQ(register_server(), SELFREG_E_CLASS);
  }
  EXPECT_EQ(register_server(), S_OK);
  run_in_apartment([] { EXPECT_TRUE(create<_ProgInfoLib>(CLSID_ProgInfoLib)); });
}

TEST_F(ExportFailures, PerUserRegistrationThatCannotWriteAClassFailsAndSucceedsOnceItCan) {
  auto install = export_of<Install>("DllInstall");
  const std::wstring classes = L"Software\\Classes\\";
  ASSERT_EQ(install(FALSE, L"user"), S_OK);
  {
    VolatileKey blocker(HKEY_CURRENT_USER, classes + L"CLSID", guid_text(CLSID_PageInfoLib));
    ASSERT_TRUE(blocker.created());
    EXPECT_EQ(install(TRUE, L"USER"), SELFREG_E_CLASS);
  }
  EXPECT_EQ(install(TRUE, L"user"), S_OK);
  EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, classes + L"Tavrosk.PageInfoLib\\CLSID"));
  EXPECT_EQ(install(FALSE, L"user"), S_OK);
  EXPECT_FALSE(key_exists(HKEY_CURRENT_USER, classes + L"Tavrosk.PageInfoLib"));
}

}  // namespace
}  // namespace tavrosk::testing
