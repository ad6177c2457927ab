#pragma once
// The Automation type that an argument for a parameter of a described member has.
#include <windows.h>

#include <oaidl.h>

namespace tavrosk::com {

// VT_BYREF|T for a pointer, VT_ARRAY|T for a SAFEARRAY, the type itself otherwise.
inline VARTYPE variant_type_of(const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR:
      return static_cast<VARTYPE>(VT_BYREF | variant_type_of(*type.lptdesc));
    case VT_SAFEARRAY:
      return static_cast<VARTYPE>(VT_ARRAY | variant_type_of(*type.lptdesc));
    default:
      return type.vt;
  }
}

}  // namespace tavrosk::com
