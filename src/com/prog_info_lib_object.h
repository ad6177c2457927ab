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
  // One method per field of the record, calling the member of its name.
#define TAVROSK_FIELD_METHOD(name, kind)                                                   \
  HRESULT STDMETHODCALLTYPE name(ResultSlot<kind::Read>::Type* result) noexcept override { \
    return deliver(result, [&] { return core_.name(); });                                  \
  }
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_FIELD_METHOD)
#undef TAVROSK_FIELD_METHOD
};

}  // namespace tavrosk::com
