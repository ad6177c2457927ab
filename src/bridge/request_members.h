#pragma once
// The shared procedure of members that hand one request to the IDE: the direct road calls the
// export with its converted arguments, the relay road sends the command line. Each member then
// reads like its row: which export with which arguments, which command with which fields.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/run_time_error.h"
#include "bridge/routing.h"
#include "platform/code_page.h"
#include "relay/reply_conversions.h"

namespace tavrosk {

// A text argument as an export receives it: a writable NUL-terminated ANSI copy that lives
// until the end of the full expression holding the call, so the caller's variable is never
// touched whatever the export does with the copy.
class AnsiCopy {
 public:
  explicit AnsiCopy(std::u16string_view text) : bytes_(platform::to_ansi(text)) {}
  operator char*() { return bytes_.data(); }

 private:
  std::string bytes_;
};

inline AnsiCopy ansi_copy(std::u16string_view text) {
  return AnsiCopy(text);
}

// A byte rides zero-extended in its 32-bit slot (255 stays 255).
constexpr std::int32_t byte_slot(Byte value) {
  return value;
}

// A member without a result: the export's return is not used, the relay line is only sent.
// `line` builds the relay line only on the relay road.
template <class Direct, class Line>
Status request(Direct&& direct, Line&& line) {
  return guarded_void([&] { route([&] { direct(); }, [&] { relay_send(line()); }); });
}

// A member with a Boolean result: the export's non-zero return, or the whole reply read as a
// Boolean (error 13 when it is not one).
template <class Direct, class Line>
Result<VbBool> boolean_request(Direct&& direct, Line&& line) {
  return guarded<VbBool>([&] {
    return route([&] { return export_boolean(direct()); },
                 [&] { return reply_as_boolean(relay_exchange(line())); });
  });
}

// A split reply of two numbers, stored element by element: a failure on the second element
// leaves the first stored.
inline void store_two_numbers(std::u16string_view reply, Long& first, Long& second) {
  std::vector<Text> elements = split_reply(reply);
  first = reply_as_long(reply_element(elements, 0));
  second = reply_as_long(reply_element(elements, 1));
}

}  // namespace tavrosk
