// Relay commands of the paths, IDE window and lock, compiler and programmers.
#include "shared/ide_operations.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
namespace {

void add_path(RelayCommands& commands, std::string name, std::string IdeState::*path) {
  commands.add(std::move(name), [path](const auto&) {
    return std::optional<std::string>(on_ide([&](IdeState& ide) { return ide.*path; }));
  });
}

// A command that gives no reply: the reply window keeps its text.
template <class Work>
void add_silent(RelayCommands& commands, std::string name, Work work) {
  commands.add(std::move(name), [work](const auto&) -> std::optional<std::string> {
    on_ide(work);
    return std::nullopt;
  });
}

}  // namespace

void add_ide_commands(RelayCommands& commands) {
  add_path(commands, "GetPathIDE", &IdeState::path_ide);
  add_path(commands, "GetPathPlugin", &IdeState::path_plugin);
  add_path(commands, "GetPathCompiler", &IdeState::path_compiler);
  add_silent(commands, "SetForegroundWindow", [](IdeState& ide) { ++ide.foreground_requests; });
  add_silent(commands, "IDELock", [](IdeState& ide) { ide.locked = true; });
  add_silent(commands, "IDEUnlock", [](IdeState& ide) { ide.locked = false; });
  add_silent(commands, "ExecuteCompileAsync", [](IdeState& ide) { compile(ide); });
  add_silent(commands, "ExecuteProgram", [](IdeState& ide) { run_programmer(ide); });
  commands.add("ExecuteCompile", [](const auto&) {
    return boolean_reply(on_ide([](IdeState& ide) { return compile(ide); }));
  });
  commands.add("GetProgrammer", [](const auto&) {
    return on_ide([](IdeState& ide) { return current_programmer_name(ide); });
  });
  commands.add("GetProgrammerByIndex", [](const auto& fields) {
    return indexed_reply(
        on_ide([&](IdeState& ide) { return programmer_name_at(ide, long_field(fields, 1)); }));
  });
  commands.add("GetProgrammerCount", [](const auto&) {
    return number_reply(on_ide([](IdeState& ide) { return ide.programmers.size(); }));
  });
  commands.add("IsProgrammerAvailable", [](const auto&) {
    return boolean_reply(on_ide([](IdeState& ide) { return programmer_available(ide); }));
  });
  commands.add("SetProgrammer", [](const auto& fields) {
    return boolean_reply(
        on_ide([&](IdeState& ide) { return select_programmer(ide, join_fields(fields, 1)); }));
  });
}

}  // namespace tavrosk::host
