// Window-system input: GLFW callbacks into framework events, joystick polling, releasing held keys.
#include <cmath>

#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"

using namespace glfw2;

namespace {

// GLFW joystick numbers on ports 0..3; -1 for an empty port. Rescanned whenever port 0 is polled.
int pjoys[4] = {-1, -1, -1, -1};

void rescan_joysticks() {
  int found = 0;
  for (int joystick = 0; joystick <= GLFW_JOYSTICK_LAST && found < 4; ++joystick) {
    if (glfwGetJoystickParam(joystick, GLFW_PRESENT)) pjoys[found++] = joystick;
  }
  while (found < 4) pjoys[found++] = -1;
}

// One output axis: an axis as read, an axis negated, or a button as 1.0 / 0.0.
struct AxisSource {
  enum Kind { Axis, NegatedAxis, Button } kind;
  int index;
};

struct Layout {
  AxisSource axes[6];  // x0, y0, z0, x1, y1, z1
  int buttons[14];     // raw button per output button; negative: counted from the end (the hat)
};

// Layout X: a pad with 10 buttons, one hat and 5 axes, the layout designed for common pads.
constexpr Layout kLayoutX = {
    {{AxisSource::Axis, 0}, {AxisSource::Axis, 1}, {AxisSource::Axis, 2},
     {AxisSource::Axis, 4}, {AxisSource::NegatedAxis, 3}, {AxisSource::NegatedAxis, 2}},
    {0, 1, 2, 3, 4, 5, 6, 7, -4, -3, -2, -1, 8, 9}};

constexpr Layout kLayoutG = {
    {{AxisSource::Axis, 0}, {AxisSource::Axis, 1}, {AxisSource::Button, 6},
     {AxisSource::Axis, 2}, {AxisSource::NegatedAxis, 3}, {AxisSource::Button, 7}},
    {1, 2, 0, 3, 4, 5, 8, 9, -4, -3, -2, -1, 10, 11}};

}  // namespace

void KoGlfwGame::OnKey(int key, int action) {
  int code = TransKey(key);
  if (code == 0) return;
  if (action == GLFW_RELEASE) {
    _glfwGame->KeyEvent(c_KoGameEvent::KeyUp, code);
  } else if (action == GLFW_PRESS) {
    _glfwGame->KeyEvent(c_KoGameEvent::KeyDown, code);
    if (int character = KeyToChar(code)) _glfwGame->KeyEvent(c_KoGameEvent::KeyChar, character);
  }
}

void KoGlfwGame::OnChar(int character, int action) {
  if (action == GLFW_PRESS) _glfwGame->KeyEvent(c_KoGameEvent::KeyChar, character);
}

void KoGlfwGame::OnMouseButton(int button, int action) {
  if (button < 0 || button > 2) return;  // left, right and middle only
  int x = 0, y = 0;
  glfwGetMousePos(&x, &y);
  int event = action == GLFW_PRESS ? c_KoGameEvent::MouseDown : c_KoGameEvent::MouseUp;
  _glfwGame->MouseEvent(event, button, static_cast<float>(x), static_cast<float>(y));
}

void KoGlfwGame::OnMousePos(int x, int y) {
  _glfwGame->MouseEvent(c_KoGameEvent::MouseMove, -1, static_cast<float>(x), static_cast<float>(y));
}

std::vector<int> KoGlfwGame::HeldKeys() {
  std::vector<int> held;
  for (int key = 0; key <= GLFW_KEY_LAST; ++key) {
    int code = TransKey(key);
    if (code && glfwGetKey(key) == GLFW_PRESS) held.push_back(code);
  }
  return held;
}

void KoGlfwGame::ReleaseHeldKeys() {
  for (int code : HeldKeys()) KeyEvent(c_KoGameEvent::KeyUp, code);
}

bool KoGlfwGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons) {
  if (port < 0 || port > 3) return false;
  if (port == 0) rescan_joysticks();
  int joystick = pjoys[port];
  if (joystick < 0) return false;

  float axes[6] = {};
  unsigned char raw[32] = {};
  int axisCount = glfwGetJoystickPos(joystick, axes, 6);
  int buttonCount = glfwGetJoystickButtons(joystick, raw, 32);
  const Layout& layout = buttonCount == 14 && axisCount == 5 ? kLayoutX : kLayoutG;

  float out[6];
  for (int i = 0; i < 6; ++i) {
    const AxisSource& source = layout.axes[i];
    switch (source.kind) {
      case AxisSource::Axis: out[i] = axes[source.index]; break;
      case AxisSource::NegatedAxis: out[i] = -axes[source.index]; break;
      case AxisSource::Button: out[i] = raw[source.index] == GLFW_PRESS ? 1.0f : 0.0f; break;
    }
  }
  for (int b = 0; b < 32; ++b) buttons[b] = false;
  for (int b = 0; b < 14; ++b) {
    int index = layout.buttons[b] >= 0 ? layout.buttons[b] : buttonCount + layout.buttons[b];
    // With fewer than four buttons, entries counted from the end fall before the first: not pressed.
    if (index >= 0 && index < 32) buttons[b] = raw[index] == GLFW_PRESS;
  }
  for (int stick = 0; stick < 2; ++stick) {
    joyx[stick] = out[3 * stick];
    joyy[stick] = out[3 * stick + 1];
    joyz[stick] = out[3 * stick + 2];
  }
  return true;
}
