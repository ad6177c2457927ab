#include "shared/page_editing_model.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tavrosk::host {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::size_t> line_starts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t at = text.find(kLineEnd); at != std::string::npos;
       at = text.find(kLineEnd, at + kLineEnd.size())) {
    starts.push_back(at + kLineEnd.size());
  }
  return starts;
}

std::int32_t clamp_line(const std::string& text, std::int32_t line) {
  return std::clamp(line, 0, line_count(text) - 1);
}

bool same_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// The rich-text form follows the plain text, as the IDE's editor keeps both.
void set_text(Page& page, std::string text) {
  page.text = std::move(text);
  page.rtf = rich_text_of(page.text);
  page.modified = true;
}

// The selection collapses at the caret, as in any editor.
void place_caret(Page& page, std::size_t offset) {
  Position at = position_of(page.text, offset);
  page.caret_line = at.line;
  page.caret_column = at.column;
  page.selection_start = static_cast<std::int32_t>(offset_of(page.text, at));
  page.selection_length = 0;
}

Page* named_or_active(IdeState& ide, const std::string& file_name) {
  return file_name.empty() ? ide.active() : ide.find_page(file_name);
}

std::string display_name_of(const std::string& file_name) {
  std::size_t slash = file_name.find_last_of("\\/");
  return slash == std::string::npos ? file_name : file_name.substr(slash + 1);
}

std::string stem_of(const std::string& file_name) {
  std::size_t dot = file_name.find_last_of('.');
  std::size_t slash = file_name.find_last_of("\\/");
  bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return has_extension ? file_name.substr(0, dot) : file_name;
}

}  // namespace

std::string rich_text_of(const std::string& text) {
  return "{\\rtf1\\ansi " + text + "\\par }";
}

Page opened_page(const std::string& file_name, std::string text) {
  Page page;
  page.file_name = file_name;
  page.display_name = display_name_of(file_name);
  std::string stem = stem_of(file_name);
  page.filename_mci = stem + ".mci";
  page.filename_asm = stem + ".asm";
  page.filename_hex = stem + ".hex";
  set_text(page, std::move(text));
  page.modified = false;
  return page;
}

std::int32_t line_count(const std::string& text) {
  return static_cast<std::int32_t>(line_starts(text).size());
}

std::size_t offset_of(const std::string& text, Position position) {
  std::vector<std::size_t> starts = line_starts(text);
  std::size_t line = static_cast<std::size_t>(clamp_line(text, position.line));
  std::size_t end = line + 1 < starts.size() ? starts[line + 1] - kLineEnd.size() : text.size();
  std::size_t column = static_cast<std::size_t>(std::max(position.column, 0));
  return starts[line] + std::min(column, end - starts[line]);
}

Position position_of(const std::string& text, std::size_t offset) {
  offset = std::min(offset, text.size());
  std::vector<std::size_t> starts = line_starts(text);
  auto line = std::upper_bound(starts.begin(), starts.end(), offset) - 1;
  return Position{static_cast<std::int32_t>(line - starts.begin()),
                  static_cast<std::int32_t>(offset - *line)};
}

void new_page(IdeState& ide, const std::string& file_name) {
  if (Page* open = ide.find_page(file_name)) {
    ide.active_page = static_cast<int>(open - ide.pages.data());
    return;
  }
  ide.pages.push_back(opened_page(file_name, ""));
  ide.active_page = static_cast<int>(ide.pages.size()) - 1;
}

void clear_page(IdeState& ide) {
  Page* page = ide.active();
  if (page == nullptr) return;
  set_text(*page, "");
  place_caret(*page, 0);
  page->top_line = 0;
  page->line_colours.clear();
}

void insert_header(IdeState& ide) {
  Page* page = ide.active();
  if (page == nullptr) return;
  const std::string rule = "'" + std::string(64, '*') + "\r\n";
  std::string header = rule + "'*  Name    : " + page->display_name + "\r\n" +
                       "'*  Device  : " + page->device + "\r\n" + rule;
  set_text(*page, header + page->text);
  place_caret(*page, header.size());
}

void replace_text(IdeState& ide, std::string text) {
  Page* page = ide.active();
  if (page == nullptr) return;
  set_text(*page, std::move(text));
  place_caret(*page, 0);
  page->top_line = 0;
}

