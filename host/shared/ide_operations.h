#pragma once
// The IDE's answers that the exports and the relay commands share, on the model's state (call
// under `IdeModel::locked`). Indexes of programmers, pages and includes count from 0, in the
// order the IDE keeps them; an index out of range finds nothing.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ide_model.h"

namespace tavrosk::host {

// The model's state under its lock.
template <class Work>
auto on_ide(Work&& work) {
  return ide_model().locked(std::forward<Work>(work));
}

template <class T>
const T* at_index(const std::vector<T>& items, std::int32_t index) {
  return index >= 0 && index < static_cast<std::int32_t>(items.size()) ? &items[index] : nullptr;
}

inline std::int32_t count_of(std::size_t size) {
  return static_cast<std::int32_t>(size);
}

inline Programmer* current_programmer(IdeState& ide) {
  return ide.current_programmer >= 0 &&
                 ide.current_programmer < static_cast<int>(ide.programmers.size())
             ? &ide.programmers[ide.current_programmer]
             : nullptr;
}

inline std::string current_programmer_name(IdeState& ide) {
  const Programmer* programmer = current_programmer(ide);
  return programmer == nullptr ? std::string() : programmer->name;
}

inline std::optional<std::string> programmer_name_at(IdeState& ide, std::int32_t index) {
  const Programmer* programmer = at_index(ide.programmers, index);
  if (programmer == nullptr) return std::nullopt;
  return programmer->name;
}

inline bool programmer_available(IdeState& ide) {
  const Programmer* programmer = current_programmer(ide);
  return programmer != nullptr && programmer->available;
}

inline bool select_programmer(IdeState& ide, const std::string& name) {
  Programmer* programmer = ide.find_programmer(name);
  if (programmer == nullptr) return false;
  ide.current_programmer = static_cast<int>(programmer - ide.programmers.data());
  return true;
}

// A run needs a programmer that is there.
inline void run_programmer(IdeState& ide) {
  if (programmer_available(ide)) ++ide.program_runs;
}

// The compiler works on the active page; without one there is nothing to compile.
inline bool compile(IdeState& ide) {
  ++ide.compile_count;
  return ide.active() != nullptr;
}

// The texts of the active page are views into the model, valid while its lock is held: a relay
// reply or an export's buffer copies them once, and a page's text is not copied to be compared.
inline std::string_view active_page_name(IdeState& ide) {
  const Page* page = ide.active();
  return page == nullptr ? std::string_view() : page->file_name;
}

inline std::optional<std::string> page_name_at(IdeState& ide, std::int32_t index) {
  const Page* page = at_index(ide.pages, index);
  if (page == nullptr) return std::nullopt;
  return page->file_name;
}

inline std::optional<std::string> include_at(IdeState& ide, const std::string& page_name,
                                             std::int32_t index) {
  const Page* page = ide.find_page(page_name);
  if (page == nullptr) return std::nullopt;
  const std::string* include = at_index(page->includes, index);
  if (include == nullptr) return std::nullopt;
  return *include;
}

inline std::int32_t include_count(IdeState& ide, const std::string& page_name) {
  const Page* page = ide.find_page(page_name);
  return page == nullptr ? 0 : count_of(page->includes.size());
}

inline bool select_page(IdeState& ide, const std::string& page_name) {
  Page* page = ide.find_page(page_name);
  if (page == nullptr) return false;
  ide.active_page = static_cast<int>(page - ide.pages.data());
  return true;
}

inline std::string_view active_text(IdeState& ide) {
  const Page* page = ide.active();
  return page == nullptr ? std::string_view() : page->text;
}

inline std::string_view active_rtf(IdeState& ide) {
  const Page* page = ide.active();
  return page == nullptr ? std::string_view() : page->rtf;
}

// The selection within the page's text; a selection reaching past the end is cut there.
inline std::string_view active_selection(IdeState& ide) {
  const Page* page = ide.active();
  if (page == nullptr) return std::string_view();
  auto size = static_cast<std::int64_t>(page->text.size());
  std::int64_t start = std::clamp<std::int64_t>(page->selection_start, 0, size);
  std::int64_t length = std::clamp<std::int64_t>(page->selection_length, 0, size - start);
  return std::string_view(page->text)
      .substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

}  // namespace tavrosk::host
