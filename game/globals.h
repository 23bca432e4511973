// The game module's globals: the virtual screen, platform switches, the game's number and its text tables.
// Set once by ko_Quarzel__InitGlobals, before the application object exists.
#pragma once

#include "runtime/array.h"

extern float ko_Quarzel_jscrw, ko_Quarzel_jscrh;    // virtual screen, virtual pixels (recomputed every render)
extern float ko_Quarzel_rawscrw, ko_Quarzel_rawscrh;  // design size the scale is computed from
extern float ko_Quarzel_overscan;                     // device pixels kept free left and right
extern int ko_Quarzel_isOuya;                         // TV console mode: joypad control, overscan 64
extern int ko_Quarzel_Zeb_On_Allow;                   // 1 enables the start-up ping
extern int ko_Quarzel_Zeb_On_Able;
extern int ko_Quarzel_GameNum;
extern int ko_Quarzel_DebugMode;  // 1 shows rate and scale figures and the stick indicator
extern int ko_Quarzel_UseHDImages;
extern int ko_Quarzel_HasMusicStream;
extern int ko_Quarzel_iCadeControls;
extern int ko_Quarzel_OnScreenControls;
extern int ko_Quarzel_AccelerometerControls;
extern GlobalArray<String> ko_Quarzel_MenuSet;     // name and description per difficulty
extern GlobalArray<String> ko_Quarzel_CreditText;  // the credits, shown in a loop

void ko_Quarzel__InitGlobals();
