#pragma once
// The forms of relay commands that work on the IDE model under its lock.
#include <optional>
#include <string>
#include <vector>

#include "model/ide_model.h"
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

}  // namespace tavrosk::host
