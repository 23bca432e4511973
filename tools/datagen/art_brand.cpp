// The title art: "common/BrixLogo" (256 × 256, our studio's emblem), "logo" (256 × 128, the game's title)
// and "menu" (256 × 256, 4 frames of title-screen decoration).
//
// The emblem is drawn at twice its size on the loading screen, inside rings of dots that turn at 0.35..0.45
// of the screen height, so all of it stays within 70 units of its centre; it also appears at a quarter size
// on the menu, so its shapes are few and bold.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "artkit/stroke_font.h"
#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

// Bricks of the emblem in three courses, the middle course offset by half a brick.
void paintBricks(const Pen& pen) {
  const Rgba courseColours[3] = {palette::kMagenta, palette::kOrange, palette::kYellow};
  const float brickW = 22, brickH = 16, gap = 3;  // design units
  for (int course = 0; course < 3; ++course) {
    const float top = -27 + course * (brickH + gap);
    const float shift = course == 1 ? (brickW + gap) * 0.5f : 0;
    for (int i = -2; i <= 2; ++i) {
      const float left = i * (brickW + gap) - brickW * 0.5f + shift;
      const float right = left + brickW;
      if (std::max(std::abs(left), std::abs(right)) > 49) continue;  // keep the wall inside the hexagon
      const std::vector<Vec2> brick = {{left, top}, {right, top}, {right, top + brickH}, {left, top + brickH}};
      artkit::fillPolygon(pen, brick, palette::body(courseColours[course], 0.85f));
      artkit::strokePath(pen, brick, true, 2.2f, palette::neon(courseColours[course], 4, 0.4f));
    }
  }
}

void paintEmblem(const Pen& pen) {
  const std::vector<Vec2> outer = artkit::regularPolygon({0, 0}, 66, 6, 0);
  const std::vector<Vec2> inner = artkit::regularPolygon({0, 0}, 58, 6, 0);
  artkit::fillPolygon(pen, outer, palette::body(palette::kBlue, 0.85f));
  artkit::strokePath(pen, outer, true, 3.5f, palette::neon(palette::kCyan, 7, 0.45f));
  artkit::strokePath(pen, inner, true, 1.5f, palette::neon(palette::kCyan, 3, 0.3f));
  paintBricks(pen);
  const std::vector<Vec2> spark = artkit::starPolygon({34, -40}, 13, 3, 4, 0);
  artkit::fillPolygon(pen, spark, palette::neon(palette::kWhite, 5, 0.9f));
}

void paintTitleText(const Pen& pen) {
  constexpr std::string_view kTitle = "QUARZEL";
  const float unit = 5, gap = 2;  // design units per grid step; grid steps between letters
  const float width = artkit::textWidthInSteps(kTitle, gap) * unit;
  float x = -width * 0.5f;
  for (size_t i = 0; i < kTitle.size(); ++i) {
    const float t = i / float(kTitle.size() - 1);  // colour sweeps magenta to cyan across the word
    const Rgba colour = mix(palette::kMagenta, palette::kCyan, t);
    artkit::drawGlyph(pen, kTitle[i], {x, -30}, unit, 3.2f, palette::neon(colour, 6, 0.55f));
    x += (artkit::glyphWidth(kTitle[i]) + gap) * unit;
  }
}

void paintTitle(const Pen& pen) {
  paintTitleText(pen);
  const artkit::Ink rule = palette::neon(palette::kViolet, 3, 0.4f);
  artkit::strokeLine(pen, {-118, 24}, {-12, 24}, 1.6f, rule);
  artkit::strokeLine(pen, {12, 24}, {118, 24}, 1.6f, rule);
  artkit::fillPolygon(pen, artkit::regularPolygon({0, 24}, 6, 4, 0), palette::neon(palette::kYellow, 4, 0.6f));
  // A receding floor grid under the rule: the arcade horizon.
  for (int i = -4; i <= 4; ++i) {
    artkit::strokeLine(pen, {i * 8.0f, 30}, {i * 30.0f, 62}, 0.8f, palette::neon(withAlpha(palette::kBlue, 0.8f), 1.5f, 0));
  }
  for (float y : {34.0f, 41.0f, 51.0f, 62.0f}) {
    artkit::strokeLine(pen, {-120, y}, {120, y}, 0.8f, palette::neon(withAlpha(palette::kBlue, 0.8f), 1.5f, 0));
  }
}

