#pragma once
// The type library Tavrosk, embedded in the DLL as its TYPELIB resource and loaded once from
// the module's own path.
#include <windows.h>

#include <oaidl.h>

namespace tavrosk::com {

// The loaded type library (not AddRef'ed for the caller); null when it cannot be loaded.
ITypeLib* type_library();
// The type info that describes a dual interface to late-bound clients (its dispatch side),
// AddRef'ed for the caller.
HRESULT dispatch_type_info(REFIID interface_id, ITypeInfo** info);
// The vtable side of the same interface: slots (oVft) and every parameter, the [out, retval]
// included. Calls through IDispatch go through it.
HRESULT vtable_type_info(REFIID interface_id, ITypeInfo** info);

}  // namespace tavrosk::com
