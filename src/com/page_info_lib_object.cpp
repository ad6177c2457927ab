// PageInfoLib as a COM object: each method calls the core member.
#include "records/page_info_lib.h"

#include "com/coclasses.h"
#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {
namespace {

class PageInfoLibObject final : public DualObject<_PageInfoLib, PageInfoLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetPageInfo(BSTR* sFileName, VARIANT_BOOL* result) override {
    return deliver(result, [&] { return core_.GetPageInfo(TextRef(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE DisplayName(BSTR* result) override {
    return deliver(result, [&] { return core_.DisplayName(); });
  }
  HRESULT STDMETHODCALLTYPE FileName(BSTR* result) override {
    return deliver(result, [&] { return core_.FileName(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameMCI(BSTR* result) override {
    return deliver(result, [&] { return core_.FilenameMCI(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameASM(BSTR* result) override {
    return deliver(result, [&] { return core_.FilenameASM(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameHEX(BSTR* result) override {
    return deliver(result, [&] { return core_.FilenameHEX(); });
  }
  HRESULT STDMETHODCALLTYPE Modified(VARIANT_BOOL* result) override {
    return deliver(result, [&] { return core_.Modified(); });
  }
  HRESULT STDMETHODCALLTYPE Device(BSTR* result) override {
    return deliver(result, [&] { return core_.Device(); });
  }
  HRESULT STDMETHODCALLTYPE OSC(long* result) override {
    return deliver(result, [&] { return core_.OSC(); });
  }
  HRESULT STDMETHODCALLTYPE VersionEnabled(VARIANT_BOOL* result) override {
    return deliver(result, [&] { return core_.VersionEnabled(); });
  }
  HRESULT STDMETHODCALLTYPE VersionMajor(unsigned char* result) override {
    return deliver(result, [&] { return core_.VersionMajor(); });
  }
  HRESULT STDMETHODCALLTYPE VersionMinor(unsigned char* result) override {
    return deliver(result, [&] { return core_.VersionMinor(); });
  }
  HRESULT STDMETHODCALLTYPE VersionRelease(unsigned char* result) override {
    return deliver(result, [&] { return core_.VersionRelease(); });
  }
  HRESULT STDMETHODCALLTYPE VersionBuild(unsigned char* result) override {
    return deliver(result, [&] { return core_.VersionBuild(); });
  }
  HRESULT STDMETHODCALLTYPE PageSize(long* result) override {
    return deliver(result, [&] { return core_.PageSize(); });
  }
  HRESULT STDMETHODCALLTYPE PageSizeRTF(long* result) override {
    return deliver(result, [&] { return core_.PageSizeRTF(); });
  }
  HRESULT STDMETHODCALLTYPE DeviceCore(long* result) override {
    return deliver(result, [&] { return core_.DeviceCore(); });
  }
};

}  // namespace

HRESULT create_page_info_lib(REFIID interface_id, void** object) {
  return create_object<PageInfoLibObject>(interface_id, object);
}

}  // namespace tavrosk::com
