// The recording fake of our GLFW 2 interface (see fake_glfw2.h).
#include "tests/fakes/fake_glfw2.h"

#include <algorithm>

namespace fake_glfw {

State state;

void reset() { state = State(); }

namespace {
void log(const std::string& line) { state.calls.push_back(line); }
}  // namespace

void press_key(int glfwKey) {
  state.keyDown[glfwKey] = true;
  if (state.keyCallback) state.keyCallback(glfwKey, glfw2::GLFW_PRESS);
}

void release_key(int glfwKey) {
  state.keyDown[glfwKey] = false;
  if (state.keyCallback) state.keyCallback(glfwKey, glfw2::GLFW_RELEASE);
}

void type_char(int character) {
  if (state.charCallback) state.charCallback(character, glfw2::GLFW_PRESS);
}

void mouse_button(int button, int action) {
  if (state.mouseButtonCallback) state.mouseButtonCallback(button, action);
}

void move_mouse(int x, int y) {
  state.mouseX = x, state.mouseY = y;
  if (state.mousePosCallback) state.mousePosCallback(x, y);
}

void request_close() {
  if (state.closeCallback && state.closeCallback() == 0) return;
  glfw2::glfwCloseWindow();
}

std::vector<std::string> calls_starting(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : state.calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace fake_glfw

using fake_glfw::state;

namespace glfw2 {

int glfwInit() {
  fake_glfw::log("glfwInit");
  return state.initFails ? 0 : 1;
}

void glfwTerminate() { fake_glfw::log("glfwTerminate"); }

int glfwOpenWindow(int width, int height, int r, int g, int b, int a, int depth, int stencil, int mode) {
  fake_glfw::log("glfwOpenWindow " + std::to_string(width) + "x" + std::to_string(height) + " " + std::to_string(r) +
                 std::to_string(g) + std::to_string(b) + std::to_string(a) + std::to_string(depth) +
                 std::to_string(stencil) + (mode == GLFW_FULLSCREEN ? " fullscreen" : " window"));
  if (state.opened || state.openFails) return 0;
  state.opened = true;
  state.fullscreen = mode == GLFW_FULLSCREEN;
  state.width = width, state.height = height;
  state.x = state.y = 0;
  state.title = "GLFW Window";
  ++state.openCount;
  return 1;
}

void glfwOpenWindowHint(int target, int hint) {
  fake_glfw::log("glfwOpenWindowHint " + std::to_string(target) + " " + std::to_string(hint));
  if (target == GLFW_REFRESH_RATE) state.refreshHint = hint;
  if (target == GLFW_WINDOW_NO_RESIZE) state.noResizeHint = hint;
}

void glfwCloseWindow() {
  fake_glfw::log("glfwCloseWindow");
  state.opened = false;
}

void glfwSetWindowTitle(const char* title) {
  fake_glfw::log(std::string("glfwSetWindowTitle ") + title);
  state.title = title;
}

void glfwGetWindowSize(int* width, int* height) {
  *width = state.opened ? state.width : 0;
  *height = state.opened ? state.height : 0;
}

void glfwSetWindowPos(int x, int y) {
  fake_glfw::log("glfwSetWindowPos " + std::to_string(x) + " " + std::to_string(y));
  state.x = x, state.y = y;
}

int glfwGetWindowParam(int param) {
  if (param == GLFW_OPENED) return state.opened;
  if (param == GLFW_ACTIVE) return state.opened && state.active;
  return 0;
}

void glfwSwapBuffers() { fake_glfw::log("glfwSwapBuffers"); }

void glfwSwapInterval(int interval) {
  fake_glfw::log("glfwSwapInterval " + std::to_string(interval));
  state.swapInterval = interval;
}

int glfwGetVideoModes(GLFWvidmode* list, int maxcount) {
  int count = std::min(static_cast<int>(state.modes.size()), maxcount);
  std::copy(state.modes.begin(), state.modes.begin() + count, list);
  return count;
}

void glfwGetDesktopMode(GLFWvidmode* mode) { *mode = state.desktop; }

void glfwPollEvents() {
  fake_glfw::log("glfwPollEvents");
  if (state.onEvents) state.onEvents();
}

void glfwWaitEvents() {
  fake_glfw::log("glfwWaitEvents");
  if (state.onEvents) state.onEvents();
}

int glfwGetKey(int key) {
  if (key < 0 || key > GLFW_KEY_LAST) return GLFW_RELEASE;
  return state.keyDown[key] ? GLFW_PRESS : GLFW_RELEASE;
}

void glfwGetMousePos(int* x, int* y) { *x = state.mouseX, *y = state.mouseY; }

void glfwSetWindowCloseCallback(GLFWwindowclosefun callback) { state.closeCallback = callback; }
void glfwSetKeyCallback(GLFWkeyfun callback) { state.keyCallback = callback; }
void glfwSetCharCallback(GLFWcharfun callback) { state.charCallback = callback; }
void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback) { state.mouseButtonCallback = callback; }
void glfwSetMousePosCallback(GLFWmouseposfun callback) { state.mousePosCallback = callback; }

int glfwGetJoystickParam(int joy, int param) {
  if (joy < 0 || joy > 15 || !state.joysticks[joy]) return 0;
  const fake_glfw::Joystick& pad = *state.joysticks[joy];
  if (param == GLFW_PRESENT) return 1;
  if (param == GLFW_AXES) return static_cast<int>(pad.axes.size());
  if (param == GLFW_BUTTONS) return static_cast<int>(pad.buttons.size());
  return 0;
}

int glfwGetJoystickPos(int joy, float* pos, int numaxes) {
  if (joy < 0 || joy > 15 || !state.joysticks[joy]) return 0;
  const auto& axes = state.joysticks[joy]->axes;
  int count = std::min(static_cast<int>(axes.size()), numaxes);
  std::copy(axes.begin(), axes.begin() + count, pos);
  return count;
}

int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons) {
  if (joy < 0 || joy > 15 || !state.joysticks[joy]) return 0;
  const auto& pressed = state.joysticks[joy]->buttons;
  int count = std::min(static_cast<int>(pressed.size()), numbuttons);
  std::copy(pressed.begin(), pressed.begin() + count, buttons);
  return count;
}

double glfwGetTime() { return state.now; }

void glfwSleep(double seconds) {
  fake_glfw::log("glfwSleep");
  if (seconds > 0) state.now += seconds;
}

void glfwEnable(int token) {
  fake_glfw::log("glfwEnable " + std::to_string(token));
  if (token == GLFW_KEY_REPEAT) state.keyRepeat = true;
  if (token == GLFW_AUTO_POLL_EVENTS) state.autoPoll = true;
  if (token == GLFW_MOUSE_CURSOR) state.cursorVisible = true;
}

void glfwDisable(int token) {
  fake_glfw::log("glfwDisable " + std::to_string(token));
  if (token == GLFW_KEY_REPEAT) state.keyRepeat = false;
  if (token == GLFW_AUTO_POLL_EVENTS) state.autoPoll = false;
  if (token == GLFW_MOUSE_CURSOR) state.cursorVisible = false;
}

}  // namespace glfw2
