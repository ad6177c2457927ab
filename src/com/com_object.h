#pragma once
// The IUnknown of every object that the DLL hands out, class objects included: a reference
// count that deletes the object at zero, the module's count of live objects, and
// QueryInterface answered from the interfaces that the class names. None of the three can fail,
// so each is an entry point (entry_point.h) by being noexcept alone.
#include <windows.h>

#include <unknwn.h>

#include <atomic>

#include "com/module.h"

namespace tavrosk::com {

template <class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() { object_created(); }
  virtual ~ComObject() { object_destroyed(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = interface_for(id);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // The object as the interface `id`, or null when it has none of that identity.
  virtual void* interface_for(REFIID id) noexcept = 0;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace tavrosk::com
