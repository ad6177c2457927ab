// GetPageCount on the relay road, answered by the relay program in a process of its own,
// against the same member on the direct road through Zavoplex.dll in this process.
#include <stdexcept>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

long page_count(_VB_PluginLib* ide) {
  long count = -1;
  check(ide->GetPageCount(&count), "GetPageCount");
  return count;
}

void count_pages(_VB_PluginLib* ide, long expected, std::int64_t calls) {
  for (std::int64_t i = 0; i < calls; ++i) {
    if (page_count(ide) != expected) throw std::runtime_error("GetPageCount changed its answer");
  }
}

}  // namespace

void add_relay_exchange(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide) {
  long direct_count = page_count(ide);
  set_relay_road(ide, true);
  long relayed_count = page_count(ide);
  set_relay_road(ide, false);
  // Both models start as the same freshly started IDE.
  if (direct_count <= 0 || relayed_count != direct_count) {
    throw std::runtime_error("the two roads see different IDEs");
  }
  runs.add(
      {"direct/GetPageCount", [=](std::int64_t calls) { count_pages(ide, direct_count, calls); }});
  runs.add({"relay/GetPageCount",
            [=](std::int64_t calls) { count_pages(ide, direct_count, calls); },
            [=] { set_relay_road(ide, true); }, [=] { set_relay_road(ide, false); }});
  rows.push_back({kRelayAcrossProcessesRow, "relay/GetPageCount", "direct/GetPageCount", 0});
}

}  // namespace tavrosk::bench
