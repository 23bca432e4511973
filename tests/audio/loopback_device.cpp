// The loopback device (see loopback_device.h).
#include "tests/audio/loopback_device.h"

#include <AL/alext.h>

#include <cmath>
#include <cstdlib>

namespace {
LPALCLOOPBACKOPENDEVICESOFT openLoopback;
LPALCRENDERSAMPLESSOFT renderSamples;
}  // namespace

LoopbackAudio* LoopbackAudio::Get() {
  static LoopbackAudio* device = nullptr;
  if (device) return device;
  openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!openLoopback || !renderSamples) std::abort();
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                               ALC_FREQUENCY, kHertz, ALC_HRTF_SOFT, ALC_FALSE, 0};
  device = new LoopbackAudio(openLoopback(nullptr), attributes);
  return device;
}

std::vector<StereoFrame> LoopbackAudio::Render(float seconds) {
  std::vector<StereoFrame> frames(static_cast<size_t>(std::lround(seconds * kHertz)));
  renderSamples(device, frames.data(), static_cast<ALCsizei>(frames.size()));
  return frames;
}

std::vector<StereoFrame> LoopbackAudio::Play(float seconds) {
  std::vector<StereoFrame> frames;
  for (long update = 0; update < std::lround(seconds * 60); ++update) {
    UpdateMusic();
    std::vector<StereoFrame> step = Render(1.0f / 60);
    frames.insert(frames.end(), step.begin(), step.end());
  }
  return frames;
}
