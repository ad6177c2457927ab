#include "relay_tool/program/scripted_replies.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "shared/ansi_text.h"
#include "shared/file_outcome.h"

namespace tavrosk::host {

namespace {

ScriptedReplies read_scripted_replies(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileRefusal(path + ": cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  nlohmann::json root;
  try {
    root = nlohmann::json::parse(text.str());
  } catch (const nlohmann::json::parse_error& error) {
    throw FileRefusal(path + ": " + error.what());
  }
  if (!root.is_object())
    throw FileRefusal(path + ": expected an object of command names and replies");
  ScriptedReplies replies;
  for (const auto& item : root.items()) {
    if (!item.value().is_string())
      throw FileRefusal(path + ": " + item.key() + ": expected a string");
    replies[item.key()] = ansi_from_utf8(item.value().get<std::string>());
  }
  return replies;
}

}  // namespace

FileOutcome<ScriptedReplies> load_scripted_replies(const std::string& path) noexcept {
  return file_outcome([&] { return read_scripted_replies(path); });
}

}  // namespace tavrosk::host
