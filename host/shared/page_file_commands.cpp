// Relay commands of the page file, version and line-colour members. fields[0] is the session
// handle; a name that ends the line takes every field from its own on.
#include "bridge/relay_command_names.h"
#include "shared/command_forms.h"
#include "shared/page_editing_model.h"

namespace tavrosk::host {
namespace {

std::uint8_t byte_field(const Fields& fields, std::size_t index) {
  return static_cast<std::uint8_t>(long_field(fields, index));
}

}  // namespace

void add_page_file_commands(RelayCommands& commands) {
  commands.add(relay_command::SetPageSave, answer_boolean([](IdeState& ide, const Fields& f) {
                 return save_page(ide, join_fields(f, 1));
               }));
  commands.add(relay_command::SetPageLoad,
               change([](IdeState& ide, const Fields& f) { load_page(ide, join_fields(f, 1)); }));
  commands.add(relay_command::SetPageVersion, change([](IdeState& ide, const Fields& f) {
                 const std::uint8_t version[4] = {byte_field(f, 1), byte_field(f, 2),
                                                  byte_field(f, 3), byte_field(f, 4)};
                 stamp_version(ide, join_fields(f, 5), version);
               }));
  commands.add(relay_command::SetPageClose, answer_boolean([](IdeState& ide, const Fields& f) {
                 return close_page(ide, join_fields(f, 1));
               }));
  commands.add(relay_command::SetPageCloseAll, answer_boolean([](IdeState& ide, const Fields& f) {
                 return close_all_pages(ide, join_fields(f, 1));
               }));
  commands.add(relay_command::SetPageVersionEnabled, change([](IdeState& ide, const Fields& f) {
                 enable_version(ide, join_fields(f, 2), boolean_field(f, 1));
               }));
  commands.add(relay_command::SetPageLineColor, change([](IdeState& ide, const Fields& f) {
                 colour_line(ide, long_field(f, 1), LineColour{long_field(f, 2), long_field(f, 3)});
               }));
  commands.add(relay_command::SetPageLineColorDelete, change([](IdeState& ide, const Fields& f) {
                 uncolour_line(ide, long_field(f, 1));
               }));
  commands.add(relay_command::SetPageLineColorClear,
               change([](IdeState& ide, const Fields&) { clear_line_colours(ide); }));
}

}  // namespace tavrosk::host
