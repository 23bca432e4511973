// c_InputDevice and c_JoyState: events into key states, hits, characters and positions.
#include "framework/input/input_device.h"

#include "host/core/game.h"
#include "host/core/key_codes.h"

namespace {
using keycode::kTouchBase;
constexpr int kMouseLeft = 1;  // key code of the left mouse button

bool valid_key(int key) { return key >= 1 && key < c_InputDevice::kKeyCount; }
}  // namespace

c_JoyState* c_JoyState::m_new() {
  m_joyX = Array<float>(2);
  m_joyY = Array<float>(2);
  m_joyZ = Array<float>(2);
  m_buttons = Array<bool>(32);
  return this;
}

void c_JoyState::mark() {
  gc_mark(m_joyX);
  gc_mark(m_joyY);
  gc_mark(m_joyZ);
  gc_mark(m_buttons);
}

c_InputDevice* c_InputDevice::m_new() {
  m_joyStates = Array<c_JoyState*>(4);
  for (int unit = 0; unit < 4; ++unit) m_joyStates[unit] = (new c_JoyState)->m_new();
  m_keyDown = Array<bool>(kKeyCount);
  m_hitQueue = Array<int>(kHitQueueLength);
  m_keyHit = Array<int>(kKeyCount);
  m_charQueue = Array<int>(kCharQueueLength);
  m_touchPosX = Array<float>(kTouchCount);
  m_touchPosY = Array<float>(kTouchCount);
  m_pressLatch = Array<int>(kKeyCount);
  return this;
}

void c_InputDevice::mark() {
  gc_mark(m_joyStates);
  gc_mark(m_keyDown);
  gc_mark(m_hitQueue);
  gc_mark(m_keyHit);
  gc_mark(m_charQueue);
  gc_mark(m_touchPosX);
  gc_mark(m_touchPosY);
  gc_mark(m_pressLatch);
}

// -------------------------------------------------------------------------------------------------------------
// Recording

void c_InputDevice::p_PutKeyHit(int key) {
  if (m_hitCount == kHitQueueLength) return;  // the queue is full until the end of the update
  m_keyHit[key] += 1;
  m_hitQueue[m_hitCount++] = key;
}

bool c_InputDevice::physicallyDown(int key) { return m_keyDown[key] && m_pressLatch[key] != kLatchReleased; }

void c_InputDevice::press(int key) {
  m_keyDown[key] = true;
  m_pressLatch[key] = kLatchPressed;
  p_PutKeyHit(key);
}

void c_InputDevice::release(int key) {
  if (m_pressLatch[key] == kLatchPressed) {
    m_pressLatch[key] = kLatchReleased;  // no update has seen this press yet: it stays down through the next one
  } else if (m_pressLatch[key] == kLatchNone) {
    m_keyDown[key] = false;
  }
}

void c_InputDevice::keyDown(int key) {
  if (!valid_key(key) || physicallyDown(key)) return;  // auto-repeat adds no hits
  press(key);
  // The left button and touch 0 are one pointer: each also presses the other, even if it was down already.
  if (key == kMouseLeft) press(kTouchBase);
  if (key == kTouchBase) press(kMouseLeft);
}

void c_InputDevice::keyUp(int key) {
  if (!valid_key(key) || !physicallyDown(key)) return;
  release(key);
  if (key == kMouseLeft) release(kTouchBase);
  if (key == kTouchBase) release(kMouseLeft);
}

void c_InputDevice::p_KeyEvent(int event, int data) {
  switch (event) {
    case c_KoGameEvent::KeyDown: keyDown(data); break;
    case c_KoGameEvent::KeyUp: keyUp(data); break;
    case c_KoGameEvent::KeyChar:
      if (m_charPut < kCharQueueLength) m_charQueue[m_charPut++] = data;
      break;
  }
}

