// ProgInfoLib as a COM object: each method calls the core member.
#include "records/prog_info_lib.h"

#include "com/coclasses.h"
#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

class ProgInfoLibObject final : public DualObject<_ProgInfoLib, ProgInfoLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetProgrammerInfo(BSTR* sProgName, VARIANT_BOOL* result) override {
    return deliver(result, [&] { return core_.GetProgrammerInfo(TextRef(sProgName)); });
  }
  HRESULT STDMETHODCALLTYPE Path(BSTR* result) override {
    return deliver(result, [&] { return core_.Path(); });
  }
  HRESULT STDMETHODCALLTYPE FileName(BSTR* result) override {
    return deliver(result, [&] { return core_.FileName(); });
  }
  HRESULT STDMETHODCALLTYPE Params(BSTR* result) override {
    return deliver(result, [&] { return core_.Params(); });
  }
  HRESULT STDMETHODCALLTYPE ParamsBound(BSTR* result) override {
    return deliver(result, [&] { return core_.ParamsBound(); });
  }
  HRESULT STDMETHODCALLTYPE HookFilename(BSTR* result) override {
    return deliver(result, [&] { return core_.HookFilename(); });
  }
};

}  // namespace

HRESULT create_prog_info_lib(REFIID interface_id, void** object) {
  return create_object<ProgInfoLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
