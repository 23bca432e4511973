// The game module's globals and their initial values.
#include "game/globals.h"

#include "framework/random/random.h"
#include "game/text_tables.h"

float ko_Quarzel_jscrw, ko_Quarzel_jscrh;
float ko_Quarzel_rawscrw, ko_Quarzel_rawscrh;
float ko_Quarzel_overscan;
int ko_Quarzel_isOuya;
int ko_Quarzel_Zeb_On_Allow;
int ko_Quarzel_Zeb_On_Able;
int ko_Quarzel_GameNum;
int ko_Quarzel_DebugMode;
int ko_Quarzel_UseHDImages;
int ko_Quarzel_HasMusicStream;
int ko_Quarzel_iCadeControls;
int ko_Quarzel_OnScreenControls;
int ko_Quarzel_AccelerometerControls;
GlobalArray<String> ko_Quarzel_MenuSet;
GlobalArray<String> ko_Quarzel_CreditText;

void ko_Quarzel__InitGlobals() {
  ko_Quarzel_jscrw = ko_Quarzel_rawscrw = 640;
  ko_Quarzel_jscrh = ko_Quarzel_rawscrh = 480;
  ko_Quarzel_overscan = 0;
  ko_Quarzel_isOuya = 0;
  ko_Quarzel_Zeb_On_Allow = 0;
  ko_Quarzel_Zeb_On_Able = 0;
  ko_Quarzel_GameNum = 415;
  ko_Quarzel_DebugMode = 0;
  ko_Quarzel_UseHDImages = 1;
  ko_Quarzel_HasMusicStream = 1;
  ko_Quarzel_iCadeControls = 0;
  ko_Quarzel_OnScreenControls = 0;
  ko_Quarzel_AccelerometerControls = 0;
  ko_Quarzel_MenuSet = MenuSetTexts();
  ko_Quarzel_CreditText = CreditTexts();
  ko_random_Seed = 1234;
}
