// The reference plug-in manager library: editing the active page.
#include "plugin_manager/export_support.h"
#include "shared/page_editing_model.h"

using tavrosk::host::IdeState;
using tavrosk::host::Position;
using tavrosk::host::serve_export;
using tavrosk::host::with_ide;
namespace model = tavrosk::host;

extern "C" {

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageNew(char* file_name) noexcept {
  return serve_export(
      "SetPageNew", [&] { return with_ide([&](IdeState& s) { model::new_page(s, file_name); }); },
      file_name);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageClear() noexcept {
  return serve_export("SetPageClear", [] { return with_ide(model::clear_page); });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageInsertHeader() noexcept {
  return serve_export("SetPageInsertHeader", [] { return with_ide(model::insert_header); });
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
SetPageUpdateText(char* text, std::int32_t save_update) noexcept {
  return serve_export(
      "SetPageUpdateText",
      [&] { return with_ide([&](IdeState& s) { model::update_text(s, text, save_update != 0); }); },
      text, save_update);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageText(char* text) noexcept {
  return serve_export(
      "SetPageText", [&] { return with_ide([&](IdeState& s) { model::replace_text(s, text); }); },
      text);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageTextAt(std::int32_t column,
                                                               std::int32_t line,
                                                               char* text) noexcept {
  return serve_export(
      "SetPageTextAt",
      [&] {
        return with_ide([&](IdeState& s) {
          model::insert_text_at(s, Position{line, column}, text);
        });
      },
      column, line, text);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageSelectTextAt(std::int32_t start,
                                                                     std::int32_t length) noexcept {
  return serve_export(
      "SetPageSelectTextAt",
      [&] { return with_ide([&](IdeState& s) { model::select_text(s, start, length); }); }, start,
      length);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageCursorPos(std::int32_t column,
                                                                  std::int32_t line) noexcept {
  return serve_export(
      "SetPageCursorPos",
      [&] { return with_ide([&](IdeState& s) {
              model::move_caret(s, Position{line, column});
            }); },
      column, line);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageCursorPos(std::int32_t* column,
                                                                  std::int32_t* line) noexcept {
  return serve_export(
      "GetPageCursorPos",
      [&] {
        return with_ide([&](IdeState& s) {
          Position at = model::caret(s);
          *column = at.column;
          *line = at.line;
        });
      },
      column, line);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL SetPageTopLine(std::int32_t line_number) noexcept {
  return serve_export(
      "SetPageTopLine",
      [&] { return with_ide([&](IdeState& s) { model::scroll_to(s, line_number); }); },
      line_number);
}

TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
GetPageDisplayLines(std::int32_t* top_line, std::int32_t* lines_in_window) noexcept {
  return serve_export(
      "GetPageDisplayLines",
      [&] {
        return with_ide([&](IdeState& s) {
          model::DisplayLines shown = model::display_lines(s);
          *top_line = shown.top_line;
          *lines_in_window = shown.lines_shown;
        });
      },
      top_line, lines_in_window);
}

}  // extern "C"
