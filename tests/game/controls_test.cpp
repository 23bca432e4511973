// Player controls: the game key bindings (keyboard, joystick, stick, pad, iCade, the console narrowing), the
// accelerating keys, the touch stick and the touch tests.
#include <gtest/gtest.h>

#include "framework/input/input_device.h"
#include "tests/game/game_harness.h"

using namespace glfw2;

namespace {

class Controls : public ::testing::Test {
 protected:
  // Holds a framework key code down in the input device.
  void hold(int code, bool down = true) { ko_input_device->m_keyDown[code] = down; }
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(Controls, KeyboardBindingsAndTheICadeNarrowing) {
  hold(87);  // W
  EXPECT_EQ(app.p_PlayKey(0, 0, 0), 1);
  EXPECT_EQ(app.p_PlayKey(0, 0, -1), 1) << "player -1 tests the keyboard";
  EXPECT_EQ(app.p_PlayKey(0, 0, -2), 0);
  EXPECT_EQ(app.p_PlayKey(16, 0, 0), 0) << "codes without a binding are never held";
  app.p_iCade(1);
  EXPECT_EQ(app.p_PlayKey(0, 0, 0), 0) << "the cabinet sends letters: letters are no game keys";
  hold(87, false);
  hold(38);  // the up arrow still counts
  EXPECT_EQ(app.p_PlayKey(0, 0, 0), 1);
  hold(192);  // tilde
  EXPECT_EQ(app.p_PlayKey(99, 0, 0), 0) << "with iCade on, tilde is no back key";
  hold(27);
  EXPECT_EQ(app.p_PlayKey(99, 0, 0), 1);
  EXPECT_EQ(app.p_PlayKey(98, 0, 0), 0) << "98 is always false with iCade on";
}

TEST_F(Controls, ICadeLettersHoldAndReleasePadEntries) {
  app.p_iCade(1);
  app.p_ApplyICadeChar('h');
  EXPECT_EQ(app.m_pad[10], 2);
  EXPECT_EQ(app.p_PlayKey(10, 0, 0), 1);
  app.p_ApplyICadeChar('R');
  EXPECT_EQ(app.m_pad[10], 0);
  app.p_ApplyICadeChar('O');
  EXPECT_EQ(app.p_PlayKey(99, 0, 0), 1) << "O is a back button through pad entry 16";
  app.p_iCade(0);
  EXPECT_EQ(app.m_pad[16], 0) << "switching off clears the pad";
}

TEST_F(Controls, ICadeCharactersArriveThroughTheFrameUpdate) {
  game.FinishLoading();
  app.p_iCade(1);
  game.Type('w');
  game.Update();
  EXPECT_EQ(app.m_pad[0], 2) << "a held cabinet button survives the end of the update";
  EXPECT_EQ(app.m_lastChar, 0);
}

TEST_F(Controls, JoysticksSticksAndThePad) {
  hold(256 + 32 * 2 + 0);  // player 2, button 0
  EXPECT_EQ(app.p_PlayKey(10, 0, 2), 1);
  EXPECT_EQ(app.p_PlayKey(10, 0, -1), 0) << "player -1 has no joystick";
  EXPECT_EQ(app.p_PlayKeyAll(10, 0), 1);
  c_JoyState* joy = ko_input_device->m_joyStates[1];
  joy->m_joyX[0] = -0.4f;
  EXPECT_EQ(app.p_PlayKey(3, 1, 1), 0) << "exactly 0.4 is not a direction";
  joy->m_joyX[0] = -0.41f;
  EXPECT_EQ(app.p_PlayKey(3, 1, 1), 1);
  EXPECT_EQ(app.p_PlayKey(3, 0, 1), 0) << "only when the stick is allowed";
  joy->m_joyY[0] = 0.5f;  // the framework reports up as positive
  EXPECT_EQ(app.p_PlayKey(0, 1, 1), 1);
  app.m_settings[15] = 1;  // inverted
  EXPECT_EQ(app.p_PlayKey(8, 1, 1), 1);
  app.m_pad[12] = 1;
  EXPECT_EQ(app.p_PlayKey(12, 0, -1), 1);
}

TEST_F(Controls, OnlyPlayers0To3HaveAJoystick) {
  hold(384);  // touch 0: where a fifth joystick's button 0 would be
  EXPECT_EQ(app.p_PlayKey(10, 0, 4), 0);
  hold(416);  // the system back button, a sixth joystick's button 0
  EXPECT_EQ(app.p_PlayKey(10, 0, 5), 0);
  EXPECT_EQ(app.p_PlayKey(10, 0, 2000000000), 0);
  hold(13);  // enter: the keyboard still counts
  EXPECT_EQ(app.p_PlayKey(10, 0, 4), 1);
}

TEST_F(Controls, AConsoleNarrowsTheBackButtons) {
  ko_Quarzel_isOuya = 1;
  hold(8);  // backspace
  EXPECT_EQ(app.p_PlayKey(99, 0, 0), 0);
  hold(256 + 7);
  EXPECT_EQ(app.p_PlayKey(99, 0, 0), 1);
  EXPECT_EQ(app.p_PlayKey(98, 0, 0), 0) << "98 tests button 6 only";
  hold(27);
  EXPECT_EQ(app.p_PlayKey(99, 0, -1), 0) << "player -1 tests the pad entry only";
  app.m_pad[19] = 1;
  EXPECT_EQ(app.p_PlayKey(99, 0, -1), 1);
  ko_Quarzel_isOuya = 0;
}

TEST_F(Controls, KeysAccelerateTheStickAndCoastOut) {
  hold(39);  // right
  float previous = 0;
  for (int update = 1; update <= 7; ++update) {
    app.p_AnalogueControl();
    EXPECT_GT(app.m_stickX, previous);
    previous = app.m_stickX;
  }
  EXPECT_EQ(app.m_stickX, 1) << "full speed after about seven updates";
  hold(39, false);
  for (int update = 0; update < 4; ++update) app.p_AnalogueControl();
  EXPECT_GT(app.m_stickX, 0.1f) << "still coasting";
  app.p_AnalogueControl();
  EXPECT_NEAR(app.m_keyVelX, 0, 1e-6) << "stopped after five updates";
  hold(38), hold(40);  // up and down together: down is evaluated second
  app.p_AnalogueControl();
  EXPECT_NEAR(app.m_keyVelY, 0, 1e-6);
}

TEST_F(Controls, TheTouchStickFloatsAroundItsAnchor) {
  app.m_mouseDown = 1;
  app.m_mouseX = 100, app.m_mouseY = 100;
  app.p_AnalogueControl();
  EXPECT_EQ(app.m_touchAnchorX, 100);
  EXPECT_EQ(app.m_stickX, 0);
  app.m_mouseX = 136;
  app.p_AnalogueControl();
  EXPECT_FLOAT_EQ(app.m_stickX, 0.5f);
  app.m_mouseX = 300;  // far away: the anchor follows by 4 pixels
  app.p_AnalogueControl();
  EXPECT_EQ(app.m_touchAnchorX, 104);
  EXPECT_EQ(app.m_stickX, 1);
  app.m_mouseDown = 0;
  app.p_AnalogueControl();
  EXPECT_EQ(app.m_touchAnchorX, -1);
}

TEST_F(Controls, TouchTestsUseStrictEdges) {
  app.m_touchOn[3] = 1;
  app.m_touchX[3] = 10, app.m_touchY[3] = 20;
  EXPECT_EQ(app.p_MouseIn(10, 0, 50, 50), 0) << "on the edge";
  EXPECT_EQ(app.p_MouseIn(9, 0, 50, 50), 1);
  EXPECT_EQ(app.p_MouseIn_Centered(10, 20, 2, 2), 1);
  EXPECT_EQ(app.p_Touch(15, 25, 10, 10), 1) << "the touch box reaches 6 pixels further";
  app.m_touchOn[3] = 0;
  EXPECT_EQ(app.p_MouseIn(0, 0, 100, 100), 0);
}

TEST_F(Controls, TheLatchesHoldUntilEveryGameKeyIsReleased) {
  game.FinishLoading();
  game.Press(GLFW_KEY_ESC);
  app.m_sidePanelOpen = 1;
  game.Update();
  EXPECT_EQ(app.m_sidePanelOpen, 0) << "back closes the open panel";
  EXPECT_EQ(app.m_keyLatch, 1);
  app.m_sidePanelOpen = 1;
  game.Update(2);
  EXPECT_EQ(app.m_sidePanelOpen, 1) << "holding back does nothing more";
  game.Release(GLFW_KEY_ESC);
  game.Update();
  EXPECT_EQ(app.m_keyLatch, 0);
  app.m_optionsOpen = 1;
  game.Update();
  EXPECT_EQ(app.m_keyLatch, 1) << "the options hold input consumed";
  EXPECT_EQ(app.m_inputLatch, 1);
}

}  // namespace
