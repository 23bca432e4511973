// The front end on the harness: the title screen's lists, dial and keys, the options panel, the pause menu, and
// a walk through all of them with the keys as a person presses them, checking the mode and the latches at each
// step and that no press is lost or taken twice.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/game/game_harness.h"

using namespace glfw2;

namespace {

class FrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    game.FinishLoading();
    game.Update(40);  // the title has slid in
  }
  // The angle of dial entry i (degrees); the selection rests at 48.
  float entry_angle(int i) { return 32.0f * i + 48 + app.m_dialAngle; }
  void settle_dial() {
    for (int guard = 0; guard < 400 && (app.m_dialSpin != 0 || app.m_dialAngle != app.m_dialTarget); ++guard) {
      game.Update();
    }
  }
  void open_options() {
    app.m_menuFocus = 0;
    game.Hold(GLFW_KEY_ENTER);
    game.Update(30);  // slid in
    ASSERT_EQ(app.m_optionsSlide, 30);
  }
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(FrontEnd, TheListsShowTenLinesAt480AndFourAt320) {
  for (int k = 0; k < 10; ++k) {
    app.m_scores[10 + k] = 1001 + k;  // Normal's top ten
    app.m_scores[40 + k] = 2001 + k;  // and its last ten
  }
  game.Update();
  EXPECT_TRUE(game.Shows("Top10"));
  EXPECT_TRUE(game.Shows("1010"));
  EXPECT_TRUE(game.Shows("2010"));

  struct Size {
    int width, height;
    const char* title;  // 1280 x 1024 gives a virtual height of 480 less a float step
    const char* lastShown;
    const char* firstHidden;
  };
  for (const Size& size : {Size{640, 320, "Top4", "1004", "1005"}, Size{1280, 1024, "Top10", "1010", "Top9"}}) {
    GameHarness other(size.width, size.height);
    other.FinishLoading();
    for (int k = 0; k < 10; ++k) other.app().m_scores[10 + k] = 1001 + k;
    other.Render();
    other.Update();
    EXPECT_TRUE(other.Shows(size.title)) << size.width << " x " << size.height;
    EXPECT_TRUE(other.Shows(size.lastShown)) << size.width << " x " << size.height;
    EXPECT_FALSE(other.Shows(size.firstHidden)) << size.width << " x " << size.height;
  }
}

TEST_F(FrontEnd, TheDialTurnsWithKeysRepeatingWhileHeld) {
  game.Hold(GLFW_KEY_RIGHT);
  ASSERT_EQ(app.m_menuFocus, 1) << "one step per press";
  game.Hold(GLFW_KEY_UP);
  game.Hold(GLFW_KEY_UP);
  EXPECT_EQ(app.m_menuSel, 0);
  game.Hold(GLFW_KEY_UP);
  EXPECT_EQ(app.m_menuSel, 0) << "nothing before Easy on a computer";

  game.Press(GLFW_KEY_DOWN);
  game.Update();
  EXPECT_EQ(app.m_menuSel, 1) << "at once";
  game.Update(30);
  EXPECT_EQ(app.m_menuSel, 1);
  game.Update();
  EXPECT_EQ(app.m_menuSel, 2) << "31 updates later";
  game.Release(GLFW_KEY_DOWN);
  game.Update();
  EXPECT_EQ(app.m_difficulty, 3);
  EXPECT_EQ(app.m_dialTarget, -64);
}

TEST_F(FrontEnd, AFlickSpinsTheDialAndItSpringsBackFromTheEnds) {
  app.m_dialSpin = 40;  // a hard flick toward Easy and beyond
  game.Update();
  EXPECT_EQ(app.m_menuFocus, 0) << "a flick by itself moves no focus";
  settle_dial();
  EXPECT_EQ(app.m_menuSel, 0) << "the last entry to pass the window";
  EXPECT_LT(entry_angle(0), 60) << "sprung back from beyond Easy";
  EXPECT_GT(entry_angle(0), 0);

  app.m_dialSpin = -40;  // and the other way, beyond Hard
  settle_dial();
  EXPECT_EQ(app.m_menuSel, 2);
  EXPECT_GT(entry_angle(2), 30) << "sprung back from beyond Hard";
  EXPECT_LT(entry_angle(2), 90);
}

TEST_F(FrontEnd, ADragOnTheDialSpinsItWithoutStartingARound) {
  float centreX = 12.0f * app.m_menuSlide + 38, centreY = ko_Quarzel_jscrh - 64;
  game.MouseTo(static_cast<int>(centreX + 120), static_cast<int>(centreY - 60));
  game.MouseButton(0, true);
  game.Update();
  for (int step = 1; step <= 4; ++step) {
    game.MouseTo(static_cast<int>(centreX + 120 - 12 * step), static_cast<int>(centreY - 60 - 12 * step));
    game.Update();
  }
  EXPECT_EQ(app.m_inputLatch, -1) << "a drag in progress";
  EXPECT_LT(app.m_dialSpin, 0) << "up and left turns it back";
  game.MouseButton(0, false);
  game.Update();
  EXPECT_EQ(app.m_inputLatch, 0);
  settle_dial();
  EXPECT_EQ(app.m_mode, 1);
}

