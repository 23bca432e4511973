// The options panel, sliding up over the title screen or the paused round: the back button, then one row per
// option (sound mode, iCade, full screen or windowed, the two thumbstick flips, and a quit row on a console
// outside a round). Closing it saves.
//
// Input: while the panel is open it holds the screen's latches set, so nothing below it acts, and keeps two
// latches of its own: one for keys (cleared when no game key is held) and one for touches (cleared when the
// pointer is up). Nothing acts while the panel slides (m_optionsSlide below 30). A row acts once per press.
#include <algorithm>

#include "game/control_bindings.h"
#include "game/my_app.h"
#include "runtime/errors.h"

namespace {
enum OptionRow { kSoundRow, kICadeRow, kDisplayRow, kLeftStickRow, kRightStickRow, kQuitRow };
constexpr int kOpen = 30;                  // m_optionsSlide when fully open
constexpr float kRowGap = 40;              // virtual pixels between rows
}  // namespace

int c_MyApp::p_OptionBox() {
  int slide = m_optionsSlide;
  p_ResetDraw();
  if (ko_Quarzel_isOuya == 1) p_SafeAreaMarks();
  p_SetLatches();  // the screen below ignores input
  if (slide != kOpen) {
    m_optKeyLatch = 1;
    m_optTouchLatch = 1;
  }
  p_SetCol(150, 75, 0, 0.85f);
  p_Rect(50, 720 - 24.0f * slide, ko_Quarzel_jscrw - 100, ko_Quarzel_jscrh);
  p_ResetDraw();
  p_OptionsBack(12.0f * slide - 260);
  if (ko_Quarzel_isOuya == 1) p_OverscanSlider(0.6f * ko_Quarzel_jscrw, 12.0f * slide - 268, m_optKeyLatch);

  OptionRow rows[6];
  int rowCount = 0;
  rows[rowCount++] = kSoundRow;
  if (ko_Quarzel_isOuya == 0) rows[rowCount++] = kICadeRow;
  rows[rowCount++] = kDisplayRow;
  rows[rowCount++] = kLeftStickRow;
  rows[rowCount++] = kRightStickRow;
  if (ko_Quarzel_isOuya == 1 && m_paused == 0) rows[rowCount++] = kQuitRow;
  m_optCursor = std::min(std::max(m_optCursor, 0), rowCount);  // the rows shown may have changed
  for (int i = 0; i < rowCount; ++i) p_OptionRow(rows[i], i + 1, 850 - 24.0f * slide + kRowGap * i);
  p_OptionsNavigate(rowCount);

  if (m_mouseDown == 0) m_optTouchLatch = 0;
  bool keyHeld = false;
  for (int code : kLatchKeys) keyHeld = keyHeld || p_PlayKeyAll(code, 1) > 0;
  if (!keyHeld) m_optKeyLatch = 0;
  p_ResetDraw();
  return 0;
}

void c_MyApp::p_CloseOptions() {
  m_optionsOpen = 0;
  p_PlaySFX(99, 1, 1, 0);
  p_Save();
  p_SetLatches();
}

// The back button: a turning gear with "<[BACK]"; a touch on it or the back key closes the panel.
void c_MyApp::p_OptionsBack(float x) {
  static const String back(u"<[BACK]");
  m_gearAngle += 0.2f;
  p_SetSize(m_optCursor == 0 ? 2.0f : 1.5f);
  bool touched = p_GearButton(x, 60);
  p_ResetDraw();
  bool pressed = touched || p_PlayKeyAll(99, 1) > 0;
  if (pressed && m_optKeyLatch == 0 && m_optTouchLatch == 0) p_CloseOptions();
  p_SetSize(2);
  p_Text(x + 76, 60, back, 0, 1);
  p_ResetDraw();
}

// One row: its bar (lit on the cursor row), its label, and what it does when activated by a touch on the bar
// or by a button on the cursor row.
void c_MyApp::p_OptionRow(int row, int index, float y) {
  bool quit = row == kQuitRow;
  float width = ko_Quarzel_jscrw;
  float textX = 100;
  if (quit && m_landscape == 0) y += kRowGap;  // a portrait screen keeps the quit row apart
  bool onCursor = m_optCursor == index;
  if (onCursor) {
    p_SetCol(0, 180, 255, 0.5f);
  } else {
    p_SetCol(0, 0, 160, 0.5f);
  }
  bool touched = quit ? p_Touch(width - 280, y - 2, 180, 24) : p_Touch(84, y - 2, width - 168, 24);
  if (quit) textX = width - 264;
  p_ResetDraw();
  if (touched) m_optCursor = index;
  bool keyed = false;
  if (m_optCursor == index) {
    for (int code = 10; code <= 15; ++code) keyed = keyed || p_PlayKeyAll(code, 1) > 0;
  }
  p_SetSize(2);
  p_Text(textX, y, p_OptionLabel(row), 0, 0);
  p_ResetDraw();
  if (row == kSoundRow && (m_settings[5] < 0 || m_settings[5] > (ko_Quarzel_HasMusicStream == 1 ? 3 : 1))) {
    p_SetSoundMode(0);  // a stored mode the game does not know is shown blank once, then reads Off
  }

  // Touches on the iCade and display rows need only the touch latch clear; keys always need both, so that a
  // held key acts once.
  bool touchOnly = row == kICadeRow || row == kDisplayRow;
  bool allowed = (touched && touchOnly) ? m_optTouchLatch == 0 : m_optTouchLatch == 0 && m_optKeyLatch == 0;
  if (!(touched || keyed) || !allowed) return;
  p_OptionAct(row);
  m_optKeyLatch = 1;
  m_optTouchLatch = 1;
  p_PlaySFX(99, 1, 1, 0);
}

