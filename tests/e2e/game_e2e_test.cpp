// The real game under Xvfb: the title screen at two window sizes, F4 and F11, and the logo jingle really
// played (OpenAL Soft writing what it mixes to a wave file).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/screens.h"

namespace {

class Game : public ::testing::Test {
 protected:
  void Start(const std::vector<std::string>& env = {"ALSOFT_DRIVERS=null"}) {
    ASSERT_TRUE(x11.ok());
    game.Start(env);
    ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
    ASSERT_TRUE(x11.WaitForFocus(window.id));
  }
  // Waits for the game's window at this size. The windowed and the full-screen window share the title, and for
  // a moment after a switch the old one may still be listed.
  bool WaitForGameWindow(int width, int height, WindowInfo& info) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (x11.WaitForWindow("Velmoor Game", info, 0.1) && info.width == width && info.height == height) return true;
      PauseFor(50);
    }
    return false;
  }
  X11Session x11;
  GameInFolder game{"game"};
  WindowInfo window;
};

TEST_F(Game, ShowsTheTitleAndRedrawsItAfterAResize) {
  Start();
  ExpectTitleScreen(GameView(x11, x11.Describe(window.id)), "title-640x480");
  ASSERT_TRUE(Xdotool({"windowmove", std::to_string(window.id), "0", "0"}));  // keep it all on the screen
  ASSERT_TRUE(Xdotool({"windowsize", std::to_string(window.id), "1024", "768"}));
  PauseFor(1000);
  WindowInfo resized = x11.Describe(window.id);
  ASSERT_EQ(resized.width, 1024);
  // The same layout, 1.6 times larger, from the art at the higher resolution.
  ExpectTitleScreen(GameView(x11, resized), "title-1024x768");
  Xdotool({"key", "F4"});
  EXPECT_EQ(game.process().Wait(10).status, 0);
}

TEST_F(Game, F11FlipsToFullScreenAndBack) {
  Start();
  PauseFor(300);
  Xdotool({"key", "F11"});
  PauseFor(800);
  EXPECT_TRUE(game.process().Running());
  // The full-screen window carries the game's title too, as a window switcher would list it; it has the
  // desktop's size.
  WindowInfo flipped;
  ASSERT_TRUE(WaitForGameWindow(1280, 1024, flipped));
  EXPECT_TRUE(x11.WaitForFocus(flipped.id)) << "and the keyboard";
  Xdotool({"key", "F11"});
  WindowInfo back;
  ASSERT_TRUE(WaitForGameWindow(640, 480, back));
  x11.RequestClose(back.id);
  EXPECT_EQ(game.process().Wait(10).status, 0);
}

TEST_F(Game, TheLogoJingleIsHeardWhileLoading) {
  char folder[] = "/tmp/quarzel-wave-XXXXXX";
  ASSERT_TRUE(mkdtemp(folder));
  std::string wave = std::string(folder) + "/out.wav", conf = std::string(folder) + "/alsoft.conf";
  std::ofstream(conf) << "[general]\nchannels=mono\nsample-type=int16\nfrequency=22050\n[wave]\nfile=" << wave
                      << "\n";
  Start({"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + conf});
  PauseFor(2000);
  Xdotool({"key", "F4"});
  EXPECT_EQ(game.process().Wait(10).status, 0);

  std::ifstream file(wave, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 44u + 22050) << "about two seconds were mixed";
  int peak = 0, loud = 0;
  for (size_t at = 44; at + 1 < bytes.size(); at += 2) {  // the header's sizes may be unwritten: read on
    int sample = static_cast<int16_t>(static_cast<unsigned char>(bytes[at]) | bytes[at + 1] << 8);
    peak = std::max(peak, std::abs(sample));
    loud += std::abs(sample) > 1000;
  }
  EXPECT_GT(peak, 4000) << "the jingle is audible";
  EXPECT_GT(loud, 2000) << "for a good part of a second";
  std::filesystem::remove_all(folder);
}

}  // namespace
