// The random stream: the exact sequence from a seed, and that every draw advances it.
#include <gtest/gtest.h>

#include <climits>

#include "framework/random/random.h"

namespace {

TEST(Random, TheSequenceFromSeed1234) {
  ko_random__InitGlobals();
  EXPECT_EQ(ko_random_Rnd(), 11984094.0f / 16777216.0f);
  EXPECT_EQ(static_cast<uint32_t>(ko_random_Seed), 3067928073u);
  float second = ko_random_Rnd();
  ko_random_Seed = static_cast<int32_t>(3067928073u);
  EXPECT_EQ(ko_random_Rnd(), second) << "assigning the seed replays the sequence";
}

TEST(Random, DegenerateRangesStillAdvanceTheSeed) {
  ko_random_Seed = 99;
  EXPECT_EQ(ko_random_Rnd2(5, 5), 5.0f);
  EXPECT_NE(ko_random_Seed, 99);
  int32_t seed = ko_random_Seed;
  EXPECT_EQ(ko_random_Rnd3(0), 0.0f);
  EXPECT_NE(ko_random_Seed, seed);
}

TEST(Random, ValuesStayInRange) {
  ko_random_Seed = -7;
  for (int i = 0; i < 10000; ++i) {
    float value = ko_random_Rnd();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    float ranged = ko_random_Rnd2(-3, 2);
    ASSERT_GE(ranged, -3.0f);
    ASSERT_LT(ranged, 2.0f);
  }
}

TEST(Maths, TheMostNegativeIntHasNoPositiveCounterpart) {
  EXPECT_EQ(ko_math_Abs(INT_MIN), INT_MIN) << "kept, not undefined";
  EXPECT_EQ(ko_math_Abs(INT_MIN + 1), INT_MAX);
}

TEST(Maths, AbsAndMax) {
  EXPECT_EQ(ko_math_Abs(-4), 4);
  EXPECT_EQ(ko_math_Abs2(-0.5f), 0.5f);
  EXPECT_EQ(ko_math_Max(3, 9), 9);
  EXPECT_EQ(ko_math_Max2(-1.5f, -2.5f), -1.5f);
}

}  // namespace
