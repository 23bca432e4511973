// Play on the harness: the wave rules, buying at the link panel, the object and particle tables at their limits,
// enemies diving at turrets, pickups, the score display and placings, the end-of-game sequence, and a seeded run
// through eight waves with the tables' invariants checked after every update.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "game/entity_tables.h"
#include "tests/game/game_harness.h"

using namespace glfw2;

namespace {

class Play : public ::testing::Test {
 protected:
  void SetUp() override {
    game.FinishLoading();
    app.m_mode = 11;
    game.Update();
    app.m_camX = 320;  // where the camera glides to on a 640 x 480 screen
    app.m_camY = 240;
  }
  float* turret(int entry) { return &app.m_units[kEntryFloats * entry]; }
  float* object(int slot) { return &app.m_objs[kEntryFloats * slot]; }
  float* cursor() { return &app.m_units[0]; }
  void clear_objects() {
    for (int i = 0; i < app.m_objs.Length(); ++i) app.m_objs[i] = 0;
  }
  // Between waves, with the cursor on turret 1 and the link fully charged.
  void link_to_first_turret(int money) {
    clear_objects();
    app.m_waveState = 1;
    app.m_waveTimer = 0;
    cursor()[unit::kX] = turret(1)[unit::kX] + 40;
    cursor()[unit::kY] = turret(1)[unit::kY];
    app.m_money = money;
    game.Update(16);
    ASSERT_EQ(cursor()[unit::kCharge], 30);
    ASSERT_EQ(cursor()[unit::kLinked], 10);
  }
  void press(int key) {
    game.Press(key);
    game.Update();
    game.Release(key);
    game.Update();
  }
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(Play, ANewGameSetsUpTheFieldAndStartsTheFirstWave) {
  EXPECT_EQ(app.m_mode, 10);
  EXPECT_EQ(app.m_waveState, 2) << "the first wave starts without the marker";
  EXPECT_EQ(app.m_wave, 1);
  const float expected[4][2] = {{512, 432}, {768, 432}, {512, 528}, {768, 528}};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(turret(i)[unit::kX], expected[i - 1][0]);
    EXPECT_EQ(turret(i)[unit::kY], expected[i - 1][1]);
    EXPECT_EQ(turret(i)[unit::kHitPoints], 99);
  }
  EXPECT_EQ(turret(5)[unit::kAlive], 0);
  const float* centre = &app.m_grid[cell::Start(20, 20)];
  EXPECT_EQ(centre[cell::kRed], 20) << "sin 0: the rings start at the centre";
  EXPECT_NE(app.m_grid[cell::Start(40, 40) + cell::kRed], 0) << "one column and row past the field are tinted";
  EXPECT_FALSE(game.ImageCommands(90).empty()) << "text is drawn: the cursor, the turrets, the HUD";
  game.Update();
  fake_gl::state.draws.clear();
  game.Render();
  EXPECT_LT(fake_gl::state.draws.size() * 10, game.Commands().size()) << "commands are drawn in batches";
}

TEST_F(Play, TheNextWaveNeedsAFreshPressAtTheMarker) {
  game.Press('Z');  // fire held through the end of the wave
  game.Update();
  clear_objects();
  app.m_waveTimer = 0;
  game.Update();
  EXPECT_EQ(app.m_waveState, 1) << "spawning over and no enemy left";
  clear_objects();  // the shots of the wave's last update
  cursor()[unit::kX] = 640;
  cursor()[unit::kY] = 480;
  game.Update(3);
  EXPECT_EQ(app.m_waveState, 1) << "fire held from the wave starts nothing";
  EXPECT_EQ(app.m_units[unit::kGunsFlag], 0) << "the turrets are quiet between waves, fire held or not";
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) ASSERT_NE(object(slot)[obj::kKind], obj::kBullet);
  game.Release('Z');
  game.Update();
  cursor()[unit::kX] = 640 + 60;  // off the marker: a press there starts nothing
  press('Z');
  EXPECT_EQ(app.m_waveState, 1);
  cursor()[unit::kX] = 640 + 20;  // on the marker, out of the turrets' reach
  game.Update(15);                 // a link panel takes fire until its charge has drained
  game.Press('Z');
  game.Update();
  EXPECT_EQ(app.m_waveState, 2);
  EXPECT_EQ(app.m_wave, 2);
  game.Release('Z');
}

