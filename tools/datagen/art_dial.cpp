// The title screen's dial and gear: "common/Buttons" (64 × 64, 16 frames), "common/circle" (256 × 256,
// 4 frames) and "common/light" (32 × 32, 4 frames).
//
// Buttons: frames 0..5 are the plates of the difficulty dial (easy, normal, hard, then the same three once
// more), dark in the middle because the difficulty's name is written across them; frames 8, 9 and 10 are the
// three layers of the options gear, turned independently by the game and drawn on top of each other, so each
// layer owns its own band of radii around the shared centre (teeth 21..30, spoked ring 11..18, hub 0..8)
// and they always read as one gear; frame 12 closes a panel.
// Circle: frame 1 is the soft disc behind the gear, frame 3 the dial's ring, on whose track (radius 74,
// where the game places the dial entries at its drawing scale) the plates ride.
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

const Rgba kDifficultyColours[3] = {palette::kGreen, palette::kYellow, palette::kRed};

void paintDialPlate(const Pen& pen, Rgba colour, bool alternate) {
  const std::vector<Vec2> plate = artkit::regularPolygon({0, 0}, 27, alternate ? 8 : 6, alternate ? 22.5f : 30);
  artkit::fillPolygon(pen, plate, palette::body(colour, 0.8f));
  artkit::strokePath(pen, plate, true, 2.2f, palette::neon(colour, 3.5f, 0.35f));
  const std::vector<Vec2> inner = artkit::regularPolygon({0, 0}, 21, alternate ? 8 : 6, alternate ? 22.5f : 30);
  artkit::strokePath(pen, inner, true, 0.8f, palette::neon(withAlpha(colour, 0.7f), 1.0f, 0.2f));
}

std::vector<Vec2> gearTeeth(int teeth, float root, float tip) {
  std::vector<Vec2> outline;
  const float step = 360.0f / teeth;
  for (int i = 0; i < teeth; ++i) {
    const float a = step * i;
    outline.push_back(artkit::polar({0, 0}, root, a - step * 0.32f));
    outline.push_back(artkit::polar({0, 0}, tip, a - step * 0.18f));
    outline.push_back(artkit::polar({0, 0}, tip, a + step * 0.18f));
    outline.push_back(artkit::polar({0, 0}, root, a + step * 0.32f));
  }
  return outline;
}

void paintGearTeeth(const Pen& pen) {
  const std::vector<Vec2> teeth = gearTeeth(12, 24, 29);
  artkit::fillPolygon(pen, teeth, palette::body(palette::kCyan, 0.75f));
  artkit::strokePath(pen, teeth, true, 1.6f, palette::neon(palette::kCyan, 2.5f, 0.35f));
  artkit::strokeCircle(pen, {0, 0}, 21, 1.2f, palette::neon(palette::kCyan, 1.5f, 0.3f));
  artkit::fillCircle(pen, {0, 0}, 20.4f, artkit::Ink{{0, 0, 0, 1}, 0, 0, 0, artkit::Blend::Erase});
}

void paintGearRing(const Pen& pen) {
  artkit::strokeCircle(pen, {0, 0}, 17, 1.6f, palette::neon(palette::kMagenta, 2, 0.4f));
  artkit::strokeCircle(pen, {0, 0}, 11.5f, 1.2f, palette::neon(palette::kMagenta, 1.5f, 0.4f));
  for (int i = 0; i < 6; ++i) {
    const float a = 60.0f * i;
    artkit::strokeLine(pen, artkit::polar({0, 0}, 11.5f, a), artkit::polar({0, 0}, 17, a), 2.2f,
                       palette::neon(palette::kMagenta, 1.5f, 0.5f));
  }
}

void paintGearHub(const Pen& pen) {
  const std::vector<Vec2> hex = artkit::regularPolygon({0, 0}, 7.5f, 6, 0);
  artkit::fillPolygon(pen, hex, palette::body(palette::kYellow, 0.8f));
  artkit::strokePath(pen, hex, true, 1.6f, palette::neon(palette::kYellow, 2, 0.4f));
  artkit::fillCircle(pen, {0, 0}, 1.8f, palette::neon(palette::kYellow, 1.5f, 0.9f));
}

