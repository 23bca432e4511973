// The score during play (the eased figure and the next placing to beat), the placing texts, and the end-of-game
// sequence that darkens the screen, slides in "Quit" / "Game", announces a new high score and returns to the menu.
//
// m_scores holds per difficulty d (1..3) the top ten at 10(d - 1) .. +9, best first, 0 marking an empty place,
// and the last ten at 30 + 10(d - 1) .. +9, newest first. m_endStep counts 1..89 in play after the quit, stands
// at 73 when the game leaves play, and falls by 2 per update over the menu back to 0: so the menu returns 90
// updates after the quit, however often the screen is drawn.
#include <algorithm>
#include <cstdlib>

#include "framework/audio/audio.h"
#include "game/my_app.h"

namespace {
constexpr int kEndUpdates = 90;     // from the quit to the menu
constexpr int kEndStepInMenu = 73;  // the overlay stays full for a moment over the menu, then retracts

const char16_t* const kOrdinals[] = {u"1st",  u"2nd",  u"3rd",  u"4th",  u"5th",  u"6th",  u"7th",  u"8th",
                                     u"9th",  u"10th", u"11th", u"12th", u"13th", u"14th", u"15th", u"16th",
                                     u"17th", u"18th", u"19th", u"20th", u"21st", u"22nd", u"23rd", u"24th",
                                     u"25th", u"26th", u"27th", u"28th", u"29th", u"30th"};
const char16_t* const kPlacings[] = {u"1st!", u"2nd", u"3rd", u"4th", u"5th",
                                     u"6th",  u"7th", u"8th", u"9th", u"10th"};
}  // namespace

int c_MyApp::p_TopTenStart() { return 10 * (std::min(std::max(m_difficulty, 1), 3) - 1); }

String c_MyApp::p_Nth(int n) { return n >= 1 && n <= 30 ? String(kOrdinals[n - 1]) : String(); }

// The place 1..10 m_score would take in the current top ten (an equal score counts), 0 for none.
int c_MyApp::p_MyPlace() {
  int top = p_TopTenStart();
  for (int k = 0; k < 10; ++k) {
    if (m_score >= m_scores[top + k]) return k + 1;
  }
  return 0;
}

String c_MyApp::p_MyNth() {
  int place = p_MyPlace();
  return place > 0 ? String(kPlacings[place - 1]) : String();
}

int c_MyApp::p_ScoreDisplay() {
  long long gap = static_cast<long long>(m_shownScore) - m_score;
  m_shownScore = static_cast<int>(m_shownScore - gap / 6);
  if (std::llabs(static_cast<long long>(m_shownScore) - m_score) < 6) m_shownScore = m_score;  // small gains at once
  if (m_hideHud == 1) return 0;

  p_ResetDraw();
  p_SetSize(2);
  p_SetCol(100, 255, 100, 0.8f);
  static const String zero(u"0"), space(u" ");
  p_Text(ko_Quarzel_jscrw / 2, 28, p_rstr(m_shownScore, 8, zero), 1, 1);

  // The next placing to reach: the best place whose score is below ours (or empty), shown with its score.
  int top = p_TopTenStart();
  int place = 10, target = m_scores[top + 9];
  for (int k = 9; k >= 1; --k) {
    if (m_scores[top + k] < m_score || m_scores[top + k] == 0) {
      place = k - 1;
      target = m_scores[top + k - 1];
    }
  }
  p_SetSize(1);
  p_SetCol(255, 255, 100, 0.8f);
  p_Text(ko_Quarzel_jscrw / 2, 10, p_Nth(place + 1) + space + p_rstr(target, 8, zero), 1, 1);
  p_ResetDraw();
  return 0;
}

int c_MyApp::p_GameOver() {
  if (m_endStep > 0) p_DrawGameOver();
  if (m_mode == 10) {
    m_endStep += 1;
    if (m_endStep >= kEndUpdates) {
      m_mode = 2;  // the frame update records the score and shows the menu
      if (ko_Quarzel_HasMusicStream == 1) {
        ko_audio_StopMusic();
        m_musicOn = 0;
      }
      m_endStep = kEndStepInMenu;
    }
  } else if (m_mode < 10) {
    m_endStep = std::max(m_endStep - 2, 0);  // the overlay retracts over the menu
  }
  return 0;
}

void c_MyApp::p_DrawGameOver() {
  p_SetLatches();  // input is swallowed while the sequence shows
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  p_ResetDraw();
  p_SetCol(0, 0, 0, std::min(m_endStep / 40.0f, 0.7f));
  p_Rect(-1, -1, width + 2, height + 2);

  float slide = static_cast<float>(std::min(12 * m_endStep, Trunc(0.45f * height)));  // virtual pixels
  p_SetCol(255, 255, 0, 0.5f);
  p_Rect(-1, 0.45f * height - 8, 2 * slide, 16);
  p_SetCol(255, 128, 0);
  p_Rect(width - 2 * slide, 0.55f * height - 8, 2 * slide + 1, 16);

  static const String quit(u"Quit"), game(u"Game"), newHighscore(u"New Highscore\\n           ");
  p_SetSize(4);
  p_SetCol(255, 180, 180, 1);
  p_Text(0.35f * width, slide, quit, 1, 1);
  p_Text(0.65f * width, height - slide, game, 1, 1);
  if (p_MyPlace() > 0) {
    p_SetSize(1);
    p_SetCol(0, 125, 255, 0.5f);
    p_Rect(0.35f * width, height - slide / 1.5f - 16, 0.3f * width, 32);
    p_SetSize(2);
    p_SetCol(100, 255, 100, 1);
    p_Text(width / 2, height - slide / 1.5f, newHighscore + p_MyNth(), 0.5f, 2);
  }
  p_ResetDraw();
}
