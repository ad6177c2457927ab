#pragma once
// ProgInfoLib as a COM object: each method, an entry point through `deliver`, calls the core
// member.
#include "bridge/prog_info_lib.h"

#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {

class ProgInfoLibObject final : public DualObject<_ProgInfoLib, ProgInfoLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetProgrammerInfo(BSTR* sProgName,
                                              VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.GetProgrammerInfo(TextRef(sProgName)); });
  }
  HRESULT STDMETHODCALLTYPE Path(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.Path(); });
  }
  HRESULT STDMETHODCALLTYPE FileName(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.FileName(); });
  }
  HRESULT STDMETHODCALLTYPE Params(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.Params(); });
  }
  HRESULT STDMETHODCALLTYPE ParamsBound(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.ParamsBound(); });
  }
  HRESULT STDMETHODCALLTYPE HookFilename(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.HookFilename(); });
  }
};

}  // namespace tavrosk::com
