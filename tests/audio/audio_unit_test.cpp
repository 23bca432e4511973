// The audio module and the device's argument handling on the recording OpenAL fake: data paths, files that
// cannot be played, music failures, channel numbers out of range, pan positions, and where the delegate
// suspends and resumes the audio.
#include <gtest/gtest.h>

#include <climits>

#include "framework/app/app.h"
#include "framework/audio/audio.h"
#include "tests/audio/tone_host.h"
#include "tests/fakes/fake_al.h"

using fake_al::state;

namespace {

class AudioOnFake : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_al::reset();
    host.files["tarsil://data/sfx/00.wav"] = Tone();
    host.files["tarsil://data/sfx/tune.ogg"] = Tone();
    host.files["./here.wav"] = Tone();
    testing::internal::CaptureStdout();
    ko_audio_SetAudioDevice(new gxtkAudio);
    testing::internal::GetCapturedStdout();
    device = ko_audio_device;
  }
  ToneHost host;
  gxtkAudio* device = nullptr;
};

TEST_F(AudioOnFake, SoundsLoadFromTheDataFolderAndNoSoundPlaysNothing) {
  c_Sound* sound = ko_audio_LoadSound(String("sfx/00.wav"));
  ASSERT_NE(sound, nullptr);
  EXPECT_NE(sound->m_sample->buffer, 0u);
  EXPECT_NE(ko_audio_LoadSound(String("./here.wav")), nullptr) << "explicit relative paths stay as they are";
  EXPECT_EQ(ko_audio_LoadSound(String("sfx/01.wav")), nullptr);
  EXPECT_EQ(host.requested, (std::vector<std::string>{"tarsil://data/sfx/00.wav", "./here.wav",
                                                      "tarsil://data/sfx/01.wav"}));

  state.calls.clear();
  EXPECT_EQ(ko_audio_PlaySound(nullptr, 0, 0), 0);
  EXPECT_EQ(ko_audio_PlaySound((new c_Sound)->m_new(nullptr), 0, 0), 0);
  EXPECT_TRUE(fake_al::calls_starting("alSourcePlay").empty());
  ko_audio_PlaySound(sound, 3, 7);
  EXPECT_TRUE(state.sources[device->channels[3].source].looping) << "any non-zero flags loop";
}

TEST_F(AudioOnFake, FormatsOpenAlCannotTakeFailTheLoadWithoutLeavingABuffer) {
  Tone deep, surround, rateless;
  deep.bytesPerSample = 3;
  surround.channels = 6;
  rateless.hertz = 0;
  host.files["deep.wav"] = deep;
  host.files["surround.wav"] = surround;
  host.files["rateless.wav"] = rateless;
  EXPECT_EQ(device->LoadSample(String("deep.wav")), nullptr);
  EXPECT_EQ(device->LoadSample(String("surround.wav")), nullptr);
  EXPECT_EQ(device->LoadSample(String("rateless.wav")), nullptr);
  EXPECT_TRUE(state.buffers.empty());
}

TEST_F(AudioOnFake, MusicOfAMissingFileFailsAndLeavesThePreviousMusicStopped) {
  EXPECT_EQ(ko_audio_PlayMusic(String("sfx/tune.ogg"), 1), 0);
  EXPECT_EQ(device->MusicState(), 1);
  EXPECT_EQ(ko_audio_PlayMusic(String("sfx/none.ogg"), 1), -1);
  EXPECT_EQ(device->MusicState(), 0);
  EXPECT_EQ(state.sources[device->channels[32].source].state, AL_STOPPED);
}

TEST_F(AudioOnFake, ChannelNumbersOutsideTheRangeAreIgnored) {
  gxtkSample* sample = device->LoadSample(String("tarsil://data/sfx/00.wav"));
  state.calls.clear();
  size_t sources = state.sources.size();
  for (int channel : {-1, 33, 1000, INT_MIN, INT_MAX}) {
    EXPECT_EQ(device->PlaySample(sample, channel, 0), -1);
    EXPECT_EQ(device->StopChannel(channel) + device->PauseChannel(channel) + device->ResumeChannel(channel), 0);
    EXPECT_EQ(device->ChannelState(channel), 0);
    EXPECT_EQ(device->SetVolume(channel, 0.5f) + device->SetPan(channel, 1) + device->SetRate(channel, 2), 0);
  }
  EXPECT_TRUE(state.calls.empty());
  EXPECT_EQ(state.sources.size(), sources);
}

TEST_F(AudioOnFake, PanPlacesTheSourceOnACircleAroundTheListener) {
  const float* position = nullptr;
  device->SetPan(0, 0);
  position = state.sources[device->channels[0].source].position;
  EXPECT_FLOAT_EQ(position[0], 0);
  EXPECT_FLOAT_EQ(position[1], 0);
  EXPECT_FLOAT_EQ(position[2], -1);
  device->SetPan(0, 1);
  EXPECT_NEAR(position[0], 0.841f, 5e-4);
  EXPECT_FLOAT_EQ(position[1], 0);
  EXPECT_NEAR(position[2], -0.540f, 5e-4);
  device->SetPan(0, -1);
  EXPECT_NEAR(position[0], -0.841f, 5e-4) << "negative pans to the left";
}

// The application hears of a suspension before the audio pauses, and of a resumption after it restarted.
class LoggingApp : public c_App {
 public:
  int p_OnSuspend() override { return state.calls.push_back("app suspend"), 0; }
  int p_OnResume() override { return state.calls.push_back("app resume"), 0; }
};

TEST_F(AudioOnFake, TheDelegatePausesTheAudioAfterTheApplicationAndRestartsItBefore) {
  ko_app__InitGlobals();
  (new LoggingApp)->m_new();
  testing::internal::CaptureStdout();
  host.StartGame();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "opening openal device\n");
  ASSERT_NE(ko_audio_device.get(), device) << "the delegate makes its own device";
  ko_audio_PlaySound(ko_audio_LoadSound(String("sfx/00.wav")), 0, 1);
  std::string source = std::to_string(ko_audio_device->channels[0].source);
  state.calls.clear();
  host.SuspendGame();
  host.ResumeGame();
  EXPECT_EQ(state.calls, (std::vector<std::string>{"app suspend", "alSourcePause " + source,
                                                   "alSourcePlay " + source, "app resume"}));
}

}  // namespace
