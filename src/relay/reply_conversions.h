#pragma once
// The readings of a relay reply: Boolean, Number, Text and Split.
#include <string_view>
#include <vector>

#include "base/value_types.h"

namespace tavrosk {

// True or False in any letter case, or a number (0 False, any other True); else error 13.
VbBool reply_as_boolean(std::u16string_view reply);
// The leading number rounded half to even; error 6 outside the target's range.
Long reply_as_long(std::u16string_view reply);
Byte reply_as_byte(std::u16string_view reply);
// Leading and trailing spaces (U+0020 only) removed.
Text reply_trimmed(std::u16string_view reply);
// Cut at every separator, exact and case-sensitive; the empty reply gives no elements.
std::vector<Text> split_reply(std::u16string_view reply);
// Element `index`; error 9 beyond the last.
const Text& reply_element(const std::vector<Text>& elements, std::size_t index);

}  // namespace tavrosk
