// The class objects and the two exports through which COM reaches them.
#include <windows.h>

#include <unknwn.h>

#include <new>

#include "com/coclasses.h"
#include "com/com_object.h"
#include "com/module.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(Creator create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return create_(id, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock_server(lock != FALSE);
    return S_OK;
  }

 private:
  void* interface_for(REFIID id) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IClassFactory)) {
      return static_cast<IClassFactory*>(this);
    }
    return nullptr;
  }

  Creator create_;
};

constexpr Coclass kCoclasses[] = {
    {CLSID_VB_PluginLib, L"VB_PluginLib", create_vb_plugin_lib},
    {CLSID_PageInfoLib, L"PageInfoLib", create_page_info_lib},
    {CLSID_ProgInfoLib, L"ProgInfoLib", create_prog_info_lib},
    {CLSID_PlugInToolsLib, L"PlugInToolsLib", create_plug_in_tools_lib},
};

}  // namespace

std::span<const Coclass> coclasses() {
  return kCoclasses;
}

}  // namespace tavrosk::com

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (const tavrosk::com::Coclass& coclass : tavrosk::com::coclasses()) {
    if (!IsEqualCLSID(clsid, coclass.clsid)) continue;
    auto* factory = new (std::nothrow) tavrosk::com::ClassFactory(coclass.create);
    if (factory == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(id, object);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return tavrosk::com::can_unload() ? S_OK : S_FALSE;
}
