#pragma once
// What long runs watch for growth in their own process: private bytes, open handles, and the
// USER and GDI objects. Where the system does not count USER or GDI objects (GetGuiResources
// unimplemented, as under Wine), those counts are absent rather than zero; where it does not
// count handles, the open handles are counted one by one.
#include <cstdint>
#include <optional>

namespace tavrosk::testing {

struct ProcessCounters {
  std::uint64_t private_bytes = 0;
  std::uint64_t handles = 0;
  std::optional<std::uint64_t> user_objects;
  std::optional<std::uint64_t> gdi_objects;
};

ProcessCounters sample_process();

// (last - first) / first; 0 when both are 0.
double growth(std::uint64_t first, std::uint64_t last);

}  // namespace tavrosk::testing
