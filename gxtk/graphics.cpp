// gxtkGraphics: the frame, the batch, render state, pixel transfers and surface creation. The primitives that
// write vertices are in graphics_draw.cpp.
#include "gxtk/graphics.h"

#include <GL/gl.h>
#include <GL/glext.h>  // GL_BGRA and GL_CLAMP_TO_EDGE, which a header of GL 1.1 alone lacks

#include <algorithm>
#include <vector>

#include "host/core/game.h"

namespace {
constexpr int kAdditiveBlend = 1;  // 0 is alpha blending
}

gxtkGraphics::gxtkGraphics() {
  width = KoGame::_game->GetDeviceWidth();
  height = KoGame::_game->GetDeviceHeight();
  for (int quad = 0; quad < kBatchVertices / 4; ++quad) {
    uint16_t first = static_cast<uint16_t>(quad * 4);
    uint16_t* entry = quadIndexTable + quad * 6;
    const uint16_t corners[6] = {first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
                                 first, static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 3)};
    std::copy(corners, corners + 6, entry);  // two triangles: 0 1 2 and 0 2 3
  }
}

// -------------------------------------------------------------------------------------------------------------
// The frame

int gxtkGraphics::BeginRender() {
  width = KoGame::_game->GetDeviceWidth();
  height = KoGame::_game->GetDeviceHeight();
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);  // y grows downwards; (0, 0) is the top-left pixel's corner
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertexBuffer[0].x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertexBuffer[0].u);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertexBuffer[0].color);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);  // colours are premultiplied
  additiveBlend = false;
  glDisable(GL_TEXTURE_2D);
  batchCount = 0;
  return 1;  // render the frame normally
}

// -------------------------------------------------------------------------------------------------------------
// The batch

gxtkGraphics::Vertex* gxtkGraphics::StartBatch(int primitive, int count, gxtkSurface* surface) {
  assert(count >= 1 && count <= kBatchVertices && "a primitive fits in an empty batch");
  Flush();
  batchPrimitive = primitive;
  batchSurface = surface;
  batchCount = count;
  return vertexBuffer;
}

void gxtkGraphics::Flush() {
  if (batchCount == 0) return;
  gxtkSurface* surface = batchSurface;
  if (surface) {
    glEnable(GL_TEXTURE_2D);
    surface->Bind();  // may create or re-upload the texture
  }
  DrawBatch();
  if (surface) glDisable(GL_TEXTURE_2D);
  batchCount = 0;
}

void gxtkGraphics::DrawBatch() {
  switch (batchPrimitive) {
    case kPoint: return glDrawArrays(GL_POINTS, 0, batchCount);
    case kLine: return glDrawArrays(GL_LINES, 0, batchCount);
    case kTriangle: return glDrawArrays(GL_TRIANGLES, 0, batchCount);
    case kQuad: return glDrawElements(GL_TRIANGLES, batchCount / 4 * 6, GL_UNSIGNED_SHORT, quadIndexTable);
  }
  for (int first = 0; first < batchCount; first += batchPrimitive) {
    glDrawArrays(GL_TRIANGLE_FAN, first, batchPrimitive);
  }
}

// -------------------------------------------------------------------------------------------------------------
// Render state

int gxtkGraphics::Cls(float r, float g, float b) {
  batchCount = 0;  // whatever was pending would be painted over
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  return 0;
}

// Each channel keeps to its own byte: a component outside 0..255 wraps within its byte instead of spilling
// into the neighbouring channel.
void gxtkGraphics::PackColor() {
  auto byte = [](float value) { return static_cast<uint32_t>(static_cast<int>(value)) & 0xff; };
  packedColor = byte(alpha * 255) << 24 | byte(alpha * blue) << 16 | byte(alpha * green) << 8 | byte(alpha * red);
}

int gxtkGraphics::SetAlpha(float newAlpha) {
  alpha = newAlpha;
  PackColor();
  return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  PackColor();
  return 0;
}

