#pragma once
// The text of the reference host's logs: one entry per line, so that any text a plug-in sends
// (line breaks, NULs, bytes of any code page) is written escaped: a backslash as \\, a byte
// outside printable ASCII as \xHH, everything else as it is.
#include <optional>
#include <string>
#include <string_view>

namespace tavrosk::host {

std::string escape_log_text(std::string_view bytes);
// The escaped text back to its bytes; nothing when it is not escaped text.
std::optional<std::string> unescape_log_text(std::string_view text);

// The local time of day as HH:MM:SS.mmm, each entry's first field.
std::string log_time();

// Appends one entry (a line) to the file; a file that cannot be opened is skipped.
void append_log_entry(const std::string& path, const std::string& entry);

}  // namespace tavrosk::host
