// "parts": 256 frames of 8 × 8, the sparks and shards that fly off hits. The game picks a frame at random
// and tints it with the colour of what was hit, so every bit is white-hot in the middle with only a faint
// hue of its own. Eight shapes (dot, streak, shard, cross flare, diamond, ring, triangle chip, twin dots)
// each in 32 sizes and angles, chosen by a fixed hash of the frame number so neighbouring frames differ.
#include <cstdint>
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

// Deterministic 0..1 value for (frame, salt): the same frame always gets the same look.
float hashUnit(uint32_t frame, uint32_t salt) {
  uint32_t h = frame * 2654435761u ^ (salt + 0x9e3779b9u + (frame << 6) + (frame >> 2));
  h ^= h >> 15, h *= 0x2c1b3c6du, h ^= h >> 12, h *= 0x297a2d39u, h ^= h >> 15;
  return (h & 0xffffff) / float(0x1000000);
}

artkit::Ink sparkInk(Rgba tint) { return artkit::Ink{tint, 1.2f, 0.6f, 0.8f, artkit::Blend::Over}; }

void paintSpark(const Pen& pen, int frame) {
  const int shape = frame % 8;
  const float size = 0.6f + 0.4f * hashUnit(frame, 1);  // share of the largest size that fits the frame
  const float angle = 360.0f * hashUnit(frame, 2);
  const Rgba tint = mix(palette::kWhite, frame % 3 == 0 ? palette::kYellow : frame % 3 == 1 ? palette::kCyan : palette::kOrange, 0.25f);
  const artkit::Ink ink = sparkInk(tint);
  const Vec2 c{0, 0};
  switch (shape) {
    case 0: artkit::fillCircle(pen, c, 1.2f + 1.0f * size, ink); break;
    case 1: artkit::strokeLine(pen, artkit::polar(c, 2.8f * size, angle), artkit::polar(c, 2.8f * size, angle + 180), 1.0f, ink); break;
    case 2: artkit::fillPolygon(pen, std::vector<Vec2>{artkit::polar(c, 3 * size, angle), artkit::polar(c, 1.2f, angle + 100), artkit::polar(c, 2 * size, angle + 200)}, ink); break;
    case 3:
      artkit::strokeLine(pen, artkit::polar(c, 3 * size, angle), artkit::polar(c, 3 * size, angle + 180), 0.7f, ink);
      artkit::strokeLine(pen, artkit::polar(c, 3 * size, angle + 90), artkit::polar(c, 3 * size, angle + 270), 0.7f, ink);
      break;
    case 4: artkit::fillPolygon(pen, artkit::regularPolygon(c, 2.4f * size + 0.6f, 4, angle), ink); break;
    case 5: artkit::strokeCircle(pen, c, 1.6f + 0.8f * size, 0.8f, ink); break;
    case 6: artkit::fillPolygon(pen, artkit::regularPolygon(c, 2.2f * size + 0.8f, 3, angle), ink); break;
    default:
      artkit::fillCircle(pen, artkit::polar(c, 1.6f, angle), 1.0f, ink);
      artkit::fillCircle(pen, artkit::polar(c, 1.6f, angle + 180), 0.8f * size + 0.3f, ink);
      break;
  }
}

}  // namespace

void paintParticles(Atlas& atlas) {
  for (int frame = 0; frame < 256; ++frame) paintSpark(atlas.framePen(frame), frame);
}

}  // namespace datagen
