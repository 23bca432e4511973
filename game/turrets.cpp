// The turrets: their movement limits, shots toward the cursor, health bars, the link to the cursor, and the link
// panel from which money buys upgrades and repairs between waves.
//
// Link rule: a turret within 96 pixels of the cursor on both axes charges the link (+2 per update, the charge
// drains by 2 when none is in range, 0..30). The first turret found in range links, unless last update's linked
// turret is in range too: then that one keeps the link. The panel shows while charged between waves; its
// details and purchases need a charge above 25.
#include <algorithm>
#include <cmath>

#include "game/entity_tables.h"
#include "game/my_app.h"

namespace {
constexpr float kLinkRange = 96;           // world pixels on each axis
constexpr float kChargeDetails = 25;
constexpr int kUpgradeTopLevel = 20;
constexpr int kRepairCost = 2, kRepairHitPoints = 5;
}  // namespace

void c_MyApp::p_UpdateTurrets() {
  p_ResetDraw();
  int linkedBefore = Trunc(m_units[unit::kLinked]);  // element index of last update's linked turret
  int inRange = 0;                                   // element index of the turret linked in this update
  for (int i = unit::kFirstTurret; i <= unit::kLastTurret; ++i) {
    if (m_units[kEntryFloats * i + unit::kAlive] > 0) p_UpdateTurret(i, linkedBefore, inRange);
  }
  if (inRange == 0) m_units[unit::kCharge] -= 2;  // out of range: the link drains
}

void c_MyApp::p_UpdateTurret(int i, int linkedBefore, int& inRange) {
  float* turret = &m_units[kEntryFloats * i];
  for (int axis = 0; axis < 2; ++axis) {  // nothing pushes a turret today, but velocity is kept moving
    float& velocity = turret[unit::kVelX + axis];
    turret[unit::kX + axis] += velocity;
    velocity = velocity > 0 ? std::fmax(velocity - 0.7f, 0.0f) : std::fmin(velocity + 0.7f, 0.0f);
    velocity = Clamp(velocity, -6.5f, 6.5f);
  }
  turret[unit::kX] = Clamp(turret[unit::kX], 32, cell::kWidth * m_gridW - 32);
  turret[unit::kY] = Clamp(turret[unit::kY], 32, cell::kHeight * m_gridH - 32);
  if (turret[unit::kCooldown] > 0) turret[unit::kCooldown] -= 1;
  if (m_units[unit::kGunsFlag] == 1 && turret[unit::kCooldown] < 1) p_TurretFire(turret);

  float x = turret[unit::kX] - m_camX, y = turret[unit::kY] - m_camY;
  static const String bang(u"!");
  p_Text(x, y, bang, 1, 1);  // in the colour the previous turret's bar left: white only for the first
  p_SetCol(0, 180, 0);
  p_Rect(x - 11, y + 8, 22, 6);
  p_SetCol(0, 0, 0);
  p_Rect(x - 10, y + 9, 20, 4);
  p_SetCol(255, 255, 0);
  int health = Trunc(turret[unit::kHitPoints] / 4.95f);  // bar pixels, 20 at 99 hit points
  if (health > 0) p_Rect(x - 10, y + 9, static_cast<float>(health), 4);

  float* cursor = &m_units[0];
  bool near = Within(cursor[unit::kX], cursor[unit::kY], turret[unit::kX], turret[unit::kY], kLinkRange);
  if (near && (inRange == 0 || kEntryFloats * i == linkedBefore)) {  // the last link wins over a newer one
    cursor[unit::kCharge] += 2;
    cursor[unit::kLinked] = static_cast<float>(kEntryFloats * i);
    inRange = kEntryFloats * i;
  }
}

// One shot toward the cursor, if an object slot is free; without one the cooldown stays, so shots resume as soon
// as a slot frees.
void c_MyApp::p_TurretFire(float* turret) {
  int slot = p_FreeObjectSlot();
  if (slot < 0) return;
  float dx = turret[unit::kX] - m_units[unit::kX], dy = turret[unit::kY] - m_units[unit::kY];
  float angle = GameAtan2(-dx, dy) / D2R;  // degrees
  float level = turret[unit::kLevel];
  float speed = std::fmin(12, 6 + 0.5f * level);
  float* bullet = &m_objs[kEntryFloats * slot];
  bullet[obj::kKind] = obj::kBullet;
  bullet[obj::kX] = turret[unit::kX];
  bullet[obj::kY] = turret[unit::kY];
  bullet[obj::kVelX] = SinDeg(angle) * speed;
  bullet[obj::kVelY] = -CosDeg(angle) * speed;
  turret[unit::kCooldown] = static_cast<float>(std::max(5, Trunc(p_Rand(28, 34) - 2 * level)));
}

