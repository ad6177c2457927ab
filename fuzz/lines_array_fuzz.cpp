// Parse_GetLinesArray against a plain character-by-character split: the same lines, the text
// with CR LF appended, and an array that refuses replacement left as it was.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "tools/plug_in_tools_lib.h"

using namespace tavrosk;

namespace {

// One line per CR LF pair, read one character at a time; a lone CR or LF stays in its line.
std::vector<Text> reference_lines(const Text& text) {
  std::vector<Text> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool locked = (data[0] & 1) != 0;
  const Text original = fuzz::wide_text(fuzz::as_bytes(data + 1, size - 1));
  const std::vector<Text> before{u"earlier", u"elements"};

  Text page_text = original;
  VectorStringArray array(before);
  array.set_locked(locked);
  Status status = PlugInToolsLib().Parse_GetLinesArray(page_text, array);

  if (original.empty()) {
    FUZZ_CHECK(status.ok() && page_text.empty() && array.elements() == before);
    return 0;
  }
  FUZZ_CHECK(page_text == original + u"\r\n");
  if (locked) {
    FUZZ_CHECK(status.error_number() == error::kArrayFixedOrLocked);
    FUZZ_CHECK(array.elements() == before);
    return 0;
  }
  FUZZ_CHECK(status.ok());
  std::vector<Text> expected = reference_lines(original);
  FUZZ_CHECK(array.elements() == expected);
  return 0;
}
