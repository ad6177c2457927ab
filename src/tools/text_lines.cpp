// PlugInToolsLib: splitting a page's text into lines.
#include <string_view>
#include <vector>

#include "tools/plug_in_tools_lib.h"

namespace tavrosk {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

// Cut at every CR LF pair, exactly; a lone CR or LF stays inside its piece.
std::vector<Text> split_at_line_ends(const Text& text) {
  std::vector<Text> pieces;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(kLineEnd, start)) != Text::npos;
       start = at + kLineEnd.size()) {
    pieces.push_back(text.substr(start, at - start));
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace

Status PlugInToolsLib::Parse_GetLinesArray(Text& sPageText, StringArray& sYourArray) {
  return guarded_void([&] {
    if (sPageText.empty()) return;
    sPageText += kLineEnd;  // the caller's text keeps it, also when the array refuses
    std::vector<Text> lines = split_at_line_ends(sPageText);
    lines.pop_back();  // always the empty piece after the appended CR LF
    sYourArray.replace(std::move(lines));
  });
}

}  // namespace tavrosk
