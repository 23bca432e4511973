// Opening and re-opening the window: the call sequence, centring, the context counter, swap interval,
// display modes, and releasing held keys before a window change.
#include <gtest/gtest.h>

#include "tests/host/host_test_support.h"

using fake_glfw::state;

namespace {

class Window : public ::testing::Test, public HostFixture {
 protected:
  void SetUp() override { game.StartGame(); }
};

TEST_F(Window, OpensCentredAndTitledWithKeyRepeatAndCallbacks) {
  state.desktop = {1920, 1080, 8, 8, 8};
  int sequence = glfwGraphicsSeq;
  game.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  EXPECT_EQ(glfwGraphicsSeq, sequence + 1);
  EXPECT_EQ(state.x, 640);
  EXPECT_EQ(state.y, 300);
  EXPECT_EQ(state.title, "Velmoor Game");
  EXPECT_EQ(state.refreshHint, 60);
  EXPECT_EQ(state.noResizeHint, 0) << "the player may resize the window";
  EXPECT_TRUE(state.keyRepeat);
  EXPECT_FALSE(state.autoPoll);
  EXPECT_EQ(state.swapInterval, 1);
  EXPECT_NE(state.keyCallback, nullptr);
  EXPECT_NE(state.closeCallback, nullptr);
  EXPECT_EQ(fake_glfw::calls_starting("glfwOpenWindow "),
            std::vector<std::string>{"glfwOpenWindow 640x480 888000 window"});
}

TEST_F(Window, AWindowLargerThanTheDesktopGetsANegativePosition) {
  state.desktop = {1024, 768, 8, 8, 8};
  game.SetGlfwWindow(1280, 1024, 8, 8, 8, 0, 0, 0, false);
  EXPECT_EQ(state.x, -128);
  EXPECT_EQ(state.y, -128);
}

TEST_F(Window, FullScreenGetsTheTitleButNoPositionAndEverySwitchCountsOnce) {
  int sequence = glfwGraphicsSeq;
  game.SetDeviceWindow(800, 600, 1);
  EXPECT_TRUE(state.fullscreen);
  EXPECT_EQ(state.width, 800);
  EXPECT_EQ(state.title, "Velmoor Game");
  EXPECT_TRUE(fake_glfw::calls_starting("glfwSetWindowPos").empty());
  game.SetDeviceWindow(800, 600, 2);
  EXPECT_FALSE(state.fullscreen) << "only bit 0 asks for full screen";
  game.SetDeviceWindow(640, 480, 0);
  EXPECT_EQ(glfwGraphicsSeq, sequence + 3);
  EXPECT_EQ(state.openCount, 3);
  EXPECT_EQ(game.GetDeviceWidth(), 640);
  EXPECT_EQ(game.GetDeviceHeight(), 480);
}

TEST_F(Window, ANegativeSwapIntervalLeavesTheDriverAloneNowAndLater) {
  game.SetSwapInterval(-1);
  game.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  EXPECT_TRUE(fake_glfw::calls_starting("glfwSwapInterval").empty());
  game.SetSwapInterval(0);
  EXPECT_EQ(state.swapInterval, 0);
}

TEST_F(Window, HeldKeysAreReleasedBeforeTheOldWindowCloses) {
  game.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  fake_glfw::press_key(glfw2::GLFW_KEY_RIGHT);
  fake_glfw::press_key(glfw2::GLFW_KEY_F13);  // no framework code: nothing to release
  delegateLog.clear();
  state.calls.clear();
  state.onEvents = nullptr;
  game.SetGlfwWindow(800, 600, 8, 8, 8, 0, 0, 0, true);
  EXPECT_EQ(delegateLog, std::vector<std::string>{"key 2 39"});
  EXPECT_EQ(state.calls.front(), "glfwCloseWindow") << "the release comes first";
}

TEST_F(Window, DisplayModesAndTheDesktop) {
  state.modes = {{640, 480, 8, 8, 8}, {1024, 768, 5, 5, 6}};  // red, blue, green
  state.desktop = {1920, 1080, 8, 8, 8};
  Array<KoDisplayMode*> modes = game.GetDisplayModes();
  ASSERT_EQ(modes.Length(), 2);
  EXPECT_EQ(modes[1]->width, 1024);
  EXPECT_EQ(modes[1]->height, 768);
  Array<KoGlfwVideoMode*> videoModes = game.GetGlfwVideoModes();
  EXPECT_EQ(videoModes[1]->green, 6);
  EXPECT_EQ(game.GetDesktopMode()->width, 1920);
  EXPECT_EQ(game.GetGlfwDesktopMode()->height, 1080);
  state.modes.clear();
  EXPECT_EQ(game.GetDisplayModes().Length(), 0);
}

TEST_F(Window, TheCursorCanBeHiddenAndShown) {
  game.SetMouseVisible(false);
  EXPECT_FALSE(state.cursorVisible);
  game.SetMouseVisible(true);
  EXPECT_TRUE(state.cursorVisible);
}

}  // namespace
