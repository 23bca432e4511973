// Channel behaviour on OpenAL Soft (loopback device): states as sounds play and end, restarting a busy
// channel, application suspend, running out of sources, and when a discarded or collected sample's buffer
// is really deleted, and the tune's buffer given up as soon as the music stops.
#include <gtest/gtest.h>

#include <vector>

#include "tests/audio/loopback.h"

namespace {

using Channels = AudioOnLoopback;

Tone Lasting(float seconds, float frequency = 440) {
  Tone tone;
  tone.seconds = seconds;
  tone.frequency = frequency;
  return tone;
}

TEST_F(Channels, StatesFollowTheSoundsAsTheyPlayAndEnd) {
  audio->PlaySample(Load("short.wav", Lasting(0.1f)), 0, 0);
  audio->PlaySample(Load("looped.wav", Lasting(0.1f)), 1, 1);
  audio->PlaySample(Load("shorter.wav", Lasting(0.05f)), 2, 0);
  audio->Render(0.07f);
  EXPECT_EQ(audio->ChannelState(0), 1) << "still playing";
  audio->PauseChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0) << "paused after it had ended";
  audio->ResumeChannel(2);
  EXPECT_EQ(audio->ChannelState(2), 0);
  EXPECT_EQ(gxtkSourceState(audio->channels[2].source), AL_STOPPED) << "resume does not replay an ended sound";
  audio->Render(0.25f);
  EXPECT_EQ(audio->ChannelState(0), 0) << "ended";
  EXPECT_EQ(audio->ChannelState(1), 1) << "a looping sound plays on";
  audio->PauseChannel(1);
  EXPECT_EQ(audio->ChannelState(1), 2);
  EXPECT_EQ(Rms(Side(audio->Render(0.05f), 2)), 0);
  audio->ResumeChannel(1);
  EXPECT_EQ(audio->ChannelState(1), 1);
  EXPECT_GT(Rms(Side(audio->Render(0.05f), 2)), 0.1f);
}

TEST_F(Channels, PlayingOnABusyChannelStartsTheNewSoundFromItsBeginning) {
  audio->PlaySample(Load("low.wav", Lasting(0.2f, 440)), 0, 0);
  audio->Render(0.1f);
  audio->PlaySample(Load("high.wav", Lasting(0.2f, 880)), 0, 0);
  std::vector<float> out = Side(audio->Render(0.4f), 2);
  EXPECT_NEAR(Frequency(out), 880, 880 * 0.01) << "nothing left of the first sound";
  EXPECT_NEAR(AudibleSeconds(out), 0.2, 0.005);
}

TEST_F(Channels, ResumeRestartsExactlyWhatSuspendSilenced) {
  audio->PlaySample(Load("playing.wav", Lasting(0.2f, 440)), 0, 1);
  audio->PlaySample(Load("paused.wav", Lasting(0.2f, 880)), 1, 1);
  audio->PauseChannel(1);
  audio->PlaySample(Load("ended.wav", Lasting(0.02f, 660)), 2, 0);  // ends unnoticed: its state stays 1
  audio->Render(0.05f);
  audio->Suspend();
  EXPECT_EQ(Rms(Side(audio->Render(0.05f), 2)), 0);
  EXPECT_EQ(gxtkSourceState(audio->channels[0].source), AL_PAUSED);
  EXPECT_EQ(audio->ChannelState(0), 1) << "the application still sees it playing";
  audio->Resume();
  std::vector<float> out = Side(audio->Render(0.1f), 2);
  EXPECT_NEAR(Frequency(out), 440, 440 * 0.01) << "only channel 0 sounds";
  EXPECT_EQ(gxtkSourceState(audio->channels[1].source), AL_PAUSED);
  EXPECT_EQ(audio->ChannelState(1), 2);
  EXPECT_EQ(gxtkSourceState(audio->channels[2].source), AL_STOPPED);
}

// Leaves OpenAL without a free source until the end of the test.
class OutOfSources {
 public:
  OutOfSources() {
    for (ALuint source = 1; source;) {
      alGetError();
      alGenSources(1, &source);
      if (alGetError() != AL_NO_ERROR) break;
      held.push_back(source);
    }
  }
  ~OutOfSources() { alDeleteSources(static_cast<ALsizei>(held.size()), held.data()); }
  std::vector<ALuint> held;
};

