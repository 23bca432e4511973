// The render pass: the background, the scale from the virtual screen to the device, and the replay of the
// draw command list through the graphics context.
//
// The virtual screen keeps the design size (640 x 480, times 1.5 in portrait) along the axis that limits the
// scale and is shorter along the other: the larger of the two axis scales is used, nothing is letterboxed.
// The render never changes the list, so a render without an update in between redraws the same frame.
#include "framework/graphics/graphics.h"
#include "game/my_app.h"

namespace {
constexpr float kRectangle = -3717, kOval = -3716, kLine = -3715;
}

int c_MyApp::p_OnRender() {
  int now = ko_app_Millisecs();
  if (ko_app_MillisecsDiff(now, m_renderLast) > 0) m_renderFps = 1000 / ko_app_MillisecsDiff(now, m_renderLast);
  m_renderFpsAvg = (m_renderFps + 9 * m_renderFpsAvg) / 10;
  m_renderLast = ko_app_Millisecs();

  int width = ko_app_DeviceWidth(), height = ko_app_DeviceHeight();
  ko_graphics_SetColor(m_bgRed, m_bgGreen, m_bgBlue);
  ko_graphics_SetAlpha(m_bgAlpha);  // below 1 the previous frame shows through: trails
  ko_graphics_DrawRect(-1, -1, static_cast<float>(width + 2), static_cast<float>(height + 2));
  ko_graphics_SetColor(255, 255, 255);
  ko_graphics_SetAlpha(1);

  if (width != m_lastDevW || height != m_lastDevH) {
    m_loadStep = 1;  // the art is rebuilt at the resolution that suits the new size
    m_lastDevW = width, m_lastDevH = height;
  }
  if (width <= 0 || height <= 0) return 0;  // no area to draw into: keep the last scale
  p_UpdateScale(static_cast<float>(width), static_cast<float>(height));
  p_ReplayDrawList(m_scaleX);
  ko_graphics_SetAlpha(0.5f);
  ko_graphics_SetColor(255, 255, 255);
  return 0;
}

void c_MyApp::p_UpdateScale(float width, float height) {
  float overscan = ko_Quarzel_overscan;
  float portrait = height > width ? 1.5f : 1.0f;
  float scaleX = (width - 2 * overscan) / (ko_Quarzel_rawscrw * portrait);
  float scaleY = (height - 2 * overscan) / (ko_Quarzel_rawscrh * portrait);
  float unpadded;  // device pixels per virtual pixel, without the overscan margin
  if (scaleX >= scaleY) {
    m_scaleX = m_scaleY = scaleX;
    m_fitAxis = 1;
    unpadded = width / (ko_Quarzel_rawscrw * portrait);
  } else {
    m_scaleX = m_scaleY = scaleY;
    m_fitAxis = 2;
    unpadded = height / (ko_Quarzel_rawscrh * portrait);
  }
  ko_Quarzel_jscrw = width / unpadded;
  ko_Quarzel_jscrh = height / unpadded;
  m_landscape = ko_Quarzel_jscrh <= ko_Quarzel_jscrw ? 1 : 0;
}

void c_MyApp::p_ReplayDrawList(float scale) {
  float offsetX = ko_Quarzel_overscan;
  float offsetY = p_OverscanY();
  for (int start = 0; start + 15 <= m_drawLen; start += 15) {
    const float* command = &m_drawList[start];
    ko_graphics_SetAlpha(command[7]);
    ko_graphics_SetColor(command[10], command[11], command[12]);
    ko_graphics_SetBlend(command[13] == 3 ? 1 : 0);  // additive or alpha blending
    float x = scale * command[1] + offsetX, y = scale * command[2] + offsetY;
    float kind = command[0];
    if (kind == kRectangle) {
      ko_graphics_DrawRect(x, y, scale * command[4], scale * command[5]);
    } else if (kind == kOval) {
      ko_graphics_DrawEllipse(x, y, scale * command[4], scale * command[5]);
    } else if (kind == kLine) {
      ko_graphics_DrawLine(x, y, scale * command[4] + offsetX, scale * command[5] + offsetY);
    } else if (kind > -1 && kind < m_images.Length() && m_images[static_cast<int>(kind)]) {
      int frame = Trunc(command[6]);  // any float the game passed, saturated (a frame past the image draws nothing)
      ko_graphics_DrawImage2(m_images[static_cast<int>(kind)], x, y, command[3], scale * command[4] * m_hdInvScale,
                             scale * command[5] * m_hdInvScale, frame);
    }
  }
}

float c_MyApp::p_OverscanY() {
  int width = ko_app_DeviceWidth();
  return width > 0 ? ko_Quarzel_overscan * ko_app_DeviceHeight() / width : 0;
}
