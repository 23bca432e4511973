// The input device: hits per press, the queues' limits, the mouse / touch mirror, joystick polling order and
// the range guards of the queries.
#include <gtest/gtest.h>

#include "framework/app/app.h"
#include "framework/input/input_device.h"
#include "host/core/glfw_game.h"
#include "tests/fakes/fake_glfw2.h"

using fake_glfw::state;
using E = c_KoGameEvent;

namespace {

class InputDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_glfw::reset();
    device = (new c_InputDevice)->m_new();
    ko_input_SetInputDevice(device);
  }
  void endUpdate() { device->p_EndUpdate(); }
  KoGlfwGame host;
  c_InputDevice* device;
};

TEST_F(InputDevice, HitsCountPressesAndLastOneUpdate) {
  for (int i = 0; i < 2; ++i) {
    device->p_KeyEvent(E::KeyDown, 65);
    device->p_KeyEvent(E::KeyUp, 65);
  }
  EXPECT_EQ(ko_input_KeyHit(65), 2);
  endUpdate();
  EXPECT_EQ(ko_input_KeyHit(65), 0);
}

// A tap that starts and ends between two updates reads as held in exactly one update; a key that an update
// already saw held goes up as soon as it is released.
TEST_F(InputDevice, ATapBetweenUpdatesIsHeldForExactlyOneUpdate) {
  device->p_KeyEvent(E::KeyDown, 27);
  device->p_KeyEvent(E::KeyUp, 27);
  device->p_MouseEvent(E::MouseDown, 0, 1, 1);
  device->p_MouseEvent(E::MouseUp, 0, 1, 1);
  EXPECT_TRUE(ko_input_KeyDown(27));
  EXPECT_TRUE(ko_input_MouseDown(0));
  EXPECT_TRUE(ko_input_TouchDown(0)) << "the mirror is latched with it";
  endUpdate();
  EXPECT_FALSE(ko_input_KeyDown(27));
  EXPECT_FALSE(ko_input_TouchDown(0));

  device->p_KeyEvent(E::KeyDown, 65);
  endUpdate();
  device->p_KeyEvent(E::KeyUp, 65);
  EXPECT_FALSE(ko_input_KeyDown(65)) << "seen held, so released at once";
  device->p_KeyEvent(E::KeyDown, 65);
  device->p_KeyEvent(E::KeyUp, 65);
  device->p_KeyEvent(E::KeyDown, 65);
  EXPECT_EQ(ko_input_KeyHit(65), 2) << "a press after a latched release is a new press, not auto-repeat";
  endUpdate();
  EXPECT_TRUE(ko_input_KeyDown(65)) << "still physically held";
}

TEST_F(InputDevice, AutoRepeatAddsNoHits) {
  for (int i = 0; i < 5; ++i) device->p_KeyEvent(E::KeyDown, 39);
  EXPECT_EQ(ko_input_KeyHit(39), 1);
  EXPECT_TRUE(ko_input_KeyDown(39));
}

TEST_F(InputDevice, TheThirtyFourthPressIsLostButItsKeyIsDown) {
  for (int key = 48; key < 48 + 33; ++key) device->p_KeyEvent(E::KeyDown, key);
  device->p_KeyEvent(E::KeyDown, 100);
  EXPECT_EQ(ko_input_KeyHit(48 + 32), 1);
  EXPECT_EQ(ko_input_KeyHit(100), 0);
  EXPECT_TRUE(ko_input_KeyDown(100));
  endUpdate();
  device->p_KeyEvent(E::KeyDown, 101);
  EXPECT_EQ(ko_input_KeyHit(101), 1) << "the queue is empty again after the update";
}

TEST_F(InputDevice, FortyCharactersGiveTheFirstThirtyTwo) {
  for (int c = 0; c < 40; ++c) device->p_KeyEvent(E::KeyChar, 'a' + c);
  for (int c = 0; c < 32; ++c) ASSERT_EQ(ko_input_GetChar(), 'a' + c);
  EXPECT_EQ(ko_input_GetChar(), 0);
  endUpdate();
  EXPECT_EQ(ko_input_GetChar(), 0);
}