void update_text(IdeState& ide, std::string text, bool save) {
  Page* page = ide.active();
  if (page == nullptr) return;
  Position was{page->caret_line, page->caret_column};
  set_text(*page, std::move(text));
  place_caret(*page, offset_of(page->text, was));
  page->top_line = clamp_line(page->text, page->top_line);
  if (save) {
    ide.files[page->file_name] = page->text;
    page->modified = false;
  }
}

void insert_text_at(IdeState& ide, Position at, const std::string& text) {
  Page* page = ide.active();
  if (page == nullptr) return;
  std::size_t offset = offset_of(page->text, at);
  std::string edited = page->text;
  edited.insert(offset, text);
  set_text(*page, std::move(edited));
  place_caret(*page, offset + text.size());
}

void select_text(IdeState& ide, std::int32_t start, std::int32_t length) {
  Page* page = ide.active();
  if (page == nullptr) return;
  std::size_t size = page->text.size();
  std::size_t first = std::min(static_cast<std::size_t>(std::max(start, 0)), size);
  std::size_t count = std::min(static_cast<std::size_t>(std::max(length, 0)), size - first);
  place_caret(*page, first + count);
  page->selection_start = static_cast<std::int32_t>(first);
  page->selection_length = static_cast<std::int32_t>(count);
}

void move_caret(IdeState& ide, Position to) {
  Page* page = ide.active();
  if (page == nullptr) return;
  place_caret(*page, offset_of(page->text, to));
}

Position caret(IdeState& ide) {
  const Page* page = ide.active();
  return page == nullptr ? Position{} : Position{page->caret_line, page->caret_column};
}

void scroll_to(IdeState& ide, std::int32_t top_line) {
  Page* page = ide.active();
  if (page == nullptr) return;
  page->top_line = clamp_line(page->text, top_line);
}

DisplayLines display_lines(IdeState& ide) {
  const Page* page = ide.active();
  if (page == nullptr) return {};
  std::int32_t top = clamp_line(page->text, page->top_line);
  return DisplayLines{top, std::min(ide.lines_in_window, line_count(page->text) - top)};
}

bool save_page(IdeState& ide, const std::string& file_name) {
  Page* page = named_or_active(ide, file_name);
  if (page == nullptr) return false;
  ide.files[page->file_name] = page->text;
  page->modified = false;
  return true;
}

void load_page(IdeState& ide, const std::string& file_name) {
  auto file = std::find_if(ide.files.begin(), ide.files.end(),
                           [&](const auto& entry) { return same_name(entry.first, file_name); });
  if (file == ide.files.end()) return;
  new_page(ide, file->first);
  replace_text(ide, file->second);
  ide.active()->modified = false;
}

bool close_page(IdeState& ide, const std::string& file_name) {
  Page* page = ide.find_page(file_name);
  if (page == nullptr) return false;
  int closed = static_cast<int>(page - ide.pages.data());
  ide.pages.erase(ide.pages.begin() + closed);
  // The page after the closed one takes its place; closing the last page leaves the one before.
  if (ide.active_page > closed || ide.active_page == static_cast<int>(ide.pages.size())) {
    --ide.active_page;
  }
  return true;
}

bool close_all_pages(IdeState& ide, const std::string& new_page_name) {
  ide.pages.clear();
  ide.active_page = -1;
  if (!new_page_name.empty()) new_page(ide, new_page_name);
  return true;
}

void stamp_version(IdeState& ide, const std::string& file_name, const std::uint8_t (&version)[4]) {
  Page* page = named_or_active(ide, file_name);
  if (page == nullptr) return;
  std::copy(std::begin(version), std::end(version), page->version);
  page->modified = true;
}

void enable_version(IdeState& ide, const std::string& file_name, bool enabled) {
  Page* page = named_or_active(ide, file_name);
  if (page == nullptr) return;
  page->version_enabled = enabled;
  page->modified = true;
}

void colour_line(IdeState& ide, std::int32_t line, LineColour colour) {
  Page* page = ide.active();
  if (page == nullptr || line < 0 || line >= line_count(page->text)) return;
  page->line_colours[line] = colour;
}

void uncolour_line(IdeState& ide, std::int32_t line) {
  if (Page* page = ide.active()) page->line_colours.erase(line);
}

void clear_line_colours(IdeState& ide) {
  if (Page* page = ide.active()) page->line_colours.clear();
}

}  // namespace tavrosk::host
