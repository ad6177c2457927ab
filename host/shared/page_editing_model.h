#pragma once
// The reference IDE's page editing and page files, shared by the exports and the relay
// commands; every function works on the state under the model's lock.
//
// Positions: lines and columns count from 0, lines end at CR LF, and a column counts bytes
// within its line. A position outside the text is placed as an editor places the caret: a
// line before the first or after the last is the first or last line, a column past the end of
// its line is that line's end. Edits work on the active page and do nothing when none is
// active; reads then give 0.
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "model/ide_model.h"

namespace tavrosk::host {

struct Position {
  std::int32_t line = 0;
  std::int32_t column = 0;
  friend bool operator==(const Position&, const Position&) = default;
};

struct DisplayLines {
  std::int32_t top_line = 0;
  std::int32_t lines_shown = 0;  // at most the window's fixed height
};

// A page as the IDE opens a file: display name and ASM/HEX/MCI names from the file name, the
// rich-text form from the text, not modified.
Page opened_page(const std::string& file_name, std::string text);
std::string rich_text_of(const std::string& text);

// Text positions.
std::int32_t line_count(const std::string& text);
std::size_t offset_of(const std::string& text, Position position);  // clamped as above
Position position_of(const std::string& text, std::size_t offset);

// Content of the active page.
void new_page(IdeState& ide, const std::string& file_name);  // an open name becomes active
void clear_page(IdeState& ide);
void insert_header(IdeState& ide);
void replace_text(IdeState& ide, std::string text);  // caret and scroll back to the start
// Hands over edited text, caret and scroll kept where they still fit; `save` also writes it
// to the page's file.
void update_text(IdeState& ide, std::string text, bool save);
void insert_text_at(IdeState& ide, Position at, const std::string& text);  // caret after it
void select_text(IdeState& ide, std::int32_t start, std::int32_t length);  // byte offsets
void move_caret(IdeState& ide, Position to);
Position caret(IdeState& ide);
void scroll_to(IdeState& ide, std::int32_t top_line);
DisplayLines display_lines(IdeState& ide);

// Pages as files: `file_name` names an open page (letter case ignored; empty: the active
// page) and the page is saved to its own file in the host's files.
bool save_page(IdeState& ide, const std::string& file_name);
void load_page(IdeState& ide, const std::string& file_name);  // a missing file: nothing
bool close_page(IdeState& ide, const std::string& file_name);
bool close_all_pages(IdeState& ide, const std::string& new_page_name);  // empty: none left
void stamp_version(IdeState& ide, const std::string& file_name, const std::uint8_t (&version)[4]);
void enable_version(IdeState& ide, const std::string& file_name, bool enabled);

// Line colours of the active page; lines that the page does not have are not coloured.
void colour_line(IdeState& ide, std::int32_t line, LineColour colour);
void uncolour_line(IdeState& ide, std::int32_t line);
void clear_line_colours(IdeState& ide);

// Runs `work` on the state under the model's lock and gives the export's 32-bit result: 0 for
// work without a value, else the value (a bool as 1 or 0).
template <class Work>
std::int32_t with_ide(Work&& work) {
  return ide_model().locked([&](IdeState& ide) -> std::int32_t {
    if constexpr (std::is_void_v<decltype(work(ide))>) {
      work(ide);
      return 0;
    } else {
      return static_cast<std::int32_t>(work(ide));
    }
  });
}

}  // namespace tavrosk::host
