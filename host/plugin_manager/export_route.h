#pragma once
// Where an export call of the reference Zavoplex.dll is served. The IDE's model lives in the
// process that shows the "Korvex IDE" window: in this one (the host program, or a test), its
// model serves the call; in another (the running host program), the call is handed to it, so
// that both roads reach one IDE; with no IDE window anywhere, this process's own model does.
#include <optional>

#include "shared/export_call.h"

namespace tavrosk::host {

enum class ExportRoute { kThisProcess, kHostProgram, kOwnModel };

ExportRoute export_route();

// The host program's answer; nothing when it did not take the call (the caller then serves it
// from its own model).
std::optional<ExportAnswer> forward_to_host_program(const ExportCall& call);

}  // namespace tavrosk::host
