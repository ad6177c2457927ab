#pragma once
// The IDE model as a JSON state file, to seed the reference host and to read back what a
// plug-in did. The file is UTF-8; the model keeps ANSI text, as the IDE receives it. A key that
// a file leaves out takes an empty value (no pages, no programmers, empty paths), except a
// page's display name, rich text and ASM/HEX/MCI file names, which follow from its file name
// and text as when the IDE opens a page. A file with a syntax error, an unknown key or a value
// of the wrong type is refused whole, with a message that names the place.
#include <string>
#include <string_view>

#include "model/ide_model.h"
#include "shared/file_outcome.h"

namespace tavrosk::host {

// `source` names the text in messages ("FILE:LINE:COLUMN: ...", "FILE: pages[0].text: ...").
FileOutcome<IdeState> parse_state(std::string_view json_text, const std::string& source) noexcept;
std::string format_state(const IdeState& state);

// Saving writes a new file beside the old and then takes its place, so that a reader never
// sees half a file.
FileOutcome<IdeState> load_state_file(const std::string& path) noexcept;
FileStatus save_state_file(const std::string& path, const IdeState& state) noexcept;

}  // namespace tavrosk::host
