#pragma once
// PlugInToolsLib as a COM object: each method, an entry point through `deliver`, converts its
// arguments and calls the core member.
#include "tools/plug_in_tools_lib.h"

#include "com/dual_object.h"
#include "com/member_call.h"
#include "tavrosk.h"

namespace tavrosk::com {

class PlugInToolsLibObject final : public DualObject<_PlugInToolsLib, PlugInToolsLib> {
 public:
  HRESULT STDMETHODCALLTYPE FormAlwaysOnTop(VARIANT* hWndOrForm,
                                            VARIANT_BOOL OnTop) noexcept override {
    return deliver([&] {
      return core_.FormAlwaysOnTop(window_argument_of(variant_in(hWndOrForm)), vb_bool_of(OnTop));
    });
  }
  HRESULT STDMETHODCALLTYPE RichTextBoxWordWrap(VARIANT ctlRichText,
                                                VARIANT_BOOL bState) noexcept override {
    return deliver([&] {
      return core_.RichTextBoxWordWrap(window_argument_of(ctlRichText), vb_bool_of(bState));
    });
  }
  HRESULT STDMETHODCALLTYPE Parse_GetLinesArray(BSTR* sPageText,
                                                SAFEARRAY** sYourArray) noexcept override {
    return deliver([&] {
      BstrArrayRef lines(sYourArray);
      return core_.Parse_GetLinesArray(TextRef(sPageText), lines);
    });
  }
  HRESULT STDMETHODCALLTYPE IsKorvexIdeRunning(VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.IsKorvexIdeRunning(); });
  }
  HRESULT STDMETHODCALLTYPE FileExists(BSTR FullPathFileName,
                                       VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.FileExists(text_of(FullPathFileName)); });
  }
  HRESULT STDMETHODCALLTYPE PathExists(BSTR Path, VARIANT_BOOL* result) noexcept override {
    return deliver(result, [&] { return core_.PathExists(text_of(Path)); });
  }
  // The Variant result is always empty: the outcome is the status alone.
  HRESULT STDMETHODCALLTYPE CreatePath(BSTR Path, VARIANT* result) noexcept override {
    return deliver(result, [&] { return core_.CreatePath(text_of(Path)); });
  }
};

}  // namespace tavrosk::com
