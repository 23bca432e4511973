// Player controls: game key codes over keyboard, joysticks, the virtual pad and iCade; the blended analogue
// stick; touch hit tests. Bindings are data in control_bindings.h.
#include <cmath>

#include "framework/input/input_device.h"
#include "game/control_bindings.h"
#include "game/my_app.h"
#include "host/core/key_codes.h"

namespace {

constexpr float kStickThreshold = 0.4f;  // a deflection beyond this counts as a direction
constexpr int kBackPad = 19;             // the system back button's pad entry

const ControlBinding* binding_of(int code) {
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.code == code) return &binding;
  }
  return nullptr;
}

bool any_key_down(std::initializer_list<int> keys) {
  for (int key : keys) {
    if (ko_input_KeyDown(key)) return true;
  }
  return false;
}

bool any_pad(const Array<int>& pad, std::initializer_list<int> entries) {
  for (int entry : entries) {
    if (pad[entry] != 0) return true;
  }
  return false;
}

// Only players 0..3 have a joystick; the key codes past theirs belong to touches and system buttons.
bool any_button(int player, std::initializer_list<int> buttons) {
  if (player < 0 || player > 3) return false;
  for (int button : buttons) {
    if (ko_input_KeyDown(keycode::kJoystickBase + keycode::kJoystickButtons * player + button)) return true;
  }
  return false;
}

}  // namespace

float c_MyApp::p_StickX(int stick, int player) { return player < 0 ? 0 : ko_input_JoyX(stick, player); }

// Up is negative, as on screen, unless the player inverted the stick in the options.
float c_MyApp::p_StickY(int stick, int player) {
  if (player < 0) return 0;
  float y = ko_input_JoyY(stick, player);
  return m_settings[15 + stick] != 0 ? y : -y;
}

int c_MyApp::p_PlayKey(int code, int allowStick, int player) {
  if (player < -1) return 0;
  const ControlBinding* binding = binding_of(code);
  if (!binding) return 0;
  bool iCade = ko_Quarzel_iCadeControls == 1;
  bool back = code == 98 || code == 99;
  if (code == 98 && (iCade || player == -1)) return 0;
  if (back && ko_Quarzel_isOuya == 1 && !iCade) {  // a TV console's pad has its own menu button: fewer backs
    if (player == -1) return code == 99 && m_pad[kBackPad] != 0;
    if (ko_input_KeyDown(27) || m_pad[kBackPad] != 0) return 1;
    return code == 98 ? any_button(player, {6}) : any_button(player, {6, 7});
  }
  if (any_key_down(iCade ? binding->iCadeKeys : binding->keys)) return 1;
  if (any_pad(m_pad, binding->padEntries)) return 1;
  if (player < 0) return 0;
  if (any_button(player, binding->joyButtons)) return 1;
  if (iCade || allowStick != 1 || binding->stickDirection == 0) return 0;
  float x = p_StickX(0, player), y = p_StickY(0, player);
  switch (binding->stickDirection) {
    case 1: return y < -kStickThreshold;
    case 2: return x < -kStickThreshold;
    case 3: return x > kStickThreshold;
    default: return y > kStickThreshold;
  }
}

int c_MyApp::p_PlayKeyAll(int code, int allowStick) {
  int held = 0;
  for (int player = 0; player < 4; ++player) held += p_PlayKey(code, allowStick, player);
  return held;
}

// -------------------------------------------------------------------------------------------------------------
// The analogue stick: a floating touch stick, overridden by joystick 0, overridden per axis by held keys.

namespace {

// One axis of the accelerating keys: 0.15 per update while held, coasting back by 0.2 per update.
float key_axis(float& velocity, float stick, bool negativeHeld, bool positiveHeld) {
  if (negativeHeld) velocity -= 0.15f, stick = velocity;
  if (positiveHeld) velocity += 0.15f, stick = velocity;
  if (!negativeHeld && velocity < 0) velocity = std::fmin(velocity + 0.2f, 0.0f), stick = velocity;
  if (!positiveHeld && velocity > 0) velocity = std::fmax(velocity - 0.2f, 0.0f), stick = velocity;
  return stick;
}

// Moves the anchor 4 pixels toward a pointer more than 64 pixels away on this axis.
int follow(int anchor, int pointer) {
  if (pointer - anchor > 64) return anchor + 4;
  if (anchor - pointer > 64) return anchor - 4;
  return anchor;
}

}  // namespace

