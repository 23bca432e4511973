// Playing a round through the statistics line and held keys (see round_player.h).
#include "tests/e2e/round_player.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/e2e/x11_session.h"

Stats LastStats(const std::string& output) {
  Stats stats;
  size_t at = output.rfind("Stats mode ");
  if (at == std::string::npos) return stats;
  std::sscanf(output.c_str() + at,
              "Stats mode %d score %d updates/s %d renders/s %d wave %d cursor %d %d pickup %d %d", &stats.mode,
              &stats.score, &stats.updatesPerSecond, &stats.rendersPerSecond, &stats.wave, &stats.cursorX,
              &stats.cursorY, &stats.pickupX, &stats.pickupY);
  return stats;
}

void Arrows::Steer(int dx, int dy) {
  Set(0, dx > 8);
  Set(1, dx < -8);
  Set(2, dy > 8);
  Set(3, dy < -8);
}

void Arrows::Set(int arrow, bool down) {
  static const char* kNames[4] = {"Right", "Left", "Down", "Up"};
  if (down == held_[arrow]) return;
  Xdotool({down ? "keydown" : "keyup", kNames[arrow]});
  held_[arrow] = down;
}

std::vector<int> PlayForPickups(const std::function<std::string()>& output, double seconds,
                                const std::function<void()>& midway) {
  using Clock = std::chrono::steady_clock;
  std::vector<int> scores;
  Arrows arrows;
  Xdotool({"keydown", "z"});
  bool midwayDone = !midway;
  bool fresh = false;
  auto start = Clock::now();
  for (double played = 0; played < 2 * seconds; played = std::chrono::duration<double>(Clock::now() - start).count()) {
    Stats now = LastStats(output());
    if (played > seconds && now.score > 0) break;
    if (!midwayDone && played > 8) {
      arrows.Steer(0, 0);
      Xdotool({"keyup", "z"});
      midway();
      Xdotool({"keydown", "z"});
      midwayDone = true;
      continue;
    }
    const int corners[4][2] = {{480, 400}, {800, 400}, {800, 560}, {480, 560}};
    int targetX = corners[static_cast<int>(played) % 4][0];
    int targetY = corners[static_cast<int>(played) % 4][1];
    if (now.pickupX >= 0) {
      targetX = now.pickupX;
      targetY = now.pickupY;
    } else if (now.wave == 1) {
      targetX = 640;
      targetY = 480;
    }
    arrows.Steer(targetX - now.cursorX, targetY - now.cursorY);
    bool atMarker = now.wave == 1 && std::abs(now.cursorX - 640) < 30 && std::abs(now.cursorY - 480) < 30;
    Xdotool({atMarker && !fresh ? "keyup" : "keydown", "z"});  // a fresh press at the marker starts a wave
    fresh = atMarker && !fresh;
    scores.push_back(now.score);
    PauseFor(100);
  }
  Xdotool({"keyup", "z"});
  return scores;
}
