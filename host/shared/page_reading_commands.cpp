// Relay commands of the active page, pages and includes, and page texts.
#include "bridge/relay_command_names.h"
#include "shared/ide_operations.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

void add_page_reading_commands(RelayCommands& commands) {
  commands.add_text(relay_command::GetPage, active_page_name);
  commands.add_text(relay_command::GetPageText, active_text);
  commands.add_text(relay_command::GetPageTextRTF, active_rtf);
  commands.add_text(relay_command::GetPageSelectedText, active_selection);
  commands.add(relay_command::GetPageByIndex, [](const auto& fields) {
    return indexed_reply(
        on_ide([&](IdeState& ide) { return page_name_at(ide, long_field(fields, 1)); }));
  });
  // The file name is every field between the handle and the index, which comes last.
  commands.add(
      relay_command::GetPageIncludeByIndex, [](const auto& fields) -> std::optional<std::string> {
        if (fields.size() < 3) return indexed_reply(std::nullopt);
        std::vector<std::string> name_fields(fields.begin(), fields.end() - 1);
        std::string page = join_fields(name_fields, 1);
        std::int32_t index = long_field(fields, fields.size() - 1);
        return indexed_reply(on_ide([&](IdeState& ide) { return include_at(ide, page, index); }));
      });
  commands.add(relay_command::SetPage, [](const auto& fields) {
    return boolean_reply(
        on_ide([&](IdeState& ide) { return select_page(ide, join_fields(fields, 1)); }));
  });
  commands.add(relay_command::GetPageCount, [](const auto&) {
    return number_reply(on_ide([](IdeState& ide) { return ide.pages.size(); }));
  });
  commands.add(relay_command::GetPageIncludeCount, [](const auto& fields) {
    return number_reply(
        on_ide([&](IdeState& ide) { return include_count(ide, join_fields(fields, 1)); }));
  });
}

}  // namespace tavrosk::host
