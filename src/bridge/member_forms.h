#pragma once
// The forms of the routed members of VB_PluginLib, PageInfoLib and ProgInfoLib, so that each
// member reads like its row: what the direct road calls (an export with its arguments, or a
// field of a store), which command and fields the relay road sends, and the result's type,
// which says how a reply is read. Every form runs the member under base's guard, which alone is
// the form of PlugInToolsLib's members (they never route), and reads the debug flag once.
#include <array>
#include <concepts>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/ansi_copy.h"
#include "base/run_time_error.h"
#include "bridge/result_buffer.h"
#include "bridge/routing.h"
#include "relay/reply_conversions.h"

namespace tavrosk {

// A relay line given as its command alone, or built by a callable, only on the relay road.
inline CommandLine line_of(std::u16string_view command) {
  return relay_line(command);
}
template <std::invocable Line>
CommandLine line_of(Line& line) {
  return line();
}

// A reply read as the result's type: Boolean, Number (Long or Byte), or the text as it came.
template <class T>
struct ReplyAs {
  T operator()(Text reply) const {
    if constexpr (std::is_same_v<T, VbBool>) {
      return reply_as_boolean(reply);
    } else if constexpr (std::is_same_v<T, Long>) {
      return reply_as_long(reply);
    } else if constexpr (std::is_same_v<T, Byte>) {
      return reply_as_byte(reply);
    } else {
      static_assert(std::is_same_v<T, Text>);
      return reply;
    }
  }
};

// A page's text, read straight into the storage that it leaves the library in.
template <>
struct ReplyAs<PlatformText> {
  using Reply = PlatformText;
  PlatformText operator()(PlatformText reply) const { return reply; }
};

// What a reply is read into: the reader's own type where it names one, else Text.
template <class ReadReply>
struct reply_text {
  using type = Text;
};
template <class ReadReply>
requires requires {
  typename ReadReply::Reply;
}
struct reply_text<ReadReply> {
  using type = typename ReadReply::Reply;
};

// The direct road's value as the result's type: an export's 32-bit integer read as a Boolean,
// a store's fixed-width text field up to its first NUL, anything else as it is.
template <class T, class Value>
T direct_value(Value&& value) {
  if constexpr (std::is_same_v<T, VbBool> && !std::is_same_v<std::decay_t<Value>, VbBool>) {
    return export_boolean(value);
  } else if constexpr (requires { field_text(value); }) {
    return field_text(value);
  } else {
    return T(std::forward<Value>(value));
  }
}

// A member without a result: the export's return is not used, the relay line is only sent.
template <class Direct, class Line>
Status request(Direct&& direct, Line&& line) {
  return guarded_void([&] { route([&] { direct(); }, [&] { relay_send(line_of(line)); }); });
}

// A member with a result of type T: the direct road's value, or the reply to the line read by
// `read_reply` (as T unless given), at most `capacity` - 1 characters long.
template <class T, class Direct, class Line, class ReadReply = ReplyAs<T>>
Result<T> routed(Direct&& direct, Line&& line, ReadReply read_reply = {},
                 Long capacity = kDefaultReplyCapacity) {
  return guarded<T>([&] {
    return route([&]() -> T { return direct_value<T>(direct()); },
                 [&]() -> T {
                   using Reply = typename reply_text<ReadReply>::type;
                   return read_reply(relay_exchange<Reply>(line_of(line), capacity));
                 });
  });
}

// A member that reads one field of the thread's store on the direct road.
template <class T, class Store, class Field>
Result<T> store_field(Store& (*store)(), Field Store::*field, std::u16string_view command) {
  return routed<T>([&]() -> const Field& { return store().*field; }, command);
}

// An export of (buffer, length) called with the default 256-character result buffer; its
// return is ignored and the result is the text before the first NUL.
template <class Export>
Text direct_text(const Export& text_export) {
  return call_with_result_buffer(0,
                                 [&](char* buffer, Long length) { text_export(buffer, length); });
}

// A path: the direct text as the library wrote it; relayed, the reply without its spaces.
template <class Export>
Result<Text> path_request(const Export& path_export, std::u16string_view command) {
  return routed<Text>([&] { return direct_text(path_export); }, command, reply_trimmed);
}

// Element 1 into `out`, element 0 read as a Boolean. An empty reply is False with `out`
// untouched; a reply without element 1 fails with 9 before `out` changes; a non-Boolean
// element 0 fails with 13 after `out` was stored.
inline VbBool split_reply_into(std::u16string_view reply, Text& out) {
  if (reply.empty()) return kFalse;
  std::vector<Text> elements = split_reply(reply);
  out = reply_element(elements, 1);
  return reply_as_boolean(elements[0]);
}

// An "…ByIndex" member: an export of (index, buffer, length) answering a Boolean, whose text
// goes into `out` whatever the answer (the empty text when the library wrote nothing); relayed,
// the command with the index, its reply split into the answer and `out`.
template <class Export>
Result<VbBool> indexed_text_request(const Export& indexed_export, std::u16string_view command,
                                    Long index, Text& out) {
  return routed<VbBool>(
      [&] {
        VbBool answer = kFalse;
        out = call_with_result_buffer(0, [&](char* buffer, Long length) {
          answer = export_boolean(indexed_export(index, buffer, length));
        });
        return answer;
      },
      [&] { return relay_line(command).field(index); },
      [&](const Text& reply) { return split_reply_into(reply, out); });
}

// A member that writes two numbers: the export writes the caller's variables; relayed, the
// split reply is stored element by element, so a failure on the second leaves the first stored.
template <class Direct, class Line>
Status two_numbers_request(Direct&& direct, Line&& line, Long& first, Long& second) {
  return guarded_void([&] {
    route([&] { direct(); },
          [&] {
            std::vector<Text> elements = split_reply(relay_exchange(line_of(line)));
            first = reply_as_long(reply_element(elements, 0));
            second = reply_as_long(reply_element(elements, 1));
          });
  });
}

// A byte rides zero-extended in its 32-bit slot (255 stays 255).
constexpr std::int32_t byte_slot(Byte value) {
  return value;
}

}  // namespace tavrosk
