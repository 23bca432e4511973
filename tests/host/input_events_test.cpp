// Window-system input into framework events: key translation, characters, mouse buttons, joystick polling
// with its port table and both button layouts.
#include <gtest/gtest.h>

#include "tests/host/host_test_support.h"

using fake_glfw::state;
using namespace glfw2;

namespace {

class InputEvents : public ::testing::Test, public HostFixture {
 protected:
  void SetUp() override {
    game.StartGame();
    game.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    delegateLog.clear();
  }
};

TEST_F(InputEvents, BothShiftKeysShareOneCode) {
  fake_glfw::press_key(GLFW_KEY_LSHIFT);
  fake_glfw::press_key(GLFW_KEY_RSHIFT);
  fake_glfw::release_key(GLFW_KEY_LSHIFT);
  EXPECT_EQ(delegateLog, (std::vector<std::string>{"key 1 16", "key 1 16", "key 2 16"}));
}

TEST_F(InputEvents, SpecialKeysAlsoSendTheirCharacters) {
  fake_glfw::press_key(GLFW_KEY_DEL);
  fake_glfw::press_key(GLFW_KEY_HOME);
  fake_glfw::press_key('A');
  fake_glfw::type_char('a');
  EXPECT_EQ(delegateLog, (std::vector<std::string>{"key 1 46", "key 3 127", "key 1 36", "key 3 65572", "key 1 65",
                                                   "key 3 97"}));
}

TEST_F(InputEvents, KeysWithoutACodeProduceNothing) {
  for (int key : {GLFW_KEY_LALT, GLFW_KEY_F13, GLFW_KEY_KP_ENTER, GLFW_KEY_CAPS_LOCK, GLFW_KEY_MENU}) {
    fake_glfw::press_key(key);
    fake_glfw::release_key(key);
  }
  EXPECT_TRUE(delegateLog.empty());
}

TEST_F(InputEvents, TheTranslationTable) {
  struct Case {
    int glfwKey, code;
  } cases[] = {{'0', 48}, {'Z', 90},  {' ', 32},   {'\'', 222}, {'"', 222}, {',', 188}, {'/', 191},
               {';', 186}, {'=', 187}, {'[', 219}, {'\\', 220}, {']', 221}, {'`', 192}, {'~', 192},
               {GLFW_KEY_ESC, 27}, {GLFW_KEY_F12, 123}, {GLFW_KEY_UP, 38}, {GLFW_KEY_LEFT, 37},
               {GLFW_KEY_RCTRL, 17}, {GLFW_KEY_ENTER, 13}, {GLFW_KEY_END, 35}, {GLFW_KEY_KP_9, 105},
               {GLFW_KEY_KP_DIVIDE, 111}, {GLFW_KEY_KP_DECIMAL, 110}, {'a', 0}, {-1, 0}, {400, 0}};
  for (const Case& c : cases) EXPECT_EQ(KoGlfwGame::TransKey(c.glfwKey), c.code) << "key " << c.glfwKey;
  EXPECT_EQ(KoGlfwGame::KeyToChar(13), 13);
  EXPECT_EQ(KoGlfwGame::KeyToChar(45), 65581);
  EXPECT_EQ(KoGlfwGame::KeyToChar(65), 0);
}

TEST_F(InputEvents, MouseButtonsCarryThePointerPosition) {
  fake_glfw::move_mouse(10, 20);
  fake_glfw::mouse_button(0, GLFW_PRESS);
  fake_glfw::mouse_button(2, GLFW_RELEASE);
  fake_glfw::mouse_button(3, GLFW_PRESS);  // a fourth button is ignored
  EXPECT_EQ(delegateLog, (std::vector<std::string>{"mouse 6 -1 10 20", "mouse 4 0 10 20", "mouse 5 2 10 20"}));
}

class Joysticks : public InputEvents {
 protected:
  bool poll(int port) {
    x = Array<float>(2), y = Array<float>(2), z = Array<float>(2);
    buttons = Array<bool>(32);
    return game.PollJoystick(port, x, y, z, buttons);
  }
  Array<float> x, y, z;
  Array<bool> buttons;
  fake_glfw::Joystick padA, padB;
};

TEST_F(Joysticks, PresentControllersFillThePortsInOrder) {
  padA.axes = {0.5f};
  padB.axes = {-0.5f};
  state.joysticks[3] = &padA;
  state.joysticks[7] = &padB;
  ASSERT_TRUE(poll(0));
  EXPECT_FLOAT_EQ(x[0], 0.5f);
  ASSERT_TRUE(poll(1));
  EXPECT_FLOAT_EQ(x[0], -0.5f);
  EXPECT_FALSE(poll(2));
  EXPECT_FALSE(poll(4)) << "ports beyond the table";
  EXPECT_FALSE(poll(-1));
}

TEST_F(Joysticks, APadWithFourteenButtonsAndFiveAxesGetsTheDesignedLayout) {
  padA.axes = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f};
  padA.buttons.assign(14, GLFW_RELEASE);
  padA.buttons[13] = padA.buttons[0] = padA.buttons[9] = GLFW_PRESS;
  state.joysticks[0] = &padA;
  ASSERT_TRUE(poll(0));
  EXPECT_FLOAT_EQ(x[0], 0.1f);
  EXPECT_FLOAT_EQ(y[0], 0.2f);
  EXPECT_FLOAT_EQ(z[0], 0.3f);
  EXPECT_FLOAT_EQ(x[1], 0.5f);
  EXPECT_FLOAT_EQ(y[1], -0.4f);
  EXPECT_FLOAT_EQ(z[1], -0.3f);
  EXPECT_TRUE(buttons[0]);
  EXPECT_TRUE(buttons[11]) << "raw 13, the last hat direction (down)";
  EXPECT_TRUE(buttons[13]) << "raw 9";
  EXPECT_FALSE(buttons[9]);
}

TEST_F(Joysticks, OtherPadsGetTheGeneralLayout) {
  padA.axes = {0.1f, 0.2f, 0.3f, 0.4f};
  padA.buttons.assign(6, GLFW_RELEASE);
  padA.buttons[1] = padA.buttons[2] = GLFW_PRESS;
  state.joysticks[0] = &padA;
  ASSERT_TRUE(poll(0));
  EXPECT_FLOAT_EQ(x[1], 0.3f);
  EXPECT_FLOAT_EQ(y[1], -0.4f);
  EXPECT_FLOAT_EQ(z[0], 0.0f) << "button 6 is not on this pad";
  EXPECT_TRUE(buttons[0]) << "raw 1";
  EXPECT_TRUE(buttons[8]) << "raw 2: hat buttons are counted from the end, B - 4";
  EXPECT_FALSE(buttons[9]);
}

TEST_F(Joysticks, APadWithFewerThanFourButtonsReadsNothingBeforeItsFirstButton) {
  padA.buttons = {GLFW_PRESS, GLFW_PRESS};
  state.joysticks[0] = &padA;
  ASSERT_TRUE(poll(0));
  EXPECT_FALSE(buttons[8]) << "raw -2 lies before the first button";
  EXPECT_FALSE(buttons[9]) << "raw -1 lies before the first button";
  EXPECT_TRUE(buttons[10]) << "raw 0";
  EXPECT_TRUE(buttons[11]) << "raw 1";
}

}  // namespace
