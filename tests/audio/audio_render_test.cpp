// What the device really plays, rendered through an OpenAL Soft loopback device: the frequency, length and
// level of a known tone, and how volume, pan, rate and music looping change it.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/audio/loopback.h"

namespace {

using WhatIsPlayed = AudioOnLoopback;

TEST_F(WhatIsPlayed, AToneComesOutAtItsFrequencyAndLengthOnBothSides) {
  Tone tone;  // 440 Hz, 0.25 s, 22050 Hz mono
  audio->PlaySample(Load("a.wav", tone), 0, 0);
  std::vector<StereoFrame> out = audio->Render(0.5f);
  EXPECT_NEAR(Frequency(Side(out, 0)), 440, 440 * 0.01);
  EXPECT_NEAR(AudibleSeconds(Side(out, 0)), 0.25, 0.005);
  EXPECT_NEAR(Rms(Side(out, 0)) / Rms(Side(out, 1)), 1, 0.02) << "pan 0 is the middle";
  EXPECT_GT(Rms(Side(out, 2)), 0.1f);
}

TEST_F(WhatIsPlayed, VolumeScalesTheLevelAndRateScalesFrequencyAndLength) {
  gxtkSample* sample = Load("a.wav", Tone());
  audio->PlaySample(sample, 0, 0);
  float fullLevel = Rms(Side(audio->Render(0.2f), 2));
  audio->PlaySample(sample, 0, 0);
  audio->SetVolume(0, 0.5f);
  EXPECT_NEAR(Rms(Side(audio->Render(0.2f), 2)) / fullLevel, 0.5, 0.01);
  audio->PlaySample(sample, 0, 0);
  audio->SetVolume(0, 1);
  audio->SetRate(0, 2);
  std::vector<float> fast = Side(audio->Render(0.5f), 2);
  EXPECT_NEAR(Frequency(fast), 880, 880 * 0.01);
  EXPECT_NEAR(AudibleSeconds(fast), 0.125, 0.005);
}

TEST_F(WhatIsPlayed, PanMovesTheSoundBetweenLeftAndRight) {
  gxtkSample* sample = Load("a.wav", Tone());
  auto rightOverLeft = [&](float pan) {
    audio->SetPan(0, pan);
    audio->PlaySample(sample, 0, 0);
    std::vector<StereoFrame> out = audio->Render(0.2f);
    return Rms(Side(out, 1)) / Rms(Side(out, 0));
  };
  EXPECT_GT(rightOverLeft(1), 10);
  EXPECT_LT(rightOverLeft(-1), 0.1);
  float slightlyRight = rightOverLeft(0.3f);
  EXPECT_GT(slightlyRight, 1.5);
  EXPECT_LT(slightlyRight, 10) << "a small pan keeps some sound on the left";
}

TEST_F(WhatIsPlayed, LoopingMusicRunsOnWithoutAGap) {
  Tone tune;
  tune.frequency = 450;  // 49 samples a period at 22050 Hz: the 0.2 s file holds exactly 90 periods
  tune.seconds = 0.2f;
  host.files["tarsil://data/music.ogg"] = tune;
  ASSERT_EQ(audio->PlayMusic(String("tarsil://data/music.ogg"), 1), 0);
  std::vector<float> out = Side(audio->Play(1.0f), 2);
  out.erase(out.begin(), out.begin() + 100);  // the start of the first play is not a loop point
  EXPECT_NEAR(AudibleSeconds(out), 1.0f - 100.0f / LoopbackAudio::kHertz, 1e-3) << "silent at the end";
  EXPECT_NEAR(Frequency(out), 450, 450 * 0.005);
  // A sine at 450 Hz moves by at most 2 pi 450 / 44100 of its peak from one output sample to the next.
  float peak = Rms(out) * std::sqrt(2.0f);
  EXPECT_LT(LargestStep(out), peak * 0.08f) << "a gap or a jump at a loop point";
  EXPECT_EQ(audio->MusicState(), 1);
}

}  // namespace
