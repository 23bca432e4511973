// The maths helpers at the ends of the int range.
#include <gtest/gtest.h>

#include <climits>

#include "framework/random/random.h"

namespace {

TEST(RandomMaths, TheMostNegativeIntHasNoPositiveCounterpart) {
  EXPECT_EQ(ko_math_Abs(INT_MIN), INT_MIN) << "kept, not undefined";
  EXPECT_EQ(ko_math_Abs(INT_MIN + 1), INT_MAX);
  EXPECT_EQ(ko_math_Abs(INT_MAX), INT_MAX);
}

}  // namespace
