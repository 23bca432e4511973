// Our GLFW 2 interface implemented on GLFW 3: one window, GLFW 2 key numbers, GLFW 2 callbacks and the
// GLFW 2 joystick report.
//
// What GLFW 3 does differently and how it is bridged:
// - Key tokens differ: GLFW 3 keys are translated to GLFW 2 numbers (and back for glfwGetKey).
// - Repeats arrive as GLFW_REPEAT: reported as presses while key repeat is enabled, dropped otherwise.
// - A close request cannot be refused in GLFW 3: when the GLFW 2 callback answers 0 the request is withdrawn;
//   otherwise the window is closed after the event pump, so GLFW_OPENED turns 0.
// - Joysticks: a controller GLFW 3 knows as a standard gamepad is reported in the 14-button, 5-axis form;
//   any other is reported raw, with the first y axis turned to up-positive and each hat's four buttons
//   reordered from up, right, down, left to left, up, right, down. A diagonal presses two directions.
#include <chrono>
#include <thread>

#include "host/glfw2.h"

// The GLFW 2 constants this file needs, named before GLFW 3's macros of the same names exist.
namespace v2 {
constexpr int Press = glfw2::GLFW_PRESS, Release = glfw2::GLFW_RELEASE, KeyUnknown = glfw2::GLFW_KEY_UNKNOWN;
constexpr int KeyLast = glfw2::GLFW_KEY_LAST, Fullscreen = glfw2::GLFW_FULLSCREEN;
constexpr int Opened = glfw2::GLFW_OPENED, Active = glfw2::GLFW_ACTIVE, Iconified = glfw2::GLFW_ICONIFIED;
constexpr int RefreshRate = glfw2::GLFW_REFRESH_RATE, NoResize = glfw2::GLFW_WINDOW_NO_RESIZE;
constexpr int MouseCursor = glfw2::GLFW_MOUSE_CURSOR, KeyRepeat = glfw2::GLFW_KEY_REPEAT;
constexpr int Present = glfw2::GLFW_PRESENT, Axes = glfw2::GLFW_AXES, Buttons = glfw2::GLFW_BUTTONS;
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

namespace {

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
} layer;

// ---------------------------------------------------------------------------------------------------------
// Keys

int to_glfw2_key(int key) {
  if (key == GLFW_KEY_SPACE || key == GLFW_KEY_APOSTROPHE || (key >= GLFW_KEY_COMMA && key <= GLFW_KEY_9) ||
      key == GLFW_KEY_SEMICOLON || key == GLFW_KEY_EQUAL || (key >= GLFW_KEY_A && key <= GLFW_KEY_RIGHT_BRACKET) ||
      key == GLFW_KEY_GRAVE_ACCENT) {
    return key;  // printable keys share their ASCII numbers
  }
  if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25) return v2::F1 + (key - GLFW_KEY_F1);
  if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) return v2::Kp0 + (key - GLFW_KEY_KP_0);
  switch (key) {
    case GLFW_KEY_ESCAPE: return v2::Esc;
    case GLFW_KEY_ENTER: return v2::Enter;
    case GLFW_KEY_TAB: return v2::Tab;
    case GLFW_KEY_BACKSPACE: return v2::Backspace;
    case GLFW_KEY_INSERT: return v2::Insert;
    case GLFW_KEY_DELETE: return v2::Del;
    case GLFW_KEY_RIGHT: return v2::Right;
    case GLFW_KEY_LEFT: return v2::Left;
    case GLFW_KEY_DOWN: return v2::Down;
    case GLFW_KEY_UP: return v2::Up;
    case GLFW_KEY_PAGE_UP: return v2::PageUp;
    case GLFW_KEY_PAGE_DOWN: return v2::PageDown;
    case GLFW_KEY_HOME: return v2::Home;
    case GLFW_KEY_END: return v2::End;
    case GLFW_KEY_CAPS_LOCK: return v2::CapsLock;
    case GLFW_KEY_SCROLL_LOCK: return v2::ScrollLock;
    case GLFW_KEY_NUM_LOCK: return v2::NumLock;
    case GLFW_KEY_PAUSE: return v2::Pause;
    case GLFW_KEY_KP_DECIMAL: return v2::KpDecimal;
    case GLFW_KEY_KP_DIVIDE: return v2::KpDivide;
    case GLFW_KEY_KP_MULTIPLY: return v2::KpMultiply;
    case GLFW_KEY_KP_SUBTRACT: return v2::KpSubtract;
    case GLFW_KEY_KP_ADD: return v2::KpAdd;
    case GLFW_KEY_KP_ENTER: return v2::KpEnter;
    case GLFW_KEY_KP_EQUAL: return v2::KpEqual;
    case GLFW_KEY_LEFT_SHIFT: return v2::LShift;
    case GLFW_KEY_LEFT_CONTROL: return v2::LCtrl;
    case GLFW_KEY_LEFT_ALT: return v2::LAlt;
    case GLFW_KEY_LEFT_SUPER: return v2::LSuper;
    case GLFW_KEY_RIGHT_SHIFT: return v2::RShift;
    case GLFW_KEY_RIGHT_CONTROL: return v2::RCtrl;
    case GLFW_KEY_RIGHT_ALT: return v2::RAlt;
    case GLFW_KEY_RIGHT_SUPER: return v2::RSuper;
    case GLFW_KEY_MENU: return v2::Menu;
    default: return v2::KeyUnknown;  // print screen, the "world" keys, anything newer
  }
}