TEST_F(Play, UpgradesAndRepairsHaveTheirLimits) {
  link_to_first_turret(7);
  press('X');
  EXPECT_EQ(turret(1)[unit::kLevel], 2);
  EXPECT_EQ(app.m_money, 5);
  game.Press('X');
  game.Update(3);  // held: one purchase per press
  game.Release('X');
  game.Update();
  EXPECT_EQ(turret(1)[unit::kLevel], 3);
  EXPECT_EQ(app.m_money, 1);
  press('X');
  EXPECT_EQ(turret(1)[unit::kLevel], 3) << "6 needed, 1 held";

  app.m_money = 4;
  press('C');
  EXPECT_EQ(app.m_money, 4) << "no repair at 99 hit points";
  turret(1)[unit::kHitPoints] = 96;
  app.m_money = 1;
  press('C');
  EXPECT_EQ(turret(1)[unit::kHitPoints], 96) << "a repair costs 2";
  app.m_money = 2;
  press('C');
  EXPECT_EQ(turret(1)[unit::kHitPoints], 99) << "capped at 99";
  EXPECT_EQ(app.m_money, 0);

  turret(1)[unit::kLevel] = 20;
  app.m_money = 100;
  press('X');
  EXPECT_EQ(turret(1)[unit::kLevel], 20) << "20 is the top level";
}

TEST_F(Play, TheLinkDrainsAndItsDetailsVanishAt25) {
  link_to_first_turret(10);
  cursor()[unit::kY] = turret(1)[unit::kY] - 150;  // out of every turret's range
  game.Press('X');
  cursor()[unit::kCharge] = 27;
  game.Update();
  EXPECT_EQ(cursor()[unit::kCharge], 25);
  EXPECT_EQ(turret(1)[unit::kLevel], 1) << "no offers at 25";
  game.Release('X');
  game.Update();
  cursor()[unit::kCharge] = 30;
  game.Press('X');
  game.Update();
  EXPECT_EQ(turret(1)[unit::kLevel], 2) << "still linked and charged above 25 while draining";
  game.Release('X');
  game.Update(20);
  EXPECT_EQ(cursor()[unit::kCharge], 0) << "drained, never negative";
}

TEST_F(Play, AFullObjectTableDropsNewcomersAndShotsResumeWhenASlotFrees) {
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {  // pickups far from the cursor, long-lived
    float* pickup = object(slot);
    pickup[obj::kKind] = obj::kPickup;
    pickup[obj::kX] = 100;
    pickup[obj::kY] = 100;
    pickup[obj::kLife] = 1000;
  }
  app.p_SpawnBaddies(3, 5);
  game.Press('Z');
  game.Update(3);
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) ASSERT_EQ(object(slot)[obj::kKind], obj::kPickup);
  for (int i = 1; i <= 4; ++i) EXPECT_LT(turret(i)[unit::kCooldown], 1) << "ready to shoot";
  object(77)[obj::kKind] = obj::kFree;
  game.Update();
  EXPECT_EQ(object(77)[obj::kKind], obj::kBullet) << "the first turret's shot takes the freed slot";
  EXPECT_GE(turret(1)[unit::kCooldown], 5);
  EXPECT_LT(turret(2)[unit::kCooldown], 1) << "no slot for the others";
  game.Release('Z');
}

