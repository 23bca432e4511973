// The icon frames of the game font: what the text escapes "¬J" .. "¬D" draw.
//
// Escape letters in order J K L I U O Q E F W S A D; the joypad set is frames 96..108 and the keyboard set
// the same order at 112..124. The joypad icons show the control the game key maps to: J K L I the bottom,
// right, left and top face buttons, U and O the left and right shoulders, Q and E the back and start
// buttons, F the whole d-pad and W S A D its four directions. Frame 109 (all face buttons pressed) and 110
// (both shoulders pressed) are the blink frames; the d-pad directions blink to frame 104, the plain d-pad.
// Keyboard icons are the key letter on a key cap. Everything fits the 16-unit cell around its centre.
#include <vector>

#include "artkit/stroke_font.h"
#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

constexpr char kEscapeLetters[13] = {'J', 'K', 'L', 'I', 'U', 'O', 'Q', 'E', 'F', 'W', 'S', 'A', 'D'};
constexpr int kJoypadFirst = 96, kKeyboardFirst = 112, kFaceBlink = 109, kShoulderBlink = 110;
const Rgba kUnlit{0.55f, 0.62f, 0.75f, 1};

enum Face { kBottom, kRight, kLeft, kTop, kAllFaces, kNoFace };

void faceButtons(const Pen& pen, Face lit) {
  const Vec2 spots[4] = {{0, 4.5f}, {4.5f, 0}, {-4.5f, 0}, {0, -4.5f}};
  const Rgba colours[4] = {palette::kGreen, palette::kRed, palette::kBlue, palette::kYellow};
  for (int i = 0; i < 4; ++i) {
    const bool on = lit == kAllFaces || lit == i;
    artkit::fillCircle(pen, spots[i], 2.6f, palette::flat(palette::kNight));
    if (on) artkit::fillCircle(pen, spots[i], 2.4f, palette::neon(colours[i], 1.5f, lit == kAllFaces ? 0.7f : 0.3f));
    else artkit::strokeCircle(pen, spots[i], 2.0f, 0.8f, palette::flat(kUnlit));
  }
}

void shoulders(const Pen& pen, bool leftLit, bool rightLit) {
  for (int side = 0; side < 2; ++side) {
    const float s = side ? 1.0f : -1.0f;
    const std::vector<Vec2> bumper = {{s * 1, -1}, {s * 1, -4}, {s * 5, -4}, {s * 7, -2}, {s * 7, -1}};
    const bool on = side ? rightLit : leftLit;
    artkit::fillPolygon(pen, bumper, on ? palette::neon(palette::kCyan, 1.5f, 0.6f) : palette::flat(palette::kNight));
    artkit::strokePath(pen, bumper, true, 0.8f, palette::flat(on ? palette::kWhite : kUnlit));
  }
  // The pad's body under the bumpers, so the pair reads as the top of a controller.
  artkit::strokePath(pen, std::vector<Vec2>{{-7, 1}, {7, 1}, {7, 5}, {4, 7}, {-4, 7}, {-7, 5}}, true, 0.8f,
                     palette::flat(kUnlit));
}

void systemButton(const Pen& pen, bool start) {
  const std::vector<Vec2> pill = {{-6, -3}, {6, -3}, {7, -2}, {7, 2}, {6, 3}, {-6, 3}, {-7, 2}, {-7, -2}};
  artkit::fillPolygon(pen, pill, palette::flat(palette::kNight));
  artkit::strokePath(pen, pill, true, 0.9f, palette::flat(kUnlit));
  const std::vector<Vec2> arrow = start ? std::vector<Vec2>{{-2, -2}, {3, 0}, {-2, 2}} : std::vector<Vec2>{{2, -2}, {-3, 0}, {2, 2}};
  artkit::fillPolygon(pen, arrow, palette::neon(palette::kWhite, 1, 0.5f));
}

// d-pad with one arm lit: 0 up, 1 down, 2 left, 3 right, −1 none.
void dpad(const Pen& pen, int litArm) {
  const float w = 2.5f, r = 6.5f;
  const std::vector<Vec2> cross = {{-w, -r}, {w, -r}, {w, -w}, {r, -w}, {r, w}, {w, w}, {w, r}, {-w, r},
                                   {-w, w}, {-r, w}, {-r, -w}, {-w, -w}};
  artkit::fillPolygon(pen, cross, palette::flat(palette::kNight));
  const float armDegrees[4] = {0, 180, 270, 90};
  if (litArm >= 0) {
    const float a = armDegrees[litArm];
    const Vec2 tip = artkit::polar({0, 0}, 6, a);
    artkit::fillPolygon(pen, std::vector<Vec2>{tip, artkit::polar(tip, 4.5f, a + 150), artkit::polar(tip, 4.5f, a + 210)},
                        palette::neon(palette::kCyan, 1.5f, 0.6f));
  }
  artkit::strokePath(pen, cross, true, 0.9f, palette::flat(litArm >= 0 ? palette::kWhite : kUnlit));
}

void joypadIcon(const Pen& pen, char letter) {
  switch (letter) {
    case 'J': return faceButtons(pen, kBottom);
    case 'K': return faceButtons(pen, kRight);
    case 'L': return faceButtons(pen, kLeft);
    case 'I': return faceButtons(pen, kTop);
    case 'U': return shoulders(pen, true, false);
    case 'O': return shoulders(pen, false, true);
    case 'Q': return systemButton(pen, false);
    case 'E': return systemButton(pen, true);
    case 'F': return dpad(pen, -1);
    case 'W': return dpad(pen, 0);
    case 'S': return dpad(pen, 1);
    case 'A': return dpad(pen, 2);
    case 'D': return dpad(pen, 3);
    default: return;
  }
}

void keyCap(const Pen& pen, char letter) {
  const std::vector<Vec2> cap = {{-5.5f, -6.5f}, {5.5f, -6.5f}, {6.5f, -5.5f}, {6.5f, 6.5f},
                                 {-6.5f, 6.5f}, {-6.5f, -5.5f}};
  artkit::fillPolygon(pen, cap, palette::flat({0.10f, 0.12f, 0.22f, 0.95f}));
  artkit::strokePath(pen, cap, true, 1.0f, palette::flat({0.80f, 0.88f, 1.0f, 1}));
  artkit::strokeLine(pen, {-5.5f, 5.0f}, {5.5f, 5.0f}, 0.8f, palette::flat(kUnlit));  // the cap's front lip
  artkit::drawGlyph(pen, letter, {-2, -5}, 1, pen.scale > 1 ? 0.8f : 1.0f, palette::flat(palette::kWhite));
}

}  // namespace

void paintFontIcons(Atlas& atlas) {
  for (int i = 0; i < 13; ++i) {
    joypadIcon(atlas.framePen(kJoypadFirst + i), kEscapeLetters[i]);
    keyCap(atlas.framePen(kKeyboardFirst + i), kEscapeLetters[i]);
  }
  faceButtons(atlas.framePen(kFaceBlink), kAllFaces);
  shoulders(atlas.framePen(kShoulderBlink), true, true);
}

}  // namespace datagen
