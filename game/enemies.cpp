// Enemies, bullets and pickups: the one object table m_objs (slots 0..250, layout in entity_tables.h), the
// spawning of enemy groups, and the object pass that p_Game runs once per update.
//
// Rules of the pass, slot by slot in order:
// - a bullet flies straight and is removed 32 pixels off screen;
// - an enemy eases toward its waypoint; at the waypoint it picks the next one, spiralling inward (radius never
//   below 64), unless a turret within 64 pixels draws it in (the turret with the highest entry wins);
// - every bullet within 12 pixels of an enemy is spent on it; an enemy touching a turret costs the turret 6 hit
//   points per enemy hit point it has left (none once shot below 0), loses one itself and cannot hit again for
//   32 updates;
// - an enemy below 0 hit points loses a level, drops a pickup and starts again at 1 hit point; below level 1 it
//   is gone. So a level-L enemy takes 2L hits and leaves L pickups;
// - a pickup lives 180 updates and pays 5 points and 1 money when the cursor touches it.
#include <algorithm>
#include <cmath>

#include "framework/random/random.h"
#include "game/entity_tables.h"
#include "game/my_app.h"

namespace {
constexpr float kBulletReach = 12;   // world pixels on each axis
constexpr float kContactReach = 24;  // world pixels on each axis, enemy to turret
constexpr float kDiveReach = 64;     // world pixels on each axis: a turret this close becomes the waypoint
constexpr float kPickupReach = 24;   // world pixels on each axis, cursor to pickup
constexpr float kPickupLife = 180;   // updates
constexpr float kContactCooldown = 32;  // updates

// The enemy's spin in degrees: eight speeds and directions, picked by the slot so that a group does not turn in
// step.
int spin_of(int slot, int ms) {
  switch (slot % 8) {
    case 0: return ms / 16 + 3 * slot;
    case 1: return ms / 12 + 4 * slot;
    case 2: return ms / 8 + 5 * slot;
    case 3: return ms / 4 + 6 * slot;
    case 4: return 8 * slot - ms / 16;
    case 5: return 9 * slot - ms / 12;
    case 6: return 10 * slot - ms / 8;
    default: return 11 * slot - ms / 4;
  }
}
}  // namespace

int c_MyApp::p_FreeObjectSlot() {
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
    if (m_objs[kEntryFloats * slot + obj::kKind] == obj::kFree) return slot;
  }
  return -1;
}

// A group of enemies in a line on one ray from the world centre, 8 pixels apart from 320 pixels out.
int c_MyApp::p_SpawnBaddies(int level, int count) {
  float centreX = p_WorldCentreX(), centreY = p_WorldCentreY();
  float angle = 360 * ko_random_Rnd();  // degrees
  float distance = 8.0f * m_gridW;      // world pixels
  for (int n = 0; n < count; ++n) {
    int slot = p_FreeObjectSlot();
    if (slot < 0) continue;  // a full table drops the enemy, and the line does not grow
    float* enemy = &m_objs[kEntryFloats * slot];
    enemy[obj::kKind] = std::floor(6.99f * ko_random_Rnd() + 1) + 10;
    enemy[obj::kX] = centreX + distance * SinDeg(angle);
    enemy[obj::kY] = centreY - distance * CosDeg(angle);
    enemy[obj::kWaypointX] = centreX + (distance - 8) * SinDeg(angle);
    enemy[obj::kWaypointY] = centreY - (distance - 8) * CosDeg(angle);
    enemy[obj::kHeading] = angle;
    enemy[obj::kRadius] = distance - 8;
    enemy[obj::kHitPoints] = 1;
    enemy[obj::kLevel] = static_cast<float>(std::min(std::max(level, 1), 7));
    distance += 8;
  }
  return 0;
}

int c_MyApp::p_ObjectPass() {
  int enemies = 0;  // counted as each is visited
  int ms = ko_app_Millisecs();
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
    float* object = &m_objs[kEntryFloats * slot];
    float kind = object[obj::kKind];
    if (kind == obj::kBullet) {
      p_MoveBullet(object);
    } else if (obj::IsEnemy(kind)) {
      ++enemies;
      p_UpdateEnemy(object, slot, ms);
    } else if (kind == obj::kPickup) {
      p_UpdatePickup(object, slot, ms);
    }
  }
  return enemies;
}

