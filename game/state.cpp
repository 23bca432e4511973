// c_MyApp's construction (every table allocated once, at full length) and the lifecycle hooks that are not
// frame-driven: create, suspend, resume.
#include <cstdlib>

#include "framework/input/input_device.h"
#include "game/entity_tables.h"
#include "game/my_app.h"
#include "host/core/game.h"

namespace {
// The playfield is 40 x 40 cells addressed as (row x 100 + column) x 10, and the game tints one row and one
// column past it; 41 rows of 100 cells hold all of that.
constexpr int kGridFloats = cell::kRows * cell::kRowCells * kEntryFloats;

void clear_pad(Array<int>& pad) {
  for (int entry = 0; entry < 19; ++entry) pad[entry] = 0;  // entry 19, the system back button, is the device's
}
}  // namespace

c_MyApp* c_MyApp::m_new() {
  c_App::m_new();
  m_drawList = Array<float>(37500);
  m_bgTarget = Array<float>(3);
  m_bgCurrent = Array<float>(3);
  m_images = Array<c_Image*>(100);
  m_imgInfo = Array<int>(300);
  m_sounds = Array<c_Sound*>(100);
  m_pad = Array<int>(20);
  m_touchOn = Array<int>(10);
  m_touchX = Array<int>(10);
  m_touchY = Array<int>(10);
  m_settings = Array<int>(25);
  m_settings[5] = 1;  // sound on
  m_scores = Array<int>(150);
  m_badges = Array<bool>(256);
  m_channels = Array<int>(33);
  m_toastBadge = Array<int>(15);
  m_toastTime = Array<int>(15);
  m_units = Array<float>(512);
  m_objs = Array<float>(5100);
  m_particles = Array<float>(5100);
  m_grid = Array<float>(kGridFloats);
  m_pingReply = String("N/A");
  m_pauseTrail = Array<float>(2 * 102);
  return this;
}

void c_MyApp::mark() {
  c_App::mark();
  gc_mark(m_drawList);
  gc_mark(m_bgTarget);
  gc_mark(m_bgCurrent);
  gc_mark(m_images);
  gc_mark(m_imgInfo);
  gc_mark(m_sounds);
  gc_mark(m_pad);
  gc_mark(m_touchOn);
  gc_mark(m_touchX);
  gc_mark(m_touchY);
  gc_mark(m_settings);
  gc_mark(m_scores);
  gc_mark(m_badges);
  gc_mark(m_channels);
  gc_mark(m_toastBadge);
  gc_mark(m_toastTime);
  gc_mark(m_pingRequest);
  gc_mark(m_units);
  gc_mark(m_objs);
  gc_mark(m_particles);
  gc_mark(m_grid);
  gc_mark(m_pauseTrail);
}

int c_MyApp::p_OnCreate() {
  m_optionsOpen = m_sidePanelOpen = 0;
  if (ko_Quarzel_isOuya == 1) {
    m_controlMode = 1;
    ko_Quarzel_overscan = 64;
  }
  m_dialTarget = -32;
  m_menuSel = 1;
  p_PingFromEnvironment();
  if (const char* stats = std::getenv("QUARZEL_STATS")) {
    int every = String(stats).ToInt();  // updates; any other text means once a second
    m_printStats = every > 0 ? every : 60;
  }
  if (ko_Quarzel_Zeb_On_Allow == 1) p_GetURL(m_pingUrl, String("hello=1&gameID=") + String(ko_Quarzel_GameNum));
  // Fingers on the screen play with the on-screen joypad; the tilt controls stay off until asked for.
  if (KoGame::_game->HasTouchScreen()) ko_Quarzel_OnScreenControls = 1;
  m_mode = 1;
  ko_app_SetUpdateRate(60);
  m_lastDevW = ko_app_DeviceWidth();
  m_lastDevH = ko_app_DeviceHeight();
  m_accelZeroX = m_accelZeroY = 0;
  p_Reload();
  m_difficulty = 2;
  m_menuSlide = -32;
  m_paused = 0;
  m_pauseCursor = -1;
  m_pauseSlide = -64;
  for (int i = 0; i < 15; ++i) m_toastBadge[i] = m_toastTime[i] = 0;
  for (int i = 0; i < 128; ++i) m_badges[i] = false;
  clear_pad(m_pad);
  for (int i = 0; i < 25; ++i) m_settings[i] = 0;
  for (int i = 0; i <= 30; ++i) m_scores[i] = 0;
  m_settings[5] = 1;
  p_Load();  // what is missing or damaged keeps the defaults just set
  for (int i = 0; i < 33; ++i) m_channels[i] = i;
  return 0;
}

// Losing focus: input modes off, and a game in progress comes back paused.
int c_MyApp::p_OnSuspend() {
  ko_input_DisableKeyboard();
  ko_Quarzel_iCadeControls = 0;
  clear_pad(m_pad);
  bool playing = m_mode >= 10;
  m_paused = m_pauseCursor = playing ? 1 : 0;
  m_pauseSlide = playing ? static_cast<int>(ko_Quarzel_jscrh / 2) : 0;
  ko_app_SetUpdateRate(5);
  p_Save();
  return 0;
}

int c_MyApp::p_OnResume() {
  bool playing = m_mode >= 10;
  m_paused = m_pauseCursor = playing ? 1 : 0;
  m_pauseSlide = playing ? static_cast<int>(ko_Quarzel_jscrh / 2) : 0;
  ko_app_SetUpdateRate(60);
  ko_input_DisableKeyboard();
  ko_Quarzel_iCadeControls = 0;
  clear_pad(m_pad);
  return 0;
}
