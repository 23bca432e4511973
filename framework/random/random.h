// One global pseudo-random stream, fully determined by its seed, and the small maths functions the game uses.
//
// Each draw advances the seed once with the linear congruential step seed = seed x 1664525 + 1013904223
// (mod 2^32) and yields the top 24 bits of the new seed as a fraction: multiples of 2^-24 in [0, 1), exact in
// single precision. Assigning ko_random_Seed replays a sequence. Main thread only.
#pragma once

#include <cstdint>

extern int32_t ko_random_Seed;

void ko_random__InitGlobals();
float ko_random_Rnd();
float ko_random_Rnd2(float low, float high);  // low + (high - low) x next value
float ko_random_Rnd3(float range);            // next value x range

int ko_math_Abs(int value);
float ko_math_Abs2(float value);
int ko_math_Max(int a, int b);
float ko_math_Max2(float a, float b);
