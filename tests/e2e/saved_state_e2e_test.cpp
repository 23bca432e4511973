// The real program and its saved-state file: started in a scratch working directory (the file is
// ./.tarsilstate there), it reports on standard output what it loaded, shows the lists and options it loaded,
// and the save it makes when the window loses focus writes back every group that was whole, unchanged, and the
// defaults for a damaged one.
#include <gtest/gtest.h>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/sample_state.h"
#include "tests/e2e/screens.h"

namespace {

class SavedGame : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(x11.ok()); }
  // Starts the game, without the ping, and waits until its window has the keyboard.
  void Start() {
    game.Start();
    ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
    ASSERT_TRUE(x11.WaitForFocus(window.id));
  }
  std::string StatePath() const { return game.StatePath(); }
  void WriteState(const std::string& bytes) { game.WriteState(bytes); }
  std::string ReadState() { return game.ReadState(); }
  bool WaitForOutput(const std::string& text) { return game.WaitForOutput(text); }
  bool LoseFocusAndWaitForTheSave() { return ::LoseFocusAndWaitForTheSave(window.id, StatePath()); }
  void Close() {
    x11.RequestClose(window.id);  // the close button works while the game is suspended too
    EXPECT_EQ(game.process().Wait(10).status, 0);
  }
  X11Session x11;
  GameInFolder game{"state"};
  WindowInfo window;
};

// On the title: Normal's best score, 900, has three digits where an empty place shows one "0"; in the options
// the sound row reads "Sound : SFX", without the " + Music" of the default.
void ExpectTheSaveOnScreen(X11Session& x11, const WindowInfo& window) {
  GameView view(x11, x11.Describe(window.id));
  ExpectTitleScreen(view);
  PauseFor(600);  // the lists finish sliding in
  EXPECT_GT(CountNear(view.Grab(600, 72, 26, 16), 255, 200, 100, 60), 20) << "900 leads Normal's top ten";
  EXPECT_EQ(CountNear(view.Grab(600, 207, 26, 16), 255, 200, 100, 60), 0) << "its tenth place is empty";
  PressKey("Return");  // the gear has the focus: the options open
  PauseFor(800);
  EXPECT_GT(CountBright(view.Grab(100, 128, 160, 22), 600), 50) << "the sound row's label";
  EXPECT_EQ(CountBright(view.Grab(285, 128, 90, 22), 600), 0) << "\"Sound : SFX\" ends before \" + Music\"";
}

TEST_F(SavedGame, AWholeSaveIsLoadedShownAndWrittenBackUnchanged) {
  WriteState(kSettings + kBadges + kScores);
  Start();
  ASSERT_TRUE(WaitForOutput("Settings Loaded\nBadges Loaded\nHighscores Loaded\n")) << game.process().Stdout();
  ExpectTheSaveOnScreen(x11, window);
  ASSERT_TRUE(LoseFocusAndWaitForTheSave());
  EXPECT_EQ(ReadState(), kSettings + kBadges + kScores);
  Close();
}

TEST_F(SavedGame, ADamagedGroupAloneIsLost) {
  std::string damagedBadges = kBadges;
  damagedBadges.replace(damagedBadges.find("|0|"), 3, "|4|");  // badge 34 earned by editing, checksum not fixed
  WriteState(kSettings + damagedBadges + kScores);
  Start();
  ASSERT_TRUE(WaitForOutput("Settings Loaded\nBadge Checksum Invalid\nHighscores Loaded\n")) << game.process().Stdout();
  ASSERT_TRUE(LoseFocusAndWaitForTheSave());
  EXPECT_EQ(ReadState(), kSettings + Zeros(9) + kScores) << "no badges; options and lists kept";
  Close();
}

}  // namespace
