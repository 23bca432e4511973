// Synthesised sound files (see tone_host.h).
#include "tests/audio/tone_host.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// One sample, little-endian, signed, `width` bytes, from a level on the 16-bit scale.
unsigned char* put_sample(unsigned char* out, int32_t level, int width) {
  if (width == 3) level *= 256;  // 24-bit: the same loudness
  for (int b = 0; b < width; ++b) *out++ = static_cast<unsigned char>(level >> (8 * b));
  return out;
}

}  // namespace

unsigned char* ToneHost::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  std::string name = path.ToCString().c_str();
  requested.push_back(name);
  auto found = files.find(name);
  if (found == files.end()) return nullptr;
  const Tone& tone = found->second;
  int frames = static_cast<int>(std::lround(tone.seconds * tone.hertz));
  size_t bytes = static_cast<size_t>(frames) * tone.channels * tone.bytesPerSample;
  auto* pcm = static_cast<unsigned char*>(std::malloc(bytes + 1));
  unsigned char* out = pcm;
  for (int i = 0; i < frames; ++i) {
    double phase = 2 * M_PI * tone.frequency * i / tone.hertz;
    auto level = static_cast<int32_t>(std::lround(std::sin(phase) * tone.amplitude * 32767));
    for (int c = 0; c < tone.channels; ++c) out = put_sample(out, level, tone.bytesPerSample);
  }
  *length = frames;
  *channels = tone.channels;
  *format = tone.bytesPerSample;
  *hertz = tone.hertz;
  return pcm;
}

std::unique_ptr<KoAudioStream> ToneHost::OpenAudioStream(String path) {
  auto found = oggFiles.find(path.ToCString().c_str());
  if (found == oggFiles.end()) return KoGame::OpenAudioStream(path);
  std::FILE* file = fmemopen(found->second.data(), found->second.size(), "rb");
  return file ? OpenOggStream(file) : nullptr;
}
