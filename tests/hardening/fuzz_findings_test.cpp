// Inputs that fuzzing found to fault, kept as regressions.
#include <gtest/gtest.h>

#include "base/run_time_error.h"
#include "relay/reply_conversions.h"
#include "support/run_time_errors.h"

namespace tavrosk {
namespace {

using testing::error_of;

// Exponents beyond the range of a long once overflowed the magnitude estimate that tells an
// overflowing number from one too small to hold.
TEST(FuzzFindings, ExponentsPastTheRangeOfALongReadAsOverflowOrZero) {
  const std::u16string huge = u"1234567890123456e99999999999999999999999";
  const std::u16string tiny = u"0.01e-99999999999999999999999";
  EXPECT_EQ(error_of([&] { reply_as_long(huge); }), error::kOverflow);
  EXPECT_EQ(error_of([&] { reply_as_byte(huge); }), error::kOverflow);
  EXPECT_EQ(reply_as_long(tiny), 0);
  EXPECT_EQ(reply_as_byte(u"-" + tiny), 0);
  EXPECT_EQ(error_of([&] { reply_as_boolean(huge); }), error::kTypeMismatch);
  EXPECT_EQ(reply_as_boolean(tiny), kFalse);
}

}  // namespace
}  // namespace tavrosk
