// The command-line builder with arbitrary commands and fields. A line splits back into its
// command and fields, in UTF-16 and as the relay tool splits its ANSI bytes, whenever no text
// holds the separator; one that does turns into more fields, never fewer.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/code_page.h"
#include "platform/sim/code_page_selection.h"
#include "relay/command_line.h"
#include "relay/reply_conversions.h"
#include "shared/relay_commands.h"

using namespace tavrosk;

namespace {

// Reads the fuzzer's bytes as a command and a list of fields, each with the text it must give.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}
  bool done() const { return at_ >= bytes_.size(); }
  std::uint8_t byte() { return done() ? 0 : static_cast<std::uint8_t>(bytes_[at_++]); }
  Text text() {
    std::size_t length = byte() % 64;
    std::string_view piece = bytes_.substr(std::min(at_, bytes_.size()), length);
    at_ += piece.size();
    return fuzz::wide_text(piece);
  }
  std::int32_t long_value() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | byte();
    return static_cast<std::int32_t>(value);
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

Text ascii(const std::string& digits) {
  return Text(digits.begin(), digits.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FieldReader in(fuzz::as_bytes(data, size));
  sim::set_code_page((in.byte() & 1) ? sim::CodePage::kUtf8 : sim::CodePage::kWindows1252);
  std::vector<Text> expected{in.text()};
  CommandLine line(expected.front());
  bool separator_inside = expected.front().find(kFieldSeparator) != Text::npos;
  while (!in.done()) {
    switch (in.byte() % 4) {
      case 0: {
        Text text = in.text();
        separator_inside |= text.find(kFieldSeparator) != Text::npos;
        line.field(std::u16string_view(text));
        expected.push_back(text);
        break;
      }
      case 1: {
        Long value = in.long_value();
        line.field(value);
        expected.push_back(ascii(std::to_string(value)));
        break;
      }
      case 2: {
        Byte value = in.byte();
        line.field(value);
        expected.push_back(ascii(std::to_string(value)));
        break;
      }
      default: {
        auto raw = static_cast<std::int16_t>(in.byte() << 8 | in.byte());
        line.field(raw_vb_bool(raw));
        expected.push_back(raw != 0 ? u"True" : u"False");
        break;
      }
    }
  }

  std::vector<Text> split = split_reply(line.text());
  std::vector<std::string> ansi_split = host::split_line(platform::to_ansi(line.text()));
  if (separator_inside) {
    FUZZ_CHECK(split.size() > expected.size() && ansi_split.size() > expected.size());
    return 0;
  }
  // An empty command with no fields is the empty line, which splits into nothing.
  if (line.text().empty()) return 0;
  FUZZ_CHECK(split == expected);
  FUZZ_CHECK(ansi_split.size() == expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    FUZZ_CHECK(ansi_split[i] == platform::to_ansi(expected[i]));
  }
  return 0;
}
