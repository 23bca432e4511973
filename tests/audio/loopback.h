// Measures of what the loopback device (loopback_device.h) rendered, and the fixture of the tests that use it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/audio/loopback_device.h"
#include "tests/audio/tone_host.h"

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
