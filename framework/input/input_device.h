// The input device: the state the application reads during an update, built from the host's events between
// updates and a joystick poll at the start of each update.
//
// One table of 512 key codes holds keyboard keys, mouse buttons (1 + button), joystick buttons
// (256 + 32 x unit + button) and touches (384 + index). A hit counts a key's presses since the last update:
// at most 33 hits and 32 characters are recorded per update, the rest are dropped; hits and characters are
// visible for exactly one update. The left mouse button and touch 0 mirror each other. Main thread only.
//
// Latched presses: a key pressed since the last update reads as down during the next update even if it was
// released before that update ran (a tap shorter than an update, or a tool that presses and releases at once),
// and goes up at the end of that update. A key held across updates goes up as soon as it is released.
#pragma once

#include "runtime/object.h"

class c_JoyState : public Object {
 public:
  c_JoyState* m_new();
  void mark() override;

  Array<float> m_joyX, m_joyY, m_joyZ;  // [0] first stick, [1] second stick; -1..1
  Array<bool> m_buttons;                 // 32 buttons
};

class c_InputDevice : public Object {
 public:
  static constexpr int kKeyCount = 512;
  static constexpr int kHitQueueLength = 33;
  static constexpr int kCharQueueLength = 32;
  static constexpr int kTouchCount = 32;

  c_InputDevice* m_new();
  void mark() override;

  void p_PutKeyHit(int key);
  void p_BeginUpdate();
  void p_EndUpdate();
  void p_KeyEvent(int event, int data);
  void p_MouseEvent(int event, int data, float x, float y);
  void p_TouchEvent(int event, int data, float x, float y);
  void p_MotionEvent(int event, int data, float x, float y, float z);
  bool p_SetKeyboardEnabled(bool enabled);
  bool p_KeyDown(int key);
  int p_KeyHit(int key);
  int p_GetChar();
  float p_MouseX() { return m_mousePosX; }
  float p_MouseY() { return m_mousePosY; }
  float p_TouchX(int index);
  float p_TouchY(int index);
  float p_JoyX(int index, int unit);
  float p_JoyY(int index, int unit);
  float p_AccelX() { return m_accelX; }
  float p_AccelY() { return m_accelY; }

  Array<c_JoyState*> m_joyStates;
  Array<bool> m_keyDown;
  int m_hitCount = 0;
  Array<int> m_hitQueue;
  Array<int> m_keyHit;
  int m_charGet = 0;
  int m_charPut = 0;
  Array<int> m_charQueue;
  float m_mousePosX = 0, m_mousePosY = 0;  // window pixels
  Array<float> m_touchPosX, m_touchPosY;   // window pixels
  float m_accelX = 0, m_accelY = 0, m_accelZ = 0;
  Array<int> m_pressLatch;  // per key: kLatchNone, kLatchPressed or kLatchReleased (below)

  // What the next update has still to see of a key: nothing, a press, or a press already released.
  static constexpr int kLatchNone = 0, kLatchPressed = 1, kLatchReleased = 2;

 private:
  bool physicallyDown(int key);  // down and not merely latched
  void press(int key);           // down, and latched until the end of the next update
  void release(int key);         // up now, or at the end of the next update if no update saw the press
  void keyDown(int key);
  void keyUp(int key);
  void moveTouch(int index, float x, float y);
};

extern GlobalRef<c_InputDevice> ko_input_device;

void ko_input__InitGlobals();
int ko_input_SetInputDevice(c_InputDevice* device);
bool ko_input_KeyDown(int key);
int ko_input_KeyHit(int key);
int ko_input_GetChar();
float ko_input_MouseX();
float ko_input_MouseY();
bool ko_input_MouseDown(int button);
int ko_input_MouseHit(int button);
bool ko_input_TouchDown(int index);
float ko_input_TouchX(int index);
float ko_input_TouchY(int index);
bool ko_input_JoyDown(int button, int unit);
int ko_input_JoyHit(int button, int unit);
float ko_input_JoyX(int index, int unit);
float ko_input_JoyY(int index, int unit);
float ko_input_AccelX();
float ko_input_AccelY();
bool ko_input_EnableKeyboard();
bool ko_input_DisableKeyboard();
