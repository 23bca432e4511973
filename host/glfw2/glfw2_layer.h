// Our GLFW 2 interface on GLFW 3, as this room and the platforms share it. glfw2_on_glfw3.cpp holds everything
// every platform does alike (keys, callbacks, input queries, the clock); each platform's host/<platform>/glfw2.cpp
// implements the list at the end of this header (the window and the screen's modes, joysticks, the sleep and the
// wait for events), on the GLFW 3 it has: Debian's 3.3 on the desktop, the toolchain's 3.2 in the page. Only
// those files include this header.
#pragma once

#include "host/glfw2/glfw2.h"

// The GLFW 2 constants the layer needs, named before GLFW 3's macros of the same names exist.
namespace v2 {
constexpr int Press = glfw2::GLFW_PRESS, Release = glfw2::GLFW_RELEASE, KeyUnknown = glfw2::GLFW_KEY_UNKNOWN;
constexpr int KeyLast = glfw2::GLFW_KEY_LAST, Fullscreen = glfw2::GLFW_FULLSCREEN;
constexpr int Opened = glfw2::GLFW_OPENED, Active = glfw2::GLFW_ACTIVE, Iconified = glfw2::GLFW_ICONIFIED;
constexpr int RefreshRate = glfw2::GLFW_REFRESH_RATE, NoResize = glfw2::GLFW_WINDOW_NO_RESIZE;
constexpr int MouseCursor = glfw2::GLFW_MOUSE_CURSOR, KeyRepeat = glfw2::GLFW_KEY_REPEAT;
constexpr int Present = glfw2::GLFW_PRESENT, Axes = glfw2::GLFW_AXES, Buttons = glfw2::GLFW_BUTTONS;
constexpr int JoystickLast = glfw2::GLFW_JOYSTICK_LAST;
constexpr int Esc = glfw2::GLFW_KEY_ESC, F1 = glfw2::GLFW_KEY_F1, Up = glfw2::GLFW_KEY_UP;
constexpr int Down = glfw2::GLFW_KEY_DOWN, Left = glfw2::GLFW_KEY_LEFT, Right = glfw2::GLFW_KEY_RIGHT;
constexpr int LShift = glfw2::GLFW_KEY_LSHIFT, RShift = glfw2::GLFW_KEY_RSHIFT;
constexpr int LCtrl = glfw2::GLFW_KEY_LCTRL, RCtrl = glfw2::GLFW_KEY_RCTRL;
constexpr int LAlt = glfw2::GLFW_KEY_LALT, RAlt = glfw2::GLFW_KEY_RALT, Tab = glfw2::GLFW_KEY_TAB;
constexpr int Enter = glfw2::GLFW_KEY_ENTER, Backspace = glfw2::GLFW_KEY_BACKSPACE;
constexpr int Insert = glfw2::GLFW_KEY_INSERT, Del = glfw2::GLFW_KEY_DEL, PageUp = glfw2::GLFW_KEY_PAGEUP;
constexpr int PageDown = glfw2::GLFW_KEY_PAGEDOWN, Home = glfw2::GLFW_KEY_HOME, End = glfw2::GLFW_KEY_END;
constexpr int Kp0 = glfw2::GLFW_KEY_KP_0, KpDivide = glfw2::GLFW_KEY_KP_DIVIDE;
constexpr int KpMultiply = glfw2::GLFW_KEY_KP_MULTIPLY, KpSubtract = glfw2::GLFW_KEY_KP_SUBTRACT;
constexpr int KpAdd = glfw2::GLFW_KEY_KP_ADD, KpDecimal = glfw2::GLFW_KEY_KP_DECIMAL;
constexpr int KpEqual = glfw2::GLFW_KEY_KP_EQUAL, KpEnter = glfw2::GLFW_KEY_KP_ENTER;
constexpr int NumLock = glfw2::GLFW_KEY_KP_NUM_LOCK, CapsLock = glfw2::GLFW_KEY_CAPS_LOCK;
constexpr int ScrollLock = glfw2::GLFW_KEY_SCROLL_LOCK, Pause = glfw2::GLFW_KEY_PAUSE;
constexpr int LSuper = glfw2::GLFW_KEY_LSUPER, RSuper = glfw2::GLFW_KEY_RSUPER, Menu = glfw2::GLFW_KEY_MENU;
}  // namespace v2

#include <GLFW/glfw3.h>

namespace glfw2_layer {

struct LayerState {
  GLFWwindow* window = nullptr;
  int refreshRateHint = 0;
  int noResizeHint = 0;
  bool keyRepeat = false;
  bool cursorVisible = true;
  glfw2::GLFWwindowclosefun closeCallback = nullptr;
  glfw2::GLFWkeyfun keyCallback = nullptr;
  glfw2::GLFWcharfun charCallback = nullptr;
  glfw2::GLFWmousebuttonfun mouseButtonCallback = nullptr;
  glfw2::GLFWmouseposfun mousePosCallback = nullptr;
  int toGlfw3Key[v2::KeyLast + 1];  // GLFW 2 key -> GLFW 3 key, for glfwGetKey
};
extern LayerState layer;

// Closes the window once the close request stood through the event pump.
void close_if_requested();
// Sends the new window's events to the GLFW 2 callbacks.
void install_callbacks(GLFWwindow* window);
// Copies at most `wanted` of the `available` values; returns how many were copied.
int copy_out(const float* from, int available, float* to, int wanted);
int copy_out(const unsigned char* from, int available, unsigned char* to, int wanted);

// ---- Each platform's part (host/<platform>/glfw2.cpp), with GLFW 2's meaning (glfw2.h):

// Shows or hides the pointer over the window as layer.cursorVisible says.
void apply_cursor_mode();
// What the platform reads once per event pump, after the events (the page samples its gamepads here).
void after_events();

}  // namespace glfw2_layer

namespace glfw2 {
// Opens the one window (layer.window) with the hints given since the last opening; 0 when it cannot.
int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits, int depthbits,
                   int stencilbits, int mode);
void glfwOpenWindowHint(int target, int hint);  // for the next opening only
void glfwCloseWindow();                          // nothing when no window is open
void glfwSetWindowTitle(const char* title);
void glfwGetWindowSize(int* width, int* height);  // the drawing size in pixels; 0 x 0 without a window
void glfwSetWindowPos(int x, int y);
int glfwGetWindowParam(int param);  // GLFW_OPENED, GLFW_ACTIVE, GLFW_ICONIFIED
void glfwSwapBuffers();
void glfwSwapInterval(int interval);
int glfwGetVideoModes(GLFWvidmode* list, int maxcount);  // at most maxcount, in GLFW's order
void glfwGetDesktopMode(GLFWvidmode* mode);
int glfwGetJoystickParam(int joy, int param);  // GLFW_PRESENT, GLFW_AXES, GLFW_BUTTONS
int glfwGetJoystickPos(int joy, float* pos, int numaxes);  // axes copied; first y up-positive
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons);  // hats as left, up, right, down
void glfwSleep(double seconds);  // may return at once where nothing may block
void glfwWaitEvents();           // at least one event pump
}  // namespace glfw2
