#include "relay_tool/model_view.h"

#include <cstdio>

#include "shared/page_editing_model.h"

namespace tavrosk::host {
namespace {

constexpr int kPageLinesShown = 12;

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + ' ' : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string describe_model(const IdeState& ide) {
  const std::string nl = "\r\n";
  std::string text = "Paths" + nl;
  text += "  IDE        " + ide.path_ide + nl;
  text += "  Plug-ins   " + ide.path_plugin + nl;
  text += "  Compiler   " + ide.path_compiler + nl + nl;
  text += "Pages (" + std::to_string(ide.pages.size()) + ")" + nl;
  for (std::size_t i = 0; i < ide.pages.size(); ++i) {
    const Page& page = ide.pages[i];
    bool active = static_cast<int>(i) == ide.active_page;
    char version[32];
    std::snprintf(version, sizeof version, "%u.%u.%u.%u", page.version[0], page.version[1],
                  page.version[2], page.version[3]);
    text += (active ? "> " : "  ") + padded(page.display_name, 14) + padded(page.file_name, 34) +
            page.device + "  v" + version + (page.modified ? "  modified" : "") + nl;
  }
  text += nl + "Programmers (" + std::to_string(ide.programmers.size()) + ")" + nl;
  for (std::size_t i = 0; i < ide.programmers.size(); ++i) {
    const Programmer& programmer = ide.programmers[i];
    bool current = static_cast<int>(i) == ide.current_programmer;
    text += (current ? "> " : "  ") + padded(programmer.name, 14) + programmer.path +
            programmer.file_name + "  " + programmer.params + nl;
  }
  text += nl + "IDE " + (ide.locked ? "locked" : "unlocked") + "    plug-in " +
          (ide.connected ? "connected (window " + std::to_string(ide.connected_window) + ")"
                         : "not connected") +
          "    compiles " + std::to_string(ide.compile_count) + "    programmer runs " +
          std::to_string(ide.program_runs) + nl;
  if (ide.active_page >= 0 && ide.active_page < static_cast<int>(ide.pages.size())) {
    const Page& page = ide.pages[static_cast<std::size_t>(ide.active_page)];
    text += nl + "Active page " + page.display_name + " (caret line " +
            std::to_string(page.caret_line) + ", column " + std::to_string(page.caret_column) +
            ")" + nl;
    std::size_t start = 0;
    for (int line = 0; line < kPageLinesShown && start <= page.text.size(); ++line) {
      std::size_t end = page.text.find("\r\n", start);
      std::string shown =
          page.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      char number[16];
      std::snprintf(number, sizeof number, "%4d  ", line + 1);
      text += number + shown + nl;
      if (end == std::string::npos) break;
      start = end + 2;
    }
  }
  return text;
}

}  // namespace tavrosk::host
