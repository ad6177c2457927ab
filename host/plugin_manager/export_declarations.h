#pragma once
// Every export of the reference plug-in manager library, declared from the export list, so that
// a definition whose arguments, calling convention or noexcept differ does not build. None may
// throw: on 32-bit Windows an exception cannot unwind out of the library into the IDE, and
// would end the IDE's process.
#include "bridge/plugin_manager/export_signature.h"

extern "C" {
#define TAVROSK_DECLARE_HOST_EXPORT(name, ...) \
  tavrosk::plugin_manager::ExportSignature<__VA_ARGS__>::NoThrowFunction name;
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_DECLARE_HOST_EXPORT)
#undef TAVROSK_DECLARE_HOST_EXPORT
}
