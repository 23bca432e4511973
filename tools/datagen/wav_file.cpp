// WAV writer (see wav_file.h). All fields little-endian, written byte by byte so the host's order never matters.
#include "datagen/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "artkit/canvas.h"

namespace datagen {
namespace {

void put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>((v >> 8) & 0xff));
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

}  // namespace

bool writeWav16(const std::string& path, const std::vector<float>& samples, int channels, int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string bytes = "RIFF";
  put32(bytes, 36 + dataBytes);
  bytes += "WAVEfmt ";
  put32(bytes, 16);
  put16(bytes, 1);  // integer PCM
  put16(bytes, channels);
  put32(bytes, sampleRate);
  put32(bytes, sampleRate * channels * 2);  // byte rate
  put16(bytes, channels * 2);               // block align
  put16(bytes, 16);                         // bits per sample
  bytes += "data";
  put32(bytes, dataBytes);
  for (float s : samples) {
    const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    put16(bytes, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  if (!artkit::makeParentFolders(path)) return false;
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace datagen
