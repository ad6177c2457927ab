#pragma once
// The two roads a both-roads test runs on, shared by the fixtures of both platforms.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tavrosk::testing {

enum class Road { kDirect, kRelay };

std::string road_name(const ::testing::TestParamInfo<Road>& info);

// Runs a BothRoadsTest suite on the direct and on the relay road.
#define TAVROSK_ON_BOTH_ROADS(suite)                                                          \
  INSTANTIATE_TEST_SUITE_P(                                                                   \
      Roads, suite,                                                                           \
      ::testing::Values(::tavrosk::testing::Road::kDirect, ::tavrosk::testing::Road::kRelay), \
      ::tavrosk::testing::road_name)

// gtest prints UTF-16 text poorly; compare through this when a failure should be readable.
std::string narrow(std::u16string_view text);

}  // namespace tavrosk::testing
