#pragma once
// The four creatable classes: identifier, name (the ProgID is "Tavrosk." + name) and creator.
#include <windows.h>

#include <new>
#include <span>

namespace tavrosk::com {

using Creator = HRESULT (*)(REFIID interface_id, void** object);

struct Coclass {
  const CLSID& clsid;
  const wchar_t* name;
  Creator create;
};

std::span<const Coclass> coclasses() noexcept;

// Each creator constructs the core object (VB_PluginLib's warns when the IDE is missing). A
// creator may fail with an exception, which the class object's entry point turns into its status.
HRESULT create_vb_plugin_lib(REFIID interface_id, void** object);
HRESULT create_page_info_lib(REFIID interface_id, void** object);
HRESULT create_prog_info_lib(REFIID interface_id, void** object);
HRESULT create_plug_in_tools_lib(REFIID interface_id, void** object);

// Creates an object of a DualObject class and hands out the requested interface.
template <class Object>
HRESULT create_object(REFIID interface_id, void** object) {
  Object* created = new (std::nothrow) Object();
  if (created == nullptr) return E_OUTOFMEMORY;
  HRESULT hr = created->QueryInterface(interface_id, object);
  created->Release();
  return hr;
}

}  // namespace tavrosk::com
