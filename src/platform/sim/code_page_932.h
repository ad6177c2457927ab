#pragma once
// Code page 932 (Shift JIS as Windows extends it), as far as the simulated system needs it:
// its lead bytes exactly, its single bytes, and of its double-byte characters the kana and a
// few others, among them one that does not come back to its own bytes (the second form of
// U+2252, 0x87 0x90, converts back to 0x81 0xE0). The conversion follows the system's: a lead
// byte takes the next byte whatever it is, unless the text ends or a NUL follows, and a pair
// the code page lacks, like a lone lead byte, becomes its default character U+30FB.
#include <string>
#include <string_view>

namespace tavrosk::sim {

bool is_lead_byte_932(unsigned char byte);
std::string encode_932(std::u16string_view text);
std::u16string decode_932(std::string_view bytes);

}  // namespace tavrosk::sim