void c_MyApp::p_MoveBullet(float* bullet) {
  bullet[obj::kX] += bullet[obj::kVelX];
  bullet[obj::kY] += bullet[obj::kVelY];
  float red = 200 + 55 * ko_random_Rnd();
  float green = 100 + 155 * ko_random_Rnd();
  float blue = 50 + 50 * ko_random_Rnd();
  p_SetCol(red, green, blue);
  float x = bullet[obj::kX] - m_camX, y = bullet[obj::kY] - m_camY;
  p_Rect(x - 1, y - 1, 3, 3);
  bool offScreen = x < -32 || y < -32 || x > ko_Quarzel_jscrw + 32 || y > ko_Quarzel_jscrh + 32;
  if (offScreen || !std::isfinite(x) || !std::isfinite(y)) bullet[obj::kKind] = obj::kFree;
}

// A spark from an enemy in a random direction. The angle is drawn before the speed: two draws inside one call's
// arguments would come in whatever order the compiler picks, and a seeded game would play differently from one
// build to another.
void c_MyApp::p_ThrowSpark(const float* enemy, int preset) {
  float angle = 360 * ko_random_Rnd();    // degrees
  float speed = 3 + 2 * ko_random_Rnd();  // world pixels per update
  p_ThrowParticle(enemy[obj::kX], enemy[obj::kY], preset, angle, speed);
}

void c_MyApp::p_UpdateEnemy(float* enemy, int slot, int ms) {
  p_SteerEnemy(enemy);
  p_DrawEnemy(enemy, slot, ms);
  float preset = enemy[obj::kKind] - 11;  // spark colour by type
  for (int other = 0; other <= obj::kLastSlot; ++other) {
    float* bullet = &m_objs[kEntryFloats * other];
    if (bullet[obj::kKind] != obj::kBullet) continue;
    if (!Within(bullet[obj::kX], bullet[obj::kY], enemy[obj::kX], enemy[obj::kY], kBulletReach)) continue;
    bullet[obj::kKind] = obj::kFree;
    enemy[obj::kHitPoints] -= 1;
    p_ThrowSpark(enemy, Trunc(preset));
  }
  enemy[obj::kCooldown] -= 1;
  p_EnemyContact(enemy);
  if (enemy[obj::kHitPoints] >= 0) return;

  for (int n = 0; n < 6; ++n) p_ThrowSpark(enemy, Trunc(preset));
  enemy[obj::kHitPoints] = 1;
  enemy[obj::kLevel] -= 1;
  int pickupSlot = p_FreeObjectSlot();
  if (pickupSlot >= 0) {  // a full table drops the pickup
    float* pickup = &m_objs[kEntryFloats * pickupSlot];
    pickup[obj::kKind] = obj::kPickup;
    pickup[obj::kX] = enemy[obj::kX];
    pickup[obj::kY] = enemy[obj::kY];
    pickup[obj::kLife] = kPickupLife;
  }
  if (enemy[obj::kLevel] < 1) enemy[obj::kKind] = obj::kFree;
}

void c_MyApp::p_SteerEnemy(float* enemy) {
  float ease = 14 - (enemy[obj::kKind] - 10);  // 13 for the slowest type, 7 for the fastest
  enemy[obj::kX] -= (enemy[obj::kX] - enemy[obj::kWaypointX]) / ease;
  enemy[obj::kY] -= (enemy[obj::kY] - enemy[obj::kWaypointY]) / ease;
  if (!Within(enemy[obj::kX], enemy[obj::kY], enemy[obj::kWaypointX], enemy[obj::kWaypointY], 3)) return;

  float centreX = p_WorldCentreX(), centreY = p_WorldCentreY();
  enemy[obj::kRadius] = std::fmax(enemy[obj::kRadius] - (12 + 12 * ko_random_Rnd()), 64.0f);
  enemy[obj::kHeading] += 24 * ko_random_Rnd() - 12;
  enemy[obj::kWaypointX] = centreX + enemy[obj::kRadius] * SinDeg(enemy[obj::kHeading]);
  enemy[obj::kWaypointY] = centreY - enemy[obj::kRadius] * CosDeg(enemy[obj::kHeading]);
  for (int i = unit::kFirstTurret; i <= unit::kLastTurret; ++i) {
    const float* turret = &m_units[kEntryFloats * i];
    if (turret[unit::kAlive] <= 0) continue;
    if (!Within(turret[unit::kX], turret[unit::kY], enemy[obj::kX], enemy[obj::kY], kDiveReach)) continue;
    enemy[obj::kWaypointX] = turret[unit::kX];  // dive; a later turret overrides an earlier one
    enemy[obj::kWaypointY] = turret[unit::kY];
  }
}

