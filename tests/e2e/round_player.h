// Playing a round as a person who sees the screen, for the end-to-end tests of the real program: the game's
// QUARZEL_STATS line (the mode, the score, where the cursor and the nearest pickup are) stands for the eyes,
// and xdotool's held keys for the hands.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct Stats {
  int mode = -1, score = -1, updatesPerSecond = -1, rendersPerSecond = -1, wave = -1;
  int cursorX = 0, cursorY = 0, pickupX = -1, pickupY = -1;  // world pixels
};

// The last statistics line in the program's standard output (all -1 when there is none yet).
Stats LastStats(const std::string& output);

// The arrow keys held, pressed and released only when that changes; all released at the end.
class Arrows {
 public:
  ~Arrows() { Steer(0, 0); }
  // Holds the arrows toward (dx, dy), world pixels from the cursor; within 8 pixels an axis is left alone.
  void Steer(int dx, int dy);

 private:
  void Set(int arrow, bool down);
  bool held_[4] = {};
};

// Plays with fire held for `seconds`, then on until a pickup has been caught, for as long again at most. The
// player goes for the nearest pickup; with none, it traces a square around the turrets, and between waves walks
// to the start marker and presses fire afresh there. `midway`, when given, runs once after 8 seconds with every
// key released (a switch to full screen and back, say). Returns the score of each step.
std::vector<int> PlayForPickups(const std::function<std::string()>& output, double seconds,
                                const std::function<void()>& midway = nullptr);
