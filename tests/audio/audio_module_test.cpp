// The audio module and the device's guards on the loopback device: data paths, sounds that cannot be
// loaded or played, music that fails, channel numbers out of range, and where pan puts a source.
#include <gtest/gtest.h>

#include <climits>

#include "framework/audio/audio.h"
#include "tests/audio/loopback.h"

namespace {

class AudioModule : public AudioOnLoopback {
 protected:
  void SetUp() override {
    AudioOnLoopback::SetUp();
    ko_audio_SetAudioDevice(audio);
    host.requested.clear();
  }
};

TEST_F(AudioModule, SoundsLoadFromTheDataFolderAndNoSoundPlaysNothing) {
  host.files["tarsil://data/sfx/00.wav"] = Tone();
  host.files["./here.wav"] = Tone();
  c_Sound* sound = ko_audio_LoadSound(String("sfx/00.wav"));
  ASSERT_NE(sound, nullptr);
  EXPECT_NE(ko_audio_LoadSound(String("./here.wav")), nullptr);
  EXPECT_EQ(ko_audio_LoadSound(String("sfx/01.wav")), nullptr);
  EXPECT_EQ(host.requested, (std::vector<std::string>{"tarsil://data/sfx/00.wav", "./here.wav",
                                                      "tarsil://data/sfx/01.wav"}));
  ko_audio_PlaySound(nullptr, 0, 0);
  ko_audio_PlaySound((new c_Sound)->m_new(nullptr), 0, 0);
  EXPECT_EQ(Rms(Side(audio->Render(0.05f), 2)), 0);
  ko_audio_PlaySound(sound, 0, 7);
  audio->Render(0.5f);
  EXPECT_EQ(audio->ChannelState(0), 1) << "any non-zero flags loop";
}

TEST_F(AudioModule, FilesOpenAlCannotTakeLoadAsNoneAndLeaveNoBuffer) {
  Tone deep, surround, rateless;
  deep.bytesPerSample = 3;
  surround.channels = 6;
  rateless.hertz = 0;
  host.files["tarsil://data/deep.wav"] = deep;
  host.files["tarsil://data/surround.wav"] = surround;
  host.files["tarsil://data/rateless.wav"] = rateless;
  ALuint nextName = 0;  // OpenAL Soft hands out the lowest free buffer name
  alGenBuffers(1, &nextName);
  alDeleteBuffers(1, &nextName);
  EXPECT_EQ(ko_audio_LoadSound(String("deep.wav")), nullptr);
  EXPECT_EQ(ko_audio_LoadSound(String("surround.wav")), nullptr);
  EXPECT_EQ(ko_audio_LoadSound(String("rateless.wav")), nullptr);
  ALuint name = 0;
  alGenBuffers(1, &name);
  alDeleteBuffers(1, &name);
  EXPECT_EQ(name, nextName) << "a failed load kept a buffer";
}

TEST_F(AudioModule, MusicOfAMissingFileFailsAndLeavesThePreviousMusicStopped) {
  host.files["tarsil://data/sfx/tune.ogg"] = Tone();
  EXPECT_EQ(ko_audio_PlayMusic(String("sfx/tune.ogg"), 1), 0);
  EXPECT_EQ(audio->MusicState(), 1);
  EXPECT_EQ(ko_audio_PlayMusic(String("sfx/none.ogg"), 1), -1);
  EXPECT_EQ(audio->MusicState(), 0);
  EXPECT_EQ(Rms(Side(audio->Render(0.05f), 2)), 0);
}

TEST_F(AudioModule, ChannelNumbersOutsideTheRangeAreIgnored) {
  gxtkSample* sample = Load("a.wav", Tone());
  for (int channel : {-1, 33, INT_MIN, INT_MAX}) {
    EXPECT_EQ(audio->PlaySample(sample, channel, 1), -1);
    EXPECT_EQ(ko_audio_SetChannelVolume(channel, 0.5f) + ko_audio_SetChannelPan(channel, 1) +
                  ko_audio_SetChannelRate(channel, 2) + ko_audio_StopChannel(channel),
              0);
    EXPECT_EQ(audio->PauseChannel(channel) + audio->ResumeChannel(channel) + audio->ChannelState(channel), 0);
  }
  EXPECT_EQ(Rms(Side(audio->Render(0.05f), 2)), 0);
}

TEST_F(AudioModule, PanPlacesTheSourceOnACircleAroundTheListener) {
  ALfloat x = 9, y = 9, z = 9;
  ko_audio_SetChannelPan(0, 0);
  alGetSource3f(audio->channels[0].source, AL_POSITION, &x, &y, &z);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(z, -1);
  ko_audio_SetChannelPan(0, 1);
  alGetSource3f(audio->channels[0].source, AL_POSITION, &x, &y, &z);
  EXPECT_NEAR(x, 0.841, 5e-4);
  EXPECT_EQ(y, 0);
  EXPECT_NEAR(z, -0.540, 5e-4);
}

}  // namespace
