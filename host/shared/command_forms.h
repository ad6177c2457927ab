#pragma once
// The forms of relay commands that work on the IDE model under its lock, and the reply to a
// record field's reading.
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "model/ide_model.h"
#include "records/record_fields.h"
#include "shared/export_buffers.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

using Fields = std::vector<std::string>;

// A command that only makes a change: no reply, the reply window keeps its text.
template <class Work>
RelayCommand change(Work work) {
  return [work](const Fields& fields) -> std::optional<std::string> {
    ide_model().locked([&](IdeState& ide) { work(ide, fields); });
    return std::nullopt;
  };
}

// A command whose reply is the Boolean its work gives.
template <class Work>
RelayCommand answer_boolean(Work work) {
  return [work](const Fields& fields) -> std::optional<std::string> {
    return boolean_reply(ide_model().locked([&](IdeState& ide) { return work(ide, fields); }));
  };
}

// The reply to a reading of one information record field of kind `Kind`.
template <class Kind, class Value>
std::string field_reply(const Value& value) {
  if constexpr (std::is_same_v<Kind, FlagField>) {
    return boolean_reply(value != 0);
  } else if constexpr (std::is_array_v<Value>) {
    return field_value(value);
  } else {
    return number_reply(value);
  }
}

}  // namespace tavrosk::host
