// The reference plug-in manager library: connection exports.
#include "plugin_manager/export_support.h"

using tavrosk::host::ide_model;
using tavrosk::host::serve_export;

extern "C" {

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL Connect(std::int32_t window_handle) noexcept {
  return serve_export(
      "Connect", [&] { return ide_model().connect(window_handle) ? 1 : 0; }, window_handle);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL Disconnect() noexcept {
  return serve_export("Disconnect", [] { return ide_model().disconnect() ? 1 : 0; });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL IsConnected() noexcept {
  return serve_export("IsConnected", [] { return ide_model().is_connected() ? 1 : 0; });
}

}  // extern "C"
