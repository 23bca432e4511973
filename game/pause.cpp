// The pause menu over a paused round: a darkening slide, a rainbow line pattern the arrows steer, "PAUSED", and
// three buttons: end the round (top), resume (middle), options (bottom).
//
// m_pauseCursor is the slide's direction: 1 sliding in (to half the screen's height), -1 sliding out; the
// pause ends when the slide-out is done, or at once by the end-round button. Keys act once per press (the key
// latch); the back key resumes, and while the menu slides out nothing more happens.
#include <algorithm>
#include <cmath>

#include "game/my_app.h"

namespace {
constexpr int kTrailPoints = 102;
constexpr int kEndRound = -1, kResume = 0, kOptions = 1;  // m_pauseSel
}  // namespace

int c_MyApp::p_PauseMenu() {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  p_DoBG(-123, -123, -123, -123);
  p_SetCol(0, 0, 0, std::fabs(static_cast<float>(m_pauseSlide)) / (0.8f * height));
  p_Rect(-1, -1, width + 2, height + 2);
  if (m_pauseCursor == 1 && m_pauseSlide < height / 2) m_pauseSlide += 24;
  if (m_pauseCursor == -1) {
    if (m_pauseSlide < -63) {
      m_paused = 0;
    } else {
      m_pauseSlide -= 24;
      if (m_pauseSlide < -32) m_paused = 0;
    }
  }
  p_PausePattern();
  static const String paused(u"PAUSED");
  p_ResetDraw();
  p_SetSize(4);
  p_Text(width / 2 + 96, height / 2, paused, 1, 1);
  p_ResetDraw();
  if (ko_Quarzel_isOuya == 1) p_PauseOverscan();
  p_PauseButtons();
  p_PauseKeys();
  return 0;
}

// Two arms turning at their own speeds draw a trail of 102 points; up and down change the second arm's length,
// left and right its speed.
void c_MyApp::p_PausePattern() {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  m_pauseArmA = std::fmod(m_pauseArmA + 1, 360.0f);
  m_pauseArmB = std::fmod(m_pauseArmB + m_pauseSpeed, 360.0f);
  m_pauseHue = std::fmod(m_pauseHue + 1.5f, 360.0f);
  float reach = std::min(0.45f * height, 0.45f * (width - 96));  // virtual pixels
  if (p_PlayKeyAll(0, 1) > 0) m_pauseArm -= 1;
  if (p_PlayKeyAll(8, 1) > 0) m_pauseArm += 1;
  if (p_PlayKeyAll(3, 1) > 0) m_pauseSpeed -= 0.25f;
  if (p_PlayKeyAll(5, 1) > 0) m_pauseSpeed += 0.25f;
  m_pauseArm = Clamp(m_pauseArm, 0, std::fmax(reach, 0.0f));
  m_pauseSpeed = Clamp(m_pauseSpeed, 0, 128);
  float arm = m_pauseArm;
  float headX = width / 2 + 96 + (reach - arm) * SinDeg(m_pauseArmA) + arm * SinDeg(m_pauseArmB);
  float headY = height / 2 - (reach - arm) * CosDeg(m_pauseArmA) - arm * CosDeg(m_pauseArmB);

  p_ResetDraw();
  p_SetCol(100, 255, 100, 0.8f);
  // The arm is a float field and reads as one ("12.0"); the speed is shown as a whole number.
  p_Text(width - 8, height - 8, String(arm) + String(u":") + String(Trunc(m_pauseSpeed)), 2, 2);
  Array<float>& trail = m_pauseTrail;
  if (!m_pauseTrailStarted) {  // a fresh trail starts at the head, not at the screen's corner
    for (int point = 0; point < kTrailPoints; ++point) {
      trail[2 * point] = headX;
      trail[2 * point + 1] = headY;
    }
    m_pauseTrailStarted = 1;
  }
  trail[2 * (kTrailPoints - 1)] = headX;
  trail[2 * (kTrailPoints - 1) + 1] = headY;
  for (int j = 0; j < kTrailPoints - 1; ++j) {
    float hue = 2.0f * j + m_pauseHue;  // degrees
    float red = Clamp(static_cast<float>(Trunc(j + j * SinDeg(hue))), 0, 255);
    float green = Clamp(static_cast<float>(Trunc(j + j * CosDeg(hue))), 0, 255);
    float blue = Clamp(static_cast<float>(Trunc(j - j * CosDeg(hue))), 0, 255);
    p_SetCol(red, green, blue);
    float x1 = trail[2 * j], y1 = trail[2 * j + 1], x2 = trail[2 * j + 2], y2 = trail[2 * j + 3];
    p_Line(x1, y1, x2, y2);
    p_Line(x1 - 0.5f, y1 - 0.5f, x2 - 0.5f, y2 - 0.5f);
    trail[2 * j] = x2;  // the trail moves one step
    trail[2 * j + 1] = y2;
  }
  p_ResetDraw();
}

