// The reference relay tool's line handling over the IDE model with arbitrary lines: a known
// command with arbitrary fields, or an arbitrary line. It answers or stays silent; it never
// crashes, throws or reads past a field.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/ide_model.h"
#include "shared/relay_commands.h"

using namespace tavrosk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const host::RelayCommands commands;
  static const std::vector<std::string> names = commands.names();
  if (size == 0) return 0;
  // The first byte aims at a command; past the list, the line is the bytes as they are.
  std::string line;
  std::string_view rest = fuzz::as_bytes(data + 1, size - 1);
  if (data[0] < names.size()) {
    line = names[data[0]] + std::string(host::kSeparator) + std::string(rest);
  } else {
    line = rest;
  }
  // A fresh IDE each time, so that one input always takes the same path.
  host::ide_model().reset();
  try {
    std::optional<std::string> reply = commands.handle_line(line);
    if (reply) FUZZ_CHECK(reply->find('\0') == std::string::npos);
  } catch (...) {
    fuzz::fail("the relay tool threw on a line", __FILE__, __LINE__);
  }
  return 0;
}
