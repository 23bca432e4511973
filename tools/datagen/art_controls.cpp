// "common/icons" (32 × 32, 16 frames) and "common/dpad" (32 × 32, 16 frames): the control symbols.
//
// Icons are white lines over a coloured glow: the game tints several of them (the play icon green, the
// selection marker yellow), and a white core takes any tint cleanly. The on-screen pad's arrows and centre
// (frames 1, 4, 5, 6, 9) sit in a plus in the four-column grid exactly as the game places them, one frame
// apart, so they are painted as one cross cut at the frame borders and join without seams on screen.
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/palette.h"

namespace datagen {
namespace {

using artkit::Pen;
using artkit::Rgba;
using artkit::Vec2;

constexpr float kLine = 2.4f;  // icon stroke width, design units

// A white line inside a coloured halo: readable on any background and under any tint.
void glowLine(const Pen& pen, const std::vector<Vec2>& points, bool closed, Rgba glow, float width = kLine) {
  artkit::strokePath(pen, points, closed, width + 1.2f, palette::neon(glow, 3.0f, 0.0f));
  artkit::strokePath(pen, points, closed, width, palette::flat(palette::kWhite));
}

void glowFill(const Pen& pen, const std::vector<Vec2>& points, Rgba glow) {
  artkit::fillPolygon(pen, points, palette::neon(glow, 3.0f, 0.0f));
  artkit::fillPolygon(pen, points, palette::flat(palette::kWhite));
}

std::vector<Vec2> ring(float radius) { return artkit::regularPolygon({0, 0}, radius, 48, 0); }

void iconPause(const Pen& pen) {
  glowLine(pen, ring(13), true, palette::kCyan);
  glowLine(pen, {{-3.5f, -6}, {-3.5f, 6}}, false, palette::kCyan, 3.2f);
  glowLine(pen, {{3.5f, -6}, {3.5f, 6}}, false, palette::kCyan, 3.2f);
}

void iconQuit(const Pen& pen) {
  glowLine(pen, ring(13), true, palette::kRed);
  glowLine(pen, {{-5.5f, -5.5f}, {5.5f, 5.5f}}, false, palette::kRed, 3);
  glowLine(pen, {{5.5f, -5.5f}, {-5.5f, 5.5f}}, false, palette::kRed, 3);
}

void iconPlay(const Pen& pen) {
  glowLine(pen, ring(13), true, palette::kGreen);
  glowFill(pen, {{-4, -7}, {8, 0}, {-4, 7}}, palette::kGreen);
}

void iconStop(const Pen& pen) {
  glowLine(pen, ring(13), true, palette::kCyan);
  glowFill(pen, {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, palette::kCyan);
}

void iconBack(const Pen& pen) {
  glowLine(pen, artkit::arcPoints({0, 1}, 8, 270, 500, 24), false, palette::kCyan);
  glowFill(pen, {{-13, -7}, {-5, -12}, {-5, -2}}, palette::kCyan);
}

void iconCheck(const Pen& pen) { glowLine(pen, {{-9, 0}, {-3, 7}, {10, -8}}, false, palette::kGreen, 3.4f); }

// Corner brackets at the frame's edge: drawn enlarged around a button without covering its face.
void iconSelection(const Pen& pen) {
  for (int corner = 0; corner < 4; ++corner) {
    const float sx = corner % 2 ? 1.0f : -1.0f, sy = corner / 2 ? 1.0f : -1.0f;
    glowLine(pen, {{sx * 13, sy * 5}, {sx * 13, sy * 13}, {sx * 5, sy * 13}}, false, palette::kYellow, 2);
  }
}

// Tilt calibration: a spirit level with its bubble centred, between two turning arrows.
void iconTilt(const Pen& pen) {
  glowLine(pen, {{-10, -3}, {10, -3}, {10, 3}, {-10, 3}}, true, palette::kGreen, 1.8f);
  artkit::fillCircle(pen, {0, 0}, 2.2f, palette::neon(palette::kGreen, 2, 0.8f));
  glowLine(pen, artkit::arcPoints({0, 0}, 12, 300, 420, 16), false, palette::kGreen, 1.8f);
  glowLine(pen, artkit::arcPoints({0, 0}, 12, 120, 240, 16), false, palette::kGreen, 1.8f);
}

void iconSpeaker(const Pen& pen) {
  glowFill(pen, {{-10, -3}, {-5, -3}, {1, -9}, {1, 9}, {-5, 3}, {-10, 3}}, palette::kCyan);
  glowLine(pen, artkit::arcPoints({1, 0}, 6, 50, 130, 8), false, palette::kCyan, 2);
  glowLine(pen, artkit::arcPoints({1, 0}, 10, 45, 135, 10), false, palette::kCyan, 2);
}

void iconNote(const Pen& pen) {
  glowLine(pen, {{-3, 7}, {-3, -10}, {7, -12}, {7, 4}}, false, palette::kMagenta, 2.2f);
  artkit::fillCircle(pen, {-6, 7}, 3.5f, palette::neon(palette::kMagenta, 2.5f, 0.9f));
  artkit::fillCircle(pen, {4, 4}, 3.5f, palette::neon(palette::kMagenta, 2.5f, 0.9f));
}

void iconStar(const Pen& pen) { glowLine(pen, artkit::starPolygon({0, 1}, 12, 5, 5, 0), true, palette::kYellow); }
void iconPlus(const Pen& pen) {
  glowLine(pen, {{0, -9}, {0, 9}}, false, palette::kGreen, 3.4f);
  glowLine(pen, {{-9, 0}, {9, 0}}, false, palette::kGreen, 3.4f);
}
void iconMinus(const Pen& pen) { glowLine(pen, {{-9, 0}, {9, 0}}, false, palette::kRed, 3.4f); }
void iconQuestion(const Pen& pen) {
  glowLine(pen, ring(13), true, palette::kViolet);
  glowLine(pen, {{-4, -4}, {-4, -6}, {-2, -8}, {2, -8}, {4, -6}, {4, -3}, {0, 0}, {0, 3}}, false, palette::kViolet, 2.2f);
  artkit::fillCircle(pen, {0, 7.5f}, 1.6f, palette::neon(palette::kViolet, 2, 0.9f));
}
void iconHeart(const Pen& pen) {
  glowLine(pen, {{0, -4}, {3, -8}, {7, -8}, {10, -5}, {10, -1}, {0, 9}, {-10, -1}, {-10, -5}, {-7, -8}, {-3, -8}}, true,
           palette::kRed);
}
void iconEmpty(const Pen&) {}

using IconPainter = void (*)(const Pen&);
const IconPainter kIcons[16] = {
    iconPause, iconQuit, iconStop, iconPlay, iconBack, iconCheck, iconSelection, iconTilt,
    iconSpeaker, iconNote, iconStar, iconPlus, iconMinus, iconQuestion, iconHeart, iconEmpty,
};

// The pad's plus, centred on frame 5: arms 28 units wide reaching 44 units out.
std::vector<Vec2> padCross() {
  const float w = 14, r = 44, c = 4;  // half arm width, arm reach, corner cut
  return {{-w, -r + c}, {-w + c, -r}, {w - c, -r}, {w, -r + c}, {w, -w}, {r - c, -w}, {r, -w + c}, {r, w - c},
          {r - c, w}, {w, w}, {w, r - c}, {w - c, r}, {-w + c, r}, {-w, r - c}, {-w, w}, {-r + c, w},
          {-r, w - c}, {-r, -w + c}, {-r + c, -w}, {-w, -w}};
}

void paintPadPiece(const Pen& pen, int frame) {
  const std::vector<Vec2> cross = padCross();
  artkit::fillPolygon(pen, cross, palette::body(palette::kCyan, 0.6f));
  artkit::strokePath(pen, cross, true, 1.6f, palette::neon(palette::kCyan, 3, 0.3f));
  const float arrowDegrees[4] = {0, 270, 90, 180};  // frames 1 up, 4 left, 6 right, 9 down
  const int arrowFrames[4] = {1, 4, 6, 9};
  for (int i = 0; i < 4; ++i) {
    if (arrowFrames[i] != frame) continue;
    const float a = arrowDegrees[i];
    const Vec2 tip = artkit::polar({0, 0}, 40, a);
    glowFill(pen, {tip, artkit::polar(tip, 11, a + 150), artkit::polar(tip, 11, a + 210)}, palette::kCyan);
  }
  if (frame == 5) glowLine(pen, ring(6), true, palette::kCyan, 1.6f);
}

void paintFireButton(const Pen& pen, Rgba colour) {
  artkit::fillCircle(pen, {0, 0}, 12.5f, palette::body(colour, 0.7f));
  artkit::strokeCircle(pen, {0, 0}, 12.5f, 1.8f, palette::neon(colour, 3, 0.4f));
  artkit::strokeCircle(pen, {0, 0}, 7, 1.2f, palette::neon(colour, 2, 0.4f));
  artkit::fillCircle(pen, {0, 0}, 3, palette::neon(colour, 2.5f, 0.9f));
}

}  // namespace

void paintIcons(Atlas& atlas) {
  for (int frame = 0; frame < 16; ++frame) kIcons[frame](atlas.framePen(frame));
}

void paintDpad(Atlas& atlas) {
  paintFireButton(atlas.framePen(0), palette::kMagenta);
  paintFireButton(atlas.framePen(2), palette::kCyan);  // a second button colour, free for later use
  for (int frame : {1, 4, 5, 6, 9}) paintPadPiece(atlas.framePenFrom(frame, 5), frame);
}

}  // namespace datagen
