// Our GLFW 2 interface in a web page, on the toolchain's GLFW 3.2 (which draws into the page's canvas) and the
// browser's own interfaces where that GLFW has nothing to offer. What the page does its own way:
// - One window for the page's whole life: the canvas and its WebGL context. Opening makes it once; closing leaves
//   it, and full screen is the page's window's business (window.cpp), done to this same canvas.
// - The window's size is the canvas's drawing size (held back while the art for a new size downloads), and the
//   screen's one mode is the screen's size.
// - Active means visible: a hidden or background tab counts as an iconified window, so the game suspends as it
//   does when minimised. Keyboard focus is left out, since a page in a frame or a headless browser never has it.
// - Nothing may block: the browser calls the frame loop once per animation frame, so the sleep returns at once
//   and so does the wait for events, which the browser delivers between frames.
// - Joysticks come from the browser's Gamepad API. A pad the browser knows is reported in its standard layout
//   (buttons a, b, x, y, shoulders, triggers, back, start, sticks, d-pad up, down, left, right, home; axes left
//   x and y, right x and y, down positive); it is given to the game in the desktop's 14-button, 5-axis form, so
//   the same buttons do the same things. Any other pad is reported raw, its first y axis turned up-positive.
#include <emscripten/em_asm.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

#include "host/glfw2/glfw2_layer.h"

using glfw2_layer::copy_out;
using glfw2_layer::layer;

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr int kStandardButtons = 17, kStandardAxes = 4;  // the browser's standard layout

// Whether the browser's gamepads were read at the last event pump. Reading them asks the browser for every pad,
// so it happens once per pump, not once per query (each update asks about every port).
bool gamepadsSampled = false;

bool gamepad(int joy, EmscriptenGamepadEvent* state) {
  if (joy < 0 || joy > v2::JoystickLast || !gamepadsSampled) return false;
  if (joy >= emscripten_get_num_gamepads()) return false;
  return emscripten_get_gamepad_status(joy, state) == EMSCRIPTEN_RESULT_SUCCESS && state->connected;
}

bool standard(const EmscriptenGamepadEvent& state) {
  return std::strcmp(state.mapping, "standard") == 0 && state.numButtons >= kStandardButtons &&
         state.numAxes >= kStandardAxes;
}

// The standard layout in the desktop's gamepad form: a, b, x, y, left and right shoulder, back, start, left and
// right stick, the d-pad as a hat (left, up, right, down); axes left x, left y (up positive), the triggers as one
// axis (left positive), right y (down positive), right x.
void standard_to_gamepad_form(const EmscriptenGamepadEvent& state, float* axes, unsigned char* buttons) {
  const int order[14] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 14, 12, 15, 13};
  for (int i = 0; i < 14; ++i) buttons[i] = state.digitalButton[order[i]] ? v2::Press : v2::Release;
  axes[0] = static_cast<float>(state.axis[0]);
  axes[1] = static_cast<float>(-state.axis[1]);
  axes[2] = static_cast<float>(state.analogButton[6] - state.analogButton[7]);
  axes[3] = static_cast<float>(state.axis[3]);
  axes[4] = static_cast<float>(state.axis[2]);
}

}  // namespace

namespace glfw2_layer {

// The toolchain's GLFW cannot hide the pointer; the canvas's style can.
void apply_cursor_mode() {
  EM_ASM({
    var canvas = document.querySelector(UTF8ToString($0));
    if (canvas) canvas.style.cursor = $1 ? "" : "none";
  }, kCanvas, layer.cursorVisible ? 1 : 0);
}

void after_events() { gamepadsSampled = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS; }

}  // namespace glfw2_layer

