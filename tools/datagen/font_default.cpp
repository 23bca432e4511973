// "glim_font.png": the framework's default font, used before (or instead of) a game font. One strip of 96
// cells for codes 32..127, each 10 × 12 pixels with a blank column on the left and right (the loader trims
// them, leaving 8 × 12 glyphs). Only factor 1 exists. Plain white strokes without shadow or glow: the
// framework tints it, and a simple font stays crisp at the small size.
#include "artkit/stroke_font.h"
#include "datagen/catalogue.h"

namespace datagen {

namespace {
constexpr int kCellWidth = 10, kCellHeight = 12, kCells = 96;  // pixels, pixels, codes 32..127
}

bool writeDefaultFont(const std::string& dataFolder) {
  artkit::Canvas strip(kCellWidth * kCells, kCellHeight);
  const artkit::Ink white{{1, 1, 1, 1}, 0, 0, 0, artkit::Blend::Over};
  for (int code = 33; code < 32 + kCells; ++code) {
    artkit::Pen pen = artkit::wholeCanvasPen(strip);
    const int left = (code - 32) * kCellWidth;
    pen.clip = {left + 1, 0, left + kCellWidth - 1, kCellHeight};  // the border columns stay empty
    const float glyphLeft = left + 1 + (8 - artkit::glyphWidth(code)) / 2;  // whole pixels, so strokes stay sharp
    artkit::drawGlyph(pen, code, {glyphLeft, 1}, 1, 1, white);
  }
  return strip.writePng(dataFolder + "/glim_font.png");
}

}  // namespace datagen
