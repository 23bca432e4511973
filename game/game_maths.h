// The game's own sine, cosine and arc tangent, in radians, for floats. A recorded session must play the same on
// every platform and compiler, and the C libraries' sinf, cosf and atan2f may differ in the last bit from one
// library to another (one computes on the x87 unit, another in its own way), which a replay then shows as a
// different game a few hundred updates on. These use only +, -, *, /, comparisons and the square root on
// doubles, which every platform rounds the same (IEEE 754, no contraction: the top level builds with
// -ffp-contract=off), and round to float once at the end: within one unit in the last place of the float
// result, and the same bits everywhere.
//
// Valid for |radians| below 2^28 (far beyond any angle the game forms); past that a float's neighbours lie more
// than a turn apart, and GameSin returns 0 and GameCos 1. A NaN or infinite argument gives NaN, as the library's do.
#pragma once

float GameSin(float radians);
float GameCos(float radians);
// The angle of the point (x, y) from the positive x axis, in [-pi, pi], with the library's signs for zeros.
float GameAtan2(float y, float x);
