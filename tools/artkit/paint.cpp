// Distance-field rasteriser behind every shape of paint.h. Each shape supplies a distance function in pixels
// (negative inside for fills, distance to the centre line for strokes); paintField turns it into coverage,
// glow and a whitened core, visiting only the pixels the shape and its glow can reach.
#include "artkit/paint.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace artkit {
namespace {

constexpr float kDegreesToRadians = 3.14159265358979f / 180.0f;

float length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

float distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a, ap = p - a;
  const float lengthSquared = ab.x * ab.x + ab.y * ab.y;
  const float t = lengthSquared > 0 ? std::clamp((ap.x * ab.x + ap.y * ab.y) / lengthSquared, 0.0f, 1.0f) : 0.0f;
  return length(ap - ab * t);
}

// Pixels a shape with the given pixel-space bounds (grown by reach) can affect, limited to the pen's clip.
PixelBox reachBox(const Pen& pen, float minX, float minY, float maxX, float maxY, float reach) {
  PixelBox box;
  box.x0 = std::max(pen.clip.x0, static_cast<int>(std::floor(minX - reach)));
  box.y0 = std::max(pen.clip.y0, static_cast<int>(std::floor(minY - reach)));
  box.x1 = std::min(pen.clip.x1, static_cast<int>(std::ceil(maxX + reach)) + 1);
  box.y1 = std::min(pen.clip.y1, static_cast<int>(std::ceil(maxY + reach)) + 1);
  return box;
}

PixelBox reachBox(const Pen& pen, std::span<const Vec2> pixelPoints, float reach) {
  float minX = std::numeric_limits<float>::max(), minY = minX, maxX = -minX, maxY = -minX;
  for (Vec2 p : pixelPoints) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  return reachBox(pen, minX, minY, maxX, maxY, reach);
}

// halfWidthPx > 0: the field is a distance to a centre line and the shape is the band around it.
// halfWidthPx == 0: the field is signed, negative inside.
template <class Field>
void paintField(const Pen& pen, PixelBox box, const Field& field, float halfWidthPx, const Ink& ink) {
  const float glowPx = ink.glow * pen.scale;
  const Rgba white{1, 1, 1, ink.colour.a};
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      const float raw = field(Vec2{x + 0.5f, y + 0.5f});
      const float edge = raw - halfWidthPx;  // pixels outside the shape's edge
      const float coverage = std::clamp(0.5f - edge, 0.0f, 1.0f);
      if (ink.blend == Blend::Erase) {
        pen.canvas->blend(x, y, ink.colour, coverage, Blend::Erase);
        continue;
      }
      if (glowPx > 0 && edge > -0.5f && edge < glowPx) {
        const float t = 1.0f - std::max(edge, 0.0f) / glowPx;
        pen.canvas->blend(x, y, ink.colour, ink.glowAlpha * t * t * t * (1 - coverage), ink.blend);
      }
      if (coverage <= 0) continue;
      const float inner = halfWidthPx > 0 ? std::clamp(1.0f - raw / halfWidthPx, 0.0f, 1.0f) : 1.0f;
      pen.canvas->blend(x, y, mix(ink.colour, white, ink.hot * inner), coverage, ink.blend);
    }
  }
}

std::vector<Vec2> toPixels(const Pen& pen, std::span<const Vec2> points) {
  std::vector<Vec2> out;
  out.reserve(points.size());
  for (Vec2 p : points) out.push_back(pen.toPixels(p));
  return out;
}

}  // namespace

Pen wholeCanvasPen(Canvas& canvas) { return Pen{&canvas, {0, 0}, 1, {0, 0, canvas.width(), canvas.height()}}; }

Vec2 polar(Vec2 centre, float radius, float degrees) {
  const float a = degrees * kDegreesToRadians;
  return {centre.x + radius * std::sin(a), centre.y - radius * std::cos(a)};
}

std::vector<Vec2> regularPolygon(Vec2 centre, float radius, int corners, float rotationDegrees) {
  std::vector<Vec2> points;
  for (int i = 0; i < corners; ++i) points.push_back(polar(centre, radius, rotationDegrees + 360.0f * i / corners));
  return points;
}

std::vector<Vec2> starPolygon(Vec2 centre, float outer, float inner, int points, float rotationDegrees) {
  std::vector<Vec2> out;
  for (int i = 0; i < points * 2; ++i) {
    out.push_back(polar(centre, i % 2 ? inner : outer, rotationDegrees + 180.0f * i / points));
  }
  return out;
}

std::vector<Vec2> arcPoints(Vec2 centre, float radius, float fromDegrees, float toDegrees, int segments) {
  std::vector<Vec2> points;
  for (int i = 0; i <= segments; ++i) {
    points.push_back(polar(centre, radius, fromDegrees + (toDegrees - fromDegrees) * i / segments));
  }
  return points;
}