namespace glfw2 {

int glfwOpenWindow(int width, int height, int, int, int, int alphabits, int depthbits, int stencilbits, int) {
  if (layer.window) return 1;
  ::glfwDefaultWindowHints();
  ::glfwWindowHint(GLFW_ALPHA_BITS, alphabits);
  ::glfwWindowHint(GLFW_DEPTH_BITS, depthbits);
  ::glfwWindowHint(GLFW_STENCIL_BITS, stencilbits);
  layer.window = ::glfwCreateWindow(width, height, "", nullptr, nullptr);
  if (!layer.window) return 0;
  ::glfwMakeContextCurrent(layer.window);
  glfw2_layer::install_callbacks(layer.window);
  glfw2_layer::apply_cursor_mode();
  return 1;
}

void glfwOpenWindowHint(int, int) {}  // refresh rate and resizing are the browser's
void glfwCloseWindow() {}             // the canvas and its context stay for the page's life
void glfwSetWindowTitle(const char*) {}
void glfwSetWindowPos(int, int) {}

// The canvas's size, or the last one whose art set the page has while it fetches the set of a new size
// (host/web/art_sets.js), so that the game reloads its art only once the files are there.
void glfwGetWindowSize(int* width, int* height) {
  *width = 0;
  *height = 0;
  if (!layer.window) return;
  emscripten_get_canvas_element_size(kCanvas, width, height);
  EM_ASM({
    if (!Module.artSets) return;
    var size = Module.artSets.grantSize(HEAP32[$0 >> 2], HEAP32[$1 >> 2]);
    HEAP32[$0 >> 2] = size[0];
    HEAP32[$1 >> 2] = size[1];
  }, width, height);
}

int glfwGetWindowParam(int param) {
  if (!layer.window) return 0;
  if (param == v2::Opened) return 1;
  EmscriptenVisibilityChangeEvent visibility{};
  bool hidden = emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS && visibility.hidden;
  if (param == v2::Active) return !hidden;
  if (param == v2::Iconified) return hidden;
  return 0;
}

void glfwSwapBuffers() {}  // the browser shows the canvas when the frame's callback returns
void glfwSwapInterval(int) {}  // the browser paces the frames

int glfwGetVideoModes(GLFWvidmode* list, int maxcount) {
  if (maxcount < 1) return 0;
  glfwGetDesktopMode(list);
  return list->Width > 0 ? 1 : 0;
}

void glfwGetDesktopMode(GLFWvidmode* mode) {
  int width = EM_ASM_INT({ return screen.width; });
  int height = EM_ASM_INT({ return screen.height; });
  *mode = {width, height, 8, 8, 8};
}

int glfwGetJoystickParam(int joy, int param) {
  EmscriptenGamepadEvent state;
  if (!gamepad(joy, &state)) return 0;
  if (param == v2::Present) return 1;
  if (standard(state)) return param == v2::Axes ? 5 : param == v2::Buttons ? 14 : 0;
  return param == v2::Axes ? state.numAxes : param == v2::Buttons ? state.numButtons : 0;
}

int glfwGetJoystickPos(int joy, float* pos, int numaxes) {
  EmscriptenGamepadEvent state;
  if (!gamepad(joy, &state)) return 0;
  float axes[64] = {};
  unsigned char buttons[14];
  if (standard(state)) {
    standard_to_gamepad_form(state, axes, buttons);
    return copy_out(axes, 5, pos, numaxes);
  }
  int count = state.numAxes < 64 ? state.numAxes : 64;
  for (int i = 0; i < count; ++i) axes[i] = static_cast<float>(state.axis[i]);
  if (count > 1) axes[1] = -axes[1];  // the first y axis reports up as positive
  return copy_out(axes, count, pos, numaxes);
}

int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons) {
  EmscriptenGamepadEvent state;
  if (!gamepad(joy, &state)) return 0;
  unsigned char out[64] = {};
  float axes[5];
  if (standard(state)) {
    standard_to_gamepad_form(state, axes, out);
    return copy_out(out, 14, buttons, numbuttons);
  }
  int count = state.numButtons < 64 ? state.numButtons : 64;
  for (int i = 0; i < count; ++i) out[i] = state.digitalButton[i] ? v2::Press : v2::Release;
  return copy_out(out, count, buttons, numbuttons);
}

void glfwSleep(double) {}

void glfwWaitEvents() { glfwPollEvents(); }  // the browser's loop does the waiting

}  // namespace glfw2
