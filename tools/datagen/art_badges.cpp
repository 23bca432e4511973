// "BadgesA": 64 badge pictures of 64 × 64, frame = badge number. Badge 0, the test badge, is a gold star
// medal; the others share one design, a hexagonal medal carrying the badge's number, in colours that cycle
// so neighbouring numbers look different. Badges are shown at half size, so the numbers are large.
#include <string>
#include <vector>

#include "artkit/stroke_font.h"
#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

const Rgba kBadgeColours[6] = {palette::kCyan, palette::kMagenta, palette::kGreen,
                               palette::kOrange, palette::kViolet, palette::kBlue};

void paintRibbon(const Pen& pen, Rgba colour) {
  artkit::fillPolygon(pen, std::vector<Vec2>{{-14, 14}, {-6, 18}, {-10, 30}, {-14, 26}, {-18, 29}}, palette::neon(colour, 1.5f, 0.1f));
  artkit::fillPolygon(pen, std::vector<Vec2>{{14, 14}, {6, 18}, {10, 30}, {14, 26}, {18, 29}}, palette::neon(colour, 1.5f, 0.1f));
}

void paintTestBadge(const Pen& pen) {
  paintRibbon(pen, palette::kRed);
  artkit::fillCircle(pen, {0, -2}, 24, palette::body(palette::kYellow, 0.9f));
  artkit::strokeCircle(pen, {0, -2}, 24, 2.4f, palette::neon(palette::kYellow, 3.5f, 0.4f));
  const std::vector<Vec2> star = artkit::starPolygon({0, -1}, 16, 7, 5, 0);
  artkit::fillPolygon(pen, star, palette::neon(palette::kYellow, 2.5f, 0.7f));
}

void paintNumberedBadge(const Pen& pen, int number) {
  const Rgba colour = kBadgeColours[number % 6];
  paintRibbon(pen, kBadgeColours[(number + 3) % 6]);
  const std::vector<Vec2> medal = artkit::regularPolygon({0, -2}, 25, 6, 30);
  artkit::fillPolygon(pen, medal, palette::body(colour, 0.9f));
  artkit::strokePath(pen, medal, true, 2.4f, palette::neon(colour, 3.5f, 0.4f));
  const std::string text = std::to_string(number);
  const float unit = 2.6f;  // design units per font grid step: digits 18 units tall
  const float width = artkit::textWidthInSteps(text, 1) * unit;
  artkit::drawText(pen, text, {-width * 0.5f, -2 - 3.5f * unit}, unit, 2.0f, 1, palette::neon(palette::kWhite, 2, 0));
}

}  // namespace

void paintBadges(Atlas& atlas) {
  paintTestBadge(atlas.framePen(0));
  for (int badge = 1; badge < 64; ++badge) paintNumberedBadge(atlas.framePen(badge), badge);
}

}  // namespace datagen