TEST_F(InputDevice, TheLeftButtonAndTouchZeroMirrorEachOther) {
  device->p_MouseEvent(E::MouseDown, 0, 30, 40);
  EXPECT_TRUE(ko_input_TouchDown(0));
  EXPECT_EQ(ko_input_KeyHit(384), 1);
  EXPECT_EQ(ko_input_MouseHit(0), 1);
  EXPECT_FLOAT_EQ(ko_input_TouchX(0), 30);
  endUpdate();
  device->p_MouseEvent(E::MouseUp, 0, 99, 99);
  EXPECT_FALSE(ko_input_TouchDown(0));
  EXPECT_FLOAT_EQ(ko_input_MouseX(), 30) << "a release does not move the pointer";
  device->p_TouchEvent(E::TouchDown, 0, 5, 6);
  EXPECT_TRUE(ko_input_MouseDown(0));
  EXPECT_FLOAT_EQ(ko_input_MouseY(), 6);
  device->p_TouchEvent(E::TouchMove, 3, 7, 8);
  EXPECT_FLOAT_EQ(ko_input_TouchX(3), 7);
  EXPECT_FLOAT_EQ(ko_input_MouseX(), 5) << "only touch 0 moves the mouse";
}

TEST_F(InputDevice, OutOfRangeQueriesAndEventsAreHarmless) {
  EXPECT_FALSE(ko_input_KeyDown(0));
  EXPECT_FALSE(ko_input_KeyDown(512));
  EXPECT_EQ(ko_input_KeyHit(-5), 0);
  EXPECT_FLOAT_EQ(ko_input_TouchX(32), 0);
  EXPECT_FLOAT_EQ(ko_input_JoyX(2, 0), 0);
  EXPECT_FLOAT_EQ(ko_input_JoyY(0, 4), 0);
  device->p_KeyEvent(E::KeyDown, 600);
  device->p_TouchEvent(E::TouchDown, 40, 1, 1);
  EXPECT_EQ(device->m_hitCount, 0);
}

TEST_F(InputDevice, JoysticksArePolledInPortOrderUntilTheFirstAbsentOne) {
  fake_glfw::Joystick pad;
  pad.axes = {0.25f, -0.5f};
  pad.buttons.assign(14, 0);
  pad.buttons[5] = 1;
  state.joysticks[2] = &pad;  // appears as port 0
  device->p_BeginUpdate();
  EXPECT_FLOAT_EQ(ko_input_JoyX(0, 0), 0.25f);
  EXPECT_TRUE(ko_input_JoyDown(5, 0));
  EXPECT_EQ(ko_input_JoyHit(5, 0), 1);
  endUpdate();
  device->p_BeginUpdate();
  EXPECT_EQ(ko_input_JoyHit(5, 0), 0) << "a held button hits once";
  pad.buttons[5] = 0;
  device->p_BeginUpdate();
  EXPECT_FALSE(ko_input_JoyDown(5, 0));

  state.joysticks[2] = nullptr;
  state.joysticks[9] = &pad;
  pad.buttons[5] = 1;
  fake_glfw::Joystick second;
  state.joysticks[10] = &second;
  state.joysticks[9] = nullptr;  // port 0 empty: ports 1..3 are not polled even though a pad exists
  device->m_keyDown[256 + 32 + 5] = true;
  device->p_BeginUpdate();
  EXPECT_TRUE(ko_input_KeyDown(256 + 32 + 5));
}

TEST_F(InputDevice, JoystickCodesAreFormedWithOr) {
  device->m_keyHit[325] = 1;
  EXPECT_EQ(ko_input_JoyHit(5, 2), 1);
}

}  // namespace
