// What the frame update draws over every mode: the on-screen joypad (moved and resized while paused), the
// tilt indicator with its calibration button, and the debug line; and the statistics printed for tests and
// benches when QUARZEL_STATS is set.
#include <cmath>
#include <cstdlib>

#include "framework/input/input_device.h"
#include "game/entity_tables.h"
#include "game/my_app.h"
#include "runtime/errors.h"

void c_MyApp::p_OnScreenJoypad() {
  m_settings[10] = static_cast<int>(Clamp(static_cast<float>(m_settings[10]), 32, ko_Quarzel_jscrw - 32));
  m_settings[11] = static_cast<int>(Clamp(static_cast<float>(m_settings[11]), 32, ko_Quarzel_jscrh - 32));
  m_settings[12] = static_cast<int>(Clamp(static_cast<float>(m_settings[12]), 8, 25));
  m_padX = m_settings[10];
  m_padY = Trunc(ko_Quarzel_jscrh - m_settings[11]);
  m_padScale = m_settings[12] / 10.0f;
  float x = static_cast<float>(m_padX), y = static_cast<float>(m_padY);

  p_ResetDraw();
  p_Alpha(0.6f);
  p_SetSize(m_padScale);
  float reach = m_padScale * 32;
  struct Direction {
    float dx, dy;
    int frame, padEntry;
  } directions[] = {{-reach, 0, 4, 3}, {0, -reach, 1, 0}, {0, reach, 9, 8}, {reach, 0, 6, 5}};
  for (const Direction& d : directions) {
    if (p_Button(94, x + d.dx, y + d.dy, d.frame) && m_paused == 0) m_pad[d.padEntry] = 1;
  }
  p_DrawImg(94, x, y, 5);

  if (m_paused > 0) {  // paused: the centre is a handle that moves the pad, two fingers resize it
    p_SetSize(3);
    if (p_Button0(94, x, y, 5) && !m_touchOn[1]) {
      m_settings[10] = m_touchX[0];
      m_settings[11] = Trunc(ko_Quarzel_jscrh - m_touchY[0]);
    }
    if (m_touchOn[0] && m_touchOn[1]) {
      int spread = -std::abs(m_touchX[0] - m_touchX[1]) / 16;
      if (m_pinching) m_settings[12] += m_pinchLast - spread;
      m_pinching = 1;
      m_pinchLast = spread;
    }
    if (!m_touchOn[1]) m_pinching = 0;
  }

  p_SetSize(m_padScale * 1.5f);
  float offset = m_padScale * 24;  // the two fire buttons, mirrored on the right; they work while paused
  if (p_Button(94, ko_Quarzel_jscrw - (x - offset), y - offset, 0)) m_pad[10] = 1;
  if (p_Button(94, ko_Quarzel_jscrw - (x + offset), y + offset, 0)) m_pad[11] = 1;
}

void c_MyApp::p_Tilt() {
  if (ko_Quarzel_AccelerometerControls != 1) return;
  if (ko_Quarzel_iCadeControls == 1) {
    m_rawTiltX = m_rawTiltY = m_tiltX = m_tiltY = 0;
    return;
  }
  m_rawTiltX = ko_input_AccelX() - m_accelZeroX;
  m_rawTiltY = ko_input_AccelY() - m_accelZeroY;
  m_tiltX += (m_rawTiltX - m_tiltX) * 0.25f;
  m_tiltY += (m_rawTiltY - m_tiltY) * 0.25f;
  if (std::abs(m_tiltX - m_rawTiltX) < 0.005f) m_tiltX = m_rawTiltX;
  if (std::abs(m_tiltY - m_rawTiltY) < 0.005f) m_tiltY = m_rawTiltY;

  p_ResetDraw();
  p_SetSize(1.5f);
  p_Alpha(0.8f);
  if (p_Button97(24, ko_Quarzel_jscrh - 24, 7)) {  // calibrate: the present tilt becomes level
    m_accelZeroX = ko_input_AccelX();
    m_accelZeroY = ko_input_AccelY();
  }
  p_ResetDraw();
  p_SetCol(100, 255, 100, 0.6f);
  p_Oval(24 + 20 * m_tiltX, ko_Quarzel_jscrh - 24 + 20 * m_tiltY, 4, 4);
  p_ResetDraw();
}

void c_MyApp::p_DebugLine() {
  if (ko_Quarzel_DebugMode != 1 || m_mode == 5) return;
  p_ResetDraw();
  bool tiltShown = ko_Quarzel_AccelerometerControls == 1 && ko_Quarzel_iCadeControls == 0;
  float y = tiltShown ? ko_Quarzel_jscrh / 2 : ko_Quarzel_jscrh - 16;
  String figures = String(m_scaleY) + String(",") + String(m_scaleX) + String(":") + String(m_renderFpsAvg);
  p_Text(16, y, figures, 0, 0);
}

// With QUARZEL_STATS set in the environment, a line on the standard output every second (or every N updates
// for QUARZEL_STATS=N): the mode, the score, the smoothed update and render rates, and for a player driven
// from outside, the wave state, the cursor and the pickup nearest to it (world pixels; -1 -1 for none), then
// whether the on-screen joypad is on and the accelerometer's last reading (g). For tests and figures that watch
// the real program; fields are only ever added at the end, so a reader of the older line still reads this one.
void c_MyApp::p_PrintStats() {
  if (m_printStats <= 0 || ++m_statsUpdates < m_printStats) return;
  m_statsUpdates = 0;
  int pickupX = -1, pickupY = -1;
  float nearest = INFINITY;  // squared world pixels
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
    const float* object = &m_objs[kEntryFloats * slot];
    float dx = object[obj::kX] - m_units[unit::kX], dy = object[obj::kY] - m_units[unit::kY];
    float distance2 = dx * dx + dy * dy;
    if (object[obj::kKind] != obj::kPickup || !(distance2 < nearest)) continue;
    nearest = distance2;
    pickupX = Trunc(object[obj::kX]);
    pickupY = Trunc(object[obj::kY]);
  }
  const String space(" ");
  koPrint(String("Stats mode ") + String(m_mode) + String(" score ") + String(m_score) + String(" updates/s ") +
          String(m_updateFpsAvg) + String(" renders/s ") + String(m_renderFpsAvg) + String(" wave ") +
          String(m_waveState) + String(" cursor ") + String(Trunc(m_units[unit::kX])) + space +
          String(Trunc(m_units[unit::kY])) + String(" pickup ") + String(pickupX) + space + String(pickupY) +
          String(" pad ") + String(ko_Quarzel_OnScreenControls) + String(" accel ") +
          String(ko_input_device->m_accelX) + space + String(ko_input_device->m_accelY) + space +
          String(ko_input_device->m_accelZ));
}
