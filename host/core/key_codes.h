// The key codes the host delivers in key events and the framework and the game read back: one numbering for
// keyboard keys (Windows virtual-key codes), mouse buttons 1 to 3, joystick j's button b at 256 + 32 j + b,
// touch i at 384 + i, the back button and the window's close button. The keyboard's table is key_tables.cpp;
// the codes that more than one layer acts on are named here, once.
#pragma once

namespace keycode {

constexpr int kF4 = 115;              // ends the program
constexpr int kJoystickBase = 256;    // joystick 0's button 0; each joystick has 32
constexpr int kJoystickButtons = 32;
constexpr int kTouchBase = 384;       // touch 0
constexpr int kBack = 416;            // a device's back button
constexpr int kClose = 432;           // the window's close button

}  // namespace keycode
