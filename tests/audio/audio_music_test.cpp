// Streamed music on the loopback device: a real Ogg Vorbis tune, decoded a piece at a time by the host's decoder,
// must come out exactly as the whole-file decode of the same file, loop after loop, at any volume; a source that
// ran dry, or was paused, goes on from where the tune had got to; a tune played once ends; a damaged file does not
// play.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "host/media/sound_decoders.h"
#include "tests/audio/loopback.h"
#include "tests/host/ogg_encoder.h"

namespace {

class StreamedMusic : public AudioOnLoopback {
 protected:
  void SetUp() override {
    AudioOnLoopback::SetUp();
    file = EncodeVorbisTone(1, LoopbackAudio::kHertz, 30000);
    host.oggFiles[kPath] = file;
    std::FILE* memory = fmemopen(file.data(), file.size(), "rb");
    int frames = 0, channels = 0, format = 0, hertz = 0;
    auto* pcm = reinterpret_cast<short*>(LoadOGG(memory, &frames, &channels, &format, &hertz));
    std::fclose(memory);
    ASSERT_TRUE(pcm != nullptr);
    for (int i = 0; i < frames; ++i) whole.push_back(pcm[i] / 32768.0f);
    std::free(pcm);
  }
  void TearDown() override { audio->StopMusic(); }

  // The left side of `seconds` of output, with or without the updates' top-ups.
  std::vector<float> PlayFor(float seconds, bool updating = true) {
    return Side(updating ? audio->Play(seconds) : audio->Render(seconds), 0);
  }
  // The largest difference between the output and the whole decode from frame `from` on, looping, at `gain`.
  float LargestMismatch(const std::vector<float>& out, size_t from, float gain) {
    float largest = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      largest = std::fmax(largest, std::fabs(out[i] - gain * whole[(from + i) % whole.size()]));
    }
    return largest;
  }
  // Where in the tune the output continues, searched from `from` on: the sound before a stall ends where the tune
  // got to, give or take a few samples that happen to be silent.
  size_t ContinuesAt(const std::vector<float>& out, size_t from, float gain) {
    size_t best = from;
    for (size_t at = from; at < from + 64; ++at) {
      if (LargestMismatch(out, at, gain) < LargestMismatch(out, best, gain)) best = at;
    }
    return best;
  }
  // The mixer's gain for a centred mono source, seen on the left side at the tune's loudest sample.
  float GainOf(const std::vector<float>& out) {
    size_t loudest = 0;
    for (size_t i = 0; i < whole.size(); ++i) loudest = std::fabs(whole[i]) > std::fabs(whole[loudest]) ? i : loudest;
    return out[loudest] / whole[loudest];
  }

  static constexpr const char* kPath = "tarsil://data/tune.ogg";
  std::string file;
  std::vector<float> whole;  // the whole-file decode, full scale 1
};

TEST_F(StreamedMusic, LoopsComeOutAsTheWholeDecodeSampleForSampleAtAnyVolume) {
  ASSERT_EQ(audio->PlayMusic(String(kPath), 1), 0);
  std::vector<float> out = PlayFor(2.5f);  // the 0.68 s tune three times and more: three loop points
  float gain = GainOf(out);
  ASSERT_GT(gain, 0.3f);
  EXPECT_LT(LargestMismatch(out, 0, gain), 1e-4f);
  audio->SetMusicVolume(0.25f);
  std::vector<float> quieter = PlayFor(0.5f);
  constexpr int kRamp = 1024;  // frames over which the mixer eases a change of gain, to avoid a click
  quieter.erase(quieter.begin(), quieter.begin() + kRamp);
  EXPECT_LT(LargestMismatch(quieter, out.size() + kRamp, 0.25f * gain), 1e-4f);
  EXPECT_EQ(audio->MusicState(), 1);
}

TEST_F(StreamedMusic, AfterRunningDryOrBeingSuspendedTheTuneGoesOnWhereItWas) {
  ASSERT_EQ(audio->PlayMusic(String(kPath), 1), 0);
  float gain = GainOf(PlayFor(0.75f));
  size_t played = 45 * LoopbackAudio::kHertz / 60;
  std::vector<float> stalled = PlayFor(1.5f, false);  // no updates for longer than the queue lasts
  EXPECT_EQ(Rms(std::vector<float>(stalled.end() - 1000, stalled.end())), 0) << "run dry";
  EXPECT_EQ(audio->MusicState(), 1) << "running dry is not the end";
  size_t heard = played;  // the end of the sound before the stall
  for (size_t i = 0; i < stalled.size(); ++i) {
    if (stalled[i] != 0) heard = played + i + 1;
  }
  std::vector<float> after = PlayFor(0.5f);
  size_t queued = ContinuesAt(after, heard, gain);
  EXPECT_LT(LargestMismatch(after, queued, gain), 1e-4f) << "from " << queued;

  audio->Suspend();
  EXPECT_EQ(Rms(PlayFor(0.5f)), 0) << "silent while suspended";
  audio->Resume();
  EXPECT_LT(LargestMismatch(PlayFor(0.5f), queued + after.size(), gain), 1e-4f);
}

TEST_F(StreamedMusic, ATunePlayedOnceEndsAfterItsLastPiece) {
  ASSERT_EQ(audio->PlayMusic(String(kPath), 0), 0);
  std::vector<float> out = PlayFor(2.0f);
  EXPECT_NEAR(AudibleSeconds(out), static_cast<float>(whole.size()) / LoopbackAudio::kHertz, 0.01);
  EXPECT_EQ(audio->MusicState(), 0);
}

TEST_F(StreamedMusic, ADamagedFileDoesNotPlayAndStopsTheOldTune) {
  ASSERT_EQ(audio->PlayMusic(String(kPath), 1), 0);
  host.oggFiles["tarsil://data/cut.ogg"] = file.substr(0, file.size() - 100);
  host.oggFiles["tarsil://data/noise.ogg"] = std::string(5000, 'x');
  EXPECT_EQ(audio->PlayMusic(String("tarsil://data/cut.ogg"), 1), -1) << "broken off before its last page";
  EXPECT_EQ(audio->MusicState(), 0);
  EXPECT_EQ(audio->PlayMusic(String("tarsil://data/noise.ogg"), 1), -1);
  EXPECT_EQ(Rms(PlayFor(0.2f)), 0);
}

}  // namespace
