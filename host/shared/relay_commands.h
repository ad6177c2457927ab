#pragma once
// The reference relay tool's command handling, shared by the in-process tool and the Windows
// program: split a received line at the separator, dispatch on the command name over the
// IDE model, and answer in the relay's reply forms.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrosk::host {

inline constexpr std::string_view kSeparator = "//::^x";

std::vector<std::string> split_line(std::string_view line);
// Fields from `first` on joined back with the separator: a text field that held the separator
// arrives as several fields, and a command whose text is its last field takes them all.
std::string join_fields(const std::vector<std::string>& fields, std::size_t first);

// Field `index` read as a decimal 32-bit integer; 0 when missing or not a number.
std::int32_t long_field(const std::vector<std::string>& fields, std::size_t index);
// Field `index` as the library writes a Boolean: "True" (any letter case) or a non-zero number.
bool boolean_field(const std::vector<std::string>& fields, std::size_t index);

std::string boolean_reply(bool value);
std::string number_reply(long long value);
// Elements joined by the separator (the Split form).
std::string split_reply(const std::vector<std::string>& elements);
// The Split form of an enumeration: True and the name, or False and nothing when out of range.
std::string indexed_reply(const std::optional<std::string>& name);

// fields[0] is the session handle, the command's own fields follow. Nothing for a command that
// gives no reply (the reply window then keeps its text).
using RelayCommand =
    std::function<std::optional<std::string>(const std::vector<std::string>& fields)>;

struct IdeState;
// A command answered with a text that the model holds; the view is valid under the model's lock.
using ModelText = std::string_view (*)(IdeState&);

// A line's answer beside the reply the reply window shows: the same text, a new one, or none.
struct LineAnswer {
  bool same_as_shown = false;
  std::optional<std::string> reply;  // when not the same
};

class RelayCommands {
 public:
  RelayCommands();  // every command the reference host knows
  void add(std::string_view name, RelayCommand command);
  // A command whose reply is the model's text, whole.
  void add_text(std::string_view name, ModelText text);
  // The reply to one received line; nothing when the command gives none or is unknown.
  std::optional<std::string> handle_line(std::string_view line) const;
  // The same, told against the reply shown (none when unknown): a page read again is compared
  // in the model, not copied out of it first, which for the largest page costs as much as the
  // rest of the exchange.
  LineAnswer answer_line(std::string_view line, std::optional<std::string_view> shown) const;
  // The command names it knows, in order.
  std::vector<std::string> names() const;

 private:
  std::map<std::string, RelayCommand, std::less<>> commands_;
  std::map<std::string, ModelText, std::less<>> texts_;
};

// Registration of each command family, one function per family's source file.
void add_session_commands(RelayCommands& commands);          // DebugApp, Connect, ...
void add_ide_commands(RelayCommands& commands);              // paths, compiler, programmers
void add_page_reading_commands(RelayCommands& commands);     // page selection and reading
void add_page_info_commands(RelayCommands& commands);        // "PageInfo."
void add_page_editing_commands(RelayCommands& commands);     // page content editing
void add_page_file_commands(RelayCommands& commands);        // files, versions, line colours
void add_programmer_info_commands(RelayCommands& commands);  // "ProgInfo."

}  // namespace tavrosk::host
