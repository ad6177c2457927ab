#pragma once
// PageInfoLib as a COM object: each method, an entry point through `deliver`, calls the core
// member.
#include "bridge/page_info_lib.h"

#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {

class PageInfoLibObject final : public DualObject<_PageInfoLib, PageInfoLib> {
 public:
  HRESULT STDMETHODCALLTYPE GetPageInfo(BSTR* sFileName, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.GetPageInfo(TextRef(sFileName)); });
  }
  HRESULT STDMETHODCALLTYPE DisplayName(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.DisplayName(); });
  }
  HRESULT STDMETHODCALLTYPE FileName(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.FileName(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameMCI(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.FilenameMCI(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameASM(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.FilenameASM(); });
  }
  HRESULT STDMETHODCALLTYPE FilenameHEX(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.FilenameHEX(); });
  }
  HRESULT STDMETHODCALLTYPE Modified(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.Modified(); });
  }
  HRESULT STDMETHODCALLTYPE Device(BSTR* result) noexcept override {
    return deliver(result, [&] { return core_.Device(); });
  }
  HRESULT STDMETHODCALLTYPE OSC(long* result) noexcept override {
    return deliver(result, [&] { return core_.OSC(); });
  }
  HRESULT STDMETHODCALLTYPE VersionEnabled(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.VersionEnabled(); });
  }
  HRESULT STDMETHODCALLTYPE VersionMajor(unsigned char* result) noexcept override {
    return deliver(result, [&] { return core_.VersionMajor(); });
  }
  HRESULT STDMETHODCALLTYPE VersionMinor(unsigned char* result) noexcept override {
    return deliver(result, [&] { return core_.VersionMinor(); });
  }
  HRESULT STDMETHODCALLTYPE VersionRelease(unsigned char* result) noexcept override {
    return deliver(result, [&] { return core_.VersionRelease(); });
  }
  HRESULT STDMETHODCALLTYPE VersionBuild(unsigned char* result) noexcept override {
    return deliver(result, [&] { return core_.VersionBuild(); });
  }
  HRESULT STDMETHODCALLTYPE PageSize(long* result) noexcept override {
    return deliver(result, [&] { return core_.PageSize(); });
  }
  HRESULT STDMETHODCALLTYPE PageSizeRTF(long* result) noexcept override {
    return deliver(result, [&] { return core_.PageSizeRTF(); });
  }
  HRESULT STDMETHODCALLTYPE DeviceCore(long* result) noexcept override {
    return deliver(result, [&] { return core_.DeviceCore(); });
  }
};

}  // namespace tavrosk::com
