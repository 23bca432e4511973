// The title screen (mode 1): the title, the strip on the right with the score lists of the chosen difficulty,
// the options gear with the difficulty dial around it, and the keys that move between them. The dial is
// menu_dial.cpp; the open strip with the credits menu_strip.cpp.
//
// Focus: 0 the gear, 1 the dial, 2 the strip; left and right move it one step per press. Nothing here acts while
// a latch is set (a press already used, a drag in progress, the end-of-game overlay) or a panel is open. The
// strip's width P eases between 140 (closed) and the whole screen (open) in the frame update.
#include <algorithm>
#include <cfloat>

#include "game/my_app.h"
#include "runtime/errors.h"

int c_MyApp::p_Menu() {
  p_DoBG(20, 80, 160, -123);
  if (m_menuSlide < 0) m_menuSlide = Trunc(m_menuSlide + 0.25f);  // the screen slides in, one pixel a frame
  if (!p_MenuLeave()) return 0;
  if (m_inputLatch == 0) m_dialTouchPick = 0;

  float width = ko_Quarzel_jscrw;
  float strip = m_sidePanelX + 140;  // the strip's width, virtual pixels
  float slide = static_cast<float>(m_menuSlide);
  p_ResetDraw();
  p_SetSize(1.5f);
  p_DrawImg(98, (width - strip) / 2, 12 * slide + 115, 0);  // the title
  p_ResetDraw();
  p_MenuStrip(strip);
  if (m_optionsOpen == 0) p_ScoreLists(strip);
  p_MenuDial();
  p_MenuKeys();
  if (!p_PanelOpen()) m_difficulty = std::min(std::max(m_menuSel + 1, 1), 3);
  p_ResetDraw();
  p_SetSize(m_menuFocus == kFocusStrip ? 0.35f : 0.25f);
  p_DrawImg(93, width - strip / 2, 32, 0);  // the maker's logo
  p_ResetDraw();
  if (m_sidePanelOpen == 1) p_OpenStrip(strip);
  return 0;
}

bool c_MyApp::p_PanelOpen() { return m_optionsOpen == 1 || m_sidePanelOpen == 1; }

// The back key ends the program on a computer; a console's own menu goes to the quit guard. False once the
// menu has handed over to the guard.
bool c_MyApp::p_MenuLeave() {
  if (!p_LatchesClear()) return true;
  if (ko_Quarzel_isOuya == 0) {
    if (p_PlayKeyAll(99, 1) > 0) koError(String());  // the normal end of the program
    return true;
  }
  if (p_PlayKeyAll(98, 1) > 0 || ko_input_KeyDown(27)) {
    m_mode = 4;
    p_SetLatches();
    return false;
  }
  return true;
}

// The strip's border and body; a touch gives it focus, a second touch opens it. Once open it covers almost the
// whole screen, and a touch anywhere is the open strip's to close it (menu_strip.cpp).
void c_MyApp::p_MenuStrip(float strip) {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  float left = width - strip - 8 * m_menuSlide;
  bool focused = m_menuFocus == kFocusStrip;
  p_SetCol(255, 255, 255, focused ? 1.0f : 0.2f);
  p_Rect(left - 2, -128, 3, height + 128);
  p_SetCol(0, 0, 0, focused ? 0.75f : 0.45f);
  p_Rect(left, -128, strip + 32, height + 128);
  p_ResetDraw();
  p_PlayIcon(strip);
  if (m_sidePanelOpen == 1 || !p_LatchesClear() || !p_MouseIn(left, -128, strip + 32, height)) return;
  p_SetLatches();
  if (focused) {
    p_MenuSelect();
  } else {
    m_menuFocus = kFocusStrip;
    p_PlaySFX(99, 1, 1, 0);
  }
}

// The play icon at the foot of the strip, lit while the dial has focus: touching it starts a round.
void c_MyApp::p_PlayIcon(float strip) {
  float x = ko_Quarzel_jscrw - strip / 2, y = ko_Quarzel_jscrh - 48;
  p_SetSize(3);
  p_SetCol(100, 255, 100, m_menuFocus == kFocusDial ? 0.5f : 0.0f);
  p_DrawImg(97, x, y, 3);
  p_ResetDraw();
  if (!p_LatchesClear() || p_PanelOpen() || !p_MouseIn_Centered(x, y, 128, 128)) return;
  m_menuFocus = kFocusDial;
  p_PlaySFX(98, 1, 1, 0);
  p_StartRound();
}

