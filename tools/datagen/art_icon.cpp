// The program's icon for desktop menus, docks and window switchers: the playfield seen from above (a dark
// plate with a neon rim, four turrets around the centre, enemies spiralling in, the cursor they shoot at).
//
// Not part of the data folder: the game never loads it, and the install rules place each size in the hicolor
// icon theme as <folder>/hicolor/NxN/apps/quarzel.png. Every size is painted from the same shapes in a
// 128-unit design square rather than scaled down, and the shapes stay bold enough to read at 48 pixels.
#include <cmath>
#include <string>
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Vec2;

// Pixels. 48 is the size every desktop can fall back to; 192 and 512 are the ones an installed web page asks for.
constexpr int kIconSizes[] = {512, 256, 192, 64, 48};
constexpr float kDesignSize = 128;           // design units across the icon

std::vector<Vec2> roundedSquare(float half, float cornerRadius) {
  const float inset = half - cornerRadius;
  const Vec2 corners[4] = {{inset, -inset}, {inset, inset}, {-inset, inset}, {-inset, -inset}};
  std::vector<Vec2> outline;
  for (int i = 0; i < 4; ++i) {
    for (Vec2 p : artkit::arcPoints(corners[i], cornerRadius, 90.0f * i, 90.0f * (i + 1), 8)) outline.push_back(p);
  }
  return outline;
}

void paintPlate(const Pen& pen) {
  const std::vector<Vec2> plate = roundedSquare(58, 16);
  artkit::fillPolygon(pen, plate, palette::flat(palette::kNight));
  const artkit::Ink grid = palette::neon(withAlpha(palette::kBlue, 0.35f), 1, 0);
  for (float at = -40; at <= 40; at += 20) {
    artkit::strokeLine(pen, {at, -48}, {at, 48}, 1, grid);
    artkit::strokeLine(pen, {-48, at}, {48, at}, 1, grid);
  }
  artkit::strokePath(pen, plate, true, 3.5f, palette::neon(palette::kCyan, 4, 0.45f));
}

// The enemies' path: one and a half turns from the rim toward the turrets, with three enemies on it.
void paintSpiral(const Pen& pen) {
  auto along = [](float t) { return artkit::polar({0, 0}, 46 - 26 * t, 200 + 400 * t); };
  std::vector<Vec2> path;
  for (int i = 0; i <= 48; ++i) path.push_back(along(i / 48.0f));
  artkit::strokePath(pen, path, false, 2, palette::neon(withAlpha(palette::kMagenta, 0.7f), 2.5f, 0.2f));
  const float stops[3] = {0.05f, 0.4f, 0.75f};
  for (int i = 0; i < 3; ++i) {
    const std::vector<Vec2> enemy = artkit::starPolygon(along(stops[i]), 8 - i, 3.5f - i * 0.5f, 4, 45);
    artkit::fillPolygon(pen, enemy, palette::neon(palette::kMagenta, 4, 0.6f));
  }
}

// Four turrets around the centre, each barrel turned toward the cursor, and a burst of shots on the way.
void paintTurretsAndCursor(const Pen& pen) {
  const Vec2 cursor{30, -30};
  for (int i = 0; i < 4; ++i) {
    const Vec2 turret = artkit::polar({0, 0}, 14, 45 + 90.0f * i);
    const Vec2 toward = cursor - turret;
    const float reach = 12 / std::sqrt(toward.x * toward.x + toward.y * toward.y);
    artkit::strokeLine(pen, turret, turret + toward * reach, 3.5f, palette::neon(palette::kOrange, 2, 0.5f));
    const std::vector<Vec2> base = artkit::regularPolygon(turret, 6.5f, 6, 0);
    artkit::fillPolygon(pen, base, palette::body(palette::kOrange, 0.95f));
    artkit::strokePath(pen, base, true, 2, palette::neon(palette::kOrange, 3, 0.45f));
  }
  for (float t : {0.3f, 0.55f}) {
    artkit::fillCircle(pen, Vec2{10, -10} + (cursor - Vec2{10, -10}) * t, 2, palette::neon(palette::kYellow, 3, 0.9f));
  }
  const artkit::Ink sight = palette::neon(palette::kYellow, 3, 0.6f);
  artkit::strokeCircle(pen, cursor, 9, 2.5f, sight);
  for (int i = 0; i < 4; ++i) {
    artkit::strokeLine(pen, artkit::polar(cursor, 12, 90.0f * i), artkit::polar(cursor, 17, 90.0f * i), 2.5f, sight);
  }
}

bool writeIcon(const std::string& iconFolder, int size) {
  artkit::Canvas canvas(size, size);
  Pen pen = artkit::wholeCanvasPen(canvas);
  pen.origin = {size * 0.5f, size * 0.5f};
  pen.scale = size / kDesignSize;
  paintPlate(pen);
  paintSpiral(pen);
  paintTurretsAndCursor(pen);
  const std::string name = std::to_string(size) + "x" + std::to_string(size);
  return canvas.writePng(iconFolder + "/hicolor/" + name + "/apps/quarzel.png");
}

}  // namespace

bool writeIcons(const std::string& iconFolder) {
  for (int size : kIconSizes) {
    if (!writeIcon(iconFolder, size)) return false;
  }
  return true;
}

}  // namespace datagen
