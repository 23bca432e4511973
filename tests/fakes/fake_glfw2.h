// A recording fake of our GLFW 2 interface, with a scripted clock, for deterministic host tests.
//
// The clock only moves when a test (or a scripted hook) advances it, or when the host sleeps: glfwSleep adds
// its argument. glfwPollEvents / glfwWaitEvents run the test's onEvents hook, which stands in for the window
// system: it may move the clock, change focus, close the window or fire callbacks. Every call is appended to
// `calls` as one line, for tests that check order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/glfw2/glfw2.h"

namespace fake_glfw {

struct Joystick {
  std::vector<float> axes;
  std::vector<unsigned char> buttons;
};

struct State {
  double now = 0;  // seconds on the glfwGetTime clock
  bool initFails = false;
  bool openFails = false;

  bool opened = false;
  bool active = true;
  bool fullscreen = false;
  int width = 0, height = 0;
  int x = 0, y = 0;
  std::string title;
  int openCount = 0;
  int swapInterval = -100;  // not set
  bool keyRepeat = false, autoPoll = true, cursorVisible = true;
  int refreshHint = 0, noResizeHint = -1;

  glfw2::GLFWvidmode desktop = {1280, 1024, 8, 8, 8};
  std::vector<glfw2::GLFWvidmode> modes = {{1280, 1024, 8, 8, 8}};
  bool keyDown[glfw2::GLFW_KEY_LAST + 1] = {};
  int mouseX = 0, mouseY = 0;
  Joystick* joysticks[16] = {};

  glfw2::GLFWwindowclosefun closeCallback = nullptr;
  glfw2::GLFWkeyfun keyCallback = nullptr;
  glfw2::GLFWcharfun charCallback = nullptr;
  glfw2::GLFWmousebuttonfun mouseButtonCallback = nullptr;
  glfw2::GLFWmouseposfun mousePosCallback = nullptr;

  std::function<void()> onEvents;  // runs inside glfwPollEvents / glfwWaitEvents
  std::vector<std::string> calls;
};

extern State state;

// Back to a fresh, closed window system (keeps nothing from an earlier test).
void reset();

// Window-system events, as the event pump would deliver them.
void press_key(int glfwKey);
void release_key(int glfwKey);
void type_char(int character);
void mouse_button(int button, int action);
void move_mouse(int x, int y);
void request_close();  // the window's close button: closes unless the callback answers 0

// Lines of `calls` starting with `prefix`.
std::vector<std::string> calls_starting(const std::string& prefix);

}  // namespace fake_glfw
