// The class objects and the two exports through which COM reaches them.
#include "com/class_factory.h"

#include <new>

#include "com/coclasses.h"
#include "com/exports.h"
#include "com/module.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

constexpr Coclass kCoclasses[] = {
    {CLSID_VB_PluginLib, L"VB_PluginLib", create_vb_plugin_lib},
    {CLSID_PageInfoLib, L"PageInfoLib", create_page_info_lib},
    {CLSID_ProgInfoLib, L"ProgInfoLib", create_prog_info_lib},
    {CLSID_PlugInToolsLib, L"PlugInToolsLib", create_plug_in_tools_lib},
};

}  // namespace

std::span<const Coclass> coclasses() noexcept {
  return kCoclasses;
}

}  // namespace tavrosk::com

extern "C" HRESULT STDAPICALLTYPE tavrosk_get_class_object(REFCLSID clsid, REFIID id,
                                                           void** object) noexcept {
  using namespace tavrosk::com;
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return entry_point([&] {
    for (const Coclass& coclass : coclasses()) {
      if (!IsEqualCLSID(clsid, coclass.clsid)) continue;
      auto* factory = new (std::nothrow) ClassFactory(coclass.create);
      if (factory == nullptr) return E_OUTOFMEMORY;
      HRESULT hr = factory->QueryInterface(id, object);
      factory->Release();
      return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
  });
}

extern "C" HRESULT STDAPICALLTYPE tavrosk_can_unload_now() noexcept {
  return tavrosk::com::can_unload() ? S_OK : S_FALSE;
}