TEST_F(Play, EnemiesDiveAtTheHigherTurretAndInheritACooldown) {
  clear_objects();
  for (int i = 1; i <= 4; ++i) turret(i)[unit::kX] = 100 * i;
  turret(2)[unit::kY] = turret(3)[unit::kY] = 300;
  float* enemy = object(0);
  enemy[obj::kKind] = 11;
  enemy[obj::kLevel] = 1;
  enemy[obj::kHitPoints] = 1;
  enemy[obj::kX] = enemy[obj::kWaypointX] = 250;  // within 64 of turrets 2 (200) and 3 (300)
  enemy[obj::kY] = enemy[obj::kWaypointY] = 320;
  enemy[obj::kRadius] = 200;
  game.Update();
  EXPECT_EQ(enemy[obj::kWaypointX], 300) << "the higher entry wins";

  enemy[obj::kCooldown] = 20;  // dies flickering; its slot is reused as it was left
  enemy[obj::kKind] = obj::kFree;
  app.p_SpawnBaddies(1, 1);
  EXPECT_EQ(enemy[obj::kKind] >= 11 && enemy[obj::kKind] <= 17, true);
  EXPECT_EQ(enemy[obj::kCooldown], 20);
  enemy[obj::kX] = enemy[obj::kWaypointX] = turret(2)[unit::kX];  // right on a turret
  enemy[obj::kY] = enemy[obj::kWaypointY] = turret(2)[unit::kY];
  game.Update();
  EXPECT_EQ(turret(2)[unit::kHitPoints], 99) << "no contact while the inherited cooldown runs";
  enemy[obj::kCooldown] = 1;
  game.Update();
  EXPECT_EQ(turret(2)[unit::kHitPoints], 93) << "6 per enemy hit point";
  EXPECT_EQ(enemy[obj::kHitPoints], 0);
  EXPECT_EQ(enemy[obj::kCooldown], 32);

  enemy[obj::kHitPoints] = -1;  // shot below 0 in this very update
  enemy[obj::kCooldown] = 0;
  turret(2)[unit::kHitPoints] = 99;
  game.Update();
  EXPECT_EQ(turret(2)[unit::kHitPoints], 99) << "an enemy past its last hit point heals no turret";
}

TEST_F(Play, PickupsLive180UpdatesAndPayWhenTouched) {
  clear_objects();
  app.m_waveState = 1;
  float* pickup = object(0);
  pickup[obj::kKind] = obj::kPickup;
  pickup[obj::kX] = 100;
  pickup[obj::kY] = 100;
  pickup[obj::kLife] = 180;
  game.Update(180);
  EXPECT_EQ(pickup[obj::kKind], obj::kPickup);
  game.Update();
  EXPECT_EQ(pickup[obj::kKind], obj::kFree);

  pickup[obj::kKind] = obj::kPickup;
  pickup[obj::kLife] = 180;
  pickup[obj::kX] = cursor()[unit::kX] + 20;
  pickup[obj::kY] = cursor()[unit::kY];
  int score = app.m_score, money = app.m_money;
  game.Update();
  EXPECT_EQ(pickup[obj::kKind], obj::kFree);
  EXPECT_EQ(app.m_score, score + 5);
  EXPECT_EQ(app.m_money, money + 1);
  EXPECT_EQ(app.m_shownScore, app.m_score) << "a gain within 5 shows at once";
  EXPECT_EQ(app.m_particles[kEntryFloats * 250 + particle::kKind], particle::kScoreNumber)
      << "the number takes the highest free particle slot";
}

TEST_F(Play, ParticlesTakeSlotsFromTheTopAndAFullTableDropsThem) {
  for (int i = 0; i < app.m_particles.Length(); ++i) app.m_particles[i] = 0;
  app.p_ThrowParticle(1, 1, 1, 0, 1);
  app.p_ThrowParticle(1, 1, 1, 0, 1);
  EXPECT_EQ(app.m_particles[kEntryFloats * 250], particle::kSpark);
  EXPECT_EQ(app.m_particles[kEntryFloats * 249], particle::kSpark);
  for (int slot = 0; slot <= 250; ++slot) app.m_particles[kEntryFloats * slot] = particle::kSpark;
  int score = app.m_score;
  app.p_Gimme(5, 0, 0);
  EXPECT_EQ(app.m_score, score + 5) << "the score changes without a free slot";
  for (int slot = 0; slot <= 250; ++slot) ASSERT_EQ(app.m_particles[kEntryFloats * slot], particle::kSpark);
}

