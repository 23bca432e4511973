// The real game under Xvfb: the loading screen at two window sizes, F4 and F11, and the logo jingle really
// played (OpenAL Soft writing what it mixes to a wave file).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/x11_session.h"

namespace {

void pause_for(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Pixels in the rectangle whose colour is close to (red, green, blue).
int count_near(const std::vector<unsigned>& pixels, int red, int green, int blue, int tolerance = 60) {
  int count = 0;
  for (unsigned pixel : pixels) {
    int r = pixel >> 16 & 255, g = pixel >> 8 & 255, b = pixel & 255;
    count += std::abs(r - red) <= tolerance && std::abs(g - green) <= tolerance && std::abs(b - blue) <= tolerance;
  }
  return count;
}

class Game : public ::testing::Test {
 protected:
  void Start(const std::vector<std::string>& env = {"ALSOFT_DRIVERS=null"}) {
    ASSERT_TRUE(x11.ok());
    program = std::make_unique<BackgroundProcess>(std::vector<std::string>{QUARZEL_PROGRAM}, env);
    ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
    ASSERT_TRUE(x11.WaitForFocus(window.id));
  }
  // Checks the loading screen in the window's rectangle: the logo's cyan outline around the centre of the
  // virtual screen, the orange arcs of dots, and the white caption near the bottom.
  void ExpectLoadingScreen(const WindowInfo& at, float scale) {
    int logoX = at.x + at.width / 2, logoY = at.y + static_cast<int>(0.48f * 480 * scale);
    int half = static_cast<int>(120 * scale);
    std::vector<unsigned> logo = x11.Grab(logoX - half, logoY - half, 2 * half, 2 * half);
    EXPECT_GT(count_near(logo, 40, 230, 255, 70), 200) << "the logo's cyan outline";
    std::vector<unsigned> whole = x11.Grab(at.x, at.y, at.width, at.height);
    EXPECT_GT(count_near(whole, 255, 125, 0), 30) << "the orange arcs";
    EXPECT_GT(count_near(whole, 0, 125, 255), 30) << "the blue arc";
    int captionY = at.y + at.height - static_cast<int>(32 * scale);
    std::vector<unsigned> caption = x11.Grab(at.x + at.width / 2 - 60, captionY - 12, 120, 24);
    EXPECT_GT(count_near(caption, 230, 230, 230, 40), 10) << "\"Loading...\"";
  }
  // Waits for the game's window at this size. The windowed and the full-screen window share the title, and for
  // a moment after a switch the old one may still be listed.
  bool WaitForGameWindow(int width, int height, WindowInfo& info) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (x11.WaitForWindow("Velmoor Game", info, 0.1) && info.width == width && info.height == height) return true;
      pause_for(50);
    }
    return false;
  }
  X11Session x11;
  std::unique_ptr<BackgroundProcess> program;
  WindowInfo window;
};

TEST_F(Game, ShowsTheLoadingScreenAndRedrawsItAfterAResize) {
  Start();
  pause_for(600);
  ExpectLoadingScreen(x11.Describe(window.id), 1);
  ASSERT_TRUE(Xdotool({"windowsize", std::to_string(window.id), "1024", "768"}));
  pause_for(800);
  WindowInfo resized = x11.Describe(window.id);
  ASSERT_EQ(resized.width, 1024);
  ExpectLoadingScreen(resized, 1.6f);
  Xdotool({"key", "F4"});
  EXPECT_EQ(program->Wait(10).status, 0);
}

TEST_F(Game, F11FlipsToFullScreenAndBack) {
  Start();
  pause_for(300);
  Xdotool({"key", "F11"});
  pause_for(800);
  EXPECT_TRUE(program->Running());
  // The full-screen window carries the game's title too, as a window switcher would list it; it has the
  // desktop's size.
  WindowInfo flipped;
  ASSERT_TRUE(WaitForGameWindow(1280, 1024, flipped));
  EXPECT_TRUE(x11.WaitForFocus(flipped.id)) << "and the keyboard";
  Xdotool({"key", "F11"});
  WindowInfo back;
  ASSERT_TRUE(WaitForGameWindow(640, 480, back));
  x11.RequestClose(back.id);
  EXPECT_EQ(program->Wait(10).status, 0);
}

TEST_F(Game, TheLogoJingleIsHeardWhileLoading) {
  char folder[] = "/tmp/quarzel-wave-XXXXXX";
  ASSERT_TRUE(mkdtemp(folder));
  std::string wave = std::string(folder) + "/out.wav", conf = std::string(folder) + "/alsoft.conf";
  std::ofstream(conf) << "[general]\nchannels=mono\nsample-type=int16\nfrequency=22050\n[wave]\nfile=" << wave
                      << "\n";
  Start({"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + conf});
  pause_for(2000);
  Xdotool({"key", "F4"});
  EXPECT_EQ(program->Wait(10).status, 0);

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
  std::system((std::string("rm -rf ") + folder).c_str());
}

}  // namespace
