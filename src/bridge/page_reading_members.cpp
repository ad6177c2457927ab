// VB_PluginLib: the active page, enumeration of pages and includes, and reading the active
// page's text.
#include <algorithm>
#include <string>

#include "bridge/member_forms.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/record_fetches.h"
#include "bridge/relay_command_names.h"
#include "bridge/vb_plugin_lib.h"
#include "records/page_info_record.h"

namespace tavrosk {

namespace pm = plugin_manager;

namespace {

constexpr Long kTextCap = 512000;       // largest plain or rich-text buffer
constexpr Long kSelectionCap = 240000;  // largest selection buffer
constexpr Long kTextReplyCapacity = 512006;
constexpr Long kSelectionReplyCapacity = 240006;

// The RTF reader closes a document it had to cut: a paragraph mark and the end of the group.
constexpr std::u16string_view kRtfClosing = u"\r\n\\par }";

bool ide_connected() {
  return is_set(export_boolean(pm::IsConnected()));
}

// The active page's information fetched into the store; false when the library had none.
bool fetch_active_page_info() {
  Text active_page = direct_text(pm::GetPage);
  return is_set(FetchPageInfo(active_page));
}

// A text reader's export called with a buffer of `length` (the default when 0).
template <class Export>
Text read_text(const Export& text_export, Long length) {
  return call_with_result_buffer(
      length, [&](char* buffer, Long prepared) { text_export(buffer, prepared); });
}

}  // namespace

Result<Text> VB_PluginLib::GetPage() {
  return routed<Text>([] { return direct_text(pm::GetPage); }, relay_command::GetPage);
}

Result<VbBool> VB_PluginLib::GetPageByIndex(Long lIndex, Text& sReturnedPage) {
  return indexed_text_request(pm::GetPageByIndex, relay_command::GetPageByIndex, lIndex,
                              sReturnedPage);
}

Result<VbBool> VB_PluginLib::GetPageIncludeByIndex(Text& sFileName, Long lIndex,
                                                   Text& sReturnedInclude) {
  return routed<VbBool>(
      [&] {
        VbBool answer = kFalse;
        // The export gets the caller's own variable as ANSI text and may change it in place:
        // the caller sees its round trip.
        AnsiCopy page(sFileName);
        sReturnedInclude = call_with_result_buffer(0, [&](char* buffer, Long length) {
          answer = export_boolean(pm::GetPageIncludeByIndex(page, lIndex, buffer, length));
          sFileName = page.round_trip();
        });
        return answer;
      },
      [&] {
        return relay_line(relay_command::GetPageIncludeByIndex).field(sFileName).field(lIndex);
      },
      [&](const Text& reply) { return split_reply_into(reply, sReturnedInclude); });
}

Result<Text> VB_PluginLib::GetPageText(Long BufferLenght) {
  return routed<Text>(
      [&] {
        if (!ide_connected()) return Text{};
        Long length;
        if (BufferLenght != 0) {
          length = std::min(BufferLenght, kTextCap);  // signed: a negative length stays
        } else {
          // Without page information, the default length.
          length = fetch_active_page_info() ? std::min(page_info_store().PageSize, kTextCap)
                                            : kDefaultResultBufferLength;
        }
        return read_text(pm::GetPageText, length);
      },
      relay_command::GetPageText, ReplyAs<Text>{}, kTextReplyCapacity);
}

// The size follows PageSizeRTF alone; BufferLenght is accepted and not read.
Result<Text> VB_PluginLib::GetPageTextRTF(Long /*BufferLenght*/) {
  return routed<Text>(
      [] {
        if (!ide_connected() || !fetch_active_page_info()) return Text{};
        Long length = page_info_store().PageSizeRTF;
        bool cut = length > kTextCap;
        if (cut) length = kTextCap;
        Text text = read_text(pm::GetPageTextRTF, length);
        if (cut) text += kRtfClosing;
        return text;
      },
      relay_command::GetPageTextRTF, ReplyAs<Text>{}, kTextReplyCapacity);
}

// Sized from the whole page's plain-text length: the selection's own length is not known.
Result<Text> VB_PluginLib::GetPageSelectedText() {
  return routed<Text>(
      [] {
        if (!ide_connected() || !fetch_active_page_info()) return Text{};
        return read_text(pm::GetPageSelectedText,
                         std::min(page_info_store().PageSize, kSelectionCap));
      },
      relay_command::GetPageSelectedText, ReplyAs<Text>{}, kSelectionReplyCapacity);
}

Result<VbBool> VB_PluginLib::SetPage(const Text& sFileName) {
  return routed<VbBool>([&] { return pm::SetPage(ansi_copy(sFileName)); },
                        [&] { return relay_line(relay_command::SetPage).field(sFileName); });
}

Result<Long> VB_PluginLib::GetPageCount() {
  return routed<Long>(pm::GetPageCount, relay_command::GetPageCount);
}

Result<Long> VB_PluginLib::GetPageIncludeCount(const Text& sFileName) {
  return routed<Long>(
      [&] { return pm::GetPageIncludeCount(ansi_copy(sFileName)); },
      [&] { return relay_line(relay_command::GetPageIncludeCount).field(sFileName); });
}

}  // namespace tavrosk
