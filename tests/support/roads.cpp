#include "support/roads.h"

namespace tavrosk::testing {

std::string road_name(const ::testing::TestParamInfo<Road>& info) {
  return info.param == Road::kDirect ? "Direct" : "Relay";
}

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace tavrosk::testing
