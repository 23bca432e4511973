// Play (mode 10): setting up a new game, and one update of the playfield: the pulsing background, the camera, the
// tinted grid, the turrets and their link panel, the cursor and the start marker, the wave sequence and the money
// display. Enemies, bullets and pickups are enemies.cpp; particles particles.cpp; the score display scores.cpp.
//
// Rules kept here:
// - The difficulty changes nothing in play; it only picks the high-score table.
// - The first wave starts with the game; every later one needs a fresh press of fire at the start marker (the
//   fire latch is held set through a running wave, so fire held across a wave's end starts nothing).
// - Upgrades and repairs are bought only between waves, with the link panel fully charged (above 25).
// - Nothing in play ends the game: only the pause menu's end-round item does. Turrets at 0 hit points and below
//   keep working.
#include <algorithm>
#include <cmath>

#include "framework/random/random.h"
#include "game/entity_tables.h"
#include "game/my_app.h"

namespace {
constexpr float kCursorSpeed = 6;          // world pixels per update at full stick
constexpr float kMarkerRange = 48;         // world pixels on each axis
constexpr int kWaveUpdates = 360, kSpawnEvery = 60;  // updates
}  // namespace

// The middle of the world in world pixels: where the cursor starts, the camera rests, the start marker stands and
// enemies spiral to. The grid is 40 x 40 cells in every game, so the middle falls on a cell's centre.
float c_MyApp::p_WorldCentreX() { return cell::kWidth / 2.0f * m_gridW; }
float c_MyApp::p_WorldCentreY() { return cell::kHeight / 2.0f * m_gridH; }

int c_MyApp::p_Rand(float low, float high) {
  return static_cast<int>(std::floor(low + ko_random_Rnd() * (high + 0.99f - low)));
}

int c_MyApp::p_AddTurret(float column, float row, int /*kind*/) {
  for (int i = unit::kFirstTurret; i <= unit::kLastTurret; ++i) {
    float* turret = &m_units[kEntryFloats * i];
    if (turret[unit::kAlive] != 0) continue;  // taken (a removed turret would be exactly 0)
    turret[unit::kAlive] = 1;
    turret[unit::kX] = cell::kWidth * column;
    turret[unit::kY] = cell::kHeight * row;
    turret[unit::kVelX] = turret[unit::kVelY] = 0;
    turret[unit::kHitPoints] = unit::kMaxHitPoints;
    turret[unit::kLevel] = 1;
    turret[unit::kCooldown] = 0;
    return 0;
  }
  return 0;
}

int c_MyApp::p_LoadGame() {
  m_mode = 10;
  p_PlayTune(String("testmusic"), 1);
  for (int i = 0; i < m_objs.Length(); ++i) m_objs[i] = 0;
  for (int i = 0; i < m_grid.Length(); ++i) m_grid[i] = 0;
  p_ResetStars(100);
  m_particleMax = particle::kLastSlot;
  for (int i = 0; i <= particle::kLastSlot; ++i) m_particles[kEntryFloats * i + particle::kKind] = particle::kFree;
  for (int i = 0; i < unit::kLatchEnd; ++i) m_units[i] = 0;

  m_paused = 0;
  m_score = 0;
  m_gameOverTimer = 0;
  m_endStep = 0;
  m_camX = m_camY = m_camTargetX = m_camTargetY = 0;
  m_money = 0;
  m_wave = 1;
  m_gridW = m_gridH = 40;
  p_TintGrid();
  m_bgPulse = 40;
  m_waveState = 2;  // the first wave starts at once
  m_waveTimer = kWaveUpdates;
  m_units[unit::kX] = p_WorldCentreX();  // the cursor starts in the middle of the world
  m_units[unit::kY] = p_WorldCentreY();
  p_AddTurret(16, 18, 0);
  p_AddTurret(24, 18, 0);
  p_AddTurret(16, 22, 0);
  p_AddTurret(24, 22, 0);
  return 0;
}

// Concentric colour rings around the centre. 41 x 41 cells are tinted: the grid window reaches one column and
// one row past the 40 x 40 playfield near its right and bottom edges.
void c_MyApp::p_TintGrid() {
  for (int x = -40; x <= 40; x += 2) {
    for (int y = -40; y <= 40; y += 2) {
      float* tint = &m_grid[cell::Start((x + 40) / 2, (y + 40) / 2)];
      float ring = static_cast<float>(x * x + y * y);  // degrees
      tint[cell::kRed] = 20 + 20 * SinDeg(ring);
      tint[cell::kGreen] = 20 + 20 * SinDeg(ring + 120);
      tint[cell::kBlue] = 20 - 20 * SinDeg(ring + 240);
    }
  }
}

