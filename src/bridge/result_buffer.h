#pragma once
// The result-buffer protocol by which direct calls receive text from an export.
#include <array>
#include <string>
#include <string_view>

#include "base/filled_buffer_text.h"
#include "bridge/session.h"
#include "platform/byte_runs.h"
#include "platform/code_page.h"

namespace tavrosk {

constexpr Long kDefaultResultBufferLength = 256;

// Sets the result buffer length to `length` (256 when 0) and returns it; a negative length is
// stored, then fails with error 5. The wide buffer stays empty: a direct text call converts only
// the export's bytes before their first NUL, so a wide buffer of NULs would be built only to be
// cleared again.
Long prepare_result_buffer_length(Long length);

// The characters before the first NUL, or the whole text when it holds none.
Text TrimNull(std::u16string_view text);
// TrimNull of a store's fixed-width field.
template <std::size_t N>
Text field_text(const std::array<char16_t, N>& field) {
  return TrimNull(std::u16string_view(field.data(), N));
}

// One direct text call: prepares the result buffer with `length`, hands the export its ANSI
// form as (char* buffer, Long length), zeroed and fresh for every call, and returns the text
// before the first NUL, as a Text or a PlatformText. The buffer is left empty, its length field
// as prepared.
template <class T = Text, class Call>
T call_with_result_buffer(Long length, Call&& call) {
  Long prepared = prepare_result_buffer_length(length);
  std::string bytes(static_cast<std::size_t>(prepared), '\0');
  call(bytes.data(), prepared);
  // Only the text before the first NUL survives TrimNull, so only that is converted. An export
  // that filled the whole buffer may have stopped inside a character.
  std::size_t end = platform::first_nul(bytes);
  T result = end == bytes.size() ? from_filled_buffer<T>(bytes) : text_before_nul<T>(bytes, end);
  session().result_buffer.clear();
  return result;
}

}  // namespace tavrosk
