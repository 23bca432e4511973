// The options gear and the difficulty dial around it, at the bottom left of the title screen.
//
// The dial's entries sit on a ring; the one whose angle lies in the 30..60 degree window at the top right is the
// selection (its angle is 48 degrees at rest: the target angle is -32 x the selected index). A drag spins the
// dial (the spin decays by a quarter per frame); while it spins, entries passing the window become the
// selection, and beyond Hard or Easy the spin is reversed so the dial springs back.
#include <algorithm>
#include <cmath>

#include "game/my_app.h"

namespace {
constexpr float kRingRadius = 116;   // virtual pixels from the dial's centre to an entry
}  // namespace

void c_MyApp::p_MenuDial() {
  if (m_dialSpin != 0) {
    m_dialTarget += m_dialSpin;
    m_dialSpin *= 0.75f;
    if (std::fabs(m_dialSpin) < 1) m_dialSpin = 0;
  }
  m_dialAngle += (m_dialTarget - m_dialAngle) / 8;
  if (std::fabs(m_dialTarget - m_dialAngle) < 0.5f) m_dialAngle = m_dialTarget;
  if (p_PanelOpen()) return;

  float centreX = 12.0f * m_menuSlide + 38, centreY = ko_Quarzel_jscrh - 64 - 8.0f * m_menuSlide;
  p_DrawGear(centreX, centreY);
  p_DragDial(centreX, centreY);
  int lowest = ko_Quarzel_isOuya == 1 ? -1 : 0;
  for (int i = std::max(m_menuSel - 3, lowest); i <= std::min(m_menuSel + 3, 2); ++i) {
    p_DialEntry(i, centreX, centreY);
  }
  p_ResetDraw();
  if (m_menuFocus == kFocusDial && ko_Quarzel_jscrw > 600 && m_menuSel >= 0) {
    p_SetSize(1.5f);
    p_Text(240, ko_Quarzel_jscrh - 52 - 3.0f * m_menuSlide, ko_Quarzel_MenuSet[2 * m_menuSel + 1], 0, 0);
    p_ResetDraw();
  }
}

// The gear opens the options when touched; it turns while it has focus.
void c_MyApp::p_DrawGear(float x, float y) {
  bool focused = m_menuFocus == kFocusGear;
  p_ResetDraw();
  p_SetSize(0.5f);
  p_Alpha(focused ? 0.8f : 0.25f);
  p_DrawImg(85, x, y, 1);
  if (focused) m_gearAngle = std::fmod(m_gearAngle + 0.3f, 360.0f);
  float g = m_gearAngle;  // degrees
  p_SetSize(1.5f);
  p_Alpha(1);
  const float turns[3] = {-g, 2 * g, -4 * g};
  for (int part = 0; part < 3; ++part) {
    p_SetRot(turns[part]);
    p_DrawImg(95, x, y, static_cast<float>(8 + part));
  }
  p_SetRot(m_dialAngle);
  p_SetSize(1.5625f);
  p_Alpha(m_menuFocus == kFocusDial ? 0.8f : 0.25f);
  p_DrawImg(85, x, y, 3);  // the dial's ring
  p_ResetDraw();
  if (p_LatchesClear() && p_MouseIn_Centered(x, y, 64, 64)) {
    m_optionsOpen = 1;
    m_menuFocus = kFocusGear;
    p_SetLatches();
    p_PlaySFX(99, 1, 1, 0);
  }
}

// A touch moving across the dial (outside the gear) spins it; the first real movement marks a drag in progress
// (both latches -1), so nothing else takes the press.
void c_MyApp::p_DragDial(float x, float y) {
  int touch = -1;
  for (int i = 0; i < 10 && touch < 0; ++i) {
    if (m_touchOn[i]) touch = i;
  }
  bool onDial = touch >= 0 && m_inputLatch < 1 && p_MouseIn_Centered(x, y, 500, 500) &&
                !p_MouseIn_Centered(x, y, 64, 64);
  if (!onDial) {
    m_dragHeld = 0;  // without a touch the last position is forgotten
    return;
  }
  float touchX = static_cast<float>(m_touchX[touch]), touchY = static_cast<float>(m_touchY[touch]);
  if (m_dragHeld) {
    float motion = ((m_dragX + m_dragY) - (touchX + touchY)) * 0.25f;
    m_dialSpin = Clamp(m_dialSpin - motion, -40, 40);
    if (std::fabs(motion) > 1) {
      m_inputLatch = -1;
      m_keyLatch = -1;
    }
  }
  m_dragHeld = 1;
  m_dragX = touchX;
  m_dragY = touchY;
  m_menuFocus = kFocusDial;
}

void c_MyApp::p_DialEntry(int i, float centreX, float centreY) {
  float angle = 32.0f * i + 48 + m_dialAngle;  // degrees
  float offCentre = std::fabs(angle - 45);
  float swell = offCentre <= 45 ? (45 - offCentre) * 1.5f : 0;  // entries grow toward the window
  float x = centreX + (swell + kRingRadius) * SinDeg(angle), y = centreY - (swell + kRingRadius) * CosDeg(angle);
  if (std::fabs(m_dialSpin) > 0.05f) p_SpinPastEntry(i, angle);

  bool selected = i == m_menuSel;
  float size = selected ? 1.75f : 0.75f;
  p_ResetDraw();
  p_Alpha(m_menuFocus == kFocusDial ? 1.0f : 0.3f);
  p_SetRot((angle - 55) / 2);
  p_SetSize(size);
  if (i < 0) {  // the console's quit entry
    p_SetSize(2 * size);
    p_SetCol(255, 180, 180);
    p_DrawImg(97, x, y, 1);
  } else {
    p_DrawImg(95, x, y, static_cast<float>(i % 6));
    p_SetSize(1.5f * size);
    p_Text(x, y, ko_Quarzel_MenuSet[2 * (i % 3)], 1, 1);
  }
  p_ResetDraw();
  p_TouchEntry(i, x, y);
}

// While the dial spins: spring back from beyond the ends, and select what passes the window.
void c_MyApp::p_SpinPastEntry(int i, float angle) {
  if (i == 2 && (angle < 30 || angle > 200)) m_dialSpin = 4;
  if (i == 0 && angle > 60 && angle < 200) m_dialSpin = -4;
  if (angle < 30 || angle > 60 || i == m_menuSel) return;
  if (m_dialTouchPick == 1 && std::abs(i - m_menuSel) == 1) return;  // just picked by touch: let it settle
  m_menuSel = i;
  p_PlaySFX(99, 1, 1, 0);
}

// A touch on the selected entry at rest starts the round; on another entry it turns the dial to it.
void c_MyApp::p_TouchEntry(int i, float x, float y) {
  if (!p_LatchesClear()) return;
  for (int t = 0; t < 10; ++t) {
    if (!m_touchOn[t]) continue;
    float dx = m_touchX[t] - x, dy = m_touchY[t] - y;
    float distance2 = dx * dx + dy * dy;  // squared virtual pixels
    if (i == m_menuSel && m_dialSpin == 0 && distance2 < 2048) {
      p_PlaySFX(98, 1, 1, 0);
      m_menuFocus = kFocusDial;
      p_StartRound();
      return;
    }
    if (i != m_menuSel && distance2 < 1352) {
      m_menuSel = i;
      m_menuFocus = kFocusDial;
      m_inputLatch = -1;
      m_dialTouchPick = 1;
      m_dialTarget = -32.0f * i;
      p_PlaySFX(99, 1, 1, 0);
      return;
    }
  }
}
