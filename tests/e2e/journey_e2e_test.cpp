// The whole game as a player meets it, on the real libraries: start, wait for the title, turn the dial to Normal
// with the keys, play for twenty seconds (holding fire, going for the pickups, with a switch to full screen and
// back on the way), pause, end the round, find its score in the "Last" list and in ./.tarsilstate, end with F4,
// start again and find the same lists. Screenshots of each stage go to the build's test output folder; the
// figures (time from start to the title, updates per second in play) go to the log.
//
// The test watches the game through its QUARZEL_STATS line: the mode, the score, and where the cursor and the
// nearest pickup are, so that it can play as a person who sees the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/round_player.h"
#include "tests/e2e/screens.h"

namespace {

using Clock = std::chrono::steady_clock;

// Pixels of two pictures of one region that differ by more than `tolerance` on some channel.
int DifferingPixels(const std::vector<unsigned>& a, const std::vector<unsigned>& b, int tolerance = 12) {
  if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
  int differing = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(static_cast<int>(a[i] >> shift & 255) - static_cast<int>(b[i] >> shift & 255)) > tolerance) {
        ++differing;
        break;
      }
    }
  }
  return differing;
}

class Journey : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(x11.ok()); }
  // Starts the game in its scratch folder and returns the milliseconds until its title is on screen.
  int StartAndWaitForTheTitle() {
    auto start = Clock::now();
    game.Start({"ALSOFT_DRIVERS=null", "QUARZEL_STATS=6"});
    if (!x11.WaitForWindow("Velmoor Game", window) || !x11.WaitForFocus(window.id)) return -1;
    return WaitForTheTitle(start, 10);
  }
  int WaitForTheTitle(Clock::time_point since, double seconds) {
    while (Clock::now() - since < std::chrono::duration<double>(seconds)) {
      if (LooksLikeTitleScreen(GameView(x11, x11.Describe(window.id)))) {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
      }
      PauseFor(10);
    }
    return -1;
  }
  // The statistics line comes once a second: true once one reports `mode`.
  bool WaitForMode(int mode, double seconds) {
    for (auto deadline = Clock::now() + std::chrono::duration<double>(seconds); Clock::now() < deadline; PauseFor(50)) {
      if (LastStats(Stdout()).mode == mode) return true;
    }
    return false;
  }
  GameView View() { return GameView(x11, x11.Describe(window.id)); }
  // The pixels of the first line of the "Last" list, where the newest score stands.
  std::vector<unsigned> NewestScoreOnScreen() { return View().Grab(560, 275, 80, 16); }
  std::string SavedState() { return game.ReadState(); }
  const std::string& Stdout() { return game.process().Stdout(); }
  // Twenty seconds of play with fire held, going for the pickups, with a switch to full screen and back at the
  // 8th second.
  std::vector<int> Play() {
    return PlayForPickups([this] { return Stdout(); }, 20, [this] { SwitchToFullScreenAndBack(); });
  }
  void SwitchToFullScreenAndBack() {
    Xdotool({"key", "F11"});
    WindowInfo full;
    ASSERT_TRUE(WaitForWindowOfWidth(1280, full)) << "full screen";
    PauseFor(1000);
    GameView view(x11, full);
    EXPECT_TRUE(view.Save("journey-3-full-screen"));
    EXPECT_EQ(LastStats(Stdout()).mode, 10) << "still playing";
    Xdotool({"key", "F11"});
    ASSERT_TRUE(WaitForWindowOfWidth(640, window)) << "back in a window";
    ASSERT_TRUE(x11.WaitForFocus(window.id));
  }
  // The windowed and the full-screen window share the title; for a moment after a switch both may be listed.
  bool WaitForWindowOfWidth(int width, WindowInfo& info) {
    for (auto deadline = Clock::now() + std::chrono::seconds(10); Clock::now() < deadline; PauseFor(50)) {
      if (x11.WaitForWindow("Velmoor Game", info, 0.1) && info.width == width) return true;
    }
    return false;
  }

  X11Session x11;
  GameInFolder game{"journey"};
  WindowInfo window;
};

TEST_F(Journey, APlayerPlaysARoundAndFindsItsScoreAfterARestart) {
  int toTitle = StartAndWaitForTheTitle();
  ASSERT_GT(toTitle, 0) << "the title never showed";
  std::printf("journey: %d ms from start to the title\n", toTitle);
  PressKey("Right");  // the dial
  PressKey("Up");     // Easy
  PressKey("Down");   // Normal
  EXPECT_TRUE(View().Save("journey-1-title"));
  PressKey("Return");
  ASSERT_TRUE(WaitForMode(10, 5)) << "the round began";

  std::vector<int> scores = Play();
  Stats playing = LastStats(Stdout());
  EXPECT_EQ(playing.mode, 10) << "the round went on through the switches";
  EXPECT_GT(scores.back(), 0) << "the score rose";
  std::printf("journey: %d updates per second in play, score %d\n", playing.updatesPerSecond, playing.score);
  EXPECT_TRUE(View().Save("journey-2-play"));

  PressKey("Escape");
  PauseFor(600);
  EXPECT_TRUE(View().Save("journey-4-pause"));
  PressKey("Up");  // from resume to the end-round button
  PressKey("Return");
  ASSERT_GT(WaitForTheTitle(Clock::now(), 6), 0) << "back at the title";
  PauseFor(800);  // the overlay retracts
  EXPECT_TRUE(View().Save("journey-5-title-after-the-round"));
  std::vector<unsigned> newest = NewestScoreOnScreen(), second = View().Grab(560, 290, 80, 16);
  EXPECT_GT(DifferingPixels(newest, second), 10) << "the newest of the last ten is the round's score, not a 0";

  std::string saved = SavedState();
  std::vector<std::string> tokens;
  for (size_t start = 0, bar; (bar = saved.find('|', start)) != std::string::npos; start = bar + 1) {
    tokens.push_back(saved.substr(start, bar - start));
  }
  ASSERT_EQ(tokens.size(), 203u);
  EXPECT_GT(std::stoi(tokens[35 + 21 + 1]), 0) << "Normal's newest last score, saved";
  EXPECT_GE(std::stoi(tokens[35 + 21 + 1]), playing.score);

  Xdotool({"key", "F4"});
  ASSERT_EQ(game.process().Wait(10).status, 0);
  EXPECT_EQ(SavedState(), saved) << "ending the program leaves the file as the round saved it";
  int again = StartAndWaitForTheTitle();
  ASSERT_GT(again, 0);
  std::printf("journey: %d ms from the second start to the title\n", again);
  PauseFor(800);
  EXPECT_TRUE(View().Save("journey-6-title-after-a-restart"));
  EXPECT_LT(DifferingPixels(NewestScoreOnScreen(), newest), 5) << "the same lists after a restart";
  Xdotool({"key", "F4"});
  EXPECT_EQ(game.process().Wait(10).status, 0);
}

}  // namespace
