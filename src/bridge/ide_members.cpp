// VB_PluginLib: paths, IDE window and lock, compiler and device programmers.
#include <cstdint>

#include "bridge/member_forms.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/relay_command_names.h"
#include "bridge/vb_plugin_lib.h"

namespace tavrosk {

namespace pm = plugin_manager;

Result<Text> VB_PluginLib::GetPathIDE() {
  return path_request(pm::GetPathIDE, relay_command::GetPathIDE);
}

Status VB_PluginLib::SetForegroundWindow() {
  return request(pm::SetForegroundWindow, relay_command::SetForegroundWindow);
}

Status VB_PluginLib::IDELock() {
  return request(pm::IDELock, relay_command::IDELock);
}

Status VB_PluginLib::IDEUnlock() {
  return request(pm::IDEUnlock, relay_command::IDEUnlock);
}

Result<Text> VB_PluginLib::GetPathPlugin() {
  return path_request(pm::GetPathPlugin, relay_command::GetPathPlugin);
}

Result<Text> VB_PluginLib::GetPathCompiler() {
  return path_request(pm::GetPathCompiler, relay_command::GetPathCompiler);
}

Result<VbBool> VB_PluginLib::ExecuteCompile() {
  return routed<VbBool>(pm::ExecuteCompile, relay_command::ExecuteCompile);
}

Status VB_PluginLib::ExecuteCompileAsync() {
  return request(pm::ExecuteCompileAsync, relay_command::ExecuteCompileAsync);
}

// The one export that takes its buffer length as a 16-bit integer; relayed, the reply unchanged.
Result<Text> VB_PluginLib::GetProgrammer() {
  return routed<Text>(
      [] {
        return call_with_result_buffer(0, [](char* buffer, Long length) {
          pm::GetProgrammer(buffer, static_cast<std::int16_t>(length));
        });
      },
      relay_command::GetProgrammer);
}

Result<VbBool> VB_PluginLib::GetProgrammerByIndex(Long index, Text& ReturnedName) {
  return indexed_text_request(pm::GetProgrammerByIndex, relay_command::GetProgrammerByIndex, index,
                              ReturnedName);
}

Result<Long> VB_PluginLib::GetProgrammerCount() {
  return routed<Long>(pm::GetProgrammerCount, relay_command::GetProgrammerCount);
}

Result<VbBool> VB_PluginLib::IsProgrammerAvailable() {
  return routed<VbBool>(pm::IsProgrammerAvailable, relay_command::IsProgrammerAvailable);
}

Result<VbBool> VB_PluginLib::SetProgrammer(const Text& sName) {
  return routed<VbBool>([&] { return pm::SetProgrammer(ansi_copy(sName)); },
                        [&] { return relay_line(relay_command::SetProgrammer).field(sName); });
}

Status VB_PluginLib::ExecuteProgram() {
  return request(pm::ExecuteProgram, relay_command::ExecuteProgram);
}

}  // namespace tavrosk