TEST_F(FrontEnd, FourPressesCycleTheSoundModeAndAStrangeStoredModeReadsOff) {
  open_options();
  game.Hold(GLFW_KEY_DOWN);
  ASSERT_EQ(app.m_optCursor, 1);
  const int modes[4] = {2, 3, 0, 1};
  for (int expected : modes) {
    game.Hold(GLFW_KEY_ENTER);
    EXPECT_EQ(app.m_settings[5], expected);
  }
  app.m_settings[5] = 7;
  game.Update();
  EXPECT_FALSE(game.Shows("Sound")) << "no label for a mode the game does not know";
  EXPECT_EQ(app.m_settings[5], 0);
  game.Update();
  EXPECT_TRUE(game.Shows("Sound:Off"));
}

TEST_F(FrontEnd, TheOptionsIgnoreInputWhileSlidingAndKeepTheCursorInBounds) {
  app.m_menuFocus = 0;
  game.Hold(GLFW_KEY_ENTER);
  game.Hold(GLFW_KEY_DOWN, 2);
  game.Hold(GLFW_KEY_DOWN, 2);
  EXPECT_LT(app.m_optionsSlide, 30);
  EXPECT_EQ(app.m_optCursor, 0) << "nothing acts while the panel slides";
  game.Update(30);
  for (int i = 0; i < 8; ++i) game.Hold(GLFW_KEY_DOWN);
  EXPECT_EQ(app.m_optCursor, 5) << "sound, iCade, display and the two sticks";
  for (int i = 0; i < 8; ++i) game.Hold(GLFW_KEY_UP);
  EXPECT_EQ(app.m_optCursor, 0) << "the back button is the top";
}

TEST_F(FrontEnd, BackClosesTheOptionsAndSaves) {
  open_options();
  int saves = game.host.saves;
  game.Hold(GLFW_KEY_ESC);
  EXPECT_EQ(app.m_optionsOpen, 0);
  EXPECT_EQ(game.host.saves, saves + 1);
  EXPECT_EQ(app.m_mode, 1) << "the back key closed the panel; it did not end the program";
  game.Update(30);
  EXPECT_EQ(app.m_optionsSlide, 0);
}

class Paused : public FrontEnd {
 protected:
  void SetUp() override {
    FrontEnd::SetUp();
    app.m_mode = 11;
    game.Update();
    game.Press(GLFW_KEY_ESC);
    game.Update();
  }
};

TEST_F(Paused, ThePauseSlidesInIn13Updates) {
  EXPECT_EQ(app.m_paused, 1);
  EXPECT_EQ(app.m_pauseSlide, -40);
  game.Update(11);
  EXPECT_EQ(app.m_pauseSlide, 224);
  game.Update();
  EXPECT_EQ(app.m_pauseSlide, 248) << "-64 to 248 in 13 steps of 24";
  game.Update();
  EXPECT_EQ(app.m_pauseSlide, 248);
  EXPECT_TRUE(game.Shows("PAUSED"));
}

TEST_F(Paused, BackResumesOnceAndTheRoundGoesOn) {
  game.Update(3);
  EXPECT_EQ(app.m_paused, 1) << "the back key that paused does not resume while held";
  game.Release(GLFW_KEY_ESC);
  game.Update(15);
  game.Hold(GLFW_KEY_ESC, 2);
  EXPECT_EQ(app.m_pauseCursor, -1);
  int slide = app.m_pauseSlide;
  game.Hold(GLFW_KEY_ESC, 1);
  EXPECT_EQ(app.m_pauseCursor, -1) << "a second press while sliding out changes nothing";
  EXPECT_LT(app.m_pauseSlide, slide);
  game.Update(12);
  EXPECT_EQ(app.m_paused, 0);
  EXPECT_EQ(app.m_mode, 10);
}

// Open, the strip covers the screen, and a click anywhere on it closes it, not only in the band at its foot.
TEST_F(FrontEnd, AClickAnywhereClosesTheOpenStrip) {
  app.m_menuFocus = 2;
  game.Hold(GLFW_KEY_ENTER);
  ASSERT_EQ(app.m_sidePanelOpen, 1);
  game.Update(30);
  game.MouseTo(320, 200);
  game.MouseButton(0, true);
  game.Update();
  game.MouseButton(0, false);
  game.Update();
  EXPECT_EQ(app.m_sidePanelOpen, 0);
}

