// Our GLFW 2 interface implemented on GLFW 3, the part the desktop and the web page share: GLFW 2 key numbers,
// GLFW 2 callbacks, the keyboard and mouse queries, the clock. The window, the screen's modes, joysticks, the
// sleep and the wait for events are each platform's own (glfw2_layer.h lists them).
//
// What GLFW 3 does differently and how it is bridged:
// - Key tokens differ: GLFW 3 keys are translated to GLFW 2 numbers (and back for glfwGetKey).
// - Repeats arrive as GLFW_REPEAT: reported as presses while key repeat is enabled, dropped otherwise.
// - A close request cannot be refused in GLFW 3: when the GLFW 2 callback answers 0 the request is withdrawn;
//   otherwise the window is closed after the event pump, so GLFW_OPENED turns 0.
#include "host/glfw2/glfw2_layer.h"

using glfw2_layer::layer;

namespace {

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


}  // namespace

namespace glfw2_layer {

void install_callbacks(GLFWwindow* window) {
  ::glfwSetKeyCallback(window, on_key);
  ::glfwSetCharCallback(window, on_char);
  ::glfwSetMouseButtonCallback(window, on_mouse_button);
  ::glfwSetCursorPosCallback(window, on_cursor_pos);
  ::glfwSetWindowCloseCallback(window, on_close);
}

LayerState layer;

void close_if_requested() {
  if (layer.window && glfwWindowShouldClose(layer.window)) glfw2::glfwCloseWindow();
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

}  // namespace glfw2_layer

namespace glfw2 {

int glfwInit() {
  build_reverse_key_table();
  return ::glfwInit() == GLFW_TRUE;
}

void glfwTerminate() {
  layer.window = nullptr;
  ::glfwTerminate();
}

void glfwPollEvents() {
  ::glfwPollEvents();
  glfw2_layer::close_if_requested();
  glfw2_layer::after_events();
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

double glfwGetTime() { return ::glfwGetTime(); }

void glfwEnable(int token) {
  if (token == v2::KeyRepeat) layer.keyRepeat = true;
  if (token == v2::MouseCursor) {
    layer.cursorVisible = true;
    glfw2_layer::apply_cursor_mode();
  }
}

void glfwDisable(int token) {
  if (token == v2::KeyRepeat) layer.keyRepeat = false;
  // A hidden cursor still moves freely: the framework reads absolute pointer positions.
  if (token == v2::MouseCursor) {
    layer.cursorVisible = false;
    glfw2_layer::apply_cursor_mode();
  }
}

}  // namespace glfw2
