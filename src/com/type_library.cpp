#include "com/type_library.h"

#include <oleauto.h>

#include <string>

#include "com/module.h"

namespace tavrosk::com {

ITypeLib* type_library() {
  // Held for the life of the process: the objects of every apartment describe themselves
  // through it.
  static ITypeLib* library = []() -> ITypeLib* {
    ITypeLib* loaded = nullptr;
    std::wstring path = module_path();
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded))) return nullptr;
    return loaded;
  }();
  return library;
}

HRESULT dispatch_type_info(REFIID interface_id, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = type_library();
  if (library == nullptr) return TYPE_E_CANTLOADLIBRARY;
  return library->GetTypeInfoOfGuid(interface_id, info);
}

HRESULT vtable_type_info(REFIID interface_id, ITypeInfo** info) {
  ITypeInfo* dispatch = nullptr;
  HRESULT hr = dispatch_type_info(interface_id, &dispatch);
  if (FAILED(hr)) return hr;
  HREFTYPE vtable = 0;
  hr = dispatch->GetRefTypeOfImplType(-1, &vtable);  // -1: the vtable side of a dual interface
  if (SUCCEEDED(hr)) hr = dispatch->GetRefTypeInfo(vtable, info);
  dispatch->Release();
  return hr;
}

}  // namespace tavrosk::com
