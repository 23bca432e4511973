// gxtkGraphics primitives: each admits its vertices to the batch (Begin) and writes them through the matrix.
// Points and lines sit on pixel centres (+0.5); filled shapes use the coordinates as pixel corners.
#include <cmath>
#include <cstdlib>

#include "gxtk/graphics.h"

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr int kFewestOvalVertices = 12;
}  // namespace

int gxtkGraphics::DrawPoint(float x, float y) {
  Vertex* vertex = Begin(kPoint, 1, nullptr);
  Put(vertex, x, y);
  vertex->x += 0.5f, vertex->y += 0.5f;
  return 0;
}

int gxtkGraphics::DrawLine(float x1, float y1, float x2, float y2) {
  Vertex* vertex = Begin(kLine, 2, nullptr);
  Put(vertex, x1, y1);
  Put(vertex + 1, x2, y2);
  for (int i = 0; i < 2; ++i) vertex[i].x += 0.5f, vertex[i].y += 0.5f;
  return 0;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
  Vertex* vertex = Begin(kQuad, 4, nullptr);
  Put(vertex, x, y);
  Put(vertex + 1, x + w, y);
  Put(vertex + 2, x + w, y + h);
  Put(vertex + 3, x, y + h);
  return 0;
}

// Vertex count: about one per screen pixel of the two radii, a multiple of 4 between 12 and 1024, so that
// ovals of the same size share a batch (each is its own fan).
int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
  float rx = w * 0.5f, ry = h * 0.5f;
  float cx = x + rx, cy = y + ry;
  float segments;
  if (transformed) {
    segments = std::trunc(std::sqrt(rx * a * rx * a + rx * b * rx * b) + std::sqrt(ry * c * ry * c + ry * d * ry * d));
  } else {
    segments = std::abs(std::trunc(rx)) + std::abs(std::trunc(ry));
  }
  int count;
  if (!(segments >= kFewestOvalVertices)) {  // also NaN
    count = kFewestOvalVertices;
  } else if (segments > kBatchVertices) {
    count = kBatchVertices;
  } else {
    count = static_cast<int>(segments) & ~3;
  }
  Vertex* vertex = Begin(count, count, nullptr);
  for (int i = 0; i < count; ++i) {
    float theta = static_cast<float>(i) * kTwoPi / static_cast<float>(count);
    Put(vertex + i, cx + std::cos(theta) * rx, cy - std::sin(theta) * ry);  // from the right, upwards on screen
  }
  return 0;
}

// n = length / 2 whole vertices (a trailing odd float is ignored); n of 1..4 joins a point, line, triangle or
// quad batch, more than 1024 is ignored.
int gxtkGraphics::DrawPoly(const Array<float>& vertices) {
  int count = vertices.Length() / 2;
  if (count < 1 || count > kBatchVertices) return 0;
  Vertex* vertex = Begin(count, count, nullptr);
  for (int i = 0; i < count; ++i) Put(vertex + i, vertices[2 * i], vertices[2 * i + 1]);
  return 0;
}

// Per vertex x, y, u, v with u, v in pixels of the surface relative to (srcX, srcY).
int gxtkGraphics::DrawPoly2(const Array<float>& vertices, gxtkSurface* surface, int srcX, int srcY) {
  int count = vertices.Length() / 4;
  if (!surface || count < 1 || count > kBatchVertices) return 0;
  if (!surface->HasCurrentTexture()) surface->Bind();  // the texture size decides the scales
  Vertex* vertex = Begin(count, count, surface);
  for (int i = 0; i < count; ++i) {
    const float* source = vertices.begin() + 4 * i;
    Put(vertex + i, source[0], source[1]);
    vertex[i].u = (srcX + source[2]) * surface->uScale;
    vertex[i].v = (srcY + source[3]) * surface->vScale;
  }
  return 0;
}

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
  if (!surface) return 0;
  return DrawSurface2(surface, x, y, 0, 0, surface->width, surface->height);
}

int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcWidth,
                               int srcHeight) {
  if (!surface) return 0;
  if (!surface->HasCurrentTexture()) surface->Bind();  // the texture size decides the scales
  Vertex* vertex = Begin(kQuad, 4, surface);
  float w = static_cast<float>(srcWidth), h = static_cast<float>(srcHeight);
  Put(vertex, x, y);
  Put(vertex + 1, x + w, y);
  Put(vertex + 2, x + w, y + h);
  Put(vertex + 3, x, y + h);
  float u0 = srcX * surface->uScale, u1 = (srcX + srcWidth) * surface->uScale;
  float v0 = srcY * surface->vScale, v1 = (srcY + srcHeight) * surface->vScale;
  vertex[0].u = u0, vertex[0].v = v0;
  vertex[1].u = u1, vertex[1].v = v0;
  vertex[2].u = u1, vertex[2].v = v1;
  vertex[3].u = u0, vertex[3].v = v1;
  return 0;
}
