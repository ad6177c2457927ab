#pragma once
// The class object of each creatable class, handed out by DllGetClassObject.
#include <windows.h>

#include <unknwn.h>

#include "com/coclasses.h"
#include "com/com_object.h"
#include "com/entry_point.h"

namespace tavrosk::com {

class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(Creator create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id,
                                           void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return entry_point([&] { return create_(id, object); });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
    lock_server(lock != FALSE);
    return S_OK;
  }

 private:
  void* interface_for(REFIID id) noexcept override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IClassFactory)) {
      return static_cast<IClassFactory*>(this);
    }
    return nullptr;
  }

  Creator create_;
};

}  // namespace tavrosk::com
