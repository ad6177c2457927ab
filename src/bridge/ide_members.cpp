// VB_PluginLib: paths, IDE window and lock, compiler and device programmers.
#include <cstdint>

#include "bridge/member_procedures.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/routing.h"
#include "bridge/vb_plugin_lib.h"
#include "relay/reply_conversions.h"

namespace tavrosk {

namespace pm = plugin_manager;

namespace {

// A path: the direct text as the library wrote it; relayed, the reply without its spaces.
template <class Export>
Result<Text> path_member(const Export& path_export, std::u16string_view command) {
  return guarded<Text>([&] {
    return route([&] { return direct_text(path_export); },
                 [&] { return reply_trimmed(relay_exchange(relay_line(command))); });
  });
}

// A command without a value: the export's return is ignored, the relay sends and reads nothing.
template <class Export>
Status command_member(const Export& command_export, std::u16string_view command) {
  return guarded_void(
      [&] { route([&] { command_export(); }, [&] { relay_send(relay_line(command)); }); });
}

// A Boolean query without arguments.
template <class Export>
Result<VbBool> query_member(const Export& query_export, std::u16string_view command) {
  return guarded<VbBool>([&] {
    return route([&] { return export_boolean(query_export()); },
                 [&] { return reply_as_boolean(relay_exchange(relay_line(command))); });
  });
}

}  // namespace

Result<Text> VB_PluginLib::GetPathIDE() {
  return path_member(pm::GetPathIDE, u"GetPathIDE");
}

Status VB_PluginLib::SetForegroundWindow() {
  return command_member(pm::SetForegroundWindow, u"SetForegroundWindow");
}

Status VB_PluginLib::IDELock() {
  return command_member(pm::IDELock, u"IDELock");
}

Status VB_PluginLib::IDEUnlock() {
  return command_member(pm::IDEUnlock, u"IDEUnlock");
}

Result<Text> VB_PluginLib::GetPathPlugin() {
  return path_member(pm::GetPathPlugin, u"GetPathPlugin");
}

Result<Text> VB_PluginLib::GetPathCompiler() {
  return path_member(pm::GetPathCompiler, u"GetPathCompiler");
}

Result<VbBool> VB_PluginLib::ExecuteCompile() {
  return query_member(pm::ExecuteCompile, u"ExecuteCompile");
}

Status VB_PluginLib::ExecuteCompileAsync() {
  return command_member(pm::ExecuteCompileAsync, u"ExecuteCompileAsync");
}

// The one export that takes its buffer length as a 16-bit integer; relayed, the reply unchanged.
Result<Text> VB_PluginLib::GetProgrammer() {
  return guarded<Text>([] {
    return route(
        [] {
          return call_with_result_buffer(0, [](char* buffer, Long length) {
            pm::GetProgrammer(buffer, static_cast<std::int16_t>(length));
          });
        },
        [] { return relay_exchange(relay_line(u"GetProgrammer")); });
  });
}

Result<VbBool> VB_PluginLib::GetProgrammerByIndex(Long index, Text& ReturnedName) {
  return guarded<VbBool>([&] {
    return route([&] { return direct_indexed_text(pm::GetProgrammerByIndex, index, ReturnedName); },
                 [&] {
                   return split_reply_into(
                       relay_exchange(relay_line(u"GetProgrammerByIndex").field(index)),
                       ReturnedName);
                 });
  });
}

Result<Long> VB_PluginLib::GetProgrammerCount() {
  return guarded<Long>([] {
    return route([] { return Long{pm::GetProgrammerCount()}; },
                 [] { return reply_as_long(relay_exchange(relay_line(u"GetProgrammerCount"))); });
  });
}

Result<VbBool> VB_PluginLib::IsProgrammerAvailable() {
  return query_member(pm::IsProgrammerAvailable, u"IsProgrammerAvailable");
}

Result<VbBool> VB_PluginLib::SetProgrammer(const Text& sName) {
  return guarded<VbBool>([&] {
    return route(
        [&] {
          std::string name = platform::to_ansi(sName);  // a copy: the caller's name stays
          return export_boolean(pm::SetProgrammer(name.data()));
        },
        [&] {
          return reply_as_boolean(relay_exchange(relay_line(u"SetProgrammer").field(sName)));
        });
  });
}

Status VB_PluginLib::ExecuteProgram() {
  return command_member(pm::ExecuteProgram, u"ExecuteProgram");
}

}  // namespace tavrosk