// The panel linked to a turret between waves: a line from the cursor, a frame that grows with the charge on the
// far side of the turret, and once charged the turret's figures with the upgrade and repair offers.
void c_MyApp::p_LinkPanel() {
  int linked = Trunc(m_units[unit::kLinked]) / kEntryFloats;
  if (linked < unit::kFirstTurret || linked > unit::kLastTurret) return;  // no turret was ever linked
  float* turret = &m_units[kEntryFloats * linked];
  const float* cursor = &m_units[0];
  float charge = m_units[unit::kCharge];
  p_SetCol(100, 100, 255, charge / unit::kChargeFull);
  p_Line(cursor[unit::kX] - m_camX, cursor[unit::kY] - m_camY, turret[unit::kX] - m_camX, turret[unit::kY] - m_camY);

  float dx = cursor[unit::kX] - turret[unit::kX], dy = cursor[unit::kY] - turret[unit::kY];
  float distance = std::sqrt(dx * dx + dy * dy);
  float angle = GameAtan2(-dx, dy) / D2R;  // degrees
  float across = 76.8f, along = 128;         // the panel's offset from the turret
  if (distance < 96) {
    across = 57.6f;
    along = 96;
  } else if (distance <= 128) {
    across = 0.6f * distance;
    along = distance;
  }
  float x = turret[unit::kX] + along * SinDeg(angle) - m_camX;
  float y = turret[unit::kY] - across * CosDeg(angle) - m_camY;
  p_Rect(x - charge - 2, y - 1.5f * charge - 2, 2 * charge + 4, 3 * charge + 4);
  p_SetCol(0, 0, 0);
  p_Rect(x - charge, y - 1.5f * charge, 2 * charge, 3 * charge);
  if (p_PlayKey(10, 1, 0)) m_units[unit::kFireLatch] = 1;  // fire used here does not start a wave
  p_SetCol(255, 255, 255, 1);
  if (charge > kChargeDetails) p_PanelDetails(turret, x, y);
}

void c_MyApp::p_PanelDetails(float* turret, float x, float y) {
  static const String hp(u"HP"), lev(u"Lev"), upgradeIcon(u"\u00acK"), repairIcon(u"\u00acL"), two(u"2");
  p_Text(x, y - 38, hp, 1, 1);
  p_Text(x, y, lev, 1, 1);
  p_SetSize(2);
  p_Text(x, y - 22, String(Trunc(turret[unit::kHitPoints])), 1, 1);
  p_Text(x, y + 16, String(Trunc(turret[unit::kLevel])), 1, 1);
  p_SetSize(1);

  int cost = Trunc(2 * turret[unit::kLevel]);
  if (m_money >= cost && turret[unit::kLevel] < kUpgradeTopLevel) {
    p_Text(x + 36, y + 8, upgradeIcon, 1, 1);
    p_Text(x + 36, y + 24, String(cost), 1, 1);
    if (p_PlayKey(11, 1, 0) && m_units[unit::kUpgradeLatch] == 0) {
      m_units[unit::kUpgradeLatch] = 1;
      m_money -= cost;
      turret[unit::kLevel] += 1;
    }
  }
  if (m_money > 1 && Trunc(turret[unit::kHitPoints]) < unit::kMaxHitPoints) {
    p_Text(x + 36, y - 30, repairIcon, 1, 1);
    p_Text(x + 36, y - 14, two, 1, 1);
    if (p_PlayKey(12, 1, 0) && m_units[unit::kRepairLatch] == 0) {
      m_units[unit::kRepairLatch] = 1;
      turret[unit::kHitPoints] = std::fmin(turret[unit::kHitPoints] + kRepairHitPoints, unit::kMaxHitPoints);
      m_money -= kRepairCost;
    }
  }
}
