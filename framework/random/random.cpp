// The random stream and the maths functions (see random.h).
#include "framework/random/random.h"

int32_t ko_random_Seed = 1234;

void ko_random__InitGlobals() { ko_random_Seed = 1234; }

namespace {
double next_fraction() {
  uint32_t seed = static_cast<uint32_t>(ko_random_Seed) * 1664525u + 1013904223u;
  ko_random_Seed = static_cast<int32_t>(seed);
  return (seed >> 8) * (1.0 / 16777216.0);
}
}  // namespace

float ko_random_Rnd() { return static_cast<float>(next_fraction()); }

// The product and sum are formed in double and rounded to float once.
float ko_random_Rnd2(float low, float high) {
  double value = next_fraction();
  return static_cast<float>(low + (static_cast<double>(high) - low) * value);
}

float ko_random_Rnd3(float range) { return static_cast<float>(next_fraction() * range); }

// Negated in unsigned arithmetic: the most negative int has no positive counterpart and stays as it is.
int ko_math_Abs(int value) { return value >= 0 ? value : static_cast<int>(0u - static_cast<uint32_t>(value)); }
float ko_math_Abs2(float value) { return value >= 0 ? value : -value; }
int ko_math_Max(int a, int b) { return a < b ? b : a; }
float ko_math_Max2(float a, float b) { return a > b ? a : b; }
