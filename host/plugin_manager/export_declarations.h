#pragma once
// Every export of the reference plug-in manager library, declared from the export list, so that
// a definition whose arguments, calling convention or noexcept differ does not build. None may
// throw: on 32-bit Windows an exception cannot unwind out of the library into the IDE, and
// would end the IDE's process.
#include "bridge/plugin_manager/calling_convention.h"
#include "bridge/plugin_manager/export_list.h"

namespace tavrosk::host {

template <class Signature>
struct NoThrowExport;

template <class R, class... Args>
struct NoThrowExport<R(Args...)> {
  using Type = R TAVROSK_STDCALL(Args...) noexcept;
};

}  // namespace tavrosk::host

extern "C" {
#define TAVROSK_DECLARE_HOST_EXPORT(name, ...) tavrosk::host::NoThrowExport<__VA_ARGS__>::Type name;
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_DECLARE_HOST_EXPORT)
#undef TAVROSK_DECLARE_HOST_EXPORT
}