// The buttons slide in from the left with the overlay; in portrait the end and options buttons sit above.
void c_MyApp::p_PauseButtonPlaces(float* places) {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  float x = 64 - (height / 2 - m_pauseSlide);
  const float landscape[6] = {x, 96, x, 196, x, 296};
  const float portrait[6] = {width / 2 - 96, m_pauseSlide - 96.0f, x, 196, width / 2 + 96, m_pauseSlide - 96.0f};
  const float* chosen = m_landscape == 1 ? landscape : portrait;
  std::copy(chosen, chosen + 6, places);
}

void c_MyApp::p_PauseButtons() {
  float places[6];  // x, y of end round, resume, options
  p_PauseButtonPlaces(places);
  p_ResetDraw();
  p_SetSize(2);
  bool endTouched = p_Button97(places[0], places[1], 1) == 1;
  bool resumeTouched = p_Button97(places[2], places[3], 3) == 1;
  if (m_optionsOpen == 0) m_gearAngle += 0.2f;
  p_SetSize(1);
  bool optionsTouched = p_GearButton(places[4], places[5]);
  p_ResetDraw();
  if (m_inputLatch != 0) return;
  if (resumeTouched) p_PausePress(kResume, false);
  if (endTouched) p_PausePress(kEndRound, false);
  if (optionsTouched) p_PausePress(kOptions, false);
}

void c_MyApp::p_PauseKeys() {
  float places[6];
  p_PauseButtonPlaces(places);
  int selected = std::min(std::max(m_pauseSel, kEndRound), kOptions);
  p_SetSize(2.5f);
  p_SetCol(255, 255, 100);
  p_DrawImg(97, places[2 * (selected + 1)], places[2 * (selected + 1) + 1], 6);  // the selection mark
  p_ResetDraw();
  if (m_keyLatch != 0) return;
  if (p_PlayKeyAll(10, 1) > 0) {
    m_keyLatch = 1;
    p_PausePress(selected, true);
  } else if (p_PlayKeyAll(0, 1) > 0 && selected > kEndRound) {
    m_keyLatch = 1;
    m_pauseSel = selected - 1;
    p_PlaySFX(99, 0.8f, 0.5f, 0);
  } else if (p_PlayKeyAll(8, 1) > 0 && selected < kOptions) {
    m_keyLatch = 1;
    m_pauseSel = selected + 1;
    p_PlaySFX(99, selected == kResume ? 1.2f : 0.8f, 0.5f, 0);
  } else if (p_PlayKeyAll(99, 1) > 0) {
    m_keyLatch = 1;
    p_PausePress(kResume, true);
  }
}

// The options open with the confirm sound when chosen by key, and with the menu tick when touched.
void c_MyApp::p_PausePress(int button, bool byKey) {
  if (m_pauseCursor != 1) return;  // sliding out already: a second press changes nothing
  m_inputLatch = 1;
  if (button == kResume) {
    m_pauseCursor = -1;
    p_PlaySFX(98, 1, 0.5f, 0);
  } else if (button == kEndRound) {
    m_paused = 0;
    m_pauseCursor = -1;
    m_pauseSlide = -64;
    m_gameOverTimer = 1;  // the end-of-game sequence, marked as a quit
    p_PlaySFX(98, 0.5f, 0.5f, 0);
  } else if (byKey) {
    m_optionsOpen = 1;
    p_PlaySFX(98, 1, 0.5f, 0);
  } else {
    m_optionsOpen = 1;
    p_PlaySFX(99, 1, 1, 0);
  }
}

// A console's overscan, adjustable here too: a touch on the slider jumps between the ends.
void c_MyApp::p_PauseOverscan() {
  float x = ko_Quarzel_jscrw / 2, y = m_pauseSlide - 150.0f;
  p_OverscanSlider(x, y, m_keyLatch);
  if (m_inputLatch != 0 || !p_MouseIn_Centered(x, y, 256, 16)) return;
  m_inputLatch = 1;
  p_PlaySFX(98, 1, 1, 0);
  // Two separate tests of the value before the touch: a large overscan drops to 1, a small one (16 included,
  // which passes both) jumps to 96.
  if (ko_Quarzel_overscan > 1) m_settings[14] = 1;
  if (ko_Quarzel_overscan < 32) m_settings[14] = 96;
  ko_Quarzel_overscan = static_cast<float>(m_settings[14]);
}
