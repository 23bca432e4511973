// The open strip of the title screen: the credits scrolling in a ring of coloured dots, a small statistics
// block, and the button that closes it. Any of fire and buttons 2..4, or a touch, closes it.
//
// The credits loop over all lines but the last ("End"); eight lines are visible, fading toward both ends. The
// scroll falls 0.3 virtual pixels per frame (1.8 while up or down is held) and moves on one line every 16.
#include <cmath>

#include "game/my_app.h"

void c_MyApp::p_OpenStrip(float strip) {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  float shift = width - strip;  // 0 when fully open: everything slides in with the strip
  m_creditScroll -= 0.3f;
  if (p_PlayKey(0, 1, 0) || p_PlayKey(8, 1, 0)) m_creditScroll -= 1.5f;
  if (m_creditScroll < -16) {
    m_creditScroll += 16;
    m_creditTop += 1;
  }
  p_CreditDots(width - 150 + shift, height / 2);
  p_Credits(width - 160 + shift, height / 2);
  p_StripStats(width - 20 + shift);

  static const String codedIn(u"Coded in"), address(u"quarzel.example/framework");
  float buttonX = shift + width / 2 - 60, buttonY = height - 40;  // below the credits, clear of the lists
  p_ResetDraw();
  p_DrawImg(95, buttonX, buttonY, 12);
  p_Text(buttonX + 40, buttonY - 8, codedIn, 0, 1);
  p_Text(buttonX + 40, buttonY + 8, address, 0, 1);

  bool closing = m_mouseDown > 0;
  for (int code = 10; code <= 13; ++code) closing = closing || p_PlayKey(code, 1, 0);
  if (closing && p_LatchesClear()) {
    m_sidePanelOpen = 0;
    p_PlaySFX(99, 1, 1, 0);
    p_SetLatches();
  }
}

// Eleven dots turning with the scroll: grey, the eight colours, white, grey.
void c_MyApp::p_CreditDots(float centreX, float centreY) {
  p_ResetDraw();
  for (int i = 0; i <= 10; ++i) {
    float turn = 4 * (6.0f * i - m_creditScroll / 16 + m_creditTop);  // degrees
    p_Ink(i, 1);  // presets 1..9 are the colours; 0 and 10 grey
    p_Alpha(0.3f);
    p_Oval(centreX + 100 * SinDeg(turn), centreY - 100 * CosDeg(turn), 32, 32);
  }
  p_ResetDraw();
}

void c_MyApp::p_Credits(float x, float middleY) {
  int lineCount = ko_Quarzel_CreditText.Length() - 1;  // the final "End" is never shown
  if (lineCount <= 0) return;
  p_ResetDraw();
  for (int k = -3; k <= 4; ++k) {
    float offset = 16.0f * k + m_creditScroll;
    float fade = Clamp(std::fabs(offset / 40) - 0.3f, 0, 1);
    int line = ((k + m_creditTop) % lineCount + lineCount) % lineCount;
    p_Alpha(1 - fade);
    p_Text(x, offset + middleY + 24 - fade * 24, ko_Quarzel_CreditText[line], 0.8f, 0.8f);
  }
  p_ResetDraw();
}

// Sizes and rates, right-aligned at the top of the open strip.
void c_MyApp::p_StripStats(float x) {
  static const String stats(u"Debug Stats"), engine(u"Engine"), screen(u"Screen"), fps(u"FPS"), by(u"x"),
      between(u" : ");
  String virtualSize = String(Trunc(ko_Quarzel_jscrw)) + by + String(Trunc(ko_Quarzel_jscrh));
  String deviceSize = String(ko_app_DeviceWidth()) + by + String(ko_app_DeviceHeight());
  String rates = String(m_updateFpsAvg) + between + String(m_renderFpsAvg);
  struct Line {
    float y;
    const String& text;
  } lines[] = {{16, stats}, {32, engine}, {44, virtualSize}, {60, screen}, {72, deviceSize}, {88, fps}, {100, rates}};
  p_ResetDraw();
  for (const Line& line : lines) p_Text(x, line.y, line.text, 2, 1);
}
