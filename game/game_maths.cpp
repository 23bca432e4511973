// The game's own trigonometry (see game_maths.h). Sine and cosine: the argument less the nearest multiple k of
// pi/2, formed exactly enough in double (pi/2 in four parts, each product with k exact), then a Taylor
// polynomial on [-pi/4, pi/4] picked by k's quadrant. Arc tangent: the ratio of the smaller to the larger
// magnitude, brought below tan(pi/8) and then halved once more before its series.
#include "game/game_maths.h"

#include <cmath>

namespace {

// pi/2 as the sum of three 25-bit parts and a double: k * part is exact for k below 2^28.
constexpr double kHalfPi1 = 0x1.921fb5p+0;
constexpr double kHalfPi2 = 0x1.110b46p-26;
constexpr double kHalfPi3 = 0x1.1a6263p-54;
constexpr double kHalfPi4 = 0x1.8a2e03707344ap-81;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kPi = 0x1.921fb54442d18p+1;
constexpr double kHalfPi = 0x1.921fb54442d18p+0;
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kTanEighthPi = 0x1.a827999fcef32p-2;  // sqrt(2) - 1
constexpr double kLargest = 268435456.0;                // 2^28

bool not_finite(double value) { return !(value - value == 0); }

// sin y and cos y for |y| <= pi/4: the Taylor series to y^17 and y^18, whose first left-out terms lie below
// 2^-60 there.
double sin_near_zero(double y) {
  double z = y * y;
  double sum = 1.0 / 355687428096000;  // 1/17!
  const double rest[] = {-1.0 / 1307674368000, 1.0 / 6227020800, -1.0 / 39916800, 1.0 / 362880, -1.0 / 5040,
                         1.0 / 120, -1.0 / 6};
  for (double coefficient : rest) sum = coefficient + z * sum;
  return y + y * z * sum;
}

double cos_near_zero(double y) {
  double z = y * y;
  double sum = 1.0 / 6402373705728000;  // 1/18!
  const double rest[] = {-1.0 / 20922789888000, 1.0 / 87178291200, -1.0 / 479001600, 1.0 / 3628800,
                         -1.0 / 40320, 1.0 / 720, -1.0 / 24, 1.0 / 2};
  for (double coefficient : rest) sum = coefficient + z * sum;
  return 1 - z * sum;
}

// The quadrant (0..3) of x and x less its multiple of pi/2, in [-pi/4, pi/4]; |x| < 2^28.
int reduce(double x, double& reduced) {
  double scaled = x * kTwoOverPi;
  long long k = static_cast<long long>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
  double multiple = static_cast<double>(k);
  reduced = (((x - multiple * kHalfPi1) - multiple * kHalfPi2) - multiple * kHalfPi3) - multiple * kHalfPi4;
  return static_cast<int>(k & 3);
}

// sin x (cosine: false) or cos x (cosine: true), in double.
double sin_or_cos(double x, bool cosine) {
  double reduced = 0;
  int quadrant = (reduce(x, reduced) + (cosine ? 1 : 0)) & 3;
  if (quadrant == 0) return sin_near_zero(reduced);
  if (quadrant == 1) return cos_near_zero(reduced);
  if (quadrant == 2) return -sin_near_zero(reduced);
  return -cos_near_zero(reduced);
}

// atan t for |t| <= tan(pi/8): halved once (atan t = 2 atan(t / (1 + sqrt(1 + t^2))), sqrt being exactly
// rounded everywhere), then its series to u^27, whose first left-out term lies below 2^-60 for |u| <= tan(pi/16).
double atan_small(double t) {
  double u = t / (1 + std::sqrt(1 + t * t));
  double z = u * u;
  double sum = -1.0 / 27;
  for (int n = 12; n >= 0; --n) sum = (n % 2 == 0 ? 1.0 : -1.0) / (2 * n + 1) + z * sum;
  return 2 * (u * sum);
}

// atan t for 0 <= t <= 1.
double atan_unit(double t) {
  if (t <= kTanEighthPi) return atan_small(t);
  return kQuarterPi + atan_small((t - 1) / (t + 1));
}

}  // namespace

float GameSin(float radians) {
  double x = radians;
  if (not_finite(x)) return static_cast<float>(x - x);
  if (!(x < kLargest && x > -kLargest)) return 0;
  return static_cast<float>(sin_or_cos(x, false));
}

float GameCos(float radians) {
  double x = radians;
  if (not_finite(x)) return static_cast<float>(x - x);
  if (!(x < kLargest && x > -kLargest)) return 1;
  return static_cast<float>(sin_or_cos(x, true));
}

// The ratio of the smaller magnitude to the larger gives the angle within the first octant; the octant, the
// side of the y axis and the sign of y place it. Zeros keep their signs as the library's do: (+-0, +0) gives
// +-0 and (+-0, -0) gives +-pi.
float GameAtan2(float y, float x) {
  double across = y, along = x;
  if (across != across || along != along) return static_cast<float>(across + along);
  bool below = std::signbit(across), behind = std::signbit(along);
  double height = below ? -across : across;
  double width = behind ? -along : along;
  double angle = 0;
  if (height == 0 && width == 0) {
    angle = 0;
  } else if (not_finite(height) && not_finite(width)) {
    angle = kQuarterPi;
  } else if (height <= width) {
    angle = not_finite(width) ? 0 : atan_unit(height / width);
  } else {
    angle = not_finite(height) ? kHalfPi : kHalfPi - atan_unit(width / height);
  }
  if (behind) angle = kPi - angle;
  return static_cast<float>(below ? -angle : angle);
}
