// Writing 16-bit PCM WAV files: a RIFF header with a 16-byte "fmt " chunk followed directly by the "data"
// chunk, the plain layout every WAV reader accepts. Samples are floats in −1..1, clamped, interleaved when
// there is more than one channel.
#pragma once

#include <string>
#include <vector>

namespace datagen {

bool writeWav16(const std::string& path, const std::vector<float>& samples, int channels, int sampleRate);

}  // namespace datagen
