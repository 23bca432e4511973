// Touch buttons, the quit guard shown when the player leaves through a console's own menu, and the switch
// between a 640 x 480 window and full screen.
#include "game/my_app.h"
#include "host/core/game.h"
#include "runtime/errors.h"

// Draws the slot's frame and reports whether one of the touch points 0 .. lastTouch is on it while the pointer
// is down: the box is the image's size on screen, its edges outside.
int c_MyApp::p_ButtonTouched(int slot, float x, float y, int frame, int lastTouch) {
  p_DrawImg(slot, x, y, static_cast<float>(frame));
  float halfW = m_sizeX * m_hdInvScale * m_imgInfo[3 * slot] / 2;
  float halfH = m_sizeY * m_hdInvScale * m_imgInfo[3 * slot + 1] / 2;
  for (int i = 0; i <= lastTouch && m_mouseDown > 0; ++i) {
    if (!m_touchOn[i]) continue;
    float touchX = static_cast<float>(m_touchX[i]), touchY = static_cast<float>(m_touchY[i]);
    if (touchX > x - halfW && touchX < x + halfW && touchY > y - halfH && touchY < y + halfH) return 1;
  }
  return 0;
}

int c_MyApp::p_Button(int slot, float x, float y, int frame) {
  m_buttonHit = p_ButtonTouched(slot, x, y, frame, 9);
  return m_buttonHit;
}

// The options gear as a button, in the size and colour already set: three parts turning at their own rates with
// m_gearAngle; only the outer one takes touches. True when touched.
bool c_MyApp::p_GearButton(float x, float y) {
  float g = m_gearAngle;  // degrees
  p_SetRot(0.66f * g);
  bool touched = p_Button(95, x, y, 8) == 1;
  p_SetRot(-0.33f * g);
  p_DrawImg(95, x, y, 9);
  p_SetRot(-g);
  p_DrawImg(95, x, y, 10);
  return touched;
}

int c_MyApp::p_Button0(int slot, float x, float y, int frame) { return p_ButtonTouched(slot, x, y, frame, 0); }

int c_MyApp::p_OuyaQuit() {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  p_CLS2D(220, 220, 200, -1);
  p_SetCol(0, 0, 128, 1);
  p_Rect(32, 32, width - 64, height - 64);  // a dark blue panel with a 32-pixel margin
  p_SetCol(255, 0, 0, 0.4f);
  p_Oval(width - 48, height - 16, 3, 3);
  p_Oval(width - 48, height - 16, 2, 2);
  p_Oval(width - 49, height - 17, 1, 1);

  p_SetCol(255, 255, 255, 1);
  float y = static_cast<float>(Trunc(0.3f * height));
  struct Line {
    float gap, size;
    const char16_t* text;
  } lines[] = {{0, 3, u"Unexpected Quit"},       {36, 2, u"The player is trying to quit"},
               {20, 2, u"without using the lovely"}, {20, 2, u"quit button on the Menu."},
               {46, 2, u"What should I do?"},     {38, 2, u"Hit \u00acK to Quit"},
               {20, 2, u"or \u00acJ to Ignore"}};
  for (const Line& line : lines) {
    y += line.gap;
    p_SetSize(line.size);
    p_Text(64, y, String(line.text), 0, 1);
  }
  p_SetSize(1);

  if (m_inputLatch || m_keyLatch) return 0;
  if (p_PlayKeyAll(10, 1)) {  // ignore the request
    m_mode = 1;
    p_SetLatches();
  }
  if (p_PlayKeyAll(11, 1) || p_PlayKeyAll(12, 1) || p_PlayKeyAll(99, 1)) {
    koError(String());  // quit (also when fire is held with it): the normal end of the program
  }
  return 0;
}

int c_MyApp::p_FullscreenFlip() {
  m_fullscreen = 1 - m_fullscreen;
  if (m_fullscreen == 1) {
    KoDisplayMode* desktop = KoGame::_game->GetDesktopMode();  // asked anew: the screen may have changed
    ko_app_SetDeviceWindow(desktop->width, desktop->height, 1);
  } else {
    ko_app_SetDeviceWindow(640, 480, 0);
  }
  return 0;
}
