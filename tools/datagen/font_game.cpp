// "fonts/shadow_editundo": the game's font, 16 × 16 frames in 8 rows of 16, frame = character code − 32.
//
// Frames 1..95 hold codes 33..127 drawn with our stroke font in white (the game tints text) over a dark drop
// shadow one unit down and right. The layout rules are the game's: glyph centres step 7 units plus a
// per-letter adjustment. Each glyph box starts 3 units left of its frame's centre, so a glyph of the usual
// five units with its shadow spans -3..3 units: centred on the pen, and ending 3 units right of it. That is
// all the room the title's score lists leave: their last digit is drawn at size 1.5 with its centre 4.5
// virtual pixels from the screen's right edge. The cap line sits 4 units below the frame's top so capitals
// centre on the line. Frames 96 and up hold the controller and keyboard icons (font_icons.cpp).
#include "artkit/stroke_font.h"
#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

// Grid cell (0, 0) of every glyph, in design units from the frame's centre. At factor 1 this puts grid
// points on pixel centres (pixel column 5 + x, row 4 + y) so the small font stays sharp.
constexpr artkit::Vec2 kGlyphOrigin{-3, -4};
constexpr artkit::Vec2 kShadowOffset{1, 1};

void paintGlyph(const artkit::Pen& pen, int code, int factor) {
  // One unit is one pixel at factor 1; the larger fonts use slimmer strokes so the letters keep open counters.
  const float stroke = factor == 1 ? 1.0f : 0.8f;
  const artkit::Ink shadow{{0, 0, 0, 0.85f}, 0, 0, 0, artkit::Blend::Over};
  artkit::drawGlyph(pen, code, kGlyphOrigin + kShadowOffset, 1, stroke + 0.2f, shadow);
  const artkit::Ink letter{palette::kWhite, factor == 1 ? 0.0f : 0.6f, 0.35f, 0, artkit::Blend::Over};
  artkit::drawGlyph(pen, code, kGlyphOrigin, 1, stroke, letter);
}

}  // namespace

void paintGameFont(Atlas& atlas) {
  for (int code = 33; code <= 127; ++code) paintGlyph(atlas.framePen(code - 32), code, atlas.factor());
  paintFontIcons(atlas);
}

}  // namespace datagen
