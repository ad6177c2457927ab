#pragma once
// The COM object around one core object: the dual interface's IDispatch from the type library
// (late_bound_call.h), and ISupportErrorInfo, each method an entry point
// (entry_point.h). A class derives from DualObject<_Interface, Core> and writes only its
// members, each through `deliver` (member_call.h).
#include <windows.h>

#include <oaidl.h>

#include "com/com_object.h"
#include "com/entry_point.h"
#include "com/late_bound_call.h"
#include "com/type_library.h"

namespace tavrosk::com {

template <class Interface, class Core>
class DualObject : public ComObject<Interface, ISupportErrorInfo> {
 public:
  ~DualObject() override {
    if (vtable_info_ != nullptr) vtable_info_->Release();
    if (dispatch_info_ != nullptr) dispatch_info_->Release();
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return entry_point([&] {
      HRESULT hr = load_type_infos();
      if (FAILED(hr)) return hr;
      dispatch_info_->AddRef();
      *info = dispatch_info_;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) noexcept override {
    if (!IsEqualIID(id, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_INVALIDARG;
    return entry_point([&] {
      HRESULT hr = load_type_infos();
      if (FAILED(hr)) return hr;
      return DispGetIDsOfNames(vtable_info_, names, count, ids);
    });
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) noexcept override {
    if (!IsEqualIID(id, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return entry_point([&] {
      HRESULT hr = load_type_infos();
      if (FAILED(hr)) return hr;
      return invoke_late_bound(vtable_info_, descriptions_.find(vtable_info_, member),
                               static_cast<Interface*>(this), member, flags, params, result,
                               exception, argument_error);
    });
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID id) noexcept override {
    return IsEqualIID(id, __uuidof(Interface)) ? S_OK : S_FALSE;
  }

 protected:
  Core core_;

 private:
  void* interface_for(REFIID id) noexcept override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, __uuidof(Interface))) {
      return static_cast<Interface*>(this);
    }
    if (IsEqualIID(id, IID_ISupportErrorInfo)) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
  }

  HRESULT load_type_infos() {
    if (vtable_info_ != nullptr) return S_OK;
    ITypeInfo* dispatch = nullptr;
    ITypeInfo* vtable = nullptr;
    HRESULT hr = dispatch_type_info(__uuidof(Interface), &dispatch);
    if (SUCCEEDED(hr)) hr = vtable_type_info(__uuidof(Interface), &vtable);
    if (FAILED(hr)) {
      if (dispatch != nullptr) dispatch->Release();
      return hr;
    }
    dispatch_info_ = dispatch;
    vtable_info_ = vtable;
    return S_OK;
  }

  ITypeInfo* dispatch_info_ = nullptr;
  ITypeInfo* vtable_info_ = nullptr;
  MemberDescriptions descriptions_;
};

}  // namespace tavrosk::com