int c_MyApp::p_Game() {
  p_PulseBackground();
  p_MoveCamera();
  p_DrawGrid();
  p_UpdateTurrets();
  if (!p_PlayKey(12, 1, 0)) m_units[unit::kRepairLatch] = 0;
  if (!p_PlayKey(11, 1, 0)) m_units[unit::kUpgradeLatch] = 0;
  if (!p_PlayKey(10, 1, 0)) m_units[unit::kFireLatch] = 0;
  float& charge = m_units[unit::kCharge];
  charge = Clamp(charge, 0, unit::kChargeFull);
  if (charge > 0 && m_waveState == 1) p_LinkPanel();  // during a wave nothing can be bought
  int enemies = p_ObjectPass();
  p_ResetDraw();
  p_MoveCursor();
  p_RunWaves(enemies);
  p_ResetDraw();
  if (m_money < 0) m_money = 0;
  if (m_hideHud != 1) p_MoneyDisplay();
  p_ResetDraw();
  p_DoParticles(1);
  p_ScoreDisplay();
  return 0;
}

void c_MyApp::p_PulseBackground() {
  m_bgPulse = Clamp(m_bgPulse + (m_waveState == 2 ? -1.0f : 1.0f), 10, 40);  // calm between waves
  float t = ko_app_Millisecs() / 20.0f;  // degrees
  float pulse = m_bgPulse;
  p_DoBG(Trunc(pulse + pulse * SinDeg(t)), Trunc(pulse + pulse * SinDeg(t + 120)),
         Trunc(pulse + pulse * SinDeg(t + 240)), -123);
}

// The camera glides to, and stays on, the middle of the world; the target is computed after the move, from this
// update's virtual screen.
void c_MyApp::p_MoveCamera() {
  m_camX -= (m_camX - m_camTargetX) / 16;
  m_camY -= (m_camY - m_camTargetY) / 16;
  p_AnalogueControl();
  float worldW = cell::kWidth * m_gridW, worldH = cell::kHeight * m_gridH;
  // The upper limit is applied last: on a screen wider than the world the camera keeps the world's right edge.
  m_camTargetX = std::fmin(std::fmax(p_WorldCentreX() - ko_Quarzel_jscrw / 2, 0.0f), worldW - ko_Quarzel_jscrw);
  m_camTargetY = std::fmin(std::fmax(p_WorldCentreY() - ko_Quarzel_jscrh / 2, 0.0f), worldH - ko_Quarzel_jscrh);
}

// Screen positions worth drawing at: on screen, or close enough that something centred there may reach it.
bool c_MyApp::p_NearScreen(float x, float y) {
  return x > -128 && x < ko_Quarzel_jscrw + 128 && y > -128 && y < ko_Quarzel_jscrh + 128;
}

// A 26 x 26 window of cells around the cursor, each drawn where it lies on screen or close to it.
void c_MyApp::p_DrawGrid() {
  int firstColumn = std::max(std::min(Trunc(m_units[unit::kX] / cell::kWidth - 12), m_gridW - 25), 0);
  int firstRow = std::max(std::min(Trunc(m_units[unit::kY] / cell::kHeight - 12), m_gridH - 25), 0);
  int lastColumn = std::min(firstColumn + 25, cell::kRowCells - 1);  // within the stored cells, whatever the size
  int lastRow = std::min(firstRow + 25, cell::kRows - 1);
  p_Alpha(0.25f);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      float x = cell::kWidth * column - m_camX, y = cell::kHeight * row - m_camY;
      if (!p_NearScreen(x, y)) continue;
      const float* tint = &m_grid[cell::Start(column, row)];
      p_SetCol(tint[cell::kRed], tint[cell::kGreen], tint[cell::kBlue]);
      p_Rect(x - 17, y - 13, 33, 25);
    }
  }
}

