// Encoding interleaved float samples (−1..1) as an Ogg Vorbis file with libvorbisenc. Deterministic: a fixed
// stream serial number and no clock, so the same samples give the same bytes.
#pragma once

#include <string>
#include <vector>

namespace datagen {

bool writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels, int sampleRate);

}  // namespace datagen
