#include "shared/relay_commands.h"

#include <cctype>
#include <cstdlib>

#include "shared/ide_operations.h"

namespace tavrosk::host {

std::vector<std::string> split_line(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t at; (at = line.find(kSeparator, start)) != std::string_view::npos;
       start = at + kSeparator.size()) {
    fields.emplace_back(line.substr(start, at - start));
  }
  fields.emplace_back(line.substr(start));
  return fields;
}

std::string join_fields(const std::vector<std::string>& fields, std::size_t first) {
  std::string joined;
  for (std::size_t i = first; i < fields.size(); ++i) {
    if (i > first) joined += kSeparator;
    joined += fields[i];
  }
  return joined;
}

std::int32_t long_field(const std::vector<std::string>& fields, std::size_t index) {
  if (index >= fields.size()) return 0;
  return static_cast<std::int32_t>(std::strtoll(fields[index].c_str(), nullptr, 10));
}

bool boolean_field(const std::vector<std::string>& fields, std::size_t index) {
  if (index >= fields.size()) return false;
  std::string word;
  for (char c : fields[index]) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word == "true" || long_field(fields, index) != 0;
}

std::string boolean_reply(bool value) {
  return value ? "True" : "False";
}

std::string number_reply(long long value) {
  return std::to_string(value);
}

std::string split_reply(const std::vector<std::string>& elements) {
  return join_fields(elements, 0);
}

std::string indexed_reply(const std::optional<std::string>& name) {
  return split_reply({boolean_reply(name.has_value()), name.value_or("")});
}

RelayCommands::RelayCommands() {
  add_session_commands(*this);
  add_ide_commands(*this);
  add_page_reading_commands(*this);
  add_page_info_commands(*this);
  add_page_editing_commands(*this);
  add_page_file_commands(*this);
  add_programmer_info_commands(*this);
}

void RelayCommands::add(std::string_view name, RelayCommand command) {
  commands_[std::string(name)] = std::move(command);
}

void RelayCommands::add_text(std::string_view name, ModelText text) {
  texts_[std::string(name)] = text;
  add(name, [text](const auto&) {
    return std::optional<std::string>(
        on_ide([&](IdeState& ide) { return std::string(text(ide)); }));
  });
}

std::optional<std::string> RelayCommands::handle_line(std::string_view line) const {
  std::vector<std::string> fields = split_line(line);
  auto it = commands_.find(fields.front());
  if (it == commands_.end()) return std::nullopt;
  fields.erase(fields.begin());
  return it->second(fields);
}

LineAnswer RelayCommands::answer_line(std::string_view line,
                                      std::optional<std::string_view> shown) const {
  auto text = texts_.find(line.substr(0, line.find(kSeparator)));
  if (text == texts_.end() || !shown) return {false, handle_line(line)};
  return on_ide([&](IdeState& ide) {
    std::string_view reply = text->second(ide);
    if (reply == *shown) return LineAnswer{true, std::nullopt};
    return LineAnswer{false, std::string(reply)};
  });
}

std::vector<std::string> RelayCommands::names() const {
  std::vector<std::string> known;
  for (const auto& entry : commands_) known.push_back(entry.first);
  return known;
}

}  // namespace tavrosk::host