// The pause readout: the arm length is a float and reads as one, the speed as a whole number. A console's overscan
// slider, touched, drops a large value to 1 and sends a small one (16 included) to 96.
TEST_F(FrontEnd, ThePauseReadoutAndTheConsolesOverscanTouch) {
  game.Hold(GLFW_KEY_RIGHT);
  game.Hold(GLFW_KEY_ENTER);
  game.Hold(GLFW_KEY_ESC);
  game.Update(13);
  ASSERT_EQ(app.m_paused, 1);
  app.m_pauseArm = 12;
  app.m_pauseSpeed = 2.75f;
  game.Update();
  EXPECT_TRUE(game.Shows("12.0:2"));

  ko_Quarzel_isOuya = 1;
  const int cases[][2] = {{16, 96}, {64, 1}, {1, 96}};  // overscan before, after
  for (const auto& [before, after] : cases) {
    app.m_settings[14] = before;
    ko_Quarzel_overscan = static_cast<float>(before);
    app.m_inputLatch = 0;
    app.m_touchOn[0] = 1;
    app.m_touchX[0] = 320;  // the slider's middle
    app.m_touchY[0] = app.m_pauseSlide - 150;
    app.p_PauseOverscan();
    EXPECT_EQ(app.m_settings[14], after) << before;
  }
  ko_Quarzel_isOuya = 0;
  ko_Quarzel_overscan = 0;
  app.m_touchOn[0] = 0;
}

TEST_F(FrontEnd, NavigationWalkFromTheTitleThroughARoundAndBack) {
  auto latches_clear_after_release = [&](const char* step) {
    game.Update();
    EXPECT_EQ(app.m_keyLatch, 0) << step;
    EXPECT_EQ(app.m_inputLatch, 0) << step;
  };
  // The options from the title: change every row, then close them.
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_optionsOpen, 1);
  game.Update(30);
  game.Hold(GLFW_KEY_DOWN);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_settings[5], 2) << "one press, one step";
  game.Hold(GLFW_KEY_DOWN);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(ko_Quarzel_iCadeControls, 1);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(ko_Quarzel_iCadeControls, 0) << "a held key toggles once";
  game.Hold(GLFW_KEY_DOWN);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_fullscreen, 1);
  game.Render();
  game.FinishLoading();
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_fullscreen, 0);
  game.Render();
  game.FinishLoading();
  game.Hold(GLFW_KEY_DOWN);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_settings[15], 1);
  game.Hold(GLFW_KEY_DOWN);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_settings[16], 1);
  int saves = game.host.saves;
  game.Hold(GLFW_KEY_ESC);
  EXPECT_EQ(app.m_optionsOpen, 0);
  EXPECT_EQ(game.host.saves, saves + 1);
  game.Update(30);
  latches_clear_after_release("options closed");

  // The strip: open and close it.
  game.Hold(GLFW_KEY_RIGHT);
  game.Hold(GLFW_KEY_RIGHT);
  EXPECT_EQ(app.m_menuFocus, 2);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_sidePanelOpen, 1);
  game.Update(30);
  EXPECT_TRUE(game.Shows("DebugStats"));
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_sidePanelOpen, 0);
  EXPECT_EQ(app.m_mode, 1);
  game.Update(30);
  latches_clear_after_release("strip closed");

  // A round of Normal, paused, with the options opened from the pause menu, then ended.
  game.Hold(GLFW_KEY_LEFT);
  EXPECT_EQ(app.m_menuFocus, 1);
  EXPECT_EQ(app.m_menuSel, 1);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_mode, 10);
  EXPECT_EQ(app.m_difficulty, 2);
  game.Update(60);
  game.Hold(GLFW_KEY_ESC);
  EXPECT_EQ(app.m_paused, 1);
  game.Update(13);
  game.Hold(GLFW_KEY_DOWN);
  EXPECT_EQ(app.m_pauseSel, 1) << "one step per press";
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_optionsOpen, 1);
  game.Update(30);
  game.Hold(GLFW_KEY_ESC);
  EXPECT_EQ(app.m_optionsOpen, 0);
  EXPECT_EQ(app.m_paused, 1) << "closing the options leaves the pause menu up";
  game.Update(30);
  game.Hold(GLFW_KEY_UP);
  game.Hold(GLFW_KEY_UP);
  EXPECT_EQ(app.m_pauseSel, -1);
  game.Hold(GLFW_KEY_ENTER);
  EXPECT_EQ(app.m_paused, 0);
  EXPECT_EQ(app.m_gameOverTimer, 1);
  game.Update(90);
  EXPECT_EQ(app.m_mode, 1) << "back at the title";
  EXPECT_EQ(app.m_scores[40], app.m_score) << "the round's score is the newest of Normal's last ten";
  game.Update(40);
  latches_clear_after_release("back at the title");
}

}  // namespace
