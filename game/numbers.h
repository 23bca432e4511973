// The game's one float-to-int conversion: truncation toward zero, as everywhere in the game, saturated at the
// int range and 0 for NaN, so that an odd input (a zero-sized window, a wild stick value) can never make a
// conversion undefined.
#pragma once

#include <climits>
#include <cmath>

#include "framework/graphics/graphics.h"
#include "game/game_maths.h"

inline int Trunc(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);
}

// Unlike std::clamp, defined when the limits cross (a window smaller than a margin): the low limit wins.
inline float Clamp(float value, float low, float high) { return value < low ? low : value > high ? high : value; }

// Sine and cosine of an angle in degrees, with the framework's single-precision degree factor: the game's own
// functions, the same to the bit on every platform (game_maths.h).
inline float SinDeg(float degrees) { return GameSin(degrees * D2R); }
inline float CosDeg(float degrees) { return GameCos(degrees * D2R); }

// True when two points lie less than `reach` apart on each axis: the square test every contact in play uses.
inline bool Within(float ax, float ay, float bx, float by, float reach) {
  return std::fabs(ax - bx) < reach && std::fabs(ay - by) < reach;
}
