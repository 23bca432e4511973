// gxtkGraphics: the one object through which 2D drawing reaches OpenGL, as batches of vertices.
//
// Every primitive becomes vertices in one fixed buffer (1024 vertices); a batch holds primitives of one code
// (1 point, 2 line, 3 triangle, 4 quad, n >= 5 a fan of n vertices) on one surface (none for untextured
// primitives), and is drawn with one GL call, one per fan for codes >= 5.
//
// When a batch flushes: when a primitive needs another code or another surface, when its vertices would not
// fit, on a SetBlend that changes the blend, on SetScissor, ReadPixels and EndRender. BeginRender and Cls drop it
// undrawn. Colour and
// matrix changes never flush: they are applied on the CPU as each vertex is written (so the GL model-view
// matrix stays the identity) and every vertex carries its own colour.
// Invariant: batchCount <= 1024, and the first batchCount vertices all belong to primitives of
// batchPrimitive on batchSurface.
//
// Nothing here allocates per draw call. Main thread only (the thread of the GL context), except
// LoadSurface__UNSAFE__, which touches no GL state.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>

#include "gxtk/surface.h"
#include "runtime/object.h"

class gxtkGraphics : public Object {
 public:
  static constexpr int kBatchVertices = 1024;  // 256 quads
  static constexpr int kQuadIndices = kBatchVertices / 4 * 6;
  static constexpr int kPoint = 1, kLine = 2, kTriangle = 3, kQuad = 4;  // codes >= 5: fans of that many

  // Handed to GL as interleaved client arrays, so the layout is fixed: 20 bytes, colour at byte 16.
  struct Vertex {
    float x, y;      // window pixels, after the matrix
    float u, v;      // texture coordinates; left unwritten for untextured primitives
    uint32_t color;  // bytes R, G, B, A in memory order, premultiplied
  };
  static_assert(sizeof(Vertex) == 20);
  static_assert(std::endian::native == std::endian::little, "packedColor is stored as bytes R, G, B, A");

  int width = 0, height = 0;  // window client size, pixels
  uint32_t packedColor = 0xffffffff;
  float red = 255, green = 255, blue = 255;  // 0..255
  float alpha = 1;                           // 0..1
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;  // (x, y) -> (a x + c y + tx, b x + d y + ty)
  bool transformed = false;                          // the matrix is not exactly the identity
  Vertex vertexBuffer[kBatchVertices];
  uint16_t quadIndexTable[kQuadIndices];  // triangles 0-1-2 and 0-2-3 of every group of four vertices
  int batchPrimitive = 0;
  int batchCount = 0;  // vertices, 0..1024
  bool additiveBlend = false;  // the blend in GL since BeginRender: additive, or alpha over premultiplied colour
  Ref<gxtkSurface> batchSurface;

  gxtkGraphics();
  void mark() override { gc_mark(batchSurface); }

  virtual int Width() { return width; }
  virtual int Height() { return height; }
  virtual int BeginRender();
  virtual int EndRender() { return Flush(), 0; }
  virtual int DiscardGraphics() { return 0; }
  virtual gxtkSurface* LoadSurface(String path);
  virtual gxtkSurface* CreateSurface(int width, int height);
  virtual bool LoadSurface__UNSAFE__(gxtkSurface* surface, String path);
  virtual int Cls(float r, float g, float b);
  virtual int SetAlpha(float alpha);
  virtual int SetColor(float r, float g, float b);
  virtual int SetBlend(int blend);
  virtual int SetScissor(int x, int y, int width, int height);
  virtual int SetMatrix(float a, float b, float c, float d, float tx, float ty);
  virtual int DrawPoint(float x, float y);
  virtual int DrawRect(float x, float y, float width, float height);
  virtual int DrawLine(float x1, float y1, float x2, float y2);
  virtual int DrawOval(float x, float y, float width, float height);
  virtual int DrawPoly(const Array<float>& vertices);
  virtual int DrawPoly2(const Array<float>& vertices, gxtkSurface* surface, int srcX, int srcY);
  virtual int DrawSurface(gxtkSurface* surface, float x, float y);
  virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcWidth, int srcHeight);
  virtual int ReadPixels(const Array<int>& pixels, int x, int y, int width, int height, int offset, int pitch);
  virtual int WritePixels2(gxtkSurface* surface, const Array<int>& pixels, int x, int y, int width, int height,
                           int offset, int pitch);

  // Admits `count` (<= 1024) vertices of primitive code `primitive` on `surface` (or none) and returns where
  // the caller writes them. Joins the current batch when it can, else starts a new one (StartBatch).
  Vertex* Begin(int primitive, int count, gxtkSurface* surface) {
    if (primitive == batchPrimitive && surface == batchSurface.get() && batchCount + count <= kBatchVertices) {
      Vertex* first = vertexBuffer + batchCount;
      batchCount += count;
      return first;
    }
    return StartBatch(primitive, count, surface);
  }
  // Draws the batch and empties it; nothing when it is empty.
  void Flush();

  // Writes a vertex at (x, y) through the matrix, in the current colour.
  void Put(Vertex* vertex, float x, float y) const {
    if (transformed) {
      vertex->x = x * a + y * c + tx;
      vertex->y = x * b + y * d + ty;
    } else {
      vertex->x = x;
      vertex->y = y;
    }
    vertex->color = packedColor;
  }

 private:
  Vertex* StartBatch(int primitive, int count, gxtkSurface* surface);
  void DrawBatch();
  void PackColor();
};