void build_reverse_key_table() {
  for (int& key : layer.toGlfw3Key) key = GLFW_KEY_UNKNOWN;
  for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
    int old = to_glfw2_key(key);
    if (old >= 0 && old <= v2::KeyLast) layer.toGlfw3Key[old] = key;
  }
}

// ---------------------------------------------------------------------------------------------------------
// GLFW 3 callbacks, forwarded in GLFW 2 form

void on_key(GLFWwindow*, int key, int, int action, int) {
  int old = to_glfw2_key(key);
  if (old == v2::KeyUnknown || !layer.keyCallback) return;
  if (action == GLFW_REPEAT) {
    if (!layer.keyRepeat) return;
    action = GLFW_PRESS;
  }
  layer.keyCallback(old, action == GLFW_PRESS ? v2::Press : v2::Release);
}

void on_char(GLFWwindow*, unsigned int codepoint) {
  if (layer.charCallback) layer.charCallback(static_cast<int>(codepoint), v2::Press);
}

void on_mouse_button(GLFWwindow*, int button, int action, int) {
  if (layer.mouseButtonCallback) layer.mouseButtonCallback(button, action == GLFW_PRESS ? v2::Press : v2::Release);
}

void on_cursor_pos(GLFWwindow*, double x, double y) {
  if (layer.mousePosCallback) layer.mousePosCallback(static_cast<int>(x), static_cast<int>(y));
}

void on_close(GLFWwindow* window) {
  if (layer.closeCallback && layer.closeCallback() == 0) glfwSetWindowShouldClose(window, GLFW_FALSE);
}

void apply_cursor_mode() {
  if (layer.window) {
    glfwSetInputMode(layer.window, GLFW_CURSOR, layer.cursorVisible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
  }
}

// Closes the window once the close request stood through the event pump.
void close_if_requested() {
  if (layer.window && glfwWindowShouldClose(layer.window)) glfw2::glfwCloseWindow();
}

// ---------------------------------------------------------------------------------------------------------
// Joysticks

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

int copy_out(const float* from, int available, float* to, int wanted) {
  int count = available < wanted ? available : wanted;
  for (int i = 0; i < count; ++i) to[i] = from[i];
  return count;
}

int copy_out(const unsigned char* from, int available, unsigned char* to, int wanted) {
  int count = available < wanted ? available : wanted;
  for (int i = 0; i < count; ++i) to[i] = from[i];
  return count;
}

}  // namespace

namespace glfw2 {

int glfwInit() {
  build_reverse_key_table();
  return ::glfwInit() == GLFW_TRUE;
}

void glfwTerminate() {
  layer.window = nullptr;
  ::glfwTerminate();
}

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
  ::glfwSetKeyCallback(layer.window, on_key);
  ::glfwSetCharCallback(layer.window, on_char);
  ::glfwSetMouseButtonCallback(layer.window, on_mouse_button);
  ::glfwSetCursorPosCallback(layer.window, on_cursor_pos);
  ::glfwSetWindowCloseCallback(layer.window, on_close);
  apply_cursor_mode();
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

void glfwPollEvents() {
  ::glfwPollEvents();
  close_if_requested();
}

void glfwWaitEvents() {
  ::glfwWaitEvents();
  close_if_requested();
}

int glfwGetKey(int key) {
  if (!layer.window || key < 0 || key > v2::KeyLast || layer.toGlfw3Key[key] == GLFW_KEY_UNKNOWN) return v2::Release;
  return ::glfwGetKey(layer.window, layer.toGlfw3Key[key]) == GLFW_PRESS ? v2::Press : v2::Release;
}

void glfwGetMousePos(int* x, int* y) {
  double cursorX = 0, cursorY = 0;
  if (layer.window) ::glfwGetCursorPos(layer.window, &cursorX, &cursorY);
  *x = static_cast<int>(cursorX);
  *y = static_cast<int>(cursorY);
}

void glfwSetWindowCloseCallback(GLFWwindowclosefun callback) { layer.closeCallback = callback; }
void glfwSetKeyCallback(GLFWkeyfun callback) { layer.keyCallback = callback; }
void glfwSetCharCallback(GLFWcharfun callback) { layer.charCallback = callback; }
void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback) { layer.mouseButtonCallback = callback; }
void glfwSetMousePosCallback(GLFWmouseposfun callback) { layer.mousePosCallback = callback; }

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
  if (plain < 0) plain = 0, hats = total / 4;
  for (int i = 0; i < plain; ++i) out[i] = raw[i] == GLFW_PRESS ? v2::Press : v2::Release;
  for (int h = 0; h < hats; ++h) {  // up, right, down, left -> left, up, right, down
    const unsigned char* hat = raw + plain + 4 * h;
    unsigned char* to = out + plain + 4 * h;
    to[0] = hat[3], to[1] = hat[0], to[2] = hat[1], to[3] = hat[2];
  }
  return copy_out(out, plain + 4 * hats, buttons, numbuttons);
}

double glfwGetTime() { return ::glfwGetTime(); }

void glfwSleep(double seconds) {
  if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void glfwEnable(int token) {
  if (token == v2::KeyRepeat) layer.keyRepeat = true;
  if (token == v2::MouseCursor) layer.cursorVisible = true, apply_cursor_mode();
}

void glfwDisable(int token) {
  if (token == v2::KeyRepeat) layer.keyRepeat = false;
  // A hidden cursor still moves freely: the framework reads absolute pointer positions.
  if (token == v2::MouseCursor) layer.cursorVisible = false, apply_cursor_mode();
}

}  // namespace glfw2