void c_MyApp::p_DrawEnemy(const float* enemy, int slot, int ms) {
  float x = enemy[obj::kX] - m_camX, y = enemy[obj::kY] - m_camY;
  if (!p_NearScreen(x, y)) return;
  float frame = Clamp(static_cast<float>(Trunc((enemy[obj::kLevel] - 1) + 7 * (enemy[obj::kKind] - 11))), 0, 49);
  p_SetRot(static_cast<float>(-spin_of(slot, ms)));
  p_SetCol(255, 255, 255, enemy[obj::kCooldown] > 0 ? 0.2f + 0.4f * ko_random_Rnd() : 1.0f);  // flicker
  p_DrawImg(1, x, y, frame);
  p_SetRot(0);
}

void c_MyApp::p_EnemyContact(float* enemy) {
  for (int i = unit::kFirstTurret; i <= unit::kLastTurret && enemy[obj::kCooldown] < 1; ++i) {
    float* turret = &m_units[kEntryFloats * i];
    if (turret[unit::kAlive] <= 0) continue;
    if (!Within(turret[unit::kX], turret[unit::kY], enemy[obj::kX], enemy[obj::kY], kContactReach)) continue;
    // 6 per hit point the enemy has left; one shot below 0 in this update heals no turret (it loses its level).
    turret[unit::kHitPoints] -= 6 * std::fmax(enemy[obj::kHitPoints], 0.0f);
    for (int n = 0; n < 8; ++n) {
      int preset = static_cast<int>(std::floor(5.99f * ko_random_Rnd() + 1));
      float angle = 45.0f * n + 16 * ko_random_Rnd() - 8;
      p_ThrowParticle(turret[unit::kX], turret[unit::kY], preset, angle, 6 + 2 * ko_random_Rnd());
    }
    enemy[obj::kHitPoints] -= 1;
    enemy[obj::kCooldown] = kContactCooldown;
  }
}

void c_MyApp::p_UpdatePickup(float* pickup, int slot, int ms) {
  float life = pickup[obj::kLife];
  float alpha = life < 30 ? 0.25f : life < 60 ? 0.5f : 1.0f;  // fading out
  p_SetCol(255, 255, 0, alpha);
  const float* cursor = &m_units[0];
  if (Within(cursor[unit::kX], cursor[unit::kY], pickup[obj::kX], pickup[obj::kY], kPickupReach)) {
    pickup[obj::kKind] = obj::kFree;
    p_Gimme(5, pickup[obj::kX], pickup[obj::kY]);
    m_money += 1;
  }
  pickup[obj::kLife] -= 1;
  if (pickup[obj::kLife] < 0) pickup[obj::kKind] = obj::kFree;
  float pulse = 5 * SinDeg(static_cast<float>(ms / 4 + 8 * slot));  // x radius: the pickup pulses and flips
  p_Oval(pickup[obj::kX] - m_camX, pickup[obj::kY] - m_camY, pulse, 8);
}

// Points for the player, shown as a number floating up from (x, y) if a particle slot is free.
int c_MyApp::p_Gimme(int points, float x, float y) {
  m_score += points;
  int slot = p_FreeParticleSlot();
  if (slot < 0) return 0;
  float* number = &m_particles[kEntryFloats * slot];
  number[particle::kKind] = particle::kScoreNumber;
  number[particle::kX] = x;
  number[particle::kY] = y;
  number[particle::kVelX] = 0;
  number[particle::kVelY] = -0.25f;
  number[particle::kAngle] = std::floor(360.99f * ko_random_Rnd());
  number[particle::kSpin] = 14 * ko_random_Rnd() - 7;
  number[particle::kLife] = 1;
  number[particle::kPreset] = 3;  // yellow
  number[particle::kFrameOrValue] = static_cast<float>(points);
  return 0;
}
