// The real game under Xvfb, driven by keys as a player would: the options panel, the open strip, a round of play
// and the pause menu, each saved as a screenshot in the build's test output folder and checked for its own
// features.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/screens.h"

namespace {

std::vector<ScreenFeature> OptionsFeatures(const GameView& view) {
  std::vector<unsigned> panel = view.Grab(100, 380, 400, 60), rows = view.Grab(90, 125, 460, 180);
  return {
      {"the brown panel", CountNear(panel, 130, 75, 24, 20), static_cast<int>(panel.size() / 2)},
      {"the rows' bars", CountNear(rows, 65, 38, 92, 20), 5000},
      {"their white labels", CountBright(rows, 600), 400},
      {"the back button's gear", CountBright(view.Grab(30, 0, 140, 120)), 500},
  };
}

std::vector<ScreenFeature> OpenStripFeatures(const GameView& view) {
  std::vector<unsigned> ground = view.Grab(200, 380, 200, 40), ring = view.Grab(330, 100, 310, 300);
  int coloured = CountNear(ring, 140, 40, 40, 50) + CountNear(ring, 40, 140, 40, 50) + CountNear(ring, 40, 40, 140, 50);
  return {
      {"the strip covers the screen", CountNear(ground, 5, 20, 40, 12), static_cast<int>(ground.size() / 2)},
      {"the ring of coloured dots", coloured, 1000},
      {"the statistics", CountBright(view.Grab(500, 5, 140, 110), 550), 100},
      {"the \"Top\" list still shows", CountNear(view.Grab(0, 50, 200, 30), 255, 200, 100, 60), 15},
  };
}

// The grid's rings, the turrets' health bars, the score and the money, and something moving that is not the
// cursor or a turret: fire is not held, so that can only be an enemy (or the sparks it strikes from a turret).
std::vector<ScreenFeature> PlayFeatures(const GameView& view) {
  std::set<unsigned> cellColours;
  for (int column = 0; column < 16; ++column) {
    std::vector<unsigned> cell = view.Grab(40.0f + 32 * column, 452, 1, 1);
    if (!cell.empty()) cellColours.insert(cell[0]);
  }
  int moving = 0;
  const float areas[4][4] = {{0, 50, 640, 110}, {0, 340, 640, 140}, {0, 160, 150, 180}, {490, 160, 150, 180}};
  for (const auto& area : areas) moving += CountBright(view.Grab(area[0], area[1], area[2], area[3]), 300);
  return {
      {"the grid's cells tinted in rings", static_cast<int>(cellColours.size()), 3},
      {"four turrets' yellow bars", CountNear(view.Grab(150, 170, 340, 150), 255, 255, 0, 30), 4 * 40 - 1},
      {"the eight-digit score", CountNear(view.Grab(250, 15, 140, 25), 100, 255, 100, 60), 100},
      {"the money", CountNear(view.Grab(580, 10, 60, 50), 255, 255, 0, 30), 200},
      {"an enemy", moving, 30},
  };
}

std::vector<ScreenFeature> PauseFeatures(const GameView& view) {
  std::vector<unsigned> pattern = view.Grab(150, 0, 490, 480);
  return {
      {"\"PAUSED\"", CountBright(view.Grab(340, 220, 190, 40), 600), 300},
      {"the red end-round button", CountNear(view.Grab(30, 60, 80, 80), 230, 40, 60, 60), 100},
      {"the green resume button", CountNear(view.Grab(30, 160, 80, 80), 60, 230, 80, 60), 100},
      {"the selection mark on resume", CountNear(view.Grab(20, 150, 100, 100), 255, 255, 100, 40), 100},
      {"the line pattern", static_cast<int>(pattern.size()) - CountNear(pattern, 0, 0, 0, 24), 2000},
  };
}

TEST(Screens, OptionsStripPlayAndPauseLookAsTheyShould) {
  X11Session x11;
  ASSERT_TRUE(x11.ok());
  GameInFolder game("screens");
  game.Start();
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(x11.WaitForFocus(window.id));
  GameView view(x11, x11.Describe(window.id));
  ExpectTitleScreen(view);

  PressKey("Return");  // the gear has the focus at first
  ExpectScreen(view, OptionsFeatures, "options");
  PauseFor(300);  // nothing acts until the panel has stopped sliding
  PressKey("Escape");
  ExpectTitleScreen(view);
  PauseFor(300);  // the panel slides out of sight, holding the title's keys until it is gone

  PressKey("Right");
  PressKey("Right");
  PressKey("Return");
  ExpectScreen(view, OpenStripFeatures, "strip");
  PressKey("Return");
  PauseFor(700);

  PressKey("Left");
  PressKey("Return");  // Normal
  PauseFor(3000);
  ExpectScreen(view, PlayFeatures, "play", 5);

  // A tap as remote-desktop tools and xdotool send it, down and up within one update: the game must still see it.
  Xdotool({"key", "Escape"});
  ExpectScreen(view, PauseFeatures, "pause");
  Xdotool({"key", "F4"});
  EXPECT_EQ(game.process().Wait(10).status, 0);
}

}  // namespace
