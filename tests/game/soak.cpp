// The endurance run (see soak.h): a scripted player on the harness, with the game's invariants checked after
// every update and the heap, the tables and the saved state after every round.
#include "tests/game/soak.h"

#include <chrono>
#include <ctime>
#include <cmath>

#include "game/entity_tables.h"
#include "game/saved_state.h"
#include "runtime/gc.h"
#include "tests/game/game_harness.h"

using namespace glfw2;

namespace {

class Soak {
 public:
  explicit Soak(SoakReport& report) : report_(report), app_(game_.app()) {
    game_.FinishLoading();
    Step(40);
  }
  void Round();
  int updates() const { return updates_; }

 private:
  void Step(int count = 1);
  void Hold(int key, int updates = 4);
  void Break(const std::string& what);
  void CheckUpdate();
  void CheckRound(int difficulty);
  void ChooseDifficulty(int difficulty);
  void PlayWaves(int waves);
  void Steer(float x, float y);
  void PauseChangeOptionsAndEnd();
  void OptionsAndStripAtTheTitle();

  SoakReport& report_;
  GameHarness game_;
  c_MyApp& app_;
  int updates_ = 0;
};

double ThreadCpuMs() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void Soak::Step(int count) {
  for (int i = 0; i < count; ++i) {
    auto start = std::chrono::steady_clock::now();
    double cpuStart = ThreadCpuMs();
    game_.Update();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    report_.longestUpdateMs = std::max(report_.longestUpdateMs, ms);
    report_.longestUpdateCpuMs = std::max(report_.longestUpdateCpuMs, ThreadCpuMs() - cpuStart);
    report_.longestDrawCommands = std::max(report_.longestDrawCommands, app_.m_drawLen / 15);
    if (++updates_ % 4 == 0) {  // a render every few updates, its recorded GL calls dropped
      game_.Render();
      fake_gl::state.calls.clear();
      fake_gl::state.draws.clear();
    }
    CheckUpdate();
  }
}

void Soak::Hold(int key, int updates) {
  game_.Press(key);
  Step(updates);
  game_.Release(key);
  Step();
}

void Soak::Break(const std::string& what) {
  if (report_.broken.size() < 20) {
    report_.broken.push_back("round " + std::to_string(report_.rounds + 1) + ", update " + std::to_string(updates_) +
                             ": " + what);
  }
}

void Soak::CheckUpdate() {
  if (app_.m_drawLen > app_.m_drawList.Length()) Break("the draw list overflowed");
  if (app_.m_money < 0) Break("negative money");
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
    const float* o = &app_.m_objs[kEntryFloats * slot];
    float kind = o[obj::kKind];
    if (!(kind == 0 || kind == 1 || kind == 5 || (kind >= 11 && kind <= 17))) Break("an object of kind " + std::to_string(kind));
    if (kind != 0 && !(std::isfinite(o[obj::kX]) && std::isfinite(o[obj::kY]))) Break("an object off the map");
  }
  for (int i = unit::kFirstTurret; i <= unit::kLastTurret; ++i) {
    const float* turret = &app_.m_units[kEntryFloats * i];
    if (turret[unit::kAlive] <= 0) continue;
    if (turret[unit::kHitPoints] > 99 || turret[unit::kLevel] < 1 || turret[unit::kLevel] > 20) {
      Break("turret " + std::to_string(i) + " at " + std::to_string(turret[unit::kHitPoints]) + " hit points, level " +
            std::to_string(turret[unit::kLevel]));
    }
  }
}

// After a round: the heap holds no more than before, the lists and the saved state agree.
void Soak::CheckRound(int difficulty) {
  gc_collect_all();
  gc_collect_all();  // the second cycle frees what the first found unreachable
  report_.liveBytes.push_back(gc_alloced_bytes);
  if (app_.m_mode != 1) Break("not back at the title");
  int settings[kSettingCount], scores[kScoreCount];
  bool badges[kBadgeCount];
  SavedStateRead read = ReadSavedState(game_.host.savedState, {settings, badges, scores});
  bool whole = read.settings == SavedGroup::Loaded && read.badges == SavedGroup::Loaded;
  for (SavedGroup block : read.scoreBlocks) whole = whole && block == SavedGroup::Loaded;
  if (!whole) Break("the saved state does not load whole");
  if (scores[30 + 10 * (difficulty - 1)] != app_.m_score) Break("the round's score is not the newest saved");
}