// The start marker between waves, the cursor, and the turrets' guns.
void c_MyApp::p_MoveCursor() {
  static const String marker(u"[START]"), star(u"*");
  float* cursor = &m_units[0];
  if (m_waveState == 1) {
    float markerX = p_WorldCentreX(), markerY = p_WorldCentreY();
    bool atMarker = Within(cursor[unit::kX], cursor[unit::kY], markerX, markerY, kMarkerRange);
    p_Alpha(atMarker ? 1.0f : 0.5f);
    p_Text(markerX - m_camX, markerY - m_camY, marker, 1, 1);
    p_Alpha(1);
    if (atMarker && m_units[unit::kFireLatch] == 0 && p_PlayKey(10, 1, 0)) {  // a fresh press starts the wave
      m_units[unit::kFireLatch] = 1;
      m_wave += 1;
      m_waveState = 2;
    }
  }
  if (m_waveState == 1 || m_waveState == 2) {
    cursor[unit::kX] += kCursorSpeed * m_stickX;
    cursor[unit::kY] += kCursorSpeed * m_stickY;
    p_Text(cursor[unit::kX] - m_camX, cursor[unit::kY] - m_camY, star, 1, 1);
  }
  if (m_waveState == 2) {
    p_CursorRings();
    m_units[unit::kGunsFlag] = p_PlayKey(10, 1, 0) || p_PlayKey(11, 1, 0) ? 1 : 0;
  } else {
    // The guns are quiet between waves too. Turrets fire while the player holds fire; leaving the flag as the
    // wave's last update set it would let them shoot through the whole break after a wave that ended with fire
    // held, when fire is wanted only to start the next wave at the marker.
    m_units[unit::kGunsFlag] = 0;
  }
  // The cursor stays on screen.
  float screenX = std::fmin(std::fmax(cursor[unit::kX] - m_camX, 32.0f), ko_Quarzel_jscrw - 32);
  float screenY = std::fmin(std::fmax(cursor[unit::kY] - m_camY, 32.0f), ko_Quarzel_jscrh - 32);
  cursor[unit::kX] = screenX + m_camX;
  cursor[unit::kY] = screenY + m_camY;
}

// Three counter-rotating rings of enemy art around the cursor while a wave runs.
void c_MyApp::p_CursorRings() {
  int ms = ko_app_Millisecs();
  float x = m_units[unit::kX] - m_camX, y = m_units[unit::kY] - m_camY;
  p_SetRot(static_cast<float>(-(ms / 9)));
  p_DrawImg(1, x, y, 20);
  p_SetRot(static_cast<float>(ms / 13));
  p_DrawImg(1, x, y, 13);
  p_SetRot(static_cast<float>(-(ms / 17)));
  p_DrawImg(1, x, y, 34);
  p_SetRot(0);
}

// A wave spawns six times, every 60 updates of its 360, and ends when spawning is over and no enemy is left.
void c_MyApp::p_RunWaves(int enemies) {
  if (m_waveState == 2 && m_waveTimer < 1 && enemies == 0) {
    m_waveState = 1;
    return;
  }
  if (m_waveState != 2) {
    m_waveTimer = kWaveUpdates;
    return;
  }
  m_units[unit::kFireLatch] = 1;  // only a fresh press at the marker starts the next wave
  if (m_waveTimer <= 0) return;
  m_waveTimer -= 1;
  if (m_waveTimer % kSpawnEvery != 0) return;
  int count = std::min(std::max((m_wave + 3) / 4, 1), 12);
  int level = std::min(std::max((m_wave + 2) / 3, 1), 7);
  p_SpawnBaddies(level, count);
}

void c_MyApp::p_MoneyDisplay() {
  float x = ko_Quarzel_jscrw - 32;
  p_SetCol(255, 255, 0);
  p_Oval(x, 32, 12, 16);
  p_SetSize(2);
  p_Text(x, 32, String(m_money), 1, 1);
  p_SetSize(1);
}

// Every update of mode 10, paused or not: the pause key and the pause button, then the pause menu while paused.
int c_MyApp::p_InGame() {
  p_ResetDraw();
  m_menuSlide = -32;  // the title screen slides in afresh when the round ends
  bool backHeld = p_PlayKeyAll(99, 1) > 0 || (ko_Quarzel_isOuya == 1 && p_PlayKeyAll(13, 1) > 0);
  if (backHeld && m_paused == 0 && m_keyLatch == 0) {
    m_keyLatch = 1;
    p_Pause();
  }
  if (m_hideHud != 1) {
    p_Alpha(m_controlMode == 2 ? 1.0f : 0.2f);  // faint unless the player is pointing
    if (p_Button97(16, 16, 0) && m_paused == 0) {
      m_inputLatch = 1;
      p_Pause();
    }
    p_Alpha(1);
  }
  if (m_paused == 1) p_PauseMenu();
  return 0;
}

void c_MyApp::p_Pause() {
  m_paused = 1;
  m_pauseCursor = 1;
  m_pauseSel = 0;
  p_PlaySFX(98, 1, 0.5f, 0);
}
