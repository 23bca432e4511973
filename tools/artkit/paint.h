// Paint: anti-aliased vector shapes with neon glow, drawn onto a Canvas through a Pen.
//
// Every shape is described in design units (the pixels of the factor-1 picture) and rasterised directly at the
// pen's scale, so a factor-4 picture is drawn with four times the detail rather than blown up. Coverage comes
// from the exact distance to the shape at each pixel centre, which gives one pixel of anti-aliasing at any scale.
// A pen never touches pixels outside its clip box: a glow cannot bleed into the neighbouring frame of an atlas.
// Angles are in degrees, 0 pointing up and growing clockwise, as the game rotates its sprites.
#pragma once

#include <span>
#include <vector>

#include "artkit/canvas.h"

namespace artkit {

struct PixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // pixels [x0, x1) × [y0, y1)
};

struct Pen {
  Canvas* canvas = nullptr;
  Vec2 origin;       // pixel position of design point (0, 0)
  float scale = 1;   // pixels per design unit
  PixelBox clip;     // the only pixels this pen may change

  Vec2 toPixels(Vec2 p) const { return {origin.x + p.x * scale, origin.y + p.y * scale}; }
};

// A pen over the whole canvas at scale 1.
Pen wholeCanvasPen(Canvas& canvas);

struct Ink {
  Rgba colour;
  float glow = 0;          // reach of the glow beyond the shape's edge, design units
  float glowAlpha = 0.55f; // glow opacity right at the edge
  float hot = 0;           // 0..1: how far the middle of a stroke (or a whole fill) is pushed toward white
  Blend blend = Blend::Over;
};

// Builders for point lists.
Vec2 polar(Vec2 centre, float radius, float degrees);
std::vector<Vec2> regularPolygon(Vec2 centre, float radius, int corners, float rotationDegrees);
std::vector<Vec2> starPolygon(Vec2 centre, float outer, float inner, int points, float rotationDegrees);
std::vector<Vec2> arcPoints(Vec2 centre, float radius, float fromDegrees, float toDegrees, int segments);

// Strokes: width in design units, round caps and joins.
void strokePath(const Pen& pen, std::span<const Vec2> points, bool closed, float width, const Ink& ink);
void strokeLine(const Pen& pen, Vec2 a, Vec2 b, float width, const Ink& ink);
void strokeCircle(const Pen& pen, Vec2 centre, float radius, float width, const Ink& ink);
void strokeArc(const Pen& pen, Vec2 centre, float radius, float fromDegrees, float toDegrees, float width,
               const Ink& ink);

// Fills.
void fillPolygon(const Pen& pen, std::span<const Vec2> points, const Ink& ink);
void fillCircle(const Pen& pen, Vec2 centre, float radius, const Ink& ink);
// A light blob: alpha = colour.a × (1 − d/radius)^falloff, no hard edge.
void softDisc(const Pen& pen, Vec2 centre, float radius, Rgba colour, float falloff, Blend blend = Blend::Over);

}  // namespace artkit