TEST_F(Play, TheScoreDisplayEasesAndSnapsWithin5) {
  app.m_score = 100;
  app.m_shownScore = 0;
  app.p_ScoreDisplay();
  EXPECT_EQ(app.m_shownScore, 16);
  app.m_shownScore = 95;
  app.p_ScoreDisplay();
  EXPECT_EQ(app.m_shownScore, 100);
  app.m_shownScore = 88;
  app.p_ScoreDisplay();
  EXPECT_EQ(app.m_shownScore, 90) << "further away it eases by a sixth";
}

TEST_F(Play, PlacingsCountTiesAndEmptyPlaces) {
  app.m_difficulty = 2;
  const int table[10] = {900, 800, 500, 100};
  for (int k = 0; k < 10; ++k) app.m_scores[10 + k] = table[k];
  app.m_score = 500;
  EXPECT_EQ(app.p_MyNth(), String("3rd")) << "a tie takes the place";
  app.m_score = 0;
  EXPECT_EQ(app.p_MyNth(), String("5th")) << "the first empty place";
  app.m_score = 901;
  EXPECT_EQ(app.p_MyNth(), String("1st!"));
  for (int k = 0; k < 10; ++k) app.m_scores[10 + k] = 1000 - k;
  app.m_score = 0;
  EXPECT_EQ(app.p_MyNth(), String());
  EXPECT_EQ(app.p_MyPlace(), 0);
  EXPECT_EQ(app.p_Nth(21), String("21st"));
  EXPECT_EQ(app.p_Nth(31), String());
}

TEST_F(Play, TheMenuReturns90UpdatesAfterTheQuitWhateverTheRenderRate) {
  for (int rendersPerUpdate : {0, 1, 3}) {
    app.m_mode = 11;
    game.Update();
    app.m_gameOverTimer = 1;  // the pause menu's end-round item
    int updates = 0;
    while (app.m_mode == 10 && updates < 200) {
      for (int r = 0; r < rendersPerUpdate; ++r) game.Render();
      game.Update();
      ++updates;
    }
    EXPECT_EQ(updates, 90) << rendersPerUpdate << " renders per update";
    EXPECT_EQ(app.m_mode, 2);
    game.Update();
    EXPECT_EQ(app.m_mode, 1);
    game.Update(40);
    EXPECT_EQ(app.m_endStep, 0) << "the overlay has retracted over the menu";
  }
}

// ---------------------------------------------------------------------------------------------------------------
// A seeded run: the cursor circles with fire held while a wave runs, and between waves steers to the marker and
// presses fire afresh. Every update the tables must hold only valid entries, and every wave must spawn by the
// table: six times, each time as many enemies of the level the table gives for that wave.

struct Spawn {
  int count = 0;
  int level = 0;
};

