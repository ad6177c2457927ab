#pragma once
// Reading back a fixed-size ANSI buffer that its writer filled to the limit. In a multi-byte
// code page the writer may have stopped inside a character; that incomplete tail is no text
// the writer meant, so it is dropped rather than read as a replacement character.
#include <string_view>

#include "base/value_types.h"

namespace tavrosk {

// The bytes converted to wide characters, without an incomplete character at their end. Bytes
// that are no character anywhere else are converted as the platform converts them.
Text from_filled_buffer(std::string_view bytes);

}  // namespace tavrosk
