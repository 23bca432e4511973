// The loopback audio device and the measures of rendered output (see loopback.h).
#include "tests/audio/loopback.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kAudible = 1e-3f;  // of full scale; the mixer's rounding stays far below

// Indices of the first and last audible samples, or {0, -1} when all is silent.
std::pair<int, int> AudibleSpan(const std::vector<float>& samples) {
  int first = 0, last = static_cast<int>(samples.size()) - 1;
  while (first <= last && std::fabs(samples[first]) < kAudible) ++first;
  while (last >= first && std::fabs(samples[last]) < kAudible) --last;
  return first <= last ? std::pair{first, last} : std::pair{0, -1};
}

}  // namespace

std::vector<float> Side(const std::vector<StereoFrame>& frames, int side) {
  std::vector<float> samples;
  for (const StereoFrame& frame : frames) {
    samples.push_back(side == 0 ? frame.left : side == 1 ? frame.right : frame.left + frame.right);
  }
  return samples;
}

float Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float sample : samples) sum += double{sample} * sample;
  return samples.empty() ? 0 : static_cast<float>(std::sqrt(sum / samples.size()));
}

float AudibleSeconds(const std::vector<float>& samples) {
  auto [first, last] = AudibleSpan(samples);
  return static_cast<float>(last - first + 1) / LoopbackAudio::kHertz;
}

float Frequency(const std::vector<float>& samples) {
  auto [first, last] = AudibleSpan(samples);
  int crossings = 0, firstCrossing = -1, lastCrossing = -1;
  for (int i = first + 1; i <= last; ++i) {
    if (!(samples[i - 1] < 0 && samples[i] >= 0)) continue;
    if (firstCrossing < 0) firstCrossing = i;
    lastCrossing = i;
    ++crossings;
  }
  if (crossings < 2) return 0;
  return static_cast<float>(crossings - 1) * LoopbackAudio::kHertz / (lastCrossing - firstCrossing);
}

float LargestStep(const std::vector<float>& samples) {
  float largest = 0;
  for (size_t i = 1; i < samples.size(); ++i) largest = std::fmax(largest, std::fabs(samples[i] - samples[i - 1]));
  return largest;
}

ToneHost AudioOnLoopback::host;

void AudioOnLoopback::SetUp() {
  audio = LoopbackAudio::Get();
  for (int c = 0; c < gxtkAudio::kChannelCount; ++c) {
    audio->StopChannel(c);
    if (!audio->channels[c].source) continue;
    audio->SetVolume(c, 1);
    audio->SetPan(c, 0);
    audio->SetRate(c, 1);
  }
}

gxtkSample* AudioOnLoopback::Load(const std::string& path, Tone tone) {
  host.files[path] = tone;
  return audio->LoadSample(String(path.c_str()));
}
