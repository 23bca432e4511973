// Our vector stroke font: every printable ASCII glyph as a few polylines on a small integer grid.
//
// Grid: x from 0 to width − 1 (width 5 for most glyphs, wider or narrower where the game's text layout gives
// the letter more or less advance), y from 0 (cap top) through 2 (x-height) and 6 (baseline) to 8 (descender
// bottom). Grid point (x, y) is drawn at the centre of grid cell (x, y), so with one pixel per grid step and a
// one-pixel stroke the factor-1 font lands exactly on whole pixels and stays sharp.
#pragma once

#include <string_view>

#include "artkit/paint.h"

namespace artkit {

constexpr int kFontGridHeight = 9;   // rows 0..8
constexpr int kFontBaseAdvance = 7;  // grid steps from one glyph to the next, before the per-letter adjustment

// Strokes of code 33..127, separated by spaces, each a run of two-digit "xy" grid points; "" for others.
std::string_view glyphStrokes(int code);
// Extra advance of a letter in grid steps (−3 for i, f, l; +2 for m, w; ...): the game's own spacing rule.
int glyphAdvanceAdjust(int code);
// Width of the glyph's box in grid steps: 5 plus its advance adjustment.
int glyphWidth(int code);

// Draws one glyph with its grid's top-left at topLeft (design units); unit = design units per grid step.
void drawGlyph(const Pen& pen, int code, Vec2 topLeft, float unit, float strokeWidth, const Ink& ink);
// Width of text in grid steps when laid out with gapUnits between glyph boxes.
int textWidthInSteps(std::string_view text, int gap);
// Draws text left to right from topLeft; returns the width drawn in design units.
float drawText(const Pen& pen, std::string_view text, Vec2 topLeft, float unit, float strokeWidth, int gap,
               const Ink& ink);

}  // namespace artkit
