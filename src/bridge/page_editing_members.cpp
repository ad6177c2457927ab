// VB_PluginLib: editing the active page's text, caret, selection and scroll position.
// The exports take a column before its line; the relay lines carry the line first.
#include "bridge/member_forms.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/relay_command_names.h"
#include "bridge/vb_plugin_lib.h"

namespace tavrosk {

namespace pm = plugin_manager;

Status VB_PluginLib::SetPageNew(const Text& sFileName) {
  return request([&] { pm::SetPageNew(ansi_copy(sFileName)); },
                 [&] { return relay_line(relay_command::SetPageNew).field(sFileName); });
}

Status VB_PluginLib::SetPageClear() {
  return request(pm::SetPageClear, relay_command::SetPageClear);
}

Status VB_PluginLib::SetPageInsertHeader() {
  return request(pm::SetPageInsertHeader, relay_command::SetPageInsertHeader);
}

Status VB_PluginLib::SetPageUpdateText(const Text& sText, VbBool bSaveUpDate) {
  return request(
      [&] { pm::SetPageUpdateText(ansi_copy(sText), export_slot(bSaveUpDate)); },
      [&] { return relay_line(relay_command::SetPageUpdateText).field(bSaveUpDate).field(sText); });
}

Status VB_PluginLib::SetPageText(const Text& sText) {
  return request([&] { pm::SetPageText(ansi_copy(sText)); },
                 [&] { return relay_line(relay_command::SetPageText).field(sText); });
}

Status VB_PluginLib::SetPageTextAt(Long lLine, Long lColumn, const Text& sText) {
  return request(
      [&] { pm::SetPageTextAt(lColumn, lLine, ansi_copy(sText)); },
      [&] {
        return relay_line(relay_command::SetPageTextAt).field(lLine).field(lColumn).field(sText);
      });
}

Status VB_PluginLib::SetPageSelectTextAt(Long lSelStart, Long lSelLenght) {
  return request(
      [&] { pm::SetPageSelectTextAt(lSelStart, lSelLenght); },
      [&] {
        return relay_line(relay_command::SetPageSelectTextAt).field(lSelStart).field(lSelLenght);
      });
}

Status VB_PluginLib::SetPageCursorPos(Long lColumn, Long lLine) {
  return request(
      [&] { pm::SetPageCursorPos(lColumn, lLine); },
      [&] { return relay_line(relay_command::SetPageCursorPos).field(lLine).field(lColumn); });
}

// The relay line carries the variables' values on entry.
Status VB_PluginLib::GetPageCursorPos(Long& lLine, Long& lColumn) {
  return two_numbers_request(
      [&] { pm::GetPageCursorPos(&lColumn, &lLine); },
      [&] { return relay_line(relay_command::GetPageCursorPos).field(lLine).field(lColumn); },
      lLine, lColumn);
}

Status VB_PluginLib::SetPageTopLine(Long lLineNumber) {
  return request([&] { pm::SetPageTopLine(lLineNumber); },
                 [&] { return relay_line(relay_command::SetPageTopLine).field(lLineNumber); });
}

Status VB_PluginLib::GetPageDisplayLines(Long& lTopline, Long& lLinesInWindow) {
  return two_numbers_request([&] { pm::GetPageDisplayLines(&lTopline, &lLinesInWindow); },
                             relay_command::GetPageDisplayLines, lTopline, lLinesInWindow);
}

}  // namespace tavrosk
