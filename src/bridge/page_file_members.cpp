// VB_PluginLib: saving, loading and closing pages, version stamps and line colours.
#include "bridge/member_forms.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/relay_command_names.h"
#include "bridge/vb_plugin_lib.h"

namespace tavrosk {

namespace pm = plugin_manager;

Result<VbBool> VB_PluginLib::SetPageSave(const Text& sFileName) {
  return routed<VbBool>([&] { return pm::SetPageSave(ansi_copy(sFileName)); },
                        [&] { return relay_line(relay_command::SetPageSave).field(sFileName); });
}

Status VB_PluginLib::SetPageLoad(const Text& sFileName) {
  return request([&] { pm::SetPageLoad(ansi_copy(sFileName)); },
                 [&] { return relay_line(relay_command::SetPageLoad).field(sFileName); });
}

// The direct road hands the export the caller's own name and takes back the whole buffer, at
// the length it was made with: an in-place change by the export reaches the caller, and so
// does the round trip through the ANSI code page.
Status VB_PluginLib::SetPageVersion(Text& sFileName, Byte ByMajor, Byte ByMinor, Byte ByRelease,
                                    Byte ByBuild) {
  return request(
      [&] {
        AnsiCopy name(sFileName);
        pm::SetPageVersion(name, byte_slot(ByMajor), byte_slot(ByMinor), byte_slot(ByRelease),
                           byte_slot(ByBuild));
        sFileName = name.round_trip();
      },
      [&] {
        return relay_line(relay_command::SetPageVersion)
            .field(ByMajor)
            .field(ByMinor)
            .field(ByRelease)
            .field(ByBuild)
            .field(sFileName);
      });
}

Result<VbBool> VB_PluginLib::SetPageClose(const Text& sFileName) {
  return routed<VbBool>([&] { return pm::SetPageClose(ansi_copy(sFileName)); },
                        [&] { return relay_line(relay_command::SetPageClose).field(sFileName); });
}

Result<VbBool> VB_PluginLib::SetPageCloseAll(const Text& sNewPageName) {
  return routed<VbBool>(
      [&] { return pm::SetPageCloseAll(ansi_copy(sNewPageName)); },
      [&] { return relay_line(relay_command::SetPageCloseAll).field(sNewPageName); });
}

Status VB_PluginLib::SetPageVersionEnabled(const Text& sFileName, VbBool bValue) {
  return request(
      [&] { pm::SetPageVersionEnabled(ansi_copy(sFileName), export_slot(bValue)); },
      [&] {
        return relay_line(relay_command::SetPageVersionEnabled).field(bValue).field(sFileName);
      });
}

Status VB_PluginLib::SetPageLineColor(Long lLineNumber, Long lBackGrdColour, Long lForeGrdColour) {
  return request([&] { pm::SetPageLineColor(lLineNumber, lBackGrdColour, lForeGrdColour); },
                 [&] {
                   return relay_line(relay_command::SetPageLineColor)
                       .field(lLineNumber)
                       .field(lBackGrdColour)
                       .field(lForeGrdColour);
                 });
}

Status VB_PluginLib::SetPageLineColorDelete(Long lLineNumber) {
  return request(
      [&] { pm::SetPageLineColorDelete(lLineNumber); },
      [&] { return relay_line(relay_command::SetPageLineColorDelete).field(lLineNumber); });
}

Status VB_PluginLib::SetPageLineColorClear() {
  return request(pm::SetPageLineColorClear, relay_command::SetPageLineColorClear);
}

}  // namespace tavrosk
