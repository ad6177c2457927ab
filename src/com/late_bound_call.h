#pragma once
// IDispatch::Invoke of the dual interfaces: one road for every late-bound call.
//
// A script passes a variable as VT_BYREF|VT_VARIANT and a literal as whatever type it has. For
// a typed parameter each such argument is first coerced into a temporary of the parameter's
// type (com_values.h); a by-reference parameter then receives VT_BYREF|type pointing at the
// temporary, and whatever the member wrote there, on success or failure, is copied back into
// the caller's variable. Then one decision: a call whose arguments all have their parameters'
// exact types goes straight through the vtable; any other goes to the type library's Invoke.
// Both leave the same outcome; the straight call only leaves out the type library's general
// machinery, which costs several times the call itself.
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
// `description` is the member's description from it, null for an unknown member. Both this
// and MemberDescriptions::find may run out of memory (std::bad_alloc) before the member is
// called; IDispatch::Invoke, their entry point, turns that into its status.
HRESULT invoke_late_bound(ITypeInfo* vtable_info, const FUNCDESC* description, void* instance,
                          DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* exception, UINT* argument_error);

// The decision: true when the call can go straight through the vtable. Not for an unknown
// member, a member of another calling form, a named or missing argument, an argument of any
// type but its parameter's (the plain values by reference, a Text or a Boolean by value), or a
// flag other than a method call.
bool fits_vtable_call(const FUNCDESC* description, WORD flags, const DISPPARAMS* params);

// The call straight through the vtable, for a call that fits. The outcome is that of the type
// library's Invoke: the member's status, its return value in the result, arguments written
// through their references, and on failure DISP_E_EXCEPTION with the exception filled from
// the thread's error info (which the call takes).
HRESULT call_through_vtable(const FUNCDESC& description, void* instance, const DISPPARAMS& params,
                            VARIANT* result, EXCEPINFO* exception);

}  // namespace tavrosk::com
