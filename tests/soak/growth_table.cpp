#include "soak/growth_table.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tavrosk::soak {
namespace {

using testing::ProcessCounters;
using Count = std::optional<std::uint64_t>;

struct Column {
  const char* name;
  Count (*value)(const ProcessCounters&);
};

const Column kColumns[] = {
    {"private bytes", [](const ProcessCounters& c) -> Count { return c.private_bytes; }},
    {"handles", [](const ProcessCounters& c) -> Count { return c.handles; }},
    {"USER objects", [](const ProcessCounters& c) { return c.user_objects; }},
    {"GDI objects", [](const ProcessCounters& c) { return c.gdi_objects; }},
};

std::string shown(Count value) {
  return value ? std::to_string(*value) : std::string("n/a");
}

}  // namespace

bool print_growth_table(const std::vector<Sample>& samples, double bound) {
  std::printf("%-7s %13s %8s %8s %14s %8s %13s %12s\n", "sample", "direct calls", "relay",
              "seconds", "private bytes", "handles", "USER objects", "GDI objects");
  int number = 0;
  for (const Sample& s : samples) {
    std::printf("%-7d %13lld %8lld %8.1f %14s %8s %13s %12s\n", ++number,
                static_cast<long long>(s.direct_calls), static_cast<long long>(s.relay_exchanges),
                s.seconds, shown(s.counters.private_bytes).c_str(),
                shown(s.counters.handles).c_str(), shown(s.counters.user_objects).c_str(),
                shown(s.counters.gdi_objects).c_str());
  }
  if (samples.size() < 2) return false;
  bool within = true;
  std::printf("growth from the first sample to the last (bound %.0f%%):\n", bound * 100);
  for (const Column& column : kColumns) {
    Count first = column.value(samples.front().counters);
    Count last = column.value(samples.back().counters);
    if (!first || !last) {
      std::printf("  %-14s not counted by this system (GetGuiResources)\n", column.name);
      continue;
    }
    double grown = testing::growth(*first, *last);
    // A count of 0 means the system did not count; it cannot show a leak.
    bool ok = grown <= bound && *first != 0;
    within = within && ok;
    std::printf("  %-14s %+8.3f%%  %s\n", column.name, grown * 100, ok ? "within" : "BEYOND");
  }
  return within;
}

}  // namespace tavrosk::soak