void strokePath(const Pen& pen, std::span<const Vec2> points, bool closed, float width, const Ink& ink) {
  if (points.empty()) return;
  const std::vector<Vec2> px = toPixels(pen, points);
  const float halfWidth = width * pen.scale * 0.5f;
  const PixelBox box = reachBox(pen, px, halfWidth + ink.glow * pen.scale + 1);
  const size_t segments = closed ? px.size() : px.size() - 1;
  auto field = [&](Vec2 p) {
    float best = length(p - px[0]);  // a single point is a round dot
    for (size_t i = 0; i < segments; ++i) best = std::min(best, distanceToSegment(p, px[i], px[(i + 1) % px.size()]));
    return best;
  };
  paintField(pen, box, field, halfWidth, ink);
}

void strokeLine(const Pen& pen, Vec2 a, Vec2 b, float width, const Ink& ink) {
  const Vec2 points[2] = {a, b};
  strokePath(pen, points, false, width, ink);
}

void strokeCircle(const Pen& pen, Vec2 centre, float radius, float width, const Ink& ink) {
  const Vec2 c = pen.toPixels(centre);
  const float r = radius * pen.scale, halfWidth = width * pen.scale * 0.5f;
  const float reach = r + halfWidth + ink.glow * pen.scale + 1;
  const PixelBox box = reachBox(pen, c.x, c.y, c.x, c.y, reach);
  paintField(pen, box, [&](Vec2 p) { return std::fabs(length(p - c) - r); }, halfWidth, ink);
}

void strokeArc(const Pen& pen, Vec2 centre, float radius, float fromDegrees, float toDegrees, float width,
               const Ink& ink) {
  if (toDegrees < fromDegrees) std::swap(fromDegrees, toDegrees);
  const Vec2 c = pen.toPixels(centre);
  const float r = radius * pen.scale, halfWidth = width * pen.scale * 0.5f, span = toDegrees - fromDegrees;
  const Vec2 ends[2] = {pen.toPixels(polar(centre, radius, fromDegrees)), pen.toPixels(polar(centre, radius, toDegrees))};
  std::vector<Vec2> outline;  // enough points along the arc to bound it
  for (Vec2 p : arcPoints(centre, radius, fromDegrees, toDegrees, 16)) outline.push_back(pen.toPixels(p));
  const PixelBox box = reachBox(pen, outline, halfWidth + ink.glow * pen.scale + 1 + r * 0.02f);
  // Exact distance to the arc: to the circle where the pixel lies within the arc's angles, else to an end.
  auto field = [&](Vec2 p) {
    const Vec2 v = p - c;
    const float degrees = std::atan2(v.x, -v.y) / kDegreesToRadians;  // 0 up, clockwise, as polar()
    if (std::fmod(degrees - fromDegrees + 720.0f, 360.0f) <= span) return std::fabs(length(v) - r);
    return std::min(length(p - ends[0]), length(p - ends[1]));
  };
  paintField(pen, box, field, halfWidth, ink);
}

void fillPolygon(const Pen& pen, std::span<const Vec2> points, const Ink& ink) {
  if (points.size() < 3) return;
  const std::vector<Vec2> px = toPixels(pen, points);
  const PixelBox box = reachBox(pen, px, ink.glow * pen.scale + 1);
  auto field = [&](Vec2 p) {
    float best = std::numeric_limits<float>::max();
    bool inside = false;
    for (size_t i = 0, j = px.size() - 1; i < px.size(); j = i++) {
      best = std::min(best, distanceToSegment(p, px[j], px[i]));
      const bool crosses = (px[i].y > p.y) != (px[j].y > p.y);
      if (crosses && p.x < px[j].x + (px[i].x - px[j].x) * (p.y - px[j].y) / (px[i].y - px[j].y)) inside = !inside;
    }
    return inside ? -best : best;
  };
  paintField(pen, box, field, 0, ink);
}

void fillCircle(const Pen& pen, Vec2 centre, float radius, const Ink& ink) {
  const Vec2 c = pen.toPixels(centre);
  const float r = radius * pen.scale;
  const PixelBox box = reachBox(pen, c.x, c.y, c.x, c.y, r + ink.glow * pen.scale + 1);
  paintField(pen, box, [&](Vec2 p) { return length(p - c) - r; }, 0, ink);
}

void softDisc(const Pen& pen, Vec2 centre, float radius, Rgba colour, float falloff, Blend blend) {
  const Vec2 c = pen.toPixels(centre);
  const float r = radius * pen.scale;
  const PixelBox box = reachBox(pen, c.x, c.y, c.x, c.y, r + 1);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      const float t = 1.0f - length(Vec2{x + 0.5f, y + 0.5f} - c) / r;
      if (t > 0) pen.canvas->blend(x, y, colour, std::pow(t, falloff), blend);
    }
  }
}

}  // namespace artkit
