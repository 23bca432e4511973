// Our GLFW 2 interface on Debian's GLFW 3.3, what the desktop does its own way: windows on the screen's own
// modes, joysticks through GLFW's gamepad database, a real sleep, and a wait that blocks until an event comes.
//
// Joysticks: a controller GLFW 3 knows as a standard gamepad is reported in the 14-button, 5-axis form; any other
// is reported raw, with the first y axis turned to up-positive and each hat's four buttons reordered from up,
// right, down, left to left, up, right, down. A diagonal presses two directions.
#include <chrono>
#include <thread>

#include "host/glfw2/glfw2_layer.h"

using glfw2_layer::copy_out;
using glfw2_layer::layer;

namespace {

// A standard gamepad in the 14-button, 5-axis form: buttons a, b, x, y, left and right shoulder, back, start,
// left and right stick, then the d-pad as a hat (left, up, right, down); axes left x, left y (up positive),
// the two triggers as one axis (left positive), right y (down positive), right x.
bool read_gamepad(int joy, float* axes, unsigned char* buttons) {
  GLFWgamepadstate state;
  if (!glfwJoystickIsGamepad(joy) || !glfwGetGamepadState(joy, &state)) return false;
  const int order[14] = {GLFW_GAMEPAD_BUTTON_A, GLFW_GAMEPAD_BUTTON_B, GLFW_GAMEPAD_BUTTON_X,
                         GLFW_GAMEPAD_BUTTON_Y, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
                         GLFW_GAMEPAD_BUTTON_BACK, GLFW_GAMEPAD_BUTTON_START, GLFW_GAMEPAD_BUTTON_LEFT_THUMB,
                         GLFW_GAMEPAD_BUTTON_RIGHT_THUMB, GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
                         GLFW_GAMEPAD_BUTTON_DPAD_UP, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GLFW_GAMEPAD_BUTTON_DPAD_DOWN};
  for (int i = 0; i < 14; ++i) buttons[i] = state.buttons[order[i]] == GLFW_PRESS ? v2::Press : v2::Release;
  float left = (state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] + 1) * 0.5f;
  float right = (state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1) * 0.5f;
  axes[0] = state.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
  axes[1] = -state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
  axes[2] = left - right;
  axes[3] = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y];
  axes[4] = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_X];
  return true;
}

}  // namespace

