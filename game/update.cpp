// One frame of game logic, p_OnUpdate, in its fixed order: the back button into the pad, global keys,
// network completions, music following the pause, rate figures, pointer and touches in virtual pixels,
// latches, the mode handler (or the loader while art is loading), panels, iCade characters, the on-screen
// joypad, tilt, the debug line, the badge notifications.
#include <cmath>

#include "framework/audio/audio.h"
#include "framework/input/input_device.h"
#include "game/control_bindings.h"
#include "game/my_app.h"
#include "host/core/key_codes.h"
#include "net/async_event.h"
#include "runtime/errors.h"

int c_MyApp::p_OnUpdate() {
  if (ko_Quarzel_isOuya == 0) {
    m_pad[19] = ko_input_KeyHit(keycode::kBack);
  } else {
    m_pad[19] = ko_input_KeyHit(270) ? 1 : 0;  // joystick 0 button 14, the console's menu button
  }
  // A browser leaves full screen by itself when the player presses Escape; the flag follows the window, so the
  // options row and the next flip stay right.
  m_fullscreen = ko_app_Fullscreen() ? 1 : 0;
  p_ReadGlobalKeys();
  ko_asyncevent_UpdateAsyncEvents();
  p_TakePingOutcome();
  if (ko_Quarzel_HasMusicStream == 1 && m_musicOn == 1 && m_paused) ko_audio_PauseMusic();
  if (ko_Quarzel_HasMusicStream == 1 && m_musicOn == 1 && !m_paused) ko_audio_ResumeMusic();

  int now = ko_app_Millisecs();
  if (ko_app_MillisecsDiff(now, m_updateLast) > 0) m_updateFps = 1000 / ko_app_MillisecsDiff(now, m_updateLast);
  m_updateFpsAvg = (m_updateFps + 9 * m_updateFpsAvg) / 10;
  m_updateLast = ko_app_Millisecs();

  p_UpdatePointer();
  p_UpdateLatches();
  if (m_loadStep == 0) {
    p_RunMode();
    p_UpdatePanels();
  }
  if (m_loadStep > 0) p_Loader();
  p_TakeICadeChars();
  for (int entry = 0; entry < 19; ++entry) {
    if (m_pad[entry] == 1) m_pad[entry] = 0;  // on-screen presses last one update; iCade holds (2) stay
  }
  if (ko_Quarzel_OnScreenControls == 1 && m_mode > 5 && ko_Quarzel_iCadeControls == 0) p_OnScreenJoypad();
  p_Tilt();
  p_DebugLine();
  p_ShowBadges();
  p_PrintStats();
  return 0;
}

void c_MyApp::p_ReadGlobalKeys() {
  if (ko_input_KeyHit(112)) ko_Quarzel_DebugMode = 1 - ko_Quarzel_DebugMode;  // F1
  if (ko_input_KeyHit(113)) m_hideHud = 1 - m_hideHud;                         // F2
  if (ko_input_KeyHit(122)) p_FullscreenFlip();                                // F11
  if (ko_input_KeyHit(keycode::kF4) || ko_input_KeyHit(keycode::kClose)) koError(String());  // end the program
}

void c_MyApp::p_UpdatePointer() {
  float offsetY = p_OverscanY();  // the render pass's margins, so the pointer lands where things are drawn
  m_prevMouseX = m_mouseX, m_prevMouseY = m_mouseY;
  m_mouseX = Trunc((ko_input_MouseX() - ko_Quarzel_overscan) / m_scaleX);
  m_mouseY = Trunc((ko_input_MouseY() - offsetY) / m_scaleY);
  bool leftDown = ko_input_MouseDown(0);
  if (m_prevMouseDown == 0 && leftDown) m_prevMouseX = m_mouseX, m_prevMouseY = m_mouseY;  // a fresh press
  m_mouseDown = leftDown ? 1 : 0;
  m_mouseHit = ko_input_MouseHit(0) ? 1 : 0;
  for (int i = 0; i < 10; ++i) {
    m_touchOn[i] = 0;
    m_touchX[i] = m_touchY[i] = static_cast<int>(kNone);
    if (!ko_input_TouchDown(i)) continue;
    m_touchOn[i] = 1;
    m_touchX[i] = Trunc((ko_input_TouchX(i) - ko_Quarzel_overscan) / m_scaleX);
    m_touchY[i] = Trunc((ko_input_TouchY(i) - offsetY) / m_scaleY);
    m_mouseDown = 1;
  }
  m_prevMouseDown = leftDown ? 1 : 0;
  if (m_mouseDown == 0) m_inputLatch = 0;
  if (m_inputDelay > 0) --m_inputDelay;
  if (ko_Quarzel_isOuya == 1) {  // a TV console has no pointer
    m_prevMouseDown = m_mouseDown = m_inputLatch = m_inputDelay = 0;
    m_controlMode = 1;
  }
}

void c_MyApp::p_UpdateLatches() {
  bool held = false, backHeld = false;
  for (int code : kLatchKeys) {
    for (int player = 0; player < 4; ++player) {
      if (!p_PlayKey(code, 1, player)) continue;
      held = true;
      backHeld = backHeld || code == 99;
    }
  }
  if (!held) m_keyLatch = 0;
  if (held && m_keyLatch == 0 && m_inputLatch == 0 && backHeld && m_mode == 1 &&
      (m_optionsOpen == 1 || m_sidePanelOpen == 1)) {
    m_sidePanelOpen = 0;  // back closes the open panel, once per press
    p_SetLatches();
  }
  if (m_optionsOpen == 1) p_SetLatches();  // the options read their keys themselves
}

// The mode's handler, then the end-of-game sequence: over play while a quit is under way, and over the menu while
// its overlay retracts. In the update that leaves play it therefore runs twice.
void c_MyApp::p_RunMode() {
  switch (m_mode) {
    case 1: p_Menu(); break;
    case 2:  // back from a finished round: record the score, then the menu
      p_LoadMenu();
      p_PlaySFX(96, 1, 1, 0);
      m_mode = 1;
      p_GameOver();
      return;
    case 4: p_OuyaQuit(); break;
    case 5: p_WaitStart(0); break;
    case 10:
      if (m_paused == 0) p_Game();
      p_InGame();
      break;
    case 11: p_LoadGame(); break;
    default: break;
  }
  if (m_mode == 10 && m_gameOverTimer > 0) p_GameOver();
  if (m_mode == 1 || m_mode == 2) p_GameOver();
}

void c_MyApp::p_UpdatePanels() {
  if (m_optionsOpen == 1 || m_optionsSlide > 0) p_OptionBox();
  if (m_optionsOpen == 0 && m_optionsSlide > 0) --m_optionsSlide;
  if (m_optionsOpen == 1 && m_optionsSlide < 30) ++m_optionsSlide;
  float target = ko_Quarzel_jscrw - 140;  // the side panel's open position
  if (m_sidePanelOpen == 1 && m_sidePanelX < target) {
    m_sidePanelX -= (m_sidePanelX - target) * 0.125f;
    if (std::fabs(m_sidePanelX - target) < 8) m_sidePanelX = target;
  }
  if (m_sidePanelOpen == 0 && m_sidePanelX > 0) {
    m_sidePanelX -= m_sidePanelX * 0.125f;
    if (m_sidePanelX < 8) m_sidePanelX = 0;
  }
}

void c_MyApp::p_TakeICadeChars() {
  if (ko_Quarzel_iCadeControls != 1) return;
  do {
    m_lastChar = ko_input_GetChar();
    if (m_lastChar > 0) p_ApplyICadeChar(m_lastChar);
  } while (m_lastChar != 0);
}
