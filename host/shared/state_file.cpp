#include "shared/state_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>

#include "shared/ansi_text.h"
#include "shared/page_editing_model.h"

namespace tavrosk::host {
namespace {

using nlohmann::json;

std::string utf8_of(const std::string& ansi) {
  return utf8_from_ansi(ansi);
}

std::string ansi_of(const std::string& utf8) {
  return ansi_from_utf8(utf8);
}

// Reads one JSON object of the file, naming each value by its place for the messages.
class ObjectReader {
 public:
  ObjectReader(const json& value, std::string place, std::string source,
               std::initializer_list<const char*> keys)
      : object_(value), place_(std::move(place)), source_(std::move(source)) {
    if (!value.is_object()) fail(place_.empty() ? "the file" : place_, "an object");
    for (const auto& item : value.items()) {
      if (std::find_if(keys.begin(), keys.end(), [&](const char* k) { return item.key() == k; }) ==
          keys.end()) {
        throw FileRefusal(source_ + ": " + name_of(item.key()) + ": unknown key");
      }
    }
  }

  bool has(const char* key) const { return object_.contains(key); }
  const json& at(const char* key) const { return object_.at(key); }
  std::string name_of(const std::string& key) const {
    return place_.empty() ? key : place_ + "." + key;
  }

  void text(const char* key, std::string& into) const {
    if (!has(key)) return;
    if (!at(key).is_string()) fail(name_of(key), "a string");
    into = ansi_of(at(key).get<std::string>());
  }

  void boolean(const char* key, bool& into) const {
    if (!has(key)) return;
    if (!at(key).is_boolean()) fail(name_of(key), "true or false");
    into = at(key).get<bool>();
  }

  void number(const char* key, std::int32_t& into) const {
    into = number_at(at_or_null(key), name_of(key), into);
  }

