// Test-side readers for the generated data folder: PNG pictures through stb_image, WAV files through a small
// header reader of our own, Ogg Vorbis through stb_vorbis. Readers return an empty result (ok = false) for a
// missing or malformed file and never read past the file's end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datatest {

std::string dataPath(const std::string& relative);  // inside the generated data folder

struct Picture {
  bool ok = false;
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // straight alpha, rows top to bottom
  uint8_t alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};
Picture readPicture(const std::string& relative);

// One frame of an atlas cut like the game's loader: left to right, then row by row.
struct FrameRect {
  int x, y, w, h;  // pixels
};
FrameRect frameRect(const Picture& picture, int frameW, int frameH, int index);
// The frame's pixels as bytes, for comparing frames with each other.
std::vector<uint8_t> frameBytes(const Picture& picture, const FrameRect& rect);
int maxAlpha(const Picture& picture, const FrameRect& rect);

struct Sound {
  bool ok = false;
  int channels = 0, sampleRate = 0, bitsPerSample = 0;
  std::vector<int16_t> samples;  // interleaved
  size_t frames() const { return channels ? samples.size() / channels : 0; }
};
Sound readWav(const std::string& relative);
Sound readOgg(const std::string& relative);

}  // namespace datatest
