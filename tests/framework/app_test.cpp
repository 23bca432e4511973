// The application lifecycle on the fake window layer: one application, the ending keys, the device size.
#include <gtest/gtest.h>

#include "framework/app/app.h"
#include "framework/framework.h"
#include "framework/graphics/graphics.h"
#include "host/core/glfw_game.h"
#include "tests/fakes/fake_glfw2.h"
#include "tests/support/exit_status.h"

using fake_glfw::state;

namespace {

std::vector<std::string> appLog;

class TestApp : public c_App {
 public:
  int p_OnCreate() override { return appLog.push_back("create"), 0; }
  int p_OnSuspend() override { return appLog.push_back("suspend"), 0; }
  int p_OnUpdate() override {
    appLog.push_back("update " + std::to_string(ko_app_DeviceWidth()));
    return 0;
  }
};

class AppLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_glfw::reset();
    appLog.clear();
    ko_framework__InitGlobals();
    (new TestApp)->m_new();
    state.opened = true;
    state.width = 640, state.height = 480;
  }
  KoGlfwGame game;
};

TEST_F(AppLifecycle, CreatingASecondApplicationIsFatal) {
  EXPECT_EXIT((new TestApp)->m_new(), ExitedMinusOne(), "");
}

TEST_F(AppLifecycle, StartCreatesTheApplicationWithTheDeviceSize) {
  game.StartGame();
  EXPECT_EQ(appLog, std::vector<std::string>{"create"});
  EXPECT_EQ(ko_app_DeviceWidth(), 640);
  EXPECT_EQ(game.Delegate(), ko_app__delegate.get());
}

TEST_F(AppLifecycle, ANewWindowSizeIsSeenFromTheNextUpdateOn) {
  game.StartGame();
  state.width = 800;
  EXPECT_EQ(ko_app_DeviceWidth(), 640) << "not a fresh query";
  game.UpdateGame();
  EXPECT_EQ(appLog.back(), "update 800");
}

TEST_F(AppLifecycle, TheCloseAndBackKeysEndTheProgramAtOnce) {
  game.StartGame();
  EXPECT_EXIT(game.KeyEvent(c_KoGameEvent::KeyDown, 432), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(game.KeyEvent(c_KoGameEvent::KeyDown, 416), ::testing::ExitedWithCode(0), "");
  game.KeyEvent(c_KoGameEvent::KeyUp, 432);  // only a key-down ends it
  EXPECT_EQ(appLog, std::vector<std::string>{"create"}) << "no suspend before the end";
}

TEST_F(AppLifecycle, TheUpdateRateReachesTheHost) {
  ko_app_SetUpdateRate(30);
  EXPECT_EQ(game.UpdateRate(), 30);
  EXPECT_EQ(ko_app__updateRate, 30);
}

}  // namespace
