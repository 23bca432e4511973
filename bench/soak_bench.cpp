// Endurance figures: thirty minutes of game time (or the minutes given as the argument) of scripted rounds on
// the recording fakes (tests/game/soak.h), faster than real time. Prints the live heap after each round and
// its growth, the longest update, the fullest draw list and any invariant broken.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/game/soak.h"

int main(int argc, char** argv) {
  double minutes = argc > 1 ? std::atof(argv[1]) : 30;
  auto start = std::chrono::steady_clock::now();
  SoakReport report = RunSoak(minutes);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("soak_bench: %d rounds, %.1f minutes of game time in %.1f s (%.0f times real time)\n", report.rounds,
              report.gameMinutes, seconds, report.gameMinutes * 60 / seconds);
  std::printf("live heap after each round, bytes:");
  for (int bytes : report.liveBytes) std::printf(" %d", bytes);
  int growth = report.liveBytes.empty() ? 0 : report.liveBytes.back() - report.liveBytes.front();
  std::printf("\nlive heap growth: %d bytes over %d rounds (%.1f per round)\n", growth, report.rounds,
              report.rounds > 1 ? static_cast<double>(growth) / (report.rounds - 1) : 0.0);
  std::printf("longest update: %.2f ms wall, %.2f ms CPU; fullest draw list: %d commands\n",
              report.longestUpdateMs, report.longestUpdateCpuMs, report.longestDrawCommands);
  std::printf("invariants broken: %zu\n", report.broken.size());
  for (const std::string& broken : report.broken) std::printf("  %s\n", broken.c_str());
  return report.broken.empty() ? 0 : 1;
}
