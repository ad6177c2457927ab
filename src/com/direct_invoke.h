#pragma once
// A late-bound call made straight through the vtable when every argument already has its
// parameter's exact type, as a compiled client's arguments and a script's coerced ones do.
// The outcome is that of the type library's Invoke: the member's status, its return value in
// the result, arguments written through their references, and on failure DISP_E_EXCEPTION
// with the exception filled from the thread's error info (which the call takes). It only
// leaves out the type library's general machinery, which costs several times the call itself.
#include <windows.h>

#include <oaidl.h>

#include <optional>

namespace tavrosk::com {

// Nothing, and nothing done, when the call does not fit: a member of another calling form, a
// named or missing argument, an argument of any other type, or a flag other than a method call.
std::optional<HRESULT> invoke_directly(const FUNCDESC& description, void* instance, WORD flags,
                                       const DISPPARAMS& params, VARIANT* result,
                                       EXCEPINFO* exception);

}  // namespace tavrosk::com
