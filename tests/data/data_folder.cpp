// Readers of data_folder.h.
#include "data_folder.h"
#include "tests/support/build_paths.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#define STB_VORBIS_HEADER_ONLY
#include <stb_image.h>
#include <stb_vorbis.h>

namespace datatest {

std::string dataPath(const std::string& relative) { return std::string(build_paths::kDataDir) + "/" + relative; }

Picture readPicture(const std::string& relative) {
  Picture picture;
  int channels = 0;
  unsigned char* pixels = stbi_load(dataPath(relative).c_str(), &picture.width, &picture.height, &channels, 4);
  if (!pixels) return picture;
  picture.rgba.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 4);
  stbi_image_free(pixels);
  picture.ok = true;
  return picture;
}

FrameRect frameRect(const Picture& picture, int frameW, int frameH, int index) {
  const int columns = picture.width / frameW;
  return {(index % columns) * frameW, (index / columns) * frameH, frameW, frameH};
}

std::vector<uint8_t> frameBytes(const Picture& picture, const FrameRect& rect) {
  std::vector<uint8_t> bytes;
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    const auto row = picture.rgba.begin() + (static_cast<ptrdiff_t>(y) * picture.width + rect.x) * 4;
    bytes.insert(bytes.end(), row, row + rect.w * 4);
  }
  return bytes;
}

int maxAlpha(const Picture& picture, const FrameRect& rect) {
  int best = 0;
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    for (int x = rect.x; x < rect.x + rect.w; ++x) best = std::max<int>(best, picture.alpha(x, y));
  }
  return best;
}

namespace {

uint32_t little(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

}  // namespace

Sound readWav(const std::string& relative) {
  Sound sound;
  std::ifstream file(dataPath(relative), std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    return sound;
  }
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string tag(b.begin() + at, b.begin() + at + 4);
    const size_t size = little(b, at + 4, 4), body = at + 8;
    if (body + size > b.size()) return sound;  // a chunk running past the end is malformed
    if (tag == "fmt " && size >= 16) {
      if (little(b, body, 2) != 1) return sound;  // integer PCM only
      sound.channels = static_cast<int>(little(b, body + 2, 2));
      sound.sampleRate = static_cast<int>(little(b, body + 4, 4));
      sound.bitsPerSample = static_cast<int>(little(b, body + 14, 2));
      haveFormat = true;
    } else if (tag == "data" && haveFormat && sound.bitsPerSample == 16) {
      for (size_t i = 0; i + 1 < size; i += 2) sound.samples.push_back(static_cast<int16_t>(little(b, body + i, 2)));
      sound.ok = true;
      return sound;
    }
    at = body + size;
  }
  return sound;
}

Sound readOgg(const std::string& relative) {
  Sound sound;
  short* decoded = nullptr;
  const int frames = stb_vorbis_decode_filename(dataPath(relative).c_str(), &sound.channels, &sound.sampleRate, &decoded);
  if (frames <= 0 || !decoded) return sound;
  sound.samples.assign(decoded, decoded + static_cast<size_t>(frames) * sound.channels);
  std::free(decoded);
  sound.bitsPerSample = 16;
  sound.ok = true;
  return sound;
}

}  // namespace datatest
