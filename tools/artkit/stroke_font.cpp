// Turns the glyph strings of stroke_font_glyphs.cpp into polylines and lays glyphs out in a row.
#include "artkit/stroke_font.h"

#include <vector>

namespace artkit {

int glyphAdvanceAdjust(int code) {
  switch (code) {
    case 'm': case 'w': return 2;
    case 'M': case 'W': return 1;
    case 'i': case 'f': case 'l': return -3;
    case 'j': case 's': case 'k': case 'r': case 'z': case 't': case 'n': return -1;
    default: return 0;
  }
}

int glyphWidth(int code) { return 5 + glyphAdvanceAdjust(code); }

void drawGlyph(const Pen& pen, int code, Vec2 topLeft, float unit, float strokeWidth, const Ink& ink) {
  const std::string_view strokes = glyphStrokes(code);
  std::vector<Vec2> points;
  size_t i = 0;
  while (i <= strokes.size()) {
    if (i == strokes.size() || strokes[i] == ' ') {
      if (!points.empty()) strokePath(pen, points, false, strokeWidth, ink);
      points.clear();
      ++i;
      continue;
    }
    const float gx = static_cast<float>(strokes[i] - '0'), gy = static_cast<float>(strokes[i + 1] - '0');
    points.push_back(topLeft + Vec2{(gx + 0.5f) * unit, (gy + 0.5f) * unit});
    i += 2;
  }
}

int textWidthInSteps(std::string_view text, int gap) {
  int width = 0;
  for (char c : text) width += glyphWidth(static_cast<unsigned char>(c)) + gap;
  return text.empty() ? 0 : width - gap;
}

float drawText(const Pen& pen, std::string_view text, Vec2 topLeft, float unit, float strokeWidth, int gap,
               const Ink& ink) {
  float x = topLeft.x;
  for (char c : text) {
    const int code = static_cast<unsigned char>(c);
    drawGlyph(pen, code, {x, topLeft.y}, unit, strokeWidth, ink);
    x += (glyphWidth(code) + gap) * unit;
  }
  return x - topLeft.x - (text.empty() ? 0 : gap * unit);
}

}  // namespace artkit