void c_InputDevice::p_MouseEvent(int event, int data, float x, float y) {
  if ((event == c_KoGameEvent::MouseDown || event == c_KoGameEvent::MouseUp) && (data < 0 || data > 2)) return;
  switch (event) {
    case c_KoGameEvent::MouseDown: keyDown(kMouseLeft + data); break;
    case c_KoGameEvent::MouseUp: keyUp(kMouseLeft + data); return;  // a release does not move the pointer
    case c_KoGameEvent::MouseMove: break;
    default: return;
  }
  m_mousePosX = x;
  m_mousePosY = y;
  m_touchPosX[0] = x;
  m_touchPosY[0] = y;
}

void c_InputDevice::moveTouch(int index, float x, float y) {
  m_touchPosX[index] = x;
  m_touchPosY[index] = y;
  if (index != 0) return;
  m_mousePosX = x;
  m_mousePosY = y;
}

void c_InputDevice::p_TouchEvent(int event, int data, float x, float y) {
  if (data < 0 || data >= kTouchCount) return;  // not a finger this device tracks
  switch (event) {
    case c_KoGameEvent::TouchDown:
      keyDown(kTouchBase + data);
      moveTouch(data, x, y);
      break;
    case c_KoGameEvent::TouchUp: keyUp(kTouchBase + data); break;
    case c_KoGameEvent::TouchMove: moveTouch(data, x, y); break;
  }
}

void c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
  if (event != c_KoGameEvent::MotionAccel) return;
  m_accelX = x;
  m_accelY = y;
  m_accelZ = z;
}

// -------------------------------------------------------------------------------------------------------------
// The update bracket

// Polls joysticks in port order, stopping at the first absent one; a held button records one hit, when it
// goes down.
void c_InputDevice::p_BeginUpdate() {
  for (int unit = 0; unit < 4; ++unit) {
    c_JoyState* joy = m_joyStates[unit];
    if (!KoGame::_game->PollJoystick(unit, joy->m_joyX, joy->m_joyY, joy->m_joyZ, joy->m_buttons)) return;
    for (int button = 0; button < 32; ++button) {
      int key = keycode::kJoystickBase + keycode::kJoystickButtons * unit + button;
      if (!joy->m_buttons[button]) {
        m_keyDown[key] = false;
      } else if (!m_keyDown[key]) {
        m_keyDown[key] = true;
        p_PutKeyHit(key);
      }
    }
  }
}

// Every latched press has now been seen; those already released go up. All keys are looked at, not only the
// hit queue's, because a press beyond the queue's length is latched too.
void c_InputDevice::p_EndUpdate() {
  for (int i = 0; i < m_hitCount; ++i) m_keyHit[m_hitQueue[i]] = 0;
  m_hitCount = 0;
  m_charGet = 0;
  m_charPut = 0;
  for (int key = 0; key < kKeyCount; ++key) {
    if (m_pressLatch[key] == kLatchReleased) m_keyDown[key] = false;
    m_pressLatch[key] = kLatchNone;
  }
}

// -------------------------------------------------------------------------------------------------------------
// Queries

bool c_InputDevice::p_SetKeyboardEnabled(bool enabled) {
  KoGame::_game->SetKeyboardEnabled(enabled);
  return true;
}

bool c_InputDevice::p_KeyDown(int key) { return valid_key(key) && m_keyDown[key]; }

int c_InputDevice::p_KeyHit(int key) { return valid_key(key) ? int{m_keyHit[key]} : 0; }

int c_InputDevice::p_GetChar() {
  if (m_charGet == m_charPut) return 0;
  return m_charQueue[m_charGet++];
}

float c_InputDevice::p_TouchX(int index) { return index >= 0 && index < kTouchCount ? float{m_touchPosX[index]} : 0; }
float c_InputDevice::p_TouchY(int index) { return index >= 0 && index < kTouchCount ? float{m_touchPosY[index]} : 0; }

float c_InputDevice::p_JoyX(int index, int unit) {
  if (unit < 0 || unit > 3 || index < 0 || index > 1) return 0;
  return m_joyStates[unit]->m_joyX[index];
}

float c_InputDevice::p_JoyY(int index, int unit) {
  if (unit < 0 || unit > 3 || index < 0 || index > 1) return 0;
  return m_joyStates[unit]->m_joyY[index];
}
