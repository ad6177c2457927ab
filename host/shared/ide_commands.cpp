// Relay commands of the paths, IDE window and lock, compiler and programmers.
#include "bridge/relay_command_names.h"
#include "shared/ide_operations.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
namespace {

void add_path(RelayCommands& commands, std::string_view name, std::string IdeState::*path) {
  commands.add(name, [path](const auto&) {
    return std::optional<std::string>(on_ide([&](IdeState& ide) { return ide.*path; }));
  });
}

// A command that gives no reply: the reply window keeps its text.
template <class Work>
void add_silent(RelayCommands& commands, std::string_view name, Work work) {
  commands.add(name, [work](const auto&) -> std::optional<std::string> {
    on_ide(work);
    return std::nullopt;
  });
}

}  // namespace

void add_ide_commands(RelayCommands& commands) {
  add_path(commands, relay_command::GetPathIDE, &IdeState::path_ide);
  add_path(commands, relay_command::GetPathPlugin, &IdeState::path_plugin);
  add_path(commands, relay_command::GetPathCompiler, &IdeState::path_compiler);
  add_silent(commands, relay_command::SetForegroundWindow,
             [](IdeState& ide) { ++ide.foreground_requests; });
  add_silent(commands, relay_command::IDELock, [](IdeState& ide) { ide.locked = true; });
  add_silent(commands, relay_command::IDEUnlock, [](IdeState& ide) { ide.locked = false; });
  add_silent(commands, relay_command::ExecuteCompileAsync, [](IdeState& ide) { compile(ide); });
  add_silent(commands, relay_command::ExecuteProgram, [](IdeState& ide) { run_programmer(ide); });
  commands.add(relay_command::ExecuteCompile, [](const auto&) {
    return boolean_reply(on_ide([](IdeState& ide) { return compile(ide); }));
  });
  commands.add(relay_command::GetProgrammer, [](const auto&) {
    return on_ide([](IdeState& ide) { return current_programmer_name(ide); });
  });
  commands.add(relay_command::GetProgrammerByIndex, [](const auto& fields) {
    return indexed_reply(
        on_ide([&](IdeState& ide) { return programmer_name_at(ide, long_field(fields, 1)); }));
  });
  commands.add(relay_command::GetProgrammerCount, [](const auto&) {
    return number_reply(on_ide([](IdeState& ide) { return ide.programmers.size(); }));
  });
  commands.add(relay_command::IsProgrammerAvailable, [](const auto&) {
    return boolean_reply(on_ide([](IdeState& ide) { return programmer_available(ide); }));
  });
  commands.add(relay_command::SetProgrammer, [](const auto& fields) {
    return boolean_reply(
        on_ide([&](IdeState& ide) { return select_programmer(ide, join_fields(fields, 1)); }));
  });
}

}  // namespace tavrosk::host