TEST_F(Channels, WithoutFreeSourcesAStoppedChannelsSourceIsTakenOver) {
  gxtkSample* sample = Load("looped.wav", Lasting(0.1f));
  audio->PlaySample(sample, 0, 1);
  audio->PlaySample(sample, 1, 1);
  audio->SetVolume(1, 0.25f);
  audio->StopChannel(1);
  ALuint stopped = audio->channels[1].source;
  ASSERT_EQ(audio->channels[20].source, 0u);
  OutOfSources exhausted;
  ASSERT_GT(exhausted.held.size(), 0u);

  EXPECT_EQ(audio->PlaySample(sample, 20, 1), 0);
  EXPECT_EQ(audio->channels[20].source, stopped);
  EXPECT_EQ(audio->channels[1].source, 0u);
  ALfloat gain = 0;
  alGetSourcef(stopped, AL_GAIN, &gain);
  EXPECT_EQ(gain, 1) << "the other channel's volume stays behind";

  for (int c = 0; c < 32; ++c) {
    if (audio->channels[c].source) audio->PlaySample(sample, c, 1);
  }
  EXPECT_EQ(audio->PlaySample(sample, 21, 1), -1) << "every source is busy";
  EXPECT_EQ(audio->ChannelState(21), 0);
}

TEST_F(Channels, ADiscardedSampleKeepsItsBufferUntilItsChannelStoppedAndAFlush) {
  gxtkSample* playing = Load("discarded.wav", Lasting(0.1f));
  gxtkSample* other = Load("other.wav", Lasting(0.1f));
  ALuint buffer = playing->buffer;
  audio->PlaySample(playing, 0, 0);
  playing->Discard();
  Load("flush.wav", Lasting(0.1f));
  EXPECT_TRUE(alIsBuffer(buffer)) << "still playing";
  audio->Render(0.2f);
  EXPECT_EQ(audio->ChannelState(0), 0);
  EXPECT_TRUE(alIsBuffer(buffer)) << "nothing deleted between flushes";
  audio->PlaySample(other, 1, 0);
  EXPECT_FALSE(alIsBuffer(buffer));
}

// A tune nobody else can play again: stopping the music deletes its buffers at once, and the next tune opens
// with the old one's buffers already gone. Pausing keeps them, and sound effects keep theirs.
TEST_F(Channels, TheTunesBuffersGoWhenTheMusicStops) {
  host.files["tarsil://data/first.ogg"] = Lasting(0.2f, 440);
  host.files["tarsil://data/second.ogg"] = Lasting(0.2f, 880);
  gxtkSample* effect = Load("effect.wav", Lasting(0.1f));
  audio->PlaySample(effect, 0, 1);
  auto tuneBuffer = [&] { return audio->music->Buffer(gxtkMusic::kPieces - 1); };
  ASSERT_EQ(audio->PlayMusic(String("tarsil://data/first.ogg"), 1), 0);
  ALuint first = tuneBuffer();
  audio->PauseMusic();
  audio->Render(0.05f);
  EXPECT_TRUE(alIsBuffer(first)) << "paused music can resume";
  audio->StopMusic();
  EXPECT_FALSE(alIsBuffer(first));
  audio->ResumeMusic();
  EXPECT_EQ(audio->MusicState(), 0);

  ASSERT_EQ(audio->PlayMusic(String("tarsil://data/first.ogg"), 1), 0);
  first = tuneBuffer();
  ASSERT_EQ(audio->PlayMusic(String("tarsil://data/second.ogg"), 1), 0);
  ALuint second = tuneBuffer();
  EXPECT_TRUE(second == first || !alIsBuffer(first)) << "the old tune's buffer was deleted (its name may be reused)";
  EXPECT_EQ(audio->MusicState(), 1);
  EXPECT_TRUE(alIsBuffer(effect->buffer));
  EXPECT_EQ(audio->ChannelState(0), 1) << "the effect plays on";
}

GlobalRef<gxtkSample> kept;

// Everything unreachable is destroyed: two full cycles put it on the free list, the flush destroys it.
void CollectEverything() {
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(1 << 30);
}

TEST_F(Channels, ADroppedSoundPlaysToItsEndAndIsThenCollected) {
  gc_set_checking(true);
  kept = Load("kept.wav", Lasting(0.1f));
  gxtkSample* dropped = Load("dropped.wav", Lasting(0.2f));
  const void* droppedAddress = dropped;
  ALuint buffer = dropped->buffer;
  audio->PlaySample(dropped, 0, 0);
  dropped = nullptr;
  CollectEverything();
  EXPECT_TRUE(gc_is_object(droppedAddress)) << "kept alive by its playing channel";
  audio->Render(0.3f);
  CollectEverything();
  EXPECT_FALSE(gc_is_object(droppedAddress));
  EXPECT_TRUE(alIsBuffer(buffer)) << "queued, not deleted";
  audio->PlaySample(kept, 1, 0);  // flushes
  EXPECT_FALSE(alIsBuffer(buffer));
  kept = nullptr;
  gc_set_checking(false);
}

}  // namespace
