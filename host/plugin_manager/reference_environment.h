#pragma once
// The reference Zavoplex.dll in a plug-in's process, without the host program: its own model,
// seeded from the state file that KORVEX_REFERENCE_STATE names (the built-in one when unset),
// each export call appended as a line to KORVEX_REFERENCE_LOG, and the model written to
// KORVEX_REFERENCE_STATE_OUT after each call that changed it. The variables are read once, at
// the first export call.
#include <cstdint>
#include <string>

namespace tavrosk::host {

// Before an export works on this process's model. A state file that cannot be loaded ends
// the process with its message on standard error (and in the log) and exit code 3: the
// plug-in would otherwise run against an IDE that its author did not set up.
void prepare_own_model();

// After the call, whichever model served it: the log entry "TIME Name(args) = result", and
// for this process's own model the state written out when it changed.
void record_export_call(const std::string& call, std::int32_t result, bool own_model);

}  // namespace tavrosk::host
