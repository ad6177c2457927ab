#pragma once
// Reading back ANSI bytes as wide text, into a Text or straight into platform storage (a
// PlatformText, with no text in between). A fixed-size buffer that its writer filled to the
// limit is read with care: in a multi-byte code page the writer may have stopped inside a
// character; that incomplete tail is no text the writer meant, so it is dropped rather than
// read as a replacement character.
#include <string_view>

#include "base/platform_text.h"
#include "base/value_types.h"

namespace tavrosk {

// The bytes converted to wide characters as the platform converts them. T is Text or
// PlatformText.
template <class T = Text>
T text_from_ansi(std::string_view bytes);
template <>
Text text_from_ansi<Text>(std::string_view bytes);
template <>
PlatformText text_from_ansi<PlatformText>(std::string_view bytes);

// The text before the buffer's first NUL, at `nul`, as the whole buffer converts: converted with
// that NUL and the bytes after it that a character may still take, since some conversions read
// a short sequence at the very end of their input otherwise (Wine's UTF-8 takes the NUL into it).
template <class T = Text>
T text_before_nul(std::string_view buffer, std::size_t nul);
extern template Text text_before_nul<Text>(std::string_view buffer, std::size_t nul);
extern template PlatformText text_before_nul<PlatformText>(std::string_view buffer,
                                                           std::size_t nul);

// The bytes converted to wide characters, without an incomplete character at their end (a lone
// lead byte, a UTF-8 sequence short of its bytes). Every other byte is converted as the
// platform converts it, a whole character that would not convert back to the same bytes too.
template <class T = Text>
T from_filled_buffer(std::string_view bytes);
extern template Text from_filled_buffer<Text>(std::string_view bytes);
extern template PlatformText from_filled_buffer<PlatformText>(std::string_view bytes);

}  // namespace tavrosk