  std::int32_t number_at(const json& value, const std::string& name, std::int32_t fallback,
                         std::int64_t low = INT32_MIN, std::int64_t high = INT32_MAX) const {
    if (value.is_null()) return fallback;
    if (!value.is_number_integer() || value.get<std::int64_t>() < low ||
        value.get<std::int64_t>() > high) {
      fail(name, "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<std::int32_t>(value.get<std::int64_t>());
  }

  const json& at_or_null(const char* key) const {
    static const json null;
    return has(key) ? at(key) : null;
  }

  void texts(const char* key, std::vector<std::string>& into) const {
    if (!has(key)) return;
    const json& list = at(key);
    if (!list.is_array()) fail(name_of(key), "an array of strings");
    into.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (!list[i].is_string()) fail(name_of(key) + "[" + std::to_string(i) + "]", "a string");
      into.push_back(ansi_of(list[i].get<std::string>()));
    }
  }

  [[noreturn]] void fail(const std::string& name, const std::string& expected) const {
    throw FileRefusal(source_ + ": " + name + ": expected " + expected);
  }

  const std::string& source() const { return source_; }

 private:
  const json& object_;
  std::string place_;
  std::string source_;
};

// A key naming one of `items`, kept as its index; absent, null or empty leaves `index` as it is.
template <class Item, class Find>
void read_choice(const ObjectReader& in, const char* key, const char* expected,
                 const std::vector<Item>& items, Find find, int& index) {
  std::string name;
  if (!in.at_or_null(key).is_null()) in.text(key, name);
  if (name.empty()) return;
  const Item* item = find(name);
  if (item == nullptr) in.fail(key, expected);
  index = static_cast<int>(item - items.data());
}

Page read_page(const json& value, const std::string& place, const std::string& source) {
  ObjectReader page_in(value, place, source,
                       {"file", "display_name", "text", "rtf", "includes", "device", "device_core",
                        "osc", "hex", "asm", "mci", "version", "version_enabled", "modified",
                        "caret", "selection", "top_line", "line_colours"});
  if (!page_in.has("file")) page_in.fail(page_in.name_of("file"), "the page's file name");
  std::string file_name;
  std::string text;
  page_in.text("file", file_name);
  page_in.text("text", text);
  Page page = opened_page(file_name, text);
  page_in.text("display_name", page.display_name);
  page_in.text("rtf", page.rtf);
  page_in.texts("includes", page.includes);
  page_in.text("device", page.device);
  page_in.number("device_core", page.device_core);
  page_in.number("osc", page.osc);
  page_in.text("hex", page.filename_hex);
  page_in.text("asm", page.filename_asm);
  page_in.text("mci", page.filename_mci);
  if (page_in.has("version")) {
    const json& version = page_in.at("version");
    if (!version.is_array() || version.size() != 4) {
      page_in.fail(page_in.name_of("version"), "an array of 4 whole numbers from 0 to 255");
    }
    for (std::size_t i = 0; i < 4; ++i) {
      page.version[i] = static_cast<std::uint8_t>(page_in.number_at(
          version[i], page_in.name_of("version") + "[" + std::to_string(i) + "]", 0, 0, 255));
    }
  }
  page_in.boolean("version_enabled", page.version_enabled);
  page_in.boolean("modified", page.modified);
  if (page_in.has("caret")) {
    ObjectReader caret(page_in.at("caret"), page_in.name_of("caret"), source, {"line", "column"});
    caret.number("line", page.caret_line);
    caret.number("column", page.caret_column);
  }
  if (page_in.has("selection")) {
    ObjectReader selection(page_in.at("selection"), page_in.name_of("selection"), source,
                           {"start", "length"});
    selection.number("start", page.selection_start);
    selection.number("length", page.selection_length);
  }
  page_in.number("top_line", page.top_line);
  if (page_in.has("line_colours")) {
    const json& colours = page_in.at("line_colours");
    if (!colours.is_array()) page_in.fail(page_in.name_of("line_colours"), "an array");
    for (std::size_t i = 0; i < colours.size(); ++i) {
      ObjectReader colour(colours[i],
                          page_in.name_of("line_colours") + "[" + std::to_string(i) + "]", source,
                          {"line", "background", "foreground"});
      std::int32_t line = 0;
      LineColour shade;
      colour.number("line", line);
      colour.number("background", shade.background);
      colour.number("foreground", shade.foreground);
      page.line_colours[line] = shade;
    }
  }
  return page;
}

Programmer read_programmer(const json& value, const std::string& place, const std::string& source) {
  ObjectReader in(value, place, source,
                  {"name", "path", "file", "params", "params_bound", "hook", "available"});
  Programmer programmer;
  programmer.available = true;
  in.text("name", programmer.name);
  in.text("path", programmer.path);
  in.text("file", programmer.file_name);
  in.text("params", programmer.params);
  in.text("params_bound", programmer.params_bound);
  in.text("hook", programmer.hook_filename);
  in.boolean("available", programmer.available);
  return programmer;
}

IdeState read_state(const json& root, const std::string& source) {
  ObjectReader in(root, "", source,
                  {"paths", "pages", "active_page", "programmers", "current_programmer", "locked",
                   "connected", "connected_window", "compile_count", "foreground_requests",
                   "program_runs", "lines_in_window", "files"});
  IdeState state;
  if (in.has("paths")) {
    ObjectReader paths(in.at("paths"), "paths", source, {"ide", "plugins", "compiler"});
    paths.text("ide", state.path_ide);
    paths.text("plugins", state.path_plugin);
    paths.text("compiler", state.path_compiler);
  }
  if (in.has("pages")) {
    if (!in.at("pages").is_array()) in.fail("pages", "an array of pages");
    for (std::size_t i = 0; i < in.at("pages").size(); ++i) {
      state.pages.push_back(
          read_page(in.at("pages")[i], "pages[" + std::to_string(i) + "]", source));
    }
  }
  if (in.has("programmers")) {
    if (!in.at("programmers").is_array()) in.fail("programmers", "an array of programmers");
    for (std::size_t i = 0; i < in.at("programmers").size(); ++i) {
      state.programmers.push_back(read_programmer(
          in.at("programmers")[i], "programmers[" + std::to_string(i) + "]", source));
    }
  }
  // The active page and the current programmer are named; an empty name or null is none.
  read_choice(
      in, "active_page", "the file name of one of the pages", state.pages,
      [&](const std::string& name) { return state.find_page(name); }, state.active_page);
  read_choice(
      in, "current_programmer", "the name of one of the programmers", state.programmers,
      [&](const std::string& name) { return state.find_programmer(name); },
      state.current_programmer);
  in.boolean("locked", state.locked);
  in.boolean("connected", state.connected);
  in.number("connected_window", state.connected_window);
  in.number("compile_count", state.compile_count);
  in.number("foreground_requests", state.foreground_requests);
  in.number("program_runs", state.program_runs);
  in.number("lines_in_window", state.lines_in_window);
  if (in.has("files")) {
    const json& files = in.at("files");
    if (!files.is_object()) in.fail("files", "an object of file names and their texts");
    for (const auto& file : files.items()) {
      if (!file.value().is_string()) in.fail("files." + file.key(), "a string");
      state.files[ansi_of(file.key())] = ansi_of(file.value().get<std::string>());
    }
  }
  return state;
}

// A parse error's place as line and column, counted from 1, from its byte offset.
std::string place_of(std::string_view text, std::size_t byte) {
  std::size_t end = std::min(byte == 0 ? 0 : byte - 1, text.size());
  std::size_t line = 1 + static_cast<std::size_t>(std::count(
                             text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
  std::size_t line_start = text.rfind('\n', end == 0 ? std::string_view::npos : end - 1);
  std::size_t column = line_start == std::string_view::npos ? end + 1 : end - line_start;
  if (end > 0 && text[end - 1] == '\n') column = 1;
  return std::to_string(line) + ":" + std::to_string(column);
}

// The parser's own words after its "parse error at ...: " preamble.
std::string reason_of(const json::parse_error& error) {
  std::string what = error.what();
  std::size_t colon = what.find(": ", what.find("parse error"));
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

json page_json(const Page& page) {
  json colours = json::array();
  for (const auto& [line, colour] : page.line_colours) {
    colours.push_back(
        {{"line", line}, {"background", colour.background}, {"foreground", colour.foreground}});
  }
  json includes = json::array();
  for (const auto& include : page.includes) includes.push_back(utf8_of(include));
  return {{"file", utf8_of(page.file_name)},
          {"display_name", utf8_of(page.display_name)},
          {"text", utf8_of(page.text)},
          {"rtf", utf8_of(page.rtf)},
          {"includes", includes},
          {"device", utf8_of(page.device)},
          {"device_core", page.device_core},
          {"osc", page.osc},
          {"hex", utf8_of(page.filename_hex)},
          {"asm", utf8_of(page.filename_asm)},
          {"mci", utf8_of(page.filename_mci)},
          {"version", {page.version[0], page.version[1], page.version[2], page.version[3]}},
          {"version_enabled", page.version_enabled},
          {"modified", page.modified},
          {"caret", {{"line", page.caret_line}, {"column", page.caret_column}}},
          {"selection", {{"start", page.selection_start}, {"length", page.selection_length}}},
          {"top_line", page.top_line},
          {"line_colours", colours}};
}

IdeState parse_state_or_refuse(std::string_view json_text, const std::string& source) {
  json root;
  try {
    root = json::parse(json_text);
  } catch (const json::parse_error& error) {
    throw FileRefusal(source + ":" + place_of(json_text, error.byte) + ": " + reason_of(error));
  }
  return read_state(root, source);
}

}  // namespace

FileOutcome<IdeState> parse_state(std::string_view json_text, const std::string& source) noexcept {
  return file_outcome([&] { return parse_state_or_refuse(json_text, source); });
}

std::string format_state(const IdeState& state) {
  json pages = json::array();
  for (const auto& page : state.pages) pages.push_back(page_json(page));
  json programmers = json::array();
  for (const auto& p : state.programmers) {
    programmers.push_back({{"name", utf8_of(p.name)},
                           {"path", utf8_of(p.path)},
                           {"file", utf8_of(p.file_name)},
                           {"params", utf8_of(p.params)},
                           {"params_bound", utf8_of(p.params_bound)},
                           {"hook", utf8_of(p.hook_filename)},
                           {"available", p.available}});
  }
  json files = json::object();
  for (const auto& [name, text] : state.files) files[utf8_of(name)] = utf8_of(text);
  const Page* active =
      state.active_page >= 0 && state.active_page < static_cast<int>(state.pages.size())
          ? &state.pages[static_cast<std::size_t>(state.active_page)]
          : nullptr;
  const Programmer* current =
      state.current_programmer >= 0 &&
              state.current_programmer < static_cast<int>(state.programmers.size())
          ? &state.programmers[static_cast<std::size_t>(state.current_programmer)]
          : nullptr;
  json root = {{"paths",
                {{"ide", utf8_of(state.path_ide)},
                 {"plugins", utf8_of(state.path_plugin)},
                 {"compiler", utf8_of(state.path_compiler)}}},
               {"pages", pages},
               {"active_page", active ? json(utf8_of(active->file_name)) : json(nullptr)},
               {"programmers", programmers},
               {"current_programmer", current ? json(utf8_of(current->name)) : json(nullptr)},
               {"locked", state.locked},
               {"connected", state.connected},
               {"connected_window", state.connected_window},
               {"compile_count", state.compile_count},
               {"foreground_requests", state.foreground_requests},
               {"program_runs", state.program_runs},
               {"lines_in_window", state.lines_in_window},
               {"files", files}};
  return root.dump(2) + "\n";
}

FileOutcome<IdeState> load_state_file(const std::string& path) noexcept {
  return file_outcome([&] {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) throw FileRefusal(path + ": cannot be read");
    std::stringstream text;
    text << in.rdbuf();
    return parse_state_or_refuse(text.str(), path);
  });
}

FileStatus save_state_file(const std::string& path, const IdeState& state) noexcept {
  return file_outcome([&] {
    std::filesystem::path target = std::filesystem::path(path);
    std::filesystem::path fresh = target;
    fresh += ".new";
    {
      std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
      out << format_state(state);
      if (!out.flush()) throw FileRefusal(path + ": cannot be written");
    }
    std::error_code failed;
    std::filesystem::rename(fresh, target, failed);
    if (failed) throw FileRefusal(path + ": cannot be written (" + failed.message() + ")");
  });
}

}  // namespace tavrosk::host
