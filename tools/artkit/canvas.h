// Canvas: a float RGBA picture that every generated image is painted on.
//
// Invariants: pixels are stored premultiplied (r, g, b <= a, all in 0..1) so that stacking glows and strokes
// composites correctly; only writePng converts to straight alpha, 8 bits per channel, the form the game's
// image loader expects. Writes outside the canvas are ignored, never wrapped.
#pragma once

#include <string>
#include <vector>

namespace artkit {

struct Vec2 {
  float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }

// Straight (not premultiplied) colour, every channel 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
};
Rgba mix(Rgba from, Rgba to, float t);
Rgba withAlpha(Rgba c, float a);

enum class Blend {
  Over,   // ordinary painting: source over destination
  Add,    // light: colours add up, alpha unites (glows brighten what they overlap)
  Erase,  // punches coverage out of the destination
};

class Canvas {
 public:
  Canvas(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }

  // Composites colour c at coverage 0..1 onto pixel (x, y).
  void blend(int x, int y, Rgba c, float coverage, Blend mode);
  // Premultiplied pixel value; (0,0,0,0) outside the canvas.
  Rgba premultiplied(int x, int y) const;
  void setPremultiplied(int x, int y, Rgba c);
  // Copies src (premultiplied) over this canvas with its top-left at (dx, dy).
  void drawCanvas(const Canvas& src, int dx, int dy);

  std::vector<unsigned char> straightRgba8() const;
  bool writePng(const std::string& path) const;

 private:
  int width_, height_;
  std::vector<float> pixels_;  // premultiplied RGBA, row-major, top row first
};

// Creates the parent folders of path if needed; false if that fails.
bool makeParentFolders(const std::string& path);

}  // namespace artkit
