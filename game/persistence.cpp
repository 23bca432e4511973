// What the game remembers between runs: the settings, badge flags and high-score lists, kept as one string
// (game/saved_state.h) in the host's saved-state file. Read once at start-up, over the defaults; written when
// the options close, when a round is recorded and when the game is suspended, never at exit. The host
// replaces the file whole (a new file renamed over the old), so a crash mid-save leaves the previous one.
// The messages go to the debug output only.
#include <algorithm>

#include "game/my_app.h"
#include "game/saved_state.h"
#include "runtime/errors.h"

namespace {
SavedFields fields_of(c_MyApp& app) { return {&app.m_settings[0], &app.m_badges[0], &app.m_scores[0]}; }
}  // namespace

int c_MyApp::p_Save() {
  String state = FormatSavedState(fields_of(*this));
  if (ko_Quarzel_DebugMode == 1) koPrint(state);
  ko_app_SaveState(state);
  return 0;
}

int c_MyApp::p_Load() {
  String state = ko_app_LoadState();  // empty when nothing was saved
  if (ko_Quarzel_DebugMode == 1) koPrint(state);
  SavedStateRead read = ReadSavedState(state, fields_of(*this));
  if (read.settings == SavedGroup::Loaded) koPrint(String("Settings Loaded"));
  if (read.settings == SavedGroup::Invalid) koPrint(String("Settings Checksum Invalid"));
  p_ClampSettings();
  if (read.badges == SavedGroup::Loaded) koPrint(String("Badges Loaded"));
  if (read.badges == SavedGroup::Invalid) koPrint(String("Badge Checksum Invalid"));
  koPrint(String("Highscores Loaded"));  // also when none were read: a block that fails is cleared silently
  return 0;
}

// Loaded or not, the on-screen pad stays on screen and usable, and the overscan is a console's only.
void c_MyApp::p_ClampSettings() {
  if (m_settings[10] < 64) m_settings[10] = 64;  // pad x, virtual pixels
  if (m_settings[11] < 64) m_settings[11] = 64;  // pad height above the bottom, virtual pixels
  if (m_settings[12] < 8) m_settings[12] = 10;   // pad size, tenths
  if (m_settings[14] < 1) m_settings[14] = 64;   // overscan, device pixels
  if (ko_Quarzel_isOuya == 1) {
    ko_Quarzel_overscan = static_cast<float>(m_settings[14]);
  } else {
    m_settings[14] = 1;
    ko_Quarzel_overscan = 0;
  }
}

// Records the finished round's m_score in its difficulty's top ten (after any equal score) and as the newest
// of its last ten, then saves at once.
int c_MyApp::p_LoadMenu() {
  int* top = &m_scores[p_TopTenStart()];  // of a difficulty in 1..3 whatever m_difficulty holds
  int* last = top + 30;
  m_newRank = -1;
  for (int place = 0; place < 10 && m_newRank < 0; ++place) {
    if (m_score > top[place]) m_newRank = place;
  }
  if (m_newRank >= 0) {
    std::copy_backward(top + m_newRank, top + 9, top + 10);  // the old tenth drops out
    top[m_newRank] = m_score;
  }
  std::copy_backward(last, last + 9, last + 10);
  last[0] = m_score;
  p_Save();
  return 0;
}
