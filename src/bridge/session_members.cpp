// VB_PluginLib: creation and the four session members.
#include "base/ide_window.h"
#include "base/user_messages.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/routing.h"
#include "bridge/vb_plugin_lib.h"
#include "relay/reply_conversions.h"

namespace tavrosk {

namespace pm = plugin_manager;

// The relay window went away between the reply and the check.
constexpr int kDebuggerGoneError = error::kInvalidCall;

VB_PluginLib::VB_PluginLib() {
  if (FindIdeWindow() == 0) show_error_message(kIdeNotRunning);
}

Result<VbBool> VB_PluginLib::DebugApp(Long WinHandle, VbBool DebugMode) {
  return guarded<VbBool>([&] {
    SessionRecord& record = session();
    record.debug_flag = DebugMode;
    record.session_handle = WinHandle;
    VbBool result = reply_as_boolean(relay_exchange(relay_line(u"DebugApp").field(DebugMode)));
    if (FindDebuggerWindow() == 0) {
      show_error_message(kDebuggerNotRunning);
      raise(kDebuggerGoneError);
    }
    return result;
  });
}

Result<VbBool> VB_PluginLib::Connect(Long WinHandle) {
  return guarded<VbBool>([&] {
    return route([&] { return export_boolean(pm::Connect(WinHandle)); },
                 [&] {
                   session().session_handle = WinHandle;
                   return reply_as_boolean(relay_exchange(relay_line(u"Connect")));
                 });
  });
}

Result<VbBool> VB_PluginLib::Disconnect() {
  return guarded<VbBool>([] {
    return route([] { return export_boolean(pm::Disconnect()); },
                 [] { return reply_as_boolean(relay_exchange(relay_line(u"Disconnect"))); });
  });
}

Result<VbBool> VB_PluginLib::IsConnected() {
  return guarded<VbBool>([] {
    return route([] { return export_boolean(pm::IsConnected()); },
                 [] { return reply_as_boolean(relay_exchange(relay_line(u"IsConnected"))); });
  });
}

}  // namespace tavrosk
