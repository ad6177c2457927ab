#include "tools/file_system_helpers.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "base/run_time_error.h"
#include "platform/code_page.h"
#include "platform/file_services.h"

namespace tavrosk::file_system {
namespace {

std::optional<std::uint32_t> search(const Text& pattern) {
  return platform::find_first_file_attributes(platform::to_ansi(pattern));
}

// Character positions in CreatePath are 16-bit: a path beyond 32,767 characters overflows there.
std::int16_t position(std::size_t value) {
  if (value > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    raise(error::kOverflow);
  }
  return static_cast<std::int16_t>(value);
}

// The 1-based position of the first backslash at or after 1-based `start`, or 0.
std::size_t separator_from(const Text& path, std::int16_t start) {
  std::size_t at = path.find(u'\\', static_cast<std::size_t>(start) - 1);
  return at == Text::npos ? 0 : at + 1;
}

}  // namespace

VbBool FileExists(const Text& FullPathFileName) {
  return to_vb_bool(search(FullPathFileName).has_value());
}

VbBool PathExists(const Text& Path) {
  if (Path.empty()) return kFalse;
  Text pattern = Path;
  bool drive_root = false;
  if (Path.back() == u'\\' && Path.size() != 3) {
    pattern.pop_back();
  } else if (Path.size() == 3 && Path[1] == u':' && Path[2] == u'\\') {
    // A root is no entry of its own: it counts as there when it lists anything.
    pattern += u"*.*";
    drive_root = true;
  }
  std::optional<std::uint32_t> attributes = search(pattern);
  if (!attributes) return kFalse;
  return to_vb_bool(drive_root || (*attributes & platform::kFileAttributeDirectory) != 0);
}

void CreatePath(const Text& Path) {
  // The first separator looked for is the fourth character's: a drive root's never ends a step.
  std::int16_t start = 4;
  for (;;) {
    std::size_t separator = separator_from(Path, start);
    std::int16_t pos = position(separator != 0 ? separator : Path.size());
    Text prefix = Path.substr(0, static_cast<std::size_t>(pos));
    if (!is_set(PathExists(prefix))) {
      if (int failure = platform::create_directory(platform::to_ansi(prefix))) raise(failure);
    }
    if (static_cast<std::size_t>(pos) >= Path.size()) return;
    start = position(static_cast<std::size_t>(pos) + 1);
  }
}

}  // namespace tavrosk::file_system
