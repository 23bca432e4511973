// The sounds: every effect is a 16-bit PCM WAV the host can play, of a length that suits its use, audible,
// unclipped and starting and ending at silence; the tune is an Ogg Vorbis stereo track of 45 to 90 seconds
// that loops without a click and without a silent gap at the seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "data_folder.h"

namespace datatest {
namespace {

struct Effect {
  const char* file;
  double minSeconds, maxSeconds;
};

const Effect kEffects[] = {
    {"sfx/001.wav", 0.05, 0.6},   // play
    {"sfx/095.wav", 0.05, 1.0},   // play
    {"sfx/096.wav", 0.3, 2.0},    // logo jingle: short
    {"sfx/098.wav", 0.05, 0.4},   // confirm / back
    {"sfx/099.wav", 0.005, 0.08}, // menu tick: very short
};

int peak(const std::vector<int16_t>& samples) {
  int best = 0;
  for (int16_t s : samples) best = std::max(best, std::abs(static_cast<int>(s)));
  return best;
}

TEST(Effects, AreMonoOrStereo16BitPcmAtAPlayableRate) {
  for (const Effect& effect : kEffects) {
    const Sound sound = readWav(effect.file);
    ASSERT_TRUE(sound.ok) << effect.file;
    EXPECT_EQ(sound.bitsPerSample, 16) << effect.file;
    EXPECT_TRUE(sound.channels == 1 || sound.channels == 2) << effect.file;
    EXPECT_TRUE(sound.sampleRate == 22050 || sound.sampleRate == 44100) << effect.file;
    const double seconds = static_cast<double>(sound.frames()) / sound.sampleRate;
    EXPECT_GE(seconds, effect.minSeconds) << effect.file;
    EXPECT_LE(seconds, effect.maxSeconds) << effect.file;
  }
}

TEST(Effects, AreAudibleUnclippedAndStartAndEndQuietly) {
  for (const Effect& effect : kEffects) {
    const Sound sound = readWav(effect.file);
    ASSERT_TRUE(sound.ok && !sound.samples.empty()) << effect.file;
    EXPECT_GT(peak(sound.samples), 3000) << effect.file;
    EXPECT_LT(peak(sound.samples), 32767) << effect.file;
    EXPECT_LT(std::abs(sound.samples.front()), 300) << effect.file << " starts with a click";
    EXPECT_LT(std::abs(sound.samples.back()), 300) << effect.file << " ends with a click";
  }
}

class Tune : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tune_ = new Sound(readOgg("sfx/testmusic.ogg")); }
  static void TearDownTestSuite() { delete tune_; }
  static Sound* tune_;
};
Sound* Tune::tune_ = nullptr;

TEST_F(Tune, IsAStereoTrackOf45To90Seconds) {
  ASSERT_TRUE(tune_->ok);
  EXPECT_EQ(tune_->channels, 2);
  EXPECT_EQ(tune_->sampleRate, 44100);
  const double seconds = static_cast<double>(tune_->frames()) / tune_->sampleRate;
  EXPECT_GE(seconds, 45.0);
  EXPECT_LE(seconds, 90.0);
}

TEST_F(Tune, IsLoudButNotClipped) {
  ASSERT_TRUE(tune_->ok);
  double sum = 0;
  for (int16_t s : tune_->samples) sum += static_cast<double>(s) * s;
  EXPECT_GT(std::sqrt(sum / tune_->samples.size()), 0.05 * 32768);
  EXPECT_LT(peak(tune_->samples), 32767);
}

// The seam: the last frame must lead into the first like any two neighbouring frames of the music do.
TEST_F(Tune, LastSampleJoinsTheFirstWithoutAClick) {
  ASSERT_TRUE(tune_->ok && tune_->frames() > 1);
  const int channels = tune_->channels;
  const size_t frames = tune_->frames();
  std::vector<int> steps;  // every neighbour-to-neighbour jump inside the track
  for (size_t i = 1; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) steps.push_back(std::abs(tune_->samples[i * channels + c] - tune_->samples[(i - 1) * channels + c]));
  }
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  const int usualLargeStep = steps[steps.size() * 99 / 100];
  for (int c = 0; c < channels; ++c) {
    const int seam = std::abs(tune_->samples[(frames - 1) * channels + c] - tune_->samples[c]);
    EXPECT_LE(seam, std::max(usualLargeStep, 200)) << "channel " << c;
    EXPECT_LT(seam, 1000) << "channel " << c;
  }
}

double rms(const Sound& sound, size_t firstFrame, size_t frameCount) {
  double sum = 0;
  for (size_t i = firstFrame * sound.channels; i < (firstFrame + frameCount) * sound.channels; ++i) {
    sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
  }
  return std::sqrt(sum / (frameCount * sound.channels));
}

// A fade-out or trailing silence would leave an audible hole each time the music wraps around.
TEST_F(Tune, PlaysOnThroughTheSeamWithoutAGap) {
  ASSERT_TRUE(tune_->ok);
  const size_t window = tune_->sampleRate / 10;  // 100 ms either side of the seam
  ASSERT_GT(tune_->frames(), 2 * window);
  const double whole = rms(*tune_, 0, tune_->frames());
  EXPECT_GT(rms(*tune_, tune_->frames() - window, window), 0.3 * whole);
  EXPECT_GT(rms(*tune_, 0, window), 0.3 * whole);
}

}  // namespace
}  // namespace datatest
