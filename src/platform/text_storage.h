#pragma once
// Storage for wide-character text that may leave the library as it is: the platform's own
// string allocation, which on Windows is a BSTR, so that the interface hands the text to its
// caller without a copy.
#include <cstddef>

namespace tavrosk::platform {

// Room for `units` characters and a NUL after them; the characters are the writer's to fill.
// Throws std::bad_alloc when there is no room.
char16_t* allocate_text(std::size_t units);
void free_text(char16_t* text) noexcept;

}  // namespace tavrosk::platform
