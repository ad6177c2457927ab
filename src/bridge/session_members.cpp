// VB_PluginLib: creation and the four session members.
#include "base/ide_window.h"
#include "base/user_messages.h"
#include "bridge/member_forms.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/relay_command_names.h"
#include "bridge/vb_plugin_lib.h"

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
    VbBool result =
        reply_as_boolean(relay_exchange(relay_line(relay_command::DebugApp).field(DebugMode)));
    if (FindDebuggerWindow() == 0) {
      show_error_message(kDebuggerNotRunning);
      raise(kDebuggerGoneError);
    }
    return result;
  });
}

// Relayed, the handle is stored first: it is the line's first field from this call on.
Result<VbBool> VB_PluginLib::Connect(Long WinHandle) {
  return routed<VbBool>([&] { return pm::Connect(WinHandle); },
                        [&] {
                          session().session_handle = WinHandle;
                          return relay_line(relay_command::Connect);
                        });
}

Result<VbBool> VB_PluginLib::Disconnect() {
  return routed<VbBool>(pm::Disconnect, relay_command::Disconnect);
}

Result<VbBool> VB_PluginLib::IsConnected() {
  return routed<VbBool>(pm::IsConnected, relay_command::IsConnected);
}

}  // namespace tavrosk
