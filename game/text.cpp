// Text with the game's bitmap font: one image command per glyph, icons by "¬" + letter escapes, the
// two-character line break "\n" (a backslash and n as stored), and right-justified number formatting.
//
// Layout contract: the text is prefixed with one space, so every line starts one advance right of its origin;
// the width used for alignment is measured over all but the last character, with icons counted +2, while
// drawing spaces icons by +4 (+6 for ¬U and ¬O), so centred text with icons sits slightly off centre.
#include "game/my_app.h"

namespace {

constexpr char16_t kEscape = 0xAC;  // "¬"

struct Icon {
  char16_t letter;
  int joypadFrame;  // the keyboard set is the same frame + 16
  int drawSpacing;
  int blinkFrame;   // -1: does not blink
};
constexpr Icon kIcons[] = {
    {u'J', 96, 4, 109},  {u'K', 97, 4, 109},  {u'L', 98, 4, 109},  {u'I', 99, 4, 109},  {u'U', 100, 6, 110},
    {u'O', 101, 6, 110}, {u'Q', 102, 4, -1},  {u'E', 103, 4, -1},  {u'F', 104, 4, -1},  {u'W', 105, 4, 104},
    {u'S', 106, 4, 104}, {u'A', 107, 4, 104}, {u'D', 108, 4, 104},
};

// The text as laid out: with one leading space, read in place so that drawing text allocates nothing.
struct SpacedText {
  const String& text;
  int Length() const { return text.Length() + 1; }
  char16_t operator[](int index) const { return index == 0 ? u' ' : text[index - 1]; }
};

const Icon* icon_at(const SpacedText& text, int index) {
  if (text[index] != kEscape || index + 1 >= text.Length()) return nullptr;
  for (const Icon& icon : kIcons) {
    if (icon.letter == text[index + 1]) return &icon;
  }
  return nullptr;  // an unknown letter: the "¬" is an ordinary character
}

// Spacing adjustment of an ordinary character, in font units.
int spacing(char16_t c) {
  switch (c) {
    case u'm': case u'w': return 2;
    case u'M': case u'W': return 1;
    case u'i': case u'f': case u'l': return -3;
    case u'j': case u's': case u'k': case u'r': case u'z': case u't': case u'n': return -1;
    default: return 0;
  }
}

}  // namespace

int c_MyApp::p_Text(float x, float y, String text, float hAlign, float vAlign, int fontOffset) {
  const int kAdvance = m_imgInfo[3 * m_font], kLineHeight = m_imgInfo[3 * m_font + 1];  // font units
  SpacedText line{text};
  int width = 0;  // font advances scaled by the size, truncated at every step
  for (int i = 0; i < line.Length() - 1; ++i) {
    int adjust = spacing(line[i]);
    if (icon_at(line, i)) adjust = 2, ++i;
    width = Trunc(width + (kAdvance + adjust) * m_sizeX);
  }

  float rotation = m_rot;
  float lineHeight = kLineHeight * m_sizeY;
  float verticalShift = (vAlign - 1) * 0.5f;
  float originX = x + SinDeg(-rotation - 90) * width * hAlign * 0.5f + SinDeg(-rotation) * lineHeight * verticalShift;
  float originY = y - CosDeg(-rotation - 90) * width * hAlign * 0.5f - CosDeg(-rotation) * lineHeight * verticalShift;
  float stepX = SinDeg(90 - rotation), stepY = -CosDeg(90 - rotation);  // along the baseline
  bool blinking = m_controlMode == 1 && static_cast<unsigned>(ko_app_Millisecs()) % 500 < 200;

  float penX = originX, penY = originY;
  int lineNumber = 0;
  for (int i = 0; i < line.Length(); ++i) {
    if (line[i] == u'\\' && i + 1 < line.Length() && line[i + 1] == u'n') {
      ++i;
      float down = kLineHeight * m_sizeY * ++lineNumber;
      penX = originX + SinDeg(180 - rotation) * down + stepX * kAdvance * m_sizeX;
      penY = originY - CosDeg(180 - rotation) * down + stepY * kAdvance * m_sizeX;
      continue;
    }
    int frame, adjust;
    if (const Icon* icon = icon_at(line, i)) {
      ++i;
      frame = m_controlMode != 0 ? icon->joypadFrame : icon->joypadFrame + 16;
      if (blinking && icon->blinkFrame >= 0) frame = icon->blinkFrame;
      adjust = icon->drawSpacing;
    } else {
      frame = line[i] - 32;
      adjust = spacing(line[i]);
    }
    if (frame == -32) continue;  // a NUL takes no room
    if (frame >= 1 && frame <= 127) p_DrawImg(m_font + fontOffset, penX, penY, static_cast<float>(frame));
    float advance = (kAdvance + adjust) * m_sizeX;
    penX += stepX * advance, penY += stepY * advance;
  }
  return 0;
}

String c_MyApp::p_rstr(int value, int width, String pad) {
  String padded;
  for (int i = 0; i <= width; ++i) padded += pad;
  padded += String(value);
  // Slice counts a negative start from the end; a string shorter than the width (an empty pad) is kept whole.
  int keep = width > 0 ? width : 0;
  return padded.Slice(padded.Length() > keep ? padded.Length() - keep : 0);
}

String c_MyApp::p_rstr2(int value) { return p_rstr(value, 11, String(" ")); }
