// The audio device on an OpenAL Soft loopback device, and measures of what it rendered.
//
// Nothing is mixed until a test calls Render, so sounds advance exactly as far as the test says, the same
// on every run. One device per process: buffer and source names of different devices must never meet in
// the device's discarded-buffer list.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "gxtk/audio.h"
#include "tests/audio/tone_host.h"

struct StereoFrame {
  float left, right;
};

class LoopbackAudio : public gxtkAudio {
 public:
  static constexpr int kHertz = 44100;  // output frames per second

  static LoopbackAudio* Get();                    // opened on first use
  std::vector<StereoFrame> Render(float seconds);  // mixes the next `seconds` of output

 private:
  using gxtkAudio::gxtkAudio;
};

// One side of the output: 0 left, 1 right; 2 both added together.
std::vector<float> Side(const std::vector<StereoFrame>& frames, int side);

float Rms(const std::vector<float>& samples);
float AudibleSeconds(const std::vector<float>& samples);  // from the first audible sample to the last
float Frequency(const std::vector<float>& samples);       // hertz, from upward zero crossings while audible
float LargestStep(const std::vector<float>& samples);     // between neighbouring samples: a gap or a click

// Every test starts with all channels stopped and every source at full volume, centred, at normal rate.
class AudioOnLoopback : public ::testing::Test {
 protected:
  void SetUp() override;
  gxtkSample* Load(const std::string& path, Tone tone);  // a sample of the tone, under that path

  static ToneHost host;
  LoopbackAudio* audio = nullptr;
};