// Setting the blend already in force changes nothing, so it keeps the batch: a caller may set the blend before
// every primitive without costing a draw call each.
int gxtkGraphics::SetBlend(int blend) {
  bool additive = blend == kAdditiveBlend;  // alpha, and any unknown mode, blend alpha
  if (additive == additiveBlend) return 0;
  Flush();
  additiveBlend = additive;
  if (additive) {
    glBlendFunc(GL_ONE, GL_ONE);
  } else {
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }
  return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int scissorWidth, int scissorHeight) {
  Flush();
  if (x == 0 && y == 0 && scissorWidth == width && scissorHeight == height) {
    glDisable(GL_SCISSOR_TEST);
    return 0;
  }
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, height - y - scissorHeight, scissorWidth, scissorHeight);  // GL counts rows from the bottom
  return 0;
}

int gxtkGraphics::SetMatrix(float ma, float mb, float mc, float md, float mtx, float mty) {
  a = ma;
  b = mb;
  c = mc;
  d = md;
  tx = mtx;
  ty = mty;
  transformed = !(a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0);
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// Pixel transfers

// Output row i (from the top) is framebuffer row y + i; each int is A << 24 | R << 16 | G << 8 | B. Pixels
// whose place would fall outside the array are not written.
int gxtkGraphics::ReadPixels(const Array<int>& pixels, int x, int y, int readWidth, int readHeight, int offset,
                             int pitch) {
  Flush();
  if (readWidth <= 0 || readHeight <= 0) return 0;
  std::vector<uint32_t> rows(static_cast<size_t>(readWidth) * readHeight);
  glReadPixels(x, height - y - readHeight, readWidth, readHeight, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
  long long length = pixels.Length();
  for (int i = 0; i < readHeight; ++i) {
    const uint32_t* source = rows.data() + static_cast<size_t>(readHeight - 1 - i) * readWidth;  // GL: bottom up
    long long start = offset + static_cast<long long>(i) * pitch;
    long long first = std::max(0LL, -start), last = std::min<long long>(readWidth, length - start);
    for (long long k = first; k < last; ++k) pixels[static_cast<int>(start + k)] = static_cast<int>(source[k]);
  }
  return 0;
}

// No flush: a pending batch that uses the surface draws with the new pixels. A source rectangle that does not
// lie within the array writes nothing.
int gxtkGraphics::WritePixels2(gxtkSurface* surface, const Array<int>& pixels, int x, int y, int writeWidth,
                               int writeHeight, int offset, int pitch) {
  if (!surface || writeWidth <= 0 || writeHeight <= 0) return 0;
  long long firstRow = offset, lastRow = offset + static_cast<long long>(writeHeight - 1) * pitch;
  long long lowest = std::min(firstRow, lastRow), highest = std::max(firstRow, lastRow) + writeWidth;
  if (lowest < 0 || highest > pixels.Length()) return 0;
  surface->SetSubData(x, y, writeWidth, writeHeight, pixels.begin() + offset, pitch);
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// Surfaces

bool gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, String path) { return surface->LoadFile(path); }

gxtkSurface* gxtkGraphics::LoadSurface(String path) {
  gxtkSurface* surface = new gxtkSurface;
  if (!LoadSurface__UNSAFE__(surface, path)) return nullptr;
  surface->Bind();
  return surface;
}

gxtkSurface* gxtkGraphics::CreateSurface(int surfaceWidth, int surfaceHeight) {
  gxtkSurface* surface = new gxtkSurface;
  surface->width = std::max(surfaceWidth, 0);
  surface->height = std::max(surfaceHeight, 0);
  surface->bytesPerPixel = 4;
  surface->glFormat = GL_RGBA;
  // No texture yet: the first draw or write makes it. Until then it would be memory nobody looks at (a
  // reserved surface may never be used).
  return surface;
}
