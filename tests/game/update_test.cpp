// The frame update: global keys, pointer and touch mapping into virtual pixels, the pad's back entry, the
// dispatch, the side panel, the on-screen joypad, the debug line, and the lifecycle hooks around it.
#include <gtest/gtest.h>

#include "framework/input/input_device.h"
#include "tests/game/game_harness.h"

using namespace glfw2;

namespace {

class FrameUpdate : public ::testing::Test {
 protected:
  void SetUp() override { game.FinishLoading(); }
  GameHarness game{1280, 960};  // scale 2
  c_MyApp& app = game.app();
};

TEST_F(FrameUpdate, FunctionKeysToggleTheDebugLineAndTheHud) {
  game.Tap(GLFW_KEY_F1 + 1);
  game.Update(3);
  EXPECT_EQ(app.m_hideHud, 1);
  game.Tap(GLFW_KEY_F1);
  game.Update();
  EXPECT_EQ(ko_Quarzel_DebugMode, 1);
  app.p_CLS2D(kNone, 0, 0, 0);
  game.Update();
  EXPECT_FALSE(game.ImageCommands(90).empty()) << "the debug line is drawn";
  game.Tap(GLFW_KEY_F1);
  game.Update();
  EXPECT_EQ(ko_Quarzel_DebugMode, 0);
}

TEST_F(FrameUpdate, F4EndsTheProgram) {
  game.Tap(GLFW_KEY_F1 + 3);
  EXPECT_EXIT(game.Update(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameUpdate, ThePointerAndTouchesAreMappedToVirtualPixels) {
  game.MouseTo(200, 100);
  game.Update();
  EXPECT_EQ(app.m_mouseX, 100);
  EXPECT_EQ(app.m_mouseY, 50);
  EXPECT_EQ(app.m_touchX[0], kNone) << "no touch while the button is up";
  game.MouseTo(300, 300);
  game.MouseButton(0, true);
  game.Update();
  EXPECT_EQ(app.m_mouseDown, 1);
  EXPECT_EQ(app.m_mouseHit, 1);
  EXPECT_EQ(app.m_prevMouseX, 150) << "a fresh press has no movement";
  EXPECT_EQ(app.m_touchOn[0], 1);
  EXPECT_EQ(app.m_touchX[0], 150);
  game.MouseButton(0, false);
  game.Update();
  EXPECT_EQ(app.m_mouseDown, 0);
  EXPECT_EQ(app.m_inputLatch, 0);
}

TEST_F(FrameUpdate, TheBackKeyFillsPadEntry19EveryUpdate) {
  app.m_mode = 0;  // no screen: on the title the back button would end the program
  ko_input_device->p_KeyEvent(c_KoGameEvent::KeyDown, 416);
  ko_input_device->p_KeyEvent(c_KoGameEvent::KeyUp, 416);
  ko_input_device->m_keyHit[416] = 1;
  app.p_OnUpdate();
  EXPECT_EQ(app.m_pad[19], 1);
  ko_input_device->p_EndUpdate();
  app.p_OnUpdate();
  EXPECT_EQ(app.m_pad[19], 0);
}

TEST_F(FrameUpdate, TheQuitGuardIgnoresOrQuits) {
  app.m_mode = 4;
  game.Update();
  EXPECT_FALSE(game.ImageCommands(90).empty()) << "the guard's text";
  game.Press(GLFW_KEY_ENTER);
  game.Update();
  EXPECT_EQ(app.m_mode, 1) << "fire ignores the request";
  game.Release(GLFW_KEY_ENTER);
  game.Update();
  app.m_mode = 4;
  game.Press(GLFW_KEY_ENTER);
  game.Press('X');
  EXPECT_EXIT(game.Update(), ::testing::ExitedWithCode(0), "") << "fire with button 2 quits";
}

TEST_F(FrameUpdate, TheSidePanelEasesOpenAndShut) {
  app.m_sidePanelOpen = 1;
  for (int i = 0; i < 60; ++i) game.Update();
  EXPECT_EQ(app.m_sidePanelX, ko_Quarzel_jscrw - 140);
  app.m_sidePanelOpen = 0;
  for (int i = 0; i < 60; ++i) game.Update();
  EXPECT_EQ(app.m_sidePanelX, 0);
}

TEST_F(FrameUpdate, TheOnScreenJoypadPressesDirectionsButNotWhilePaused) {
  ko_Quarzel_OnScreenControls = 1;
  app.m_mode = 10;
  app.m_settings[10] = 100, app.m_settings[11] = 100, app.m_settings[12] = 10;
  int left = 100 - 32, middle = static_cast<int>(ko_Quarzel_jscrh) - 100;
  game.MouseTo(2 * left, 2 * middle);
  game.MouseButton(0, true);
  game.Update();
  EXPECT_EQ(app.m_padX, 100);
  EXPECT_EQ(app.p_PlayKey(3, 0, -1), 1) << "left is held during the next update";
  app.m_paused = app.m_pauseCursor = 1;  // paused, the pause menu sliding in
  game.Update();
  EXPECT_EQ(app.m_pad[3], 0);
  ko_Quarzel_OnScreenControls = 0;
}

TEST_F(FrameUpdate, SuspendPausesAGameAndResumeBringsItBackPaused) {
  app.m_mode = 10;
  game.host.SuspendGame();
  EXPECT_EQ(game.host.UpdateRate(), 5);
  EXPECT_EQ(app.m_paused, 1);
  EXPECT_EQ(app.m_pauseSlide, static_cast<int>(ko_Quarzel_jscrh / 2));
  game.host.ResumeGame();
  EXPECT_EQ(game.host.UpdateRate(), 60);
  EXPECT_EQ(app.m_paused, 1) << "a game in progress always comes back paused";
  app.m_mode = 1;
  app.m_pad[19] = 1;
  game.host.SuspendGame();
  game.host.ResumeGame();
  EXPECT_EQ(app.m_paused, 0) << "outside a game no pause is left behind";
  EXPECT_EQ(app.m_pad[19], 1) << "the system back entry is the device's";
}

TEST(GameStart, WithoutSavedDataTheMenuStartsAtNormalWithSoundOn) {
  GameHarness game;
  EXPECT_EQ(game.app().m_mode, 1);
  EXPECT_EQ(game.app().m_difficulty, 2);
  EXPECT_EQ(game.app().m_settings[5], 1);
  EXPECT_EQ(game.app().m_channels[32], 32);
  EXPECT_EQ(game.host.UpdateRate(), 60);
  EXPECT_EQ(ko_Quarzel_MenuSet.Length(), 6);
  EXPECT_EQ(ko_Quarzel_CreditText.Length(), 57);
}

}  // namespace