namespace glfw2_layer {

void apply_cursor_mode() {
  if (layer.window) {
    glfwSetInputMode(layer.window, GLFW_CURSOR, layer.cursorVisible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
  }
}

void after_events() {}  // GLFW reads the joysticks when asked

}  // namespace glfw2_layer

namespace glfw2 {

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits, int depthbits,
                   int stencilbits, int mode) {
  if (layer.window) return 0;
  ::glfwDefaultWindowHints();
  ::glfwWindowHint(GLFW_RED_BITS, redbits > 0 ? redbits : GLFW_DONT_CARE);
  ::glfwWindowHint(GLFW_GREEN_BITS, greenbits > 0 ? greenbits : GLFW_DONT_CARE);
  ::glfwWindowHint(GLFW_BLUE_BITS, bluebits > 0 ? bluebits : GLFW_DONT_CARE);
  ::glfwWindowHint(GLFW_ALPHA_BITS, alphabits);
  ::glfwWindowHint(GLFW_DEPTH_BITS, depthbits);
  ::glfwWindowHint(GLFW_STENCIL_BITS, stencilbits);
  ::glfwWindowHint(GLFW_RESIZABLE, layer.noResizeHint ? GLFW_FALSE : GLFW_TRUE);
  GLFWmonitor* monitor = nullptr;
  if (mode == v2::Fullscreen) {
    monitor = ::glfwGetPrimaryMonitor();
    if (layer.refreshRateHint > 0) ::glfwWindowHint(GLFW_REFRESH_RATE, layer.refreshRateHint);
  }
  layer.refreshRateHint = layer.noResizeHint = 0;  // hints hold for one opening only
  layer.window = ::glfwCreateWindow(width, height, "GLFW Window", monitor, nullptr);
  if (!layer.window) return 0;
  ::glfwMakeContextCurrent(layer.window);
  ::glfwFocusWindow(layer.window);  // a re-opened window takes the keyboard, also where no window manager gives it
  glfw2_layer::install_callbacks(layer.window);
  glfw2_layer::apply_cursor_mode();
  return 1;
}

void glfwOpenWindowHint(int target, int hint) {
  if (target == v2::RefreshRate) layer.refreshRateHint = hint;
  if (target == v2::NoResize) layer.noResizeHint = hint;
}

void glfwCloseWindow() {
  if (!layer.window) return;
  ::glfwDestroyWindow(layer.window);
  layer.window = nullptr;
}

void glfwSetWindowTitle(const char* title) {
  if (layer.window) ::glfwSetWindowTitle(layer.window, title);
}

void glfwGetWindowSize(int* width, int* height) {
  *width = *height = 0;
  if (layer.window) ::glfwGetWindowSize(layer.window, width, height);
}

void glfwSetWindowPos(int x, int y) {
  if (layer.window) ::glfwSetWindowPos(layer.window, x, y);
}

int glfwGetWindowParam(int param) {
  if (!layer.window) return 0;
  if (param == v2::Opened) return 1;
  bool iconified = ::glfwGetWindowAttrib(layer.window, GLFW_ICONIFIED);
  if (param == v2::Active) return ::glfwGetWindowAttrib(layer.window, GLFW_FOCUSED) && !iconified;
  if (param == v2::Iconified) return iconified;
  return 0;
}

void glfwSwapBuffers() {
  if (layer.window) ::glfwSwapBuffers(layer.window);
}

void glfwSwapInterval(int interval) {
  if (layer.window) ::glfwSwapInterval(interval);
}

int glfwGetVideoModes(GLFWvidmode* list, int maxcount) {
  GLFWmonitor* monitor = ::glfwGetPrimaryMonitor();
  int count = 0;
  const ::GLFWvidmode* modes = monitor ? ::glfwGetVideoModes(monitor, &count) : nullptr;
  if (!modes) return 0;
  if (count > maxcount) count = maxcount;
  for (int i = 0; i < count; ++i) {
    list[i] = {modes[i].width, modes[i].height, modes[i].redBits, modes[i].blueBits, modes[i].greenBits};
  }
  return count;
}

void glfwGetDesktopMode(GLFWvidmode* mode) {
  *mode = {};
  GLFWmonitor* monitor = ::glfwGetPrimaryMonitor();
  const ::GLFWvidmode* current = monitor ? ::glfwGetVideoMode(monitor) : nullptr;
  if (current) *mode = {current->width, current->height, current->redBits, current->blueBits, current->greenBits};
}


int glfwGetJoystickParam(int joy, int param) {
  if (joy < 0 || joy > GLFW_JOYSTICK_LAST || !::glfwJoystickPresent(joy)) return 0;
  if (param == v2::Present) return 1;
  if (::glfwJoystickIsGamepad(joy)) return param == v2::Axes ? 5 : param == v2::Buttons ? 14 : 0;
  int axes = 0, buttons = 0;
  ::glfwGetJoystickAxes(joy, &axes);
  ::glfwGetJoystickButtons(joy, &buttons);
  return param == v2::Axes ? axes : param == v2::Buttons ? buttons : 0;
}

int glfwGetJoystickPos(int joy, float* pos, int numaxes) {
  if (joy < 0 || joy > GLFW_JOYSTICK_LAST || !::glfwJoystickPresent(joy)) return 0;
  float axes[16] = {};
  unsigned char buttons[15];
  if (read_gamepad(joy, axes, buttons)) return copy_out(axes, 5, pos, numaxes);
  int count = 0;
  const float* raw = ::glfwGetJoystickAxes(joy, &count);
  if (!raw) return 0;
  if (count > 16) count = 16;
  for (int i = 0; i < count; ++i) axes[i] = raw[i];
  if (count > 1) axes[1] = -axes[1];  // the first y axis reports up as positive
  return copy_out(axes, count, pos, numaxes);
}

int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons) {
  if (joy < 0 || joy > GLFW_JOYSTICK_LAST || !::glfwJoystickPresent(joy)) return 0;
  unsigned char out[64] = {};
  float axes[16];
  if (read_gamepad(joy, axes, out)) return copy_out(out, 14, buttons, numbuttons);
  int total = 0, hats = 0;
  const unsigned char* raw = ::glfwGetJoystickButtons(joy, &total);
  ::glfwGetJoystickHats(joy, &hats);
  if (!raw) return 0;
  if (total > 64) total = 64;
  int plain = total - 4 * hats;
  if (plain < 0) {  // fewer buttons than the hats claim: every button is a hat's
    plain = 0;
    hats = total / 4;
  }
  for (int i = 0; i < plain; ++i) out[i] = raw[i] == GLFW_PRESS ? v2::Press : v2::Release;
  for (int h = 0; h < hats; ++h) {  // up, right, down, left -> left, up, right, down
    const unsigned char* hat = raw + plain + 4 * h;
    unsigned char* to = out + plain + 4 * h;
    to[0] = hat[3];
    to[1] = hat[0];
    to[2] = hat[1];
    to[3] = hat[2];
  }
  return copy_out(out, plain + 4 * hats, buttons, numbuttons);
}

void glfwSleep(double seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void glfwWaitEvents() {
  ::glfwWaitEvents();
  glfw2_layer::close_if_requested();
  glfw2_layer::after_events();
}

}  // namespace glfw2
