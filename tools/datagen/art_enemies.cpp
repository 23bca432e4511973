// "nme": 7 enemy types × 7 levels, frame = (level − 1) + 7 × type.
//
// Each type keeps one hull shape and one colour at every level so a player tells types apart at a glance;
// the level shows as size (the hull grows from 6.5 to 15 units) and as armour added in steps: an inner hull,
// a heavier outline, studs on the corners, an outer shell of plates and finally a white-hot core. Enemies
// spin in play and three of them spin stacked over the cursor, so every design is centred and reads at
// any rotation.
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

struct EnemyType {
  Rgba colour;
  int corners;         // hull corners; 0 = round
  float innerRatio;    // star hulls: inner radius / outer radius; 1 = plain polygon
  float turnDegrees;   // hull rotation so the shape sits upright in its frame
};

const EnemyType kTypes[7] = {
    {palette::kGreen, 3, 1.0f, 0},      // dart
    {palette::kMagenta, 4, 1.0f, 0},    // diamond
    {palette::kYellow, 5, 0.5f, 0},     // star
    {palette::kOrange, 6, 1.0f, 30},    // hexagon
    {palette::kCyan, 0, 1.0f, 0},       // orb
    {palette::kRed, 4, 0.38f, 45},      // blade
    {palette::kViolet, 8, 1.0f, 22.5f}, // crystal
};

std::vector<Vec2> hull(const EnemyType& type, float radius, float extraTurn) {
  const Vec2 centre{0, 0};
  if (type.corners == 0) return artkit::regularPolygon(centre, radius, 32, extraTurn);
  if (type.innerRatio < 1) {
    return artkit::starPolygon(centre, radius, radius * type.innerRatio, type.corners, type.turnDegrees + extraTurn);
  }
  return artkit::regularPolygon(centre, radius, type.corners, type.turnDegrees + extraTurn);
}

// Points where armour studs go: the hull's outer corners, or eight points around a round hull.
std::vector<Vec2> cornerPoints(const EnemyType& type, float radius) {
  const int count = type.corners == 0 ? 8 : type.corners;
  return artkit::regularPolygon({0, 0}, radius, count, type.turnDegrees);
}

void paintOuterShell(const Pen& pen, const EnemyType& type, float radius) {
  const int plates = type.corners == 0 ? 8 : type.corners;
  const float span = 360.0f / plates;
  const float offset = type.turnDegrees + span * 0.5f;  // plates sit between the corners
  for (int i = 0; i < plates; ++i) {
    const float middle = offset + span * i;
    artkit::strokeArc(pen, {0, 0}, radius, middle - span * 0.3f, middle + span * 0.3f, 1.3f,
                      palette::neon(type.colour, 1.5f, 0.3f));
  }
}

// A round hull looks the same at every angle; three spokes let the player see it spin.
void paintSpokes(const Pen& pen, const EnemyType& type, float radius) {
  for (int i = 0; i < 3; ++i) {
    artkit::strokeLine(pen, artkit::polar({0, 0}, radius * 0.3f, 120.0f * i), artkit::polar({0, 0}, radius * 0.85f, 120.0f * i),
                       1.0f, palette::neon(type.colour, 1.2f, 0.5f));
  }
}

void paintEnemy(const Pen& pen, const EnemyType& type, int level) {
  const float radius = 6.5f + 1.25f * (level - 1);  // design units: 6.5 .. 14, the shell stays inside the frame
  const std::vector<Vec2> outline = hull(type, radius, 0);
  // The orb keeps an almost clear body: it is drawn last of the three enemies stacked over the cursor, and the
  // star and diamond beneath should show through it.
  const float bodyAlpha = (0.35f + 0.03f * level) * (type.corners == 0 ? 0.3f : 1.0f);
  artkit::fillPolygon(pen, outline, palette::body(type.colour, bodyAlpha));
  const float outlineWidth = level >= 4 ? 1.6f : 1.1f;
  artkit::strokePath(pen, outline, true, outlineWidth, palette::neon(type.colour, 2.0f + 0.2f * level, 0.35f));
  if (level >= 3) {
    const std::vector<Vec2> inner = hull(type, radius * 0.5f, type.corners ? 180.0f / type.corners : 0);
    artkit::strokePath(pen, inner, true, 0.9f, palette::neon(type.colour, 1.2f, 0.5f));
  }
  if (level >= 5) {
    for (Vec2 stud : cornerPoints(type, radius)) artkit::fillCircle(pen, stud, 1.3f, palette::neon(type.colour, 1.5f, 0.8f));
  }
  if (level >= 6) paintOuterShell(pen, type, radius + 2.0f);
  if (type.corners == 0) paintSpokes(pen, type, radius);
  const float coreRadius = level >= 7 ? 2.4f : 0.8f + 0.2f * level;
  artkit::fillCircle(pen, {0, 0}, coreRadius, palette::neon(type.colour, 2.0f, level >= 7 ? 0.9f : 0.5f));
}

}  // namespace

void paintEnemies(Atlas& atlas) {
  for (int type = 0; type < 7; ++type) {
    for (int level = 1; level <= 7; ++level) paintEnemy(atlas.framePen((level - 1) + 7 * type), kTypes[type], level);
  }
}

}  // namespace datagen