int c_MyApp::p_AnalogueControl() {
  m_stickX = m_stickY = 0;
  if (m_mouseDown == 0) {
    m_touchAnchorX = -1;
  } else {
    if (m_touchAnchorX < 0) {
      m_touchAnchorX = m_mouseX, m_touchAnchorY = m_mouseY;
    } else {
      m_stickX = (m_mouseX - m_touchAnchorX) / 72.0f;
      m_stickY = (m_mouseY - m_touchAnchorY) / 72.0f;
      if (std::fabs(m_stickX) < 0.1f && std::fabs(m_stickY) < 0.1f) m_stickX = m_stickY = 0;
      m_touchAnchorX = follow(m_touchAnchorX, m_mouseX);
      m_touchAnchorY = follow(m_touchAnchorY, m_mouseY);
    }
    p_SetCol(0, 100, 250, 0.25f);
    p_Oval(static_cast<float>(m_touchAnchorX), static_cast<float>(m_touchAnchorY), 12, 12);
    p_Oval(static_cast<float>(m_mouseX), static_cast<float>(m_mouseY), 8, 8);
  }

  float joyX = p_StickX(0, 0), joyY = p_StickY(0, 0);
  if (std::fabs(joyX) > 0.2f || std::fabs(joyY) > 0.2f) m_stickX = joyX, m_stickY = joyY;

  m_stickY = key_axis(m_keyVelY, m_stickY, p_PlayKey(0, 0, 0), p_PlayKey(8, 0, 0));
  m_stickX = key_axis(m_keyVelX, m_stickX, p_PlayKey(3, 0, 0), p_PlayKey(5, 0, 0));
  m_stickX = Clamp(m_stickX, -1, 1), m_stickY = Clamp(m_stickY, -1, 1);
  m_keyVelX = Clamp(m_keyVelX, -1, 1), m_keyVelY = Clamp(m_keyVelY, -1, 1);

  if (ko_Quarzel_DebugMode == 1 && (std::fabs(m_stickX) > 0.05f || std::fabs(m_stickY) > 0.05f)) {
    float x = ko_Quarzel_jscrw - 64, y = ko_Quarzel_jscrh - 64;
    p_SetCol(0, 180, 250, 0.5f);
    p_Oval(x, y, 12, 12);
    p_Oval(x + 52 * m_stickX, y + 52 * m_stickY, 8, 8);
  }
  p_ResetDraw();
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// iCade

int c_MyApp::p_iCade(int on) {
  if (on == 1) {
    ko_input_EnableKeyboard();
    ko_Quarzel_iCadeControls = 1;
    do m_lastChar = ko_input_GetChar();  // what was typed before belongs to no cabinet
    while (m_lastChar != 0);
  } else if (on == 0) {
    ko_input_DisableKeyboard();
    ko_Quarzel_iCadeControls = 0;
    for (int entry = 0; entry < 19; ++entry) m_pad[entry] = 0;
  }
  return 0;
}

void c_MyApp::p_ApplyICadeChar(int character) {
  int letter = character >= 'a' && character <= 'z' ? character - 32 : character;
  for (const ICadeLetter& mapping : kICadeLetters) {
    if (letter == mapping.press) m_pad[mapping.padEntry] = 2;
    if (letter == mapping.release) m_pad[mapping.padEntry] = 0;
  }
}

// -------------------------------------------------------------------------------------------------------------
// The two input latches: a press that acted sets them, so that it acts once; the frame update clears the key
// latch when no game key is held and the input latch when the pointer is up.

bool c_MyApp::p_LatchesClear() { return m_inputLatch == 0 && m_keyLatch == 0; }

void c_MyApp::p_SetLatches() {
  m_inputLatch = 1;
  m_keyLatch = 1;
}

// -------------------------------------------------------------------------------------------------------------
// Touch tests: strict comparisons, so a touch exactly on an edge is outside.

int c_MyApp::p_MouseIn(float x, float y, float width, float height) {
  for (int i = 0; i < 10; ++i) {
    if (!m_touchOn[i]) continue;
    float touchX = static_cast<float>(m_touchX[i]), touchY = static_cast<float>(m_touchY[i]);
    if (touchX > x && touchX < x + width && touchY > y && touchY < y + height) return 1;
  }
  return 0;
}

int c_MyApp::p_MouseIn_Centered(float x, float y, float width, float height) {
  return p_MouseIn(x - width / 2, y - height / 2, width, height);
}

int c_MyApp::p_Touch(float x, float y, float width, float height) {
  p_Rect(x, y, width, height);
  return p_MouseIn(x - 6, y - 6, width + 18, height + 18);
}
