// Real window-system input: xdotool key presses, typed text and clicks reach the input device with the right
// key codes, characters and positions.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/e2e/x11_session.h"
#include "tests/support/build_paths.h"

namespace {

// Waits for a line of the probe's output that starts with `line` (and is exactly it unless `prefixOnly`).
bool wait_for_line(BackgroundProcess& program, const std::string& line, double seconds = 5, bool prefixOnly = false) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (program.Stdout().find(line + (prefixOnly ? "" : "\n")) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(RealInput, KeysTextAndClicksArriveAsFrameworkEvents) {
  X11Session x11;
  ASSERT_TRUE(x11.ok());
  BackgroundProcess program({build_paths::kInputProbe}, {"ALSOFT_DRIVERS=null"});
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(wait_for_line(program, "ready"));
  ASSERT_TRUE(x11.WaitForFocus(window.id));

  Xdotool({"key", "Right"});
  EXPECT_TRUE(wait_for_line(program, "hit 39 1")) << program.Stdout();
  EXPECT_TRUE(wait_for_line(program, "char 65575")) << "Right also sends its private character";
  Xdotool({"key", "Delete"});
  EXPECT_TRUE(wait_for_line(program, "hit 46 1"));
  EXPECT_TRUE(wait_for_line(program, "char 127"));
  Xdotool({"key", "F1"});
  EXPECT_TRUE(wait_for_line(program, "hit 112 1"));

  Xdotool({"type", "Hi!"});
  EXPECT_TRUE(wait_for_line(program, "char 72"));
  EXPECT_TRUE(wait_for_line(program, "char 105"));
  EXPECT_TRUE(wait_for_line(program, "char 33"));
  EXPECT_TRUE(wait_for_line(program, "hit 73 1")) << "the I key";
  EXPECT_TRUE(wait_for_line(program, "hit 16 ", 5, true)) << "Shift for the capital and the '!' (one or two hits)";

  Xdotool({"mousemove", std::to_string(window.x + 100), std::to_string(window.y + 50)});
  EXPECT_TRUE(wait_for_line(program, "mouse 100 50")) << program.Stdout();
  Xdotool({"click", "1"});
  EXPECT_TRUE(wait_for_line(program, "hit 1 1"));
  EXPECT_TRUE(wait_for_line(program, "hit 384 1")) << "a left click is also touch 0";
  Xdotool({"click", "3"});
  EXPECT_TRUE(wait_for_line(program, "hit 2 1"));

  x11.RequestClose(window.id);
  EXPECT_EQ(program.Wait(10).status, 0);
}

}  // namespace