void Soak::ChooseDifficulty(int difficulty) {
  Hold(GLFW_KEY_LEFT);
  Hold(GLFW_KEY_LEFT);
  Hold(GLFW_KEY_RIGHT);  // the dial
  for (int guard = 0; guard < 4 && app_.m_menuSel + 1 > difficulty; ++guard) Hold(GLFW_KEY_UP);
  for (int guard = 0; guard < 4 && app_.m_menuSel + 1 < difficulty; ++guard) Hold(GLFW_KEY_DOWN);
  Hold(GLFW_KEY_ENTER);
  if (app_.m_mode != 10) Break("the round did not start");
}

void Soak::Steer(float x, float y) {
  const float* cursor = &app_.m_units[0];
  auto hold = [this](int key, bool down) {
    if (down) {
      game_.Press(key);
    } else {
      game_.Release(key);
    }
  };
  hold(GLFW_KEY_LEFT, cursor[unit::kX] > x + 8);
  hold(GLFW_KEY_RIGHT, cursor[unit::kX] < x - 8);
  hold(GLFW_KEY_UP, cursor[unit::kY] > y + 8);
  hold(GLFW_KEY_DOWN, cursor[unit::kY] < y - 8);
}

// While a wave runs: fire held, the cursor circling. Between waves: to a turret, buying upgrades and repairs
// while linked, then to the start marker and a fresh press of fire.
void Soak::PlayWaves(int waves) {
  int lastWave = app_.m_wave + waves;
  for (int update = 0; update < 6000 && app_.m_wave < lastWave; ++update) {
    if (app_.m_waveState == 2) {
      game_.Press('Z');
      const float corners[4][2] = {{420, 330}, {860, 330}, {860, 630}, {420, 630}};
      Steer(corners[update / 90 % 4][0], corners[update / 90 % 4][1]);
    } else if (app_.m_waveTimer == 360 && update % 400 < 250) {
      const float* turret = &app_.m_units[kEntryFloats * (1 + update / 400 % 4)];
      Steer(turret[unit::kX] + 40, turret[unit::kY]);
      game_.Release('Z');
      if (update % 8 == 0) game_.Press(update % 16 == 0 ? 'X' : 'C');
      if (update % 8 == 4) {
        game_.Release('X');
        game_.Release('C');
      }
    } else {
      game_.Release('X');
      game_.Release('C');
      Steer(640, 480);
      if (update % 2 == 0) {
        game_.Press('Z');
      } else {
        game_.Release('Z');
      }
    }
    Step();
  }
  for (int key : {GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_UP, GLFW_KEY_DOWN, int('Z'), int('X'), int('C')}) {
    game_.Release(key);
  }
  Step();
}

void Soak::PauseChangeOptionsAndEnd() {
  Hold(GLFW_KEY_ESC);
  Step(15);
  Hold(GLFW_KEY_DOWN);   // the options button
  Hold(GLFW_KEY_ENTER);  // open them over the pause
  Step(31);
  Hold(GLFW_KEY_DOWN);
  Hold(GLFW_KEY_ENTER);  // the next sound mode
  Hold(GLFW_KEY_ESC);
  Step(31);
  Hold(GLFW_KEY_UP);
  Hold(GLFW_KEY_UP);
  Hold(GLFW_KEY_ENTER);  // end the round
  for (int guard = 0; guard < 400 && (app_.m_mode != 1 || app_.m_endStep > 0); ++guard) Step();
}

void Soak::OptionsAndStripAtTheTitle() {
  Hold(GLFW_KEY_LEFT);
  Hold(GLFW_KEY_LEFT);
  Hold(GLFW_KEY_ENTER);  // the gear: the options
  Step(31);
  for (int row = 0; row < 4; ++row) Hold(GLFW_KEY_DOWN);
  Hold(GLFW_KEY_ENTER);  // flip the left stick
  Hold(GLFW_KEY_ESC);
  Step(31);
  Hold(GLFW_KEY_RIGHT);
  Hold(GLFW_KEY_RIGHT);
  Hold(GLFW_KEY_ENTER);  // the strip
  Step(60);
  Hold(GLFW_KEY_ENTER);
  Step(30);
}

void Soak::Round() {
  int difficulty = 1 + report_.rounds % 3;
  ChooseDifficulty(difficulty);
  PlayWaves(2 + report_.rounds % 3);
  PauseChangeOptionsAndEnd();
  CheckRound(difficulty);
  OptionsAndStripAtTheTitle();
  ++report_.rounds;
}

}  // namespace

SoakReport RunSoak(double gameMinutes) {
  SoakReport report;
  Soak soak(report);
  while (soak.updates() < gameMinutes * 3600) soak.Round();
  report.gameMinutes = soak.updates() / 3600.0;
  return report;
}
