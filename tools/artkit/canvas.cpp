// Canvas storage, compositing and PNG output (see canvas.h for the invariants).
#include "artkit/canvas.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "artkit/png_file.h"

namespace artkit {

Rgba mix(Rgba from, Rgba to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Rgba withAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 0.0f) {}

void Canvas::blend(int x, int y, Rgba c, float coverage, Blend mode) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
  float* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  const float a = std::min(1.0f, c.a * coverage);
  switch (mode) {
    case Blend::Over:
      p[0] = c.r * a + p[0] * (1 - a);
      p[1] = c.g * a + p[1] * (1 - a);
      p[2] = c.b * a + p[2] * (1 - a);
      p[3] = a + p[3] * (1 - a);
      break;
    case Blend::Add: {
      p[3] = a + p[3] * (1 - a);
      // Colour may not exceed alpha, or the pixel would stop being a valid premultiplied value.
      p[0] = std::min(p[3], p[0] + c.r * a);
      p[1] = std::min(p[3], p[1] + c.g * a);
      p[2] = std::min(p[3], p[2] + c.b * a);
      break;
    }
    case Blend::Erase:
      for (int i = 0; i < 4; ++i) p[i] *= 1 - a;
      break;
  }
}

Rgba Canvas::premultiplied(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0, 0};
  const float* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

void Canvas::setPremultiplied(int x, int y, Rgba c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
}

void Canvas::drawCanvas(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height_; ++y) {
    for (int x = 0; x < src.width_; ++x) {
      const Rgba s = src.premultiplied(x, y);
      const Rgba d = premultiplied(dx + x, dy + y);
      const float k = 1 - s.a;
      setPremultiplied(dx + x, dy + y, {s.r + d.r * k, s.g + d.g * k, s.b + d.b * k, s.a + d.a * k});
    }
  }
}

static unsigned char toByte(float v) {
  return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

std::vector<unsigned char> Canvas::straightRgba8() const {
  std::vector<unsigned char> out(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    const float a = pixels_[i + 3];
    const unsigned char alpha = toByte(a);
    if (alpha == 0) continue;  // fully transparent pixels stay (0,0,0,0) so files compress well
    for (int k = 0; k < 3; ++k) out[i + k] = toByte(pixels_[i + k] / a);
    out[i + 3] = alpha;
  }
  return out;
}

bool Canvas::writePng(const std::string& path) const {
  if (!makeParentFolders(path)) return false;
  return writePngFile(path, width_, height_, straightRgba8());
}

bool makeParentFolders(const std::string& path) {
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  return !error;
}

}  // namespace artkit
