#include "relay_tool/program/scripted_replies.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "model/ansi_text.h"
#include "model/state_file.h"

namespace tavrosk::host {

ScriptedReplies load_scripted_replies(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw StateFileError(path + ": cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  nlohmann::json root;
  try {
    root = nlohmann::json::parse(text.str());
  } catch (const nlohmann::json::parse_error& error) {
    throw StateFileError(path + ": " + error.what());
  }
  if (!root.is_object())
    throw StateFileError(path + ": expected an object of command names and replies");
  ScriptedReplies replies;
  for (const auto& item : root.items()) {
    if (!item.value().is_string())
      throw StateFileError(path + ": " + item.key() + ": expected a string");
    replies[item.key()] = ansi_from_utf8(item.value().get<std::string>());
  }
  return replies;
}

}  // namespace tavrosk::host