void paintCloseButton(const Pen& pen) {
  artkit::fillCircle(pen, {0, 0}, 24, palette::body(palette::kRed, 0.8f));
  artkit::strokeCircle(pen, {0, 0}, 24, 2.2f, palette::neon(palette::kRed, 3.5f, 0.35f));
  const artkit::Ink cross = palette::neon(palette::kRed, 2.5f, 0.7f);
  artkit::strokeLine(pen, {-10, -10}, {10, 10}, 4, cross);
  artkit::strokeLine(pen, {10, -10}, {-10, 10}, 4, cross);
}

// Frame 3: the dial's ring. The track carries the plates; ticks every 6 degrees, longer every 30.
void paintDialRing(const Pen& pen) {
  artkit::strokeCircle(pen, {0, 0}, 74, 2.5f, palette::neon(palette::kCyan, 4, 0.35f));
  artkit::strokeCircle(pen, {0, 0}, 100, 1.2f, palette::neon(palette::kBlue, 2.5f, 0.3f));
  for (int i = 0; i < 60; ++i) {
    const float a = 6.0f * i, outer = i % 5 ? 90.0f : 97.0f;
    artkit::strokeLine(pen, artkit::polar({0, 0}, 84, a), artkit::polar({0, 0}, outer, a), i % 5 ? 1.0f : 1.8f,
                       palette::neon(palette::kCyan, 1.5f, 0.3f));
  }
  for (int i = 0; i < 3; ++i) {
    artkit::strokeArc(pen, {0, 0}, 110, 120.0f * i + 20, 120.0f * i + 100, 1.6f, palette::neon(palette::kMagenta, 3, 0.3f));
  }
}

// Frame 1: the soft disc behind the gear (drawn at half size, so its features are twice as bold).
void paintGearDisc(const Pen& pen) {
  artkit::softDisc(pen, {0, 0}, 120, {0.05f, 0.25f, 0.55f, 0.95f}, 0.6f);
  artkit::strokeCircle(pen, {0, 0}, 112, 4, palette::neon(palette::kCyan, 8, 0.3f));
}

void paintTarget(const Pen& pen) {
  for (int i = 1; i <= 4; ++i) artkit::strokeCircle(pen, {0, 0}, 26.0f * i, 2, palette::neon(palette::kViolet, 4, 0.3f));
  artkit::strokeLine(pen, {-118, 0}, {118, 0}, 1.5f, palette::neon(palette::kViolet, 3, 0.3f));
  artkit::strokeLine(pen, {0, -118}, {0, 118}, 1.5f, palette::neon(palette::kViolet, 3, 0.3f));
}

void paintHalo(const Pen& pen) {
  artkit::softDisc(pen, {0, 0}, 126, {0.3f, 0.9f, 1.0f, 0.5f}, 2.5f);
  artkit::strokeCircle(pen, {0, 0}, 90, 3, palette::neon(palette::kCyan, 14, 0.5f));
}

}  // namespace

void paintButtons(Atlas& atlas) {
  for (int frame = 0; frame < 6; ++frame) paintDialPlate(atlas.framePen(frame), kDifficultyColours[frame % 3], frame >= 3);
  paintGearTeeth(atlas.framePen(8));
  paintGearRing(atlas.framePen(9));
  paintGearHub(atlas.framePen(10));
  paintCloseButton(atlas.framePen(12));
}

void paintCircles(Atlas& atlas) {
  paintHalo(atlas.framePen(0));
  paintGearDisc(atlas.framePen(1));
  paintTarget(atlas.framePen(2));
  paintDialRing(atlas.framePen(3));
}

// Light blobs: white so the game's tint decides their colour; round, tight, flare and halo.
void paintLights(Atlas& atlas) {
  const Rgba white{1, 1, 1, 1};
  artkit::softDisc(atlas.framePen(0), {0, 0}, 15.5f, white, 2.0f);
  artkit::softDisc(atlas.framePen(1), {0, 0}, 15.5f, white, 4.0f);
  artkit::softDisc(atlas.framePen(1), {0, 0}, 4, white, 1.0f);
  const Pen flare = atlas.framePen(2);
  artkit::softDisc(flare, {0, 0}, 10, white, 2.0f);
  for (int i = 0; i < 4; ++i) artkit::strokeLine(flare, artkit::polar({0, 0}, 15, 45.0f * i), artkit::polar({0, 0}, 15, 45.0f * i + 180), 1.2f, artkit::Ink{withAlpha(white, 0.8f), 1.5f, 0.5f, 0});
  const Pen halo = atlas.framePen(3);
  artkit::strokeCircle(halo, {0, 0}, 10, 3, artkit::Ink{white, 5, 0.6f, 0});
}

}  // namespace datagen
