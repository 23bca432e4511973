// The graphics module: the application's drawing state (c_GraphicsContext) and the ko_graphics_* functions
// that draw images, shapes and lines through the renderer.
//
// Invariants: the context lives for the whole program; ko_graphics_BeginRender resets matrix, matrix stack,
// colour, alpha, blend and scissor at the start of every frame (the font survives). The matrix reaches the
// renderer lazily: every draw validates first, and the renderer gets SetMatrix only if the matrix changed
// since it last got one (m_matrixDirty). Colour, alpha, blend and scissor go to the renderer at once.
// ko_graphics_renderDevice is set only between ko_graphics_BeginRender and ko_graphics_EndRender; outside it
// the state functions only record and the draw functions do nothing. Main thread only.
#pragma once

#include "framework/graphics/image.h"
#include "gxtk/graphics.h"
#include "runtime/object.h"

extern const float D2R;  // pi / 180, single precision
extern const float R2D;  // 180 / pi

class c_GraphicsContext : public Object {
 public:
  static constexpr int kMatrixFloats = 6;
  static constexpr int kInitialStackFloats = 32 * kMatrixFloats;

  Ref<c_Image> m_defaultFont;  // loaded on first need
  Ref<c_Image> m_currentFont;
  int m_firstChar = 0;  // character code of the font's first frame
  int m_matrixSp = 0;   // floats in use on m_matrixStack, 6 per pushed matrix
  float m_a = 1, m_b = 0, m_c = 0, m_d = 1, m_tx = 0, m_ty = 0;  // (x, y) -> (a x + c y + tx, b x + d y + ty)
  bool m_transformed = false;  // the matrix is not exactly the identity
  bool m_matrixDirty = false;  // changed since the renderer last got it
  float m_colorR = 0, m_colorG = 0, m_colorB = 0;  // 0..255
  float m_colorA = 0;                              // 0..1
  int m_blendMode = 0;                             // 0 alpha, 1 additive
  float m_scissorX = 0, m_scissorY = 0, m_scissorWidth = 0, m_scissorHeight = 0;  // device pixels
  Array<float> m_matrixStack;  // grows by doubling, never shrinks

  c_GraphicsContext* m_new();
  int p_Validate();
  void mark() override;
};

extern GlobalRef<gxtkGraphics> ko_graphics_device;
extern GlobalRef<gxtkGraphics> ko_graphics_renderDevice;
extern GlobalRef<c_GraphicsContext> ko_graphics_context;

void ko_graphics__InitGlobals();

int ko_graphics_SetGraphicsDevice(gxtkGraphics* device);
int ko_graphics_BeginRender();
int ko_graphics_EndRender();

int ko_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty);
int ko_graphics_SetMatrix2(const Array<float>& matrix);
int ko_graphics_Transform(float a, float b, float c, float d, float tx, float ty);
int ko_graphics_Transform2(const Array<float>& matrix);
int ko_graphics_Translate(float x, float y);
int ko_graphics_Scale(float x, float y);
int ko_graphics_Rotate(float angle);  // degrees; positive turns counter-clockwise on screen
int ko_graphics_PushMatrix();
int ko_graphics_PopMatrix();

int ko_graphics_SetColor(float r, float g, float b);
int ko_graphics_SetAlpha(float alpha);
int ko_graphics_SetBlend(int blend);
int ko_graphics_SetScissor(float x, float y, float width, float height);

int ko_graphics_DrawRect(float x, float y, float width, float height);
int ko_graphics_DrawLine(float x1, float y1, float x2, float y2);
int ko_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius);
int ko_graphics_DrawImage(c_Image* image, float x, float y, int frame);
int ko_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame);