String c_MyApp::p_OptionLabel(int row) {
  static const char16_t* const kSoundLabels[] = {u"Sound : Off", u"Sound : SFX + Music", u"Sound : SFX",
                                                 u"Sound : Music"};
  static const char16_t* const kOnOffLabels[] = {u"Sound : Off", u"Sound : On"};
  switch (row) {
    case kSoundRow: {
      int mode = m_settings[5];
      if (ko_Quarzel_HasMusicStream == 1) return mode >= 0 && mode <= 3 ? String(kSoundLabels[mode]) : String();
      return mode >= 0 && mode <= 1 ? String(kOnOffLabels[mode]) : String();
    }
    case kICadeRow: return String(ko_Quarzel_iCadeControls == 1 ? u"iCade : On" : u"iCade : Off");
    case kDisplayRow: return String(m_fullscreen == 1 ? u"Windowed" : u"Fullscreen");
    case kLeftStickRow:
      return String(m_settings[15] == 1 ? u"Left Thumbstick Y Normal" : u"Left Thumbstick Y Flipped");
    case kRightStickRow:
      return String(m_settings[16] == 1 ? u"Right Thumbstick Y Normal" : u"Right Thumbstick Y Flipped");
    default: return String(u"Quit");
  }
}

void c_MyApp::p_OptionAct(int row) {
  switch (row) {
    case kSoundRow:
      p_SetSoundMode(ko_Quarzel_HasMusicStream == 1 ? (m_settings[5] + 1) % 4 : (m_settings[5] == 0 ? 1 : 0));
      break;
    case kICadeRow:
      p_iCade(1 - ko_Quarzel_iCadeControls);
      for (int entry = 0; entry < 19; ++entry) m_pad[entry] = 0;
      break;
    case kDisplayRow: p_FullscreenFlip(); break;
    case kLeftStickRow: m_settings[15] = (m_settings[15] + 1) % 2; break;
    case kRightStickRow: m_settings[16] = (m_settings[16] + 1) % 2; break;
    default: koError(String());  // quit: the normal end of the program
  }
}

// The music follows the sound mode: off in modes 0 and 2, and restarted in modes 1 and 3 during a round.
void c_MyApp::p_SetSoundMode(int mode) {
  m_settings[5] = mode;
  if (mode == 0 || mode == 2) {
    p_StopTune();
  } else if (m_mode > 9) {
    p_PlayTune(String(u"-1"), 1);
  }
}

void c_MyApp::p_OptionsNavigate(int rowCount) {
  if (m_optKeyLatch != 0) return;
  bool closeKey = p_PlayKeyAll(15, 1) > 0 || p_PlayKeyAll(10, 1) > 0 || p_PlayKeyAll(11, 1) > 0;
  int step = 0;
  if (p_PlayKeyAll(0, 1) > 0 || p_PlayKeyAll(3, 1) > 0) step = -1;
  if (p_PlayKeyAll(8, 1) > 0 || p_PlayKeyAll(5, 1) > 0) step = 1;
  if (closeKey && m_optCursor == 0) {
    m_optKeyLatch = 1;
    p_CloseOptions();
    return;
  }
  int wanted = std::min(std::max(m_optCursor + step, 0), rowCount);
  if (wanted == m_optCursor) return;
  m_optCursor = wanted;
  m_optKeyLatch = 1;
  p_PlaySFX(99, 1, 1, 0);
}

// Eight corner marks framing the picture a television may cut off.
void c_MyApp::p_SafeAreaMarks() {
  float w = ko_Quarzel_jscrw, h = ko_Quarzel_jscrh;
  const float marks[8][4] = {{0, 0, 16, 8},          {0, 0, 8, 16},          {0, h - 8, 16, 8},
                             {0, h - 16, 8, 16},     {w - 16, 0, 16, 8},     {w - 8, 0, 8, 16},
                             {w - 16, h - 8, 16, 8}, {w - 8, h - 16, 8, 16}};
  for (const auto& mark : marks) p_Rect(mark[0], mark[1], mark[2], mark[3]);
}

// A console's overscan (setting 14, 1..96 device pixels kept free at the edges): buttons 5 and 6 move it by 16,
// once per press under the given key latch.
void c_MyApp::p_OverscanSlider(float x, float y, int& keyLatch) {
  static const String label(u"\u00acU <      Overscan      > \u00acO");
  p_ResetDraw();
  p_SetSize(2);
  p_Text(x, y, label, 1, 1);
  p_ResetDraw();
  p_SetCol(0, 128, 255, 0.5f);
  p_Rect(x - 128, y - 5, 256, 9);
  p_SetCol(255, 255, 0, 0.75f);
  p_Rect(x - 132 + 2.67f * m_settings[14], y - 8, 8, 16);
  p_ResetDraw();
  int step = 0;
  if (p_PlayKeyAll(14, 1) > 0) step = -16;
  if (p_PlayKeyAll(15, 1) > 0) step = 16;
  if (step != 0 && keyLatch == 0) {
    keyLatch = 1;
    m_settings[14] += step;
  }
  m_settings[14] = std::min(std::max(m_settings[14], 1), 96);
  ko_Quarzel_overscan = static_cast<float>(m_settings[14]);
}
