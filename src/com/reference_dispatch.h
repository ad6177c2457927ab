#pragma once
// IDispatch::Invoke through the type library, with the argument coercion that script clients
// need and that the plain type-library dispatch refuses.
//
// A script passes a variable as VT_BYREF|VT_VARIANT and a literal as whatever type it has. For
// a typed parameter each such argument is coerced into a temporary of the parameter's type; a
// by-reference parameter then receives VT_BYREF|type pointing at the temporary, and whatever
// the member wrote there, on success or failure, is copied back into the caller's variable. An
// array of VARIANT (the only array a script has) stands for a SAFEARRAY(BSTR) parameter; the
// lines that come back are handed to the script as an array of VARIANT holding BSTR.
#include <windows.h>

#include <oaidl.h>

#include <unordered_map>

namespace tavrosk::com {

// The descriptions of an interface's members, each looked up at its first call and kept with
// the object: the type library does not change while the object lives.
class MemberDescriptions {
 public:
  MemberDescriptions() = default;
  ~MemberDescriptions();
  MemberDescriptions(const MemberDescriptions&) = delete;
  MemberDescriptions& operator=(const MemberDescriptions&) = delete;

  // The method `member` of the interface that `info` describes; null when there is none.
  const FUNCDESC* find(ITypeInfo* info, DISPID member);

 private:
  ITypeInfo* info_ = nullptr;  // held while descriptions from it are kept
  std::unordered_map<DISPID, FUNCDESC*> found_;
};

// `vtable_info` describes `instance`'s vtable (the TKIND_INTERFACE side of a dual interface);
// `description` is the member's description from it, null for an unknown member. A call whose
// arguments then all have their parameters' types goes straight through the vtable. Both this
// and MemberDescriptions::find may run out of memory (std::bad_alloc) before the member is
// called; IDispatch::Invoke, their entry point, turns that into its status.
HRESULT invoke_with_coercion(ITypeInfo* vtable_info, const FUNCDESC* description, void* instance,
                             DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argument_error);

}  // namespace tavrosk::com
