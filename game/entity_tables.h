// The layouts of the play tables. Every table is a preallocated float array of ten-float entries; entry i starts
// at element 10i. Tables are cleared in place when a game starts and never reallocated.
//
// Slot policies: objects (bullets, enemies, pickups) take the LOWEST free slot of 0..250; particles take the
// HIGHEST free slot of 0..m_particleMax. A slot is free when its kind is exactly 0, and is reused without being
// cleared: a new occupant sets its own elements and inherits the rest (an enemy spawned where a flickering one
// died starts with that contact cooldown). A full table drops the newcomer silently.
#pragma once

constexpr int kEntryFloats = 10;

// m_units: entry 0 is the cursor, entries 1..40 the turrets; elements 496..499 are latches past the entries.
namespace unit {
constexpr int kAlive = 0;  // above 0: the turret is present
constexpr int kX = 1, kY = 2;        // world pixels
constexpr int kVelX = 3, kVelY = 4;  // world pixels per update
constexpr int kHitPoints = 7;        // at most 99; may fall below 0, the turret keeps working
constexpr int kLevel = 8;            // 1..20 through upgrades
constexpr int kCooldown = 9;         // updates until the next shot
constexpr int kLinked = 8;           // cursor only: element index (10i) of the linked turret
constexpr int kCharge = 9;           // cursor only: link charge 0..kChargeFull
constexpr float kChargeFull = 30;    // a fully charged link: the panel at full size and opacity
constexpr int kFirstTurret = 1, kLastTurret = 40;
constexpr float kMaxHitPoints = 99;
constexpr int kFireLatch = 496, kRepairLatch = 497, kUpgradeLatch = 498;
constexpr int kGunsFlag = 499;  // 1 while the turrets may fire
constexpr int kLatchEnd = 500;  // elements 0..499 are cleared when a game starts
}  // namespace unit

// m_objs: slots 0..250.
namespace obj {
constexpr int kKind = 0;
constexpr int kX = 1, kY = 2;                  // world pixels
constexpr int kVelX = 3, kVelY = 4;            // bullets: world pixels per update
constexpr int kWaypointX = 3, kWaypointY = 4;  // enemies: world pixels
constexpr int kLife = 5;                       // pickups: updates left
constexpr int kHeading = 5;                    // enemies: degrees around the world centre
constexpr int kRadius = 6;                     // enemies: orbit radius, world pixels
constexpr int kCooldown = 7;                   // enemies: contact cooldown, updates (flickers while above 0)
constexpr int kHitPoints = 8;                  // enemies
constexpr int kLevel = 9;                      // enemies: 1..7
constexpr int kLastSlot = 250;

constexpr float kFree = 0, kBullet = 1, kPickup = 5;
constexpr float kFirstEnemyType = 11, kLastEnemyType = 17;  // the kinds the game creates
inline bool IsEnemy(float kind) { return kind >= 10 && kind <= 19; }  // how every pass recognises one
}  // namespace obj

// m_particles: slots 0..m_particleMax.
namespace particle {
constexpr int kKind = 0;
constexpr int kX = 1, kY = 2;        // world pixels
constexpr int kVelX = 3, kVelY = 4;  // world pixels per update
constexpr int kAngle = 5;            // degrees
constexpr int kSpin = 6;             // degrees per update
constexpr int kLife = 7;             // falls 0.01 per update; the alpha is min(life, 1)
constexpr int kPreset = 8;           // colour preset of p_Ink
constexpr int kFrameOrValue = 9;     // sparks: frame of image slot 96; score numbers: the points shown
constexpr int kLastSlot = 250;

constexpr float kFree = 0, kSpark = 1, kScoreNumber = 99;
}  // namespace particle

// m_grid: cell (column c, row r) starts at element (r x 100 + c) x 10.
namespace cell {
constexpr float kWidth = 32, kHeight = 24;  // world pixels; cell (c, r) is centred on (32c, 24r)
constexpr int kRowCells = 100;
constexpr int kRows = 41;  // rows stored: the 40 of the playfield and the one tinted past it
constexpr int kRed = 7, kGreen = 8, kBlue = 9;  // tint 0..40
inline int Start(int column, int row) { return (row * kRowCells + column) * kEntryFloats; }
}  // namespace cell
