// Endurance: scripted rounds, one after another, on the harness (the real game and framework on the fakes),
// faster than real time. A round goes: the title, the dial to the next difficulty, a new game, waves with
// upgrades and repairs between them, a pause with the options opened from it, the end of the round, back at the
// title, the options and the strip opened and closed. After every round the soak checks the collector's live
// bytes, the draw list, the object tables and the saved state.
#pragma once

#include <string>
#include <vector>

struct SoakReport {
  int rounds = 0;
  double gameMinutes = 0;       // updates / 60 / 60
  double longestUpdateMs = 0;     // wall time of the slowest single update
  double longestUpdateCpuMs = 0;  // its thread CPU time: the wall time less what other processes took of the core
  int longestDrawCommands = 0;  // the fullest draw list seen
  std::vector<int> liveBytes;   // the collector's live bytes after each round (after full collections)
  std::vector<std::string> broken;  // invariants broken, with the round and the update
};

// Plays rounds until `gameMinutes` of game time have passed.
SoakReport RunSoak(double gameMinutes);
