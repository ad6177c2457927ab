// Relay commands of the page editing members. fields[0] is the session handle; a text that
// ends the line takes every field from its own on, so a text holding the separator arrives
// whole.
#include "bridge/relay_command_names.h"
#include "shared/command_forms.h"
#include "shared/page_editing_model.h"

namespace tavrosk::host {

void add_page_editing_commands(RelayCommands& commands) {
  commands.add(relay_command::SetPageNew,
               change([](IdeState& ide, const Fields& f) { new_page(ide, join_fields(f, 1)); }));
  commands.add(relay_command::SetPageClear,
               change([](IdeState& ide, const Fields&) { clear_page(ide); }));
  commands.add(relay_command::SetPageInsertHeader,
               change([](IdeState& ide, const Fields&) { insert_header(ide); }));
  commands.add(relay_command::SetPageUpdateText, change([](IdeState& ide, const Fields& f) {
                 update_text(ide, join_fields(f, 2), boolean_field(f, 1));
               }));
  commands.add(relay_command::SetPageText, change([](IdeState& ide, const Fields& f) {
                 replace_text(ide, join_fields(f, 1));
               }));
  commands.add(
      relay_command::SetPageTextAt, change([](IdeState& ide, const Fields& f) {
        insert_text_at(ide, Position{long_field(f, 1), long_field(f, 2)}, join_fields(f, 3));
      }));
  commands.add(relay_command::SetPageSelectTextAt, change([](IdeState& ide, const Fields& f) {
                 select_text(ide, long_field(f, 1), long_field(f, 2));
               }));
  commands.add(relay_command::SetPageCursorPos, change([](IdeState& ide, const Fields& f) {
                 move_caret(ide, Position{long_field(f, 1), long_field(f, 2)});
               }));
  commands.add(relay_command::SetPageTopLine,
               change([](IdeState& ide, const Fields& f) { scroll_to(ide, long_field(f, 1)); }));
  // The two readers answer line first, as the library stores them.
  commands.add(relay_command::GetPageCursorPos, [](const Fields&) -> std::optional<std::string> {
    Position at = ide_model().locked([](IdeState& ide) { return caret(ide); });
    return split_reply({number_reply(at.line), number_reply(at.column)});
  });
  commands.add(relay_command::GetPageDisplayLines, [](const Fields&) -> std::optional<std::string> {
    DisplayLines shown = ide_model().locked([](IdeState& ide) { return display_lines(ide); });
    return split_reply({number_reply(shown.top_line), number_reply(shown.lines_shown)});
  });
}

}  // namespace tavrosk::host