// The top ten and the last ten of the chosen difficulty, as many lines of each as fit the screen.
void c_MyApp::p_ScoreLists(float strip) {
  float lineHeight = static_cast<float>(m_imgInfo[3 * m_font + 1]);
  // A virtual height that is a whole number of lines but for float rounding (1024 / (1024 / 480) is 479.99997)
  // counts as that number: a few float steps are no missing line.
  const float fitting = (ko_Quarzel_jscrh / 2 - 90) / (1.5f * lineHeight);
  int lines = std::min(std::max(Trunc(fitting * (1 + 8 * FLT_EPSILON)), 1), 10);
  int top = p_TopTenStart();
  static const String newLine(u"\\n"), highscore(u"Highscore"), last(u"Last"), topTitle(u"Top "),
      lastTitle(u"Last ");
  String best = lines == 1 ? highscore : topTitle + String(lines);
  String recent = lines == 1 ? last : lastTitle + String(lines);
  for (int k = 0; k < lines; ++k) {
    best += newLine + p_rstr2(m_scores[top + k]);
    recent += newLine + p_rstr2(m_scores[top + 30 + k]);
  }
  float x = ko_Quarzel_jscrw - strip - 4 * m_menuSlide + 20;
  p_ResetDraw();
  p_SetSize(1.5f);
  p_SetCol(255, 200, 100);
  p_Text(x, 60, best, 0, 0);
  p_SetCol(200, 255, 100);
  p_Text(x, ko_Quarzel_jscrh / 2 + 20, recent, 0, 0);
  p_ResetDraw();
}

// Keys of player 0. Up and down turn the dial and repeat while held (after 31, 19 and 7 updates, then every 4);
// left and right move the focus; fire selects.
void c_MyApp::p_MenuKeys() {
  bool up = p_PlayKey(0, 1, 0), down = p_PlayKey(8, 1, 0);
  if (!up && !down) {
    m_repeatCountdown = -1;
    m_repeatStart = 30;
  }
  if (!p_LatchesClear() || p_PanelOpen()) return;
  if ((up || down) && m_menuFocus == kFocusDial && p_RepeatStep()) {
    int lowest = ko_Quarzel_isOuya == 1 ? -1 : 0;  // a console has a quit entry before Easy
    int wanted = std::min(std::max(m_menuSel + (down ? 1 : -1), lowest), 2);
    if (up && down) wanted = m_menuSel;
    if (wanted != m_menuSel) p_PlaySFX(99, 1, 1, 0);
    m_menuSel = wanted;
    m_dialTarget = -32.0f * m_menuSel;
  }
  bool left = p_PlayKey(3, 1, 0), right = p_PlayKey(5, 1, 0);
  if (left != right) {
    m_menuFocus = std::min(std::max(m_menuFocus + (right ? 1 : -1), int{kFocusGear}), int{kFocusStrip});
    m_keyLatch = 1;  // one step per press
    p_PlaySFX(99, 1, 1, 0);
    return;
  }
  if (p_PlayKey(10, 1, 0) || p_PlayKey(11, 1, 0) || p_PlayKey(12, 1, 0)) {
    p_PlaySFX(98, 1, 1, 0);
    p_SetLatches();
    p_MenuSelect();
  }
}

// True in the updates in which a held direction steps: at once, then when the countdown drops below 0.
bool c_MyApp::p_RepeatStep() {
  if (m_repeatCountdown >= 0) m_repeatCountdown -= 1;
  if (m_repeatCountdown >= 0) return false;
  m_repeatCountdown = m_repeatStart;
  m_repeatStart = m_repeatStart == 30 ? 18 : m_repeatStart == 18 ? 6 : 3;
  return true;
}

void c_MyApp::p_MenuSelect() {
  if (m_menuFocus == kFocusGear) {
    m_optionsOpen = 1;
    p_PlaySFX(99, 1, 1, 0);
  } else if (m_menuFocus == kFocusDial) {
    p_StartRound();
  } else {
    m_sidePanelOpen = 1;
    p_PlaySFX(99, 1, 1, 0);
  }
}

// Starts a round with the selected difficulty; the icons of its texts follow the control that chose it.
void c_MyApp::p_StartRound() {
  if (m_menuSel < 0) koError(String());  // the console's quit entry
  if (m_mouseDown > 0) {
    m_controlMode = 2;
  } else {
    m_controlMode = 1;
    for (int code = 10; code <= 15; ++code) {
      if (p_PlayKey(code, 0, -1)) m_controlMode = 0;
    }
  }
  m_dialTarget = -32.0f * m_menuSel;
  p_SetLatches();
  m_mode = 11;
}
