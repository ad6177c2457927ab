#pragma once
// The host program's scripted replies (--replies FILE): a JSON object from command name to the
// reply text to give to that command every time, instead of the IDE's. "False", "" or a wrong
// number make a member of the plug-in library fail as that reply dictates.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "shared/file_outcome.h"

namespace tavrosk::host {

using ScriptedReplies = std::map<std::string, std::string, std::less<>>;

// The replies, or a message with the file and the place of what is wrong.
FileOutcome<ScriptedReplies> load_scripted_replies(const std::string& path) noexcept;

}  // namespace tavrosk::host
