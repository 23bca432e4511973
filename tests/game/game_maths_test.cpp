// The game's own sine, cosine and arc tangent against the C library's (in double, rounded to float): within one
// unit in the last place of the float result, over whole turns in small steps and the angles where a reduction
// or an octant changes: the axes, negative and large angles, atan2 in every quadrant, on the axes and at zeros.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/graphics/graphics.h"
#include "game/game_maths.h"

namespace {

constexpr std::int64_t kBoundUlps = 1;

// Floats in order as integers, so that the distance between two is the count of floats between them (+0 and -0
// are one point).
std::int64_t ordered(float value) {
  std::int32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits < 0 ? -static_cast<std::int64_t>(bits & 0x7fffffff) : bits;
}

std::int64_t ulps_apart(float ours, double library) {
  return std::llabs(ordered(ours) - ordered(static_cast<float>(library)));
}

std::vector<float> angles_in_radians() {
  std::vector<float> radians;
  const float degrees[] = {0, 90, 180, 270, 360, -90, -180, -270, -360, 45, 30, 1e-3f, 720.5f, 3600, -7200.25f,
                           100000, -100000, 1000000};
  for (float angle : degrees) radians.push_back(angle * D2R);
  const float plain[] = {0.0f, -0.0f, 1e-30f, -1e-30f, 3.14159274f, 1.57079637f, 1048576, 1e7f, -3e7f, 2.5e8f};
  radians.insert(radians.end(), std::begin(plain), std::end(plain));
  for (float angle = -1080; angle <= 1080; angle += 0.125f) radians.push_back(angle * D2R);
  return radians;
}

struct Point {
  float y, x;
};

std::vector<Point> points() {
  std::vector<Point> table = {{0.0f, 0.0f}, {-0.0f, 0.0f}, {0.0f, -0.0f}, {-0.0f, -0.0f}, {1, 0}, {-1, 0},
                              {0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {3, -4}, {-4, 3},
                              {1e-30f, 1}, {1, 1e-30f}, {-1e-30f, -1}, {1e30f, -1e30f}, {0.0f, -5}, {-0.0f, -5}};
  for (float radius : {1e-3f, 1.0f, 300.0f}) {
    for (double turn = 0; turn < 360; turn += 0.25) {
      double angle = turn * 0.017453292519943295;
      table.push_back({static_cast<float>(radius * std::sin(angle)), static_cast<float>(radius * std::cos(angle))});
    }
  }
  return table;
}

TEST(GameMaths, AgreeWithTheLibraryWithinOneUnitInTheLastPlace) {
  for (float radians : angles_in_radians()) {
    EXPECT_LE(ulps_apart(GameSin(radians), std::sin(static_cast<double>(radians))), kBoundUlps) << "sin " << radians;
    EXPECT_LE(ulps_apart(GameCos(radians), std::cos(static_cast<double>(radians))), kBoundUlps) << "cos " << radians;
  }
  for (const Point& point : points()) {
    double library = std::atan2(static_cast<double>(point.y), static_cast<double>(point.x));
    float ours = GameAtan2(point.y, point.x);
    EXPECT_LE(ulps_apart(ours, library), kBoundUlps) << "atan2 " << point.y << ", " << point.x;
    EXPECT_EQ(std::signbit(ours), std::signbit(library)) << "atan2 " << point.y << ", " << point.x;
  }
  EXPECT_TRUE(std::isnan(GameSin(NAN)) && std::isnan(GameCos(INFINITY)) && std::isnan(GameAtan2(NAN, 1)));
}

}  // namespace
