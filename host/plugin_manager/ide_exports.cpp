// The reference plug-in manager library: paths, IDE window and lock, compiler, programmers.
#include "plugin_manager/export_support.h"
#include "shared/export_buffers.h"
#include "shared/ide_operations.h"

namespace {

using tavrosk::host::IdeState;
using tavrosk::host::on_ide;
using tavrosk::host::put_text;
using tavrosk::host::serve_export;

std::int32_t serve_path(const char* name, std::string IdeState::*path, char* buffer,
                        std::int32_t length) {
  return serve_export(
      name,
      [&] {
        on_ide([&](IdeState& ide) { put_text(buffer, length, ide.*path); });
        return 1;
      },
      buffer, length);
}

}  // namespace

extern "C" {

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPathIDE(char* buffer,
                                                            std::int32_t length) noexcept {
  return serve_path("GetPathIDE", &IdeState::path_ide, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPathPlugin(char* buffer,
                                                               std::int32_t length) noexcept {
  return serve_path("GetPathPlugin", &IdeState::path_plugin, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPathCompiler(char* buffer,
                                                                 std::int32_t length) noexcept {
  return serve_path("GetPathCompiler", &IdeState::path_compiler, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetForegroundWindow() noexcept {
  return serve_export("SetForegroundWindow", [] {
    return on_ide([](IdeState& ide) { return ++ide.foreground_requests; });
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL IDELock() noexcept {
  return serve_export("IDELock", [] {
    on_ide([](IdeState& ide) { ide.locked = true; });
    return 1;
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL IDEUnlock() noexcept {
  return serve_export("IDEUnlock", [] {
    on_ide([](IdeState& ide) { ide.locked = false; });
    return 1;
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL ExecuteCompile() noexcept {
  return serve_export("ExecuteCompile",
                      [] { return on_ide([](IdeState& ide) { return compile(ide) ? 1 : 0; }); });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL ExecuteCompileAsync() noexcept {
  return serve_export("ExecuteCompileAsync",
                      [] { return on_ide([](IdeState& ide) { return compile(ide) ? 1 : 0; }); });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetProgrammer(char* buffer,
                                                               std::int16_t length) noexcept {
  return serve_export(
      "GetProgrammer",
      [&] {
        on_ide([&](IdeState& ide) { put_text(buffer, length, current_programmer_name(ide)); });
        return 1;
      },
      buffer, length);
}

// Counts from 0; out of range answers 0 and leaves the buffer as it was.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
GetProgrammerByIndex(std::int32_t index, char* buffer, std::int32_t length) noexcept {
  return tavrosk::host::serve_indexed_name(
      "GetProgrammerByIndex", tavrosk::host::programmer_name_at, index, buffer, length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetProgrammerCount() noexcept {
  return serve_export("GetProgrammerCount", [] {
    return on_ide([](IdeState& ide) { return tavrosk::host::count_of(ide.programmers.size()); });
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL IsProgrammerAvailable() noexcept {
  return serve_export("IsProgrammerAvailable", [] {
    return on_ide([](IdeState& ide) { return programmer_available(ide) ? 1 : 0; });
  });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetProgrammer(char* name) noexcept {
  return serve_export(
      "SetProgrammer",
      [&] { return on_ide([&](IdeState& ide) { return select_programmer(ide, name) ? 1 : 0; }); },
      name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL ExecuteProgram() noexcept {
  return serve_export("ExecuteProgram", [] {
    on_ide([](IdeState& ide) { run_programmer(ide); });
    return 1;
  });
}

}  // extern "C"
