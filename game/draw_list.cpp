// The draw state and the draw command list.
//
// A command is 15 floats at m_drawLen: [0] kind (an image slot >= 0, or -3717 rectangle, -3716 oval,
// -3715 line), [1..6] geometry, [7] alpha, [10..12] colour, [13] blend; [8], [9] and [14] are not written.
// A command is dropped when m_drawLen > 37484, so at most 2500 fit in a frame: later ones are lost, earlier
// ones are still drawn. Nothing here allocates.
#include <algorithm>

#include "game/my_app.h"

namespace {
constexpr int kCommandFloats = 15;
constexpr int kLastCommandStart = 37484;
constexpr float kRectangle = -3717, kOval = -3716, kLine = -3715;

struct InkPreset {
  float red, green, blue;
};
// Colour factors of p_Ink's presets 1..9; any other preset is grey.
constexpr InkPreset kInkPresets[] = {{0.3f, 0.3f, 0.3f}, {1, 0.1f, 0.1f}, {1, 0.5f, 0.1f}, {1, 1, 0.1f},
                                     {0.1f, 1, 0.1f},    {0.1f, 1, 1},     {0.1f, 0.1f, 1}, {0.5f, 0.1f, 1},
                                     {1, 0.1f, 0.5f},    {1, 1, 1}};
}  // namespace

int c_MyApp::p_ResetDraw() {
  m_sizeX = m_sizeY = 1;
  m_red = m_green = m_blue = 255;
  m_rot = 0;
  m_alpha = 1;
  m_blend = 1;
  return 0;
}

int c_MyApp::p_SetSize(float x, float y) {
  m_sizeX = x;
  m_sizeY = y > kNone ? y : x;
  return 0;
}

int c_MyApp::p_SetRot(float angle) {
  m_rot = -angle;
  return 0;
}

int c_MyApp::p_Alpha(float alpha) {
  m_alpha = alpha;
  return 0;
}

int c_MyApp::p_SetCol(float red, float green, float blue, float alpha) {
  m_red = red, m_green = green, m_blue = blue;
  if (alpha > kNone) m_alpha = alpha;
  return 0;
}

int c_MyApp::p_Ink(int preset, float brightness) {
  const InkPreset& ink = kInkPresets[preset >= 1 && preset <= 9 ? preset : 0];
  m_red = std::clamp(ink.red * brightness * 255, 0.0f, 255.0f);
  m_green = std::clamp(ink.green * brightness * 255, 0.0f, 255.0f);
  m_blue = std::clamp(ink.blue * brightness * 255, 0.0f, 255.0f);
  return 0;
}

namespace {
// Writes one command's common part; false when the list is full.
bool begin_command(c_MyApp& app, float kind, float a, float b, float c, float d, float e, float frame) {
  if (app.m_drawLen > kLastCommandStart) return false;
  float* command = &app.m_drawList[app.m_drawLen];
  command[0] = kind, command[1] = a, command[2] = b, command[3] = c, command[4] = d, command[5] = e;
  command[6] = frame;
  command[7] = app.m_alpha;
  command[10] = app.m_red, command[11] = app.m_green, command[12] = app.m_blue;
  command[13] = static_cast<float>(app.m_blend);
  app.m_drawLen += kCommandFloats;
  return true;
}
}  // namespace

int c_MyApp::p_DrawImg(int slot, float x, float y, float frame) {
  begin_command(*this, static_cast<float>(slot), x, y, m_rot, m_sizeX, m_sizeY, frame);
  return 0;
}

int c_MyApp::p_Rect(float x, float y, float width, float height) {
  begin_command(*this, kRectangle, x, y, m_rot, width, height, 0);
  return 0;
}

int c_MyApp::p_Oval(float x, float y, float xRadius, float yRadius) {
  begin_command(*this, kOval, x, y, m_rot, xRadius, yRadius, 0);
  return 0;
}

int c_MyApp::p_Line(float x1, float y1, float x2, float y2) {
  begin_command(*this, kLine, x1, y1, m_rot, x2, y2, 0);
  return 0;
}

int c_MyApp::p_CLS2D(float red, float green, float blue, float alpha) {
  if (red > kNone) {
    m_bgRed = red, m_bgGreen = green, m_bgBlue = blue;
    m_bgAlpha = alpha;
  }
  p_ResetDraw();
  m_drawLen = 0;
  return 0;
}

// Eases the background toward a target colour: each channel moves an eighth of the way per frame. A value
// below -122 keeps that channel's target; alpha -123 means opaque.
int c_MyApp::p_DoBG(int red, int green, int blue, float alpha) {
  int targets[3] = {red, green, blue};
  for (int channel = 0; channel < 3; ++channel) {
    if (targets[channel] >= -122) m_bgTarget[channel] = static_cast<float>(targets[channel]);
    m_bgCurrent[channel] -= (m_bgCurrent[channel] - m_bgTarget[channel]) * 0.125f;
  }
  float opacity = alpha == -123 ? 1 : std::clamp(alpha, 0.0f, 1.0f);
  return p_CLS2D(m_bgCurrent[0], m_bgCurrent[1], m_bgCurrent[2], opacity);
}
