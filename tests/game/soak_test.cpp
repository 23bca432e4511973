// A short endurance run (two minutes of game time) in the test suite; bench/soak_bench plays thirty.
#include <gtest/gtest.h>

#include "tests/game/soak.h"

TEST(Soak, TwoMinutesOfRoundsBreakNothingAndLeakNothing) {
  SoakReport report = RunSoak(2);
  EXPECT_GE(report.rounds, 2);
  for (const std::string& broken : report.broken) ADD_FAILURE() << broken;
  ASSERT_GE(report.liveBytes.size(), 2u);
  EXPECT_LE(report.liveBytes.back(), report.liveBytes.front()) << "the live heap grew from round to round";
  EXPECT_LT(report.longestDrawCommands, 2500) << "no frame lost commands";
}