class SeededRun : public Play {
 protected:
  void steer_toward(float x, float y) {
    hold(GLFW_KEY_LEFT, cursor()[unit::kX] > x + 8);
    hold(GLFW_KEY_RIGHT, cursor()[unit::kX] < x - 8);
    hold(GLFW_KEY_UP, cursor()[unit::kY] > y + 8);
    hold(GLFW_KEY_DOWN, cursor()[unit::kY] < y - 8);
  }
  void hold(int key, bool down) {
    if (down) {
      game.Press(key);
    } else {
      game.Release(key);
    }
  }
  void script(int update) {
    if (app.m_waveState == 1) {
      steer_toward(640, 480);
      hold('Z', update % 2 == 0);  // fresh presses
      hold('X', update % 7 == 0);  // upgrades, when a link is charged on the way
      return;
    }
    hold('X', false);
    hold('Z', true);
    const float corners[4][2] = {{420, 330}, {860, 330}, {860, 630}, {420, 630}};
    const float* target = corners[update / 90 % 4];
    steer_toward(target[0], target[1]);
  }
  void check_invariants() {
    for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
      const float* o = object(slot);
      float kind = o[obj::kKind];
      ASSERT_TRUE(kind == 0 || kind == 1 || kind == 5 || (kind >= 11 && kind <= 17)) << kind;
      if (kind == 0) continue;
      ASSERT_TRUE(std::isfinite(o[obj::kX]) && std::isfinite(o[obj::kY]));
      if (kind >= 11) {
        ASSERT_TRUE(o[obj::kLevel] >= 1 && o[obj::kLevel] <= 7);
      }
    }
    ASSERT_GE(app.m_money, 0);
    ASSERT_TRUE(std::isfinite(cursor()[unit::kX]) && std::isfinite(cursor()[unit::kY]));
    for (int i = 1; i <= 4; ++i) {
      ASSERT_LE(turret(i)[unit::kHitPoints], 99);
      ASSERT_TRUE(turret(i)[unit::kLevel] >= 1 && turret(i)[unit::kLevel] <= 20);
    }
    for (int slot = 0; slot <= 250; ++slot) {
      const float* p = &app.m_particles[kEntryFloats * slot];
      if (p[particle::kKind] != 0) {
        ASSERT_TRUE(std::isfinite(p[particle::kX]) && std::isfinite(p[particle::kY]));
      }
    }
    ASSERT_LE(app.m_drawLen, app.m_drawList.Length());
  }
  // Enemies placed in this update: still exactly on their spawn line, their orbit 8 pixels inside.
  Spawn fresh_enemies() {
    Spawn spawn;
    for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
      const float* o = object(slot);
      if (o[obj::kKind] < 11) continue;
      float distance = std::hypot(o[obj::kX] - 640, o[obj::kY] - 480);
      if (std::fabs(distance - (o[obj::kRadius] + 8)) > 0.01f || o[obj::kHitPoints] != 1) continue;
      if (std::fabs(o[obj::kWaypointX] - 640 - (o[obj::kX] - 640) * o[obj::kRadius] / distance) > 0.01f) continue;
      ++spawn.count;
      spawn.level = static_cast<int>(o[obj::kLevel]);
    }
    return spawn;
  }
};

TEST_F(SeededRun, EightWavesKeepTheTablesValidAndFollowTheSpawnTable) {
  std::map<int, std::vector<Spawn>> spawnsByWave;
  int update = 0;
  for (; update < 12000 && app.m_wave <= 8; ++update) {
    script(update);
    game.Update();
    if (update % 10 == 0) game.Render();
    check_invariants();
    if (HasFatalFailure()) return;
    Spawn spawn = fresh_enemies();
    if (spawn.count > 0) spawnsByWave[app.m_wave].push_back(spawn);
  }
  EXPECT_GT(app.m_wave, 8) << "eight waves played in " << update << " updates";
  EXPECT_GT(app.m_score, 0);
  const int countOfWave[9] = {0, 1, 1, 1, 1, 2, 2, 2, 2};  // waves 1..8
  const int levelOfWave[9] = {0, 1, 1, 1, 2, 2, 2, 3, 3};
  for (const auto& [wave, spawns] : spawnsByWave) {
    if (wave > 8) continue;  // the last one has only begun
    ASSERT_EQ(spawns.size(), 6u) << "wave " << wave;
    for (const Spawn& spawn : spawns) {
      EXPECT_EQ(spawn.count, countOfWave[wave]) << "wave " << wave;
      EXPECT_EQ(spawn.level, levelOfWave[wave]) << "wave " << wave;
    }
  }
}

}  // namespace
