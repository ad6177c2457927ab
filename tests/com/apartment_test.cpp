// Apartment threading: each single-threaded apartment sees its own session record and stores;
// and the server may be unloaded exactly when no object, class object or lock is left.
#include <algorithm>
#include <thread>

#include "com/com_client.h"
#include "model/ide_model.h"

namespace tavrosk::testing {
namespace {

class Apartments : public ComTest {};

void pump_until(HANDLE event) {
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

// A helper thread keeps the direct road; the test's own thread, an apartment of its own, takes
// the relay road meanwhile.
TEST_F(Apartments, TwoApartmentsOfOneProcessKeepSeparateSessionsAndStores) {
  relay_->script_reply(u"True");  // DebugApp on this thread
  relay_->script_reply(u"True");  // its IsConnected
  HANDLE fetched = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE relayed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread direct([&] {
    CoInitialize(nullptr);
    {
      auto page = create<_PageInfoLib>(CLSID_PageInfoLib);
      auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
      BSTR name = SysAllocString(L"C:\\Projects\\Blink\\util.bas");
      VARIANT_BOOL found = VARIANT_FALSE;
      EXPECT_EQ(page->GetPageInfo(&name, &found), S_OK);
      SysFreeString(name);
      EXPECT_EQ(found, VARIANT_TRUE);
      SetEvent(fetched);
      WaitForSingleObject(relayed, INFINITE);
      // Still this apartment's page, and still the direct road.
      Bstr display;
      EXPECT_EQ(page->DisplayName(display.put()), S_OK);
      EXPECT_EQ(display.text(), L"util.bas");
      VARIANT_BOOL connected = VARIANT_TRUE;
      EXPECT_EQ(ide->IsConnected(&connected), S_OK);
    }
    CoUninitialize();
  });
  pump_until(fetched);
  {
    auto page = create<_PageInfoLib>(CLSID_PageInfoLib);
    Bstr display(L"before");
    EXPECT_EQ(page->DisplayName(display.put()), S_OK);
    EXPECT_EQ(display.text(), L"");  // nothing fetched in this apartment
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    RelayRoad road(ide.get());
    VARIANT_BOOL answer = VARIANT_FALSE;
    EXPECT_EQ(ide->IsConnected(&answer), S_OK);
    SetEvent(relayed);
    direct.join();
  }
  CloseHandle(fetched);
  CloseHandle(relayed);

  // Only the helper apartment's IsConnected took the direct road; this one's was relayed.
  std::vector<std::string> calls = host::ide_model().export_calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "IsConnected()"), 1);
  std::vector<std::u16string> lines = relay_->lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], u"IsConnected//::^x1312");
}

TEST_F(Apartments, TheServerMayUnloadOnlyWithoutObjectsClassObjectsAndLocks) {
  run_in_apartment([] {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_PlugInToolsLib, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(factory.put())),
              S_OK);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto can_unload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"Tavrosk.dll"), "DllCanUnloadNow")));
    ASSERT_NE(can_unload, nullptr);
    EXPECT_EQ(can_unload(), S_FALSE);

    ComPtr<IDispatch> tools;
    ASSERT_EQ(
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(tools.put())),
        S_OK);
    IUnknown* outer = tools.get();
    IUnknown* aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
              CLASS_E_NOAGGREGATION);
    factory->LockServer(TRUE);
    factory = ComPtr<IClassFactory>();
    EXPECT_EQ(can_unload(), S_FALSE);  // the object and the lock
    tools = ComPtr<IDispatch>();
    EXPECT_EQ(can_unload(), S_FALSE);  // the lock

    ASSERT_EQ(CoGetClassObject(CLSID_PlugInToolsLib, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(factory.put())),
              S_OK);
    factory->LockServer(FALSE);
    factory = ComPtr<IClassFactory>();
    EXPECT_EQ(can_unload(), S_OK);
  });
}

}  // namespace
}  // namespace tavrosk::testing
