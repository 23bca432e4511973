// The graphics context: module globals, the per-frame reset, the matrix and its stack, colour, alpha, blend
// and scissor (see graphics.h for what reaches the renderer when).
#include <cmath>

#include "framework/app/app.h"
#include "framework/graphics/graphics.h"

const float D2R = 0.017453292f;
const float R2D = 57.29578f;

GlobalRef<gxtkGraphics> ko_graphics_device;
GlobalRef<gxtkGraphics> ko_graphics_renderDevice;
GlobalRef<c_GraphicsContext> ko_graphics_context;

void ko_graphics__InitGlobals() {
  ko_graphics_device = nullptr;
  ko_graphics_renderDevice = nullptr;
  ko_graphics_context = (new c_GraphicsContext)->m_new();
  c_Image::m_DefaultFlags = 0;
}

c_GraphicsContext* c_GraphicsContext::m_new() {
  m_matrixStack = Array<float>(kInitialStackFloats);
  return this;
}

void c_GraphicsContext::mark() {
  gc_mark(m_defaultFont);
  gc_mark(m_currentFont);
  gc_mark(m_matrixStack);
}

int c_GraphicsContext::p_Validate() {
  if (!m_matrixDirty) return 0;
  ko_graphics_renderDevice->SetMatrix(m_a, m_b, m_c, m_d, m_tx, m_ty);
  m_matrixDirty = false;
  return 0;
}

int ko_graphics_SetGraphicsDevice(gxtkGraphics* device) {
  ko_graphics_device = device;
  return 0;
}

int ko_graphics_BeginRender() {
  ko_graphics_renderDevice = ko_graphics_device;
  ko_graphics_context->m_matrixSp = 0;
  ko_graphics_SetMatrix(1, 0, 0, 1, 0, 0);  // dirty: the renderer still holds the last frame's matrix
  ko_graphics_SetColor(255, 255, 255);
  ko_graphics_SetAlpha(1);
  ko_graphics_SetBlend(0);
  ko_graphics_SetScissor(0, 0, static_cast<float>(ko_app_DeviceWidth()), static_cast<float>(ko_app_DeviceHeight()));
  return 0;
}

int ko_graphics_EndRender() {
  ko_graphics_renderDevice = nullptr;
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// The matrix

int ko_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* context = ko_graphics_context;
  context->m_a = a, context->m_b = b, context->m_c = c, context->m_d = d, context->m_tx = tx, context->m_ty = ty;
  context->m_transformed = !(a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0);
  context->m_matrixDirty = true;
  return 0;
}

// An array of fewer than six floats is not a matrix: ignored.
int ko_graphics_SetMatrix2(const Array<float>& m) {
  if (m.Length() < 6) return 0;
  return ko_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// The given transform applies first, the current one after it: later calls act in the frame of earlier ones.
int ko_graphics_Transform(float a, float b, float c, float d, float tx, float ty) {
  c_GraphicsContext* k = ko_graphics_context;
  return ko_graphics_SetMatrix(a * k->m_a + b * k->m_c, a * k->m_b + b * k->m_d, c * k->m_a + d * k->m_c,
                               c * k->m_b + d * k->m_d, tx * k->m_a + ty * k->m_c + k->m_tx,
                               tx * k->m_b + ty * k->m_d + k->m_ty);
}

int ko_graphics_Transform2(const Array<float>& m) {
  if (m.Length() < 6) return 0;
  return ko_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

int ko_graphics_Translate(float x, float y) { return ko_graphics_Transform(1, 0, 0, 1, x, y); }
int ko_graphics_Scale(float x, float y) { return ko_graphics_Transform(x, 0, 0, y, 0, 0); }

int ko_graphics_Rotate(float angle) {
  double radians = angle * D2R;  // the product in single precision, the functions in double
  float cosine = static_cast<float>(std::cos(radians)), sine = static_cast<float>(std::sin(radians));
  return ko_graphics_Transform(cosine, -sine, sine, cosine, 0, 0);
}

int ko_graphics_PushMatrix() {
  c_GraphicsContext* context = ko_graphics_context;
  int sp = context->m_matrixSp;
  if (sp + c_GraphicsContext::kMatrixFloats > context->m_matrixStack.Length()) {
    context->m_matrixStack = context->m_matrixStack.Resized(context->m_matrixStack.Length() * 2);
  }
  float* top = context->m_matrixStack.begin() + sp;
  top[0] = context->m_a, top[1] = context->m_b, top[2] = context->m_c;
  top[3] = context->m_d, top[4] = context->m_tx, top[5] = context->m_ty;
  context->m_matrixSp = sp + c_GraphicsContext::kMatrixFloats;
  return 0;
}

// Popping an empty stack is a caller error; it leaves the matrix alone rather than read before the stack.
int ko_graphics_PopMatrix() {
  c_GraphicsContext* context = ko_graphics_context;
  if (context->m_matrixSp < c_GraphicsContext::kMatrixFloats) return 0;
  context->m_matrixSp -= c_GraphicsContext::kMatrixFloats;
  const float* top = context->m_matrixStack.begin() + context->m_matrixSp;
  return ko_graphics_SetMatrix(top[0], top[1], top[2], top[3], top[4], top[5]);
}

// -------------------------------------------------------------------------------------------------------------
// Colour, alpha, blend, scissor: recorded, and passed on at once while a frame is rendered.

int ko_graphics_SetColor(float r, float g, float b) {
  c_GraphicsContext* context = ko_graphics_context;
  context->m_colorR = r, context->m_colorG = g, context->m_colorB = b;
  if (ko_graphics_renderDevice) ko_graphics_renderDevice->SetColor(r, g, b);
  return 0;
}

int ko_graphics_SetAlpha(float alpha) {
  ko_graphics_context->m_colorA = alpha;
  if (ko_graphics_renderDevice) ko_graphics_renderDevice->SetAlpha(alpha);
  return 0;
}

int ko_graphics_SetBlend(int blend) {
  ko_graphics_context->m_blendMode = blend;
  if (ko_graphics_renderDevice) ko_graphics_renderDevice->SetBlend(blend);
  return 0;
}

int ko_graphics_SetScissor(float x, float y, float width, float height) {
  c_GraphicsContext* context = ko_graphics_context;
  context->m_scissorX = x, context->m_scissorY = y;
  context->m_scissorWidth = width, context->m_scissorHeight = height;
  if (ko_graphics_renderDevice) {
    ko_graphics_renderDevice->SetScissor(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                                         static_cast<int>(height));
  }
  return 0;
}
