// Apartment threading: each single-threaded apartment sees its own session record and stores;
// and the server may be unloaded exactly when no object, class object or lock is left.
#include <algorithm>
#include <thread>

#include "com/com_client.h"
#include "ide_model.h"

namespace tavrosk::testing {
namespace {

class Apartments : public ComTest {};

TEST_F(Apartments, TwoApartmentsOfOneProcessKeepSeparateSessionsAndStores) {
  relay_->script_reply(u"True");  // DebugApp in the second apartment
  relay_->script_reply(u"True");  // its IsConnected
  HANDLE first_fetched = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE second_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread first([&] {
    CoInitialize(nullptr);
    {
      auto page = create<_PageInfoLib>(CLSID_PageInfoLib);
      auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
      Bstr name(L"C:\\Projects\\Blink\\util.bas");
      BSTR variable = SysAllocString(name.get());
      VARIANT_BOOL fetched = VARIANT_FALSE;
      EXPECT_EQ(page->GetPageInfo(&variable, &fetched), S_OK);
      SysFreeString(variable);
      EXPECT_EQ(fetched, VARIANT_TRUE);
      SetEvent(first_fetched);
      WaitForSingleObject(second_done, INFINITE);
      // Still this apartment's page, and still the direct road.
      Bstr display;
      EXPECT_EQ(page->DisplayName(display.put()), S_OK);
      EXPECT_EQ(display.text(), L"util.bas");
      VARIANT_BOOL connected = VARIANT_TRUE;
      EXPECT_EQ(ide->IsConnected(&connected), S_OK);
    }
    CoUninitialize();
  });
  std::thread second([&] {
    WaitForSingleObject(first_fetched, INFINITE);
    CoInitialize(nullptr);
    {
      auto page = create<_PageInfoLib>(CLSID_PageInfoLib);
      Bstr display(L"before");
      EXPECT_EQ(page->DisplayName(display.put()), S_OK);
      EXPECT_EQ(display.text(), L"");  // nothing fetched in this apartment
      auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
      long window = kPluginWindow;
      VARIANT_BOOL on = VARIANT_TRUE;
      VARIANT_BOOL answer = VARIANT_FALSE;
      EXPECT_EQ(ide->DebugApp(&window, &on, &answer), S_OK);
      EXPECT_EQ(ide->IsConnected(&answer), S_OK);
    }
    CoUninitialize();
    SetEvent(second_done);
  });
  // The relay program hands lines to the IDE window of this thread: keep its messages moving.
  while (WaitForSingleObject(second_done, 0) != WAIT_OBJECT_0) {
    MsgWaitForMultipleObjects(1, &second_done, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  first.join();
  second.join();
  CloseHandle(first_fetched);
  CloseHandle(second_done);

  // Only the first apartment's IsConnected took the direct road; the second one's was relayed.
  std::vector<std::string> calls = host::ide_model().export_calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "IsConnected()"), 1);
  std::vector<std::u16string> lines = relay_->lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], u"IsConnected//::^x1312");
}

TEST_F(Apartments, TheServerMayUnloadOnlyWithoutObjectsClassObjectsAndLocks) {
  run_in_apartment([] {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_PlugInToolsLib, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(factory.put())),
              S_OK);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto can_unload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"Tavrosk.dll"),
                                               "DllCanUnloadNow")));
    ASSERT_NE(can_unload, nullptr);
    EXPECT_EQ(can_unload(), S_FALSE);

    ComPtr<IDispatch> tools;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch,
                                      reinterpret_cast<void**>(tools.put())),
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
