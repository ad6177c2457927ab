#pragma once
// File searches and folder creation, on single-byte paths in the ANSI code page.
#include <cstdint>
#include <optional>
#include <string>

namespace tavrosk::platform {

constexpr std::uint32_t kFileAttributeDirectory = 0x10;

// Searches for `pattern` (wildcards * and ? allowed) and closes the search again.
// Returns the attribute word of the first entry found, or nothing when none is found.
std::optional<std::uint32_t> find_first_file_attributes(const std::string& pattern);

// Creates one folder. Returns 0, or the run-time error number of the failure
// (76 "Path not found", 75 "Path/File access error").
int create_directory(const std::string& path);

}  // namespace tavrosk::platform
