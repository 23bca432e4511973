// The ko_input_* module functions: the application's view of the one input device.
#include "framework/input/input_device.h"
#include "host/core/key_codes.h"

GlobalRef<c_InputDevice> ko_input_device;

void ko_input__InitGlobals() { ko_input_device = nullptr; }

int ko_input_SetInputDevice(c_InputDevice* device) {
  ko_input_device = device;
  return 0;
}

bool ko_input_KeyDown(int key) { return ko_input_device->p_KeyDown(key); }
int ko_input_KeyHit(int key) { return ko_input_device->p_KeyHit(key); }
int ko_input_GetChar() { return ko_input_device->p_GetChar(); }
float ko_input_MouseX() { return ko_input_device->p_MouseX(); }
float ko_input_MouseY() { return ko_input_device->p_MouseY(); }
bool ko_input_MouseDown(int button) { return ko_input_KeyDown(1 + button); }
int ko_input_MouseHit(int button) { return ko_input_KeyHit(1 + button); }
bool ko_input_TouchDown(int index) { return ko_input_KeyDown(keycode::kTouchBase + index); }
float ko_input_TouchX(int index) { return ko_input_device->p_TouchX(index); }
float ko_input_TouchY(int index) { return ko_input_device->p_TouchY(index); }

// Joystick key codes are formed with OR: 256 | unit * 32 | button.
bool ko_input_JoyDown(int button, int unit) { return ko_input_KeyDown(button | 256 | unit * 32); }
int ko_input_JoyHit(int button, int unit) { return ko_input_KeyHit(button | 256 | unit * 32); }
float ko_input_JoyX(int index, int unit) { return ko_input_device->p_JoyX(index, unit); }
float ko_input_JoyY(int index, int unit) { return ko_input_device->p_JoyY(index, unit); }
float ko_input_AccelX() { return ko_input_device->p_AccelX(); }
float ko_input_AccelY() { return ko_input_device->p_AccelY(); }
bool ko_input_EnableKeyboard() { return ko_input_device->p_SetKeyboardEnabled(true); }
bool ko_input_DisableKeyboard() { return ko_input_device->p_SetKeyboardEnabled(false); }