void paintHorizon(const Pen& pen) {
  artkit::softDisc(pen, {0, 10}, 70, withAlpha(palette::kMagenta, 0.6f), 1.2f);
  for (int i = -8; i <= 8; ++i) {
    artkit::strokeLine(pen, {i * 6.0f, 20}, {i * 34.0f, 126}, 1, palette::neon(palette::kCyan, 2, 0.2f));
  }
  for (float y = 20, step = 6; y < 126; y += step, step *= 1.35f) {
    artkit::strokeLine(pen, {-126, y}, {126, y}, 1, palette::neon(palette::kCyan, 2, 0.2f));
  }
}

void paintStarburst(const Pen& pen) {
  for (int i = 0; i < 24; ++i) {
    const float a = 15.0f * i, inner = i % 2 ? 40.0f : 24.0f;
    artkit::strokeLine(pen, artkit::polar({0, 0}, inner, a), artkit::polar({0, 0}, i % 2 ? 90.0f : 118.0f, a), 1.6f,
                       palette::neon(i % 2 ? palette::kYellow : palette::kOrange, 3, 0.4f));
  }
  artkit::fillCircle(pen, {0, 0}, 14, palette::neon(palette::kYellow, 8, 0.8f));
}

void paintOrbits(const Pen& pen) {
  const Rgba colours[3] = {palette::kGreen, palette::kCyan, palette::kMagenta};
  for (int ring = 0; ring < 3; ++ring) {
    const float radius = 45.0f + 32 * ring;
    artkit::strokeCircle(pen, {0, 0}, radius, 1.2f, palette::neon(withAlpha(colours[ring], 0.7f), 2, 0.2f));
    for (int i = 0; i < 3 + ring * 2; ++i) {
      artkit::fillCircle(pen, artkit::polar({0, 0}, radius, 40.0f * ring + 360.0f * i / (3 + ring * 2)), 4,
                         palette::neon(colours[ring], 3, 0.7f));
    }
  }
}

void paintPlanet(const Pen& pen) {
  artkit::fillCircle(pen, {0, 0}, 60, palette::body(palette::kViolet, 0.9f));
  artkit::strokeCircle(pen, {0, 0}, 60, 2.5f, palette::neon(palette::kViolet, 6, 0.4f));
  for (float y : {-30.0f, -10.0f, 12.0f, 34.0f}) {
    const float half = std::sqrt(60.0f * 60.0f - y * y) - 6;
    artkit::strokeLine(pen, {-half, y}, {half, y}, 1.2f, palette::neon(withAlpha(palette::kMagenta, 0.7f), 2, 0.2f));
  }
  std::vector<Vec2> ring;
  for (int i = 0; i < 64; ++i) {
    const Vec2 p = artkit::polar({0, 0}, 1, 360.0f * i / 64);
    ring.push_back({p.x * 112 + p.y * 20, p.y * 26 - p.x * 20});
  }
  artkit::strokePath(pen, ring, true, 2.2f, palette::neon(palette::kCyan, 4, 0.4f));
}

}  // namespace

void paintStudioLogo(Atlas& atlas) { paintEmblem(atlas.framePen(0)); }

void paintTitle(Atlas& atlas) { paintTitle(atlas.framePen(0)); }

void paintMenuDecor(Atlas& atlas) {
  paintHorizon(atlas.framePen(0));
  paintStarburst(atlas.framePen(1));
  paintOrbits(atlas.framePen(2));
  paintPlanet(atlas.framePen(3));
}

}  // namespace datagen
