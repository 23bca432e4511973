// Touch buttons at factor 2, the full-screen switch, and the sound-effect ring with the sound mode.
#include <gtest/gtest.h>

#include "framework/audio/audio.h"
#include "tests/game/game_harness.h"

namespace {

// The device with every effect that starts remembered: which sample, at what volume.
class RecordingAudio : public gxtkAudio {
 public:
  struct Played {
    gxtkSample* sample;
    float volume;
  };
  std::vector<Played> played;
  int PlaySample(gxtkSample* sample, int, int) override {
    played.push_back({sample, 1});
    return 0;
  }
  int SetVolume(int channel, float volume) override {
    if (!played.empty()) played.back().volume = volume;
    return gxtkAudio::SetVolume(channel, volume);
  }
};

TEST(Buttons, TheHitBoxIsTheImagesSizeOnScreen) {
  GameHarness game(800, 600);  // factor 2 art
  game.FinishLoading();
  c_MyApp& app = game.app();
  ASSERT_EQ(app.m_hdScale, 2);
  app.p_SetSize(2);  // 64-pixel frames at factor 2 are 128 pixels in the file: 64 virtual pixels at size 2
  app.m_mouseDown = 1;
  app.m_touchOn[4] = 1;
  app.m_touchY[4] = 300;
  app.m_touchX[4] = 300 + 63;
  EXPECT_EQ(app.p_Button(95, 300, 300, 0), 1);
  app.m_touchX[4] = 300 + 64;
  EXPECT_EQ(app.p_Button(95, 300, 300, 0), 0) << "the edge is outside";
  EXPECT_EQ(app.m_buttonHit, 0);
  app.m_touchX[4] = 300;
  EXPECT_EQ(app.p_Button0(95, 300, 300, 0), 0) << "only touch 0 counts for this one";
  app.m_touchOn[4] = 0;
  app.m_touchOn[0] = 1;
  app.m_touchX[0] = app.m_touchY[0] = static_cast<int>(kNone);
  EXPECT_EQ(app.p_Button(95, 300, 300, 0), 0) << "a lifted point never hits";
}

TEST(FullScreen, TwoFlipsGiveA640By480WindowAgain) {
  GameHarness game(1024, 768);
  game.app().p_FullscreenFlip();
  EXPECT_TRUE(fake_glfw::state.fullscreen);
  EXPECT_EQ(fake_glfw::state.width, 1920) << "the desktop's size";
  game.app().p_FullscreenFlip();
  EXPECT_FALSE(fake_glfw::state.fullscreen);
  EXPECT_EQ(fake_glfw::state.width, 640);
  EXPECT_EQ(fake_glfw::state.height, 480);
}

TEST(SoundEffects, TwentyFourChannelsInARingObeyingTheSoundMode) {
  GameHarness game;
  game.FinishLoading();
  c_MyApp& app = game.app();
  app.m_sfxChannel = 0;
  app.p_PlaySFX(99, 1, 1, 0);
  EXPECT_EQ(app.m_sfxChannel, 1) << "the first effect uses channel 1";
  for (int i = 0; i < 24; ++i) app.p_PlaySFX(99, 1, 1, 0);
  EXPECT_EQ(app.m_sfxChannel, 1) << "the 25th reuses it";
  app.m_settings[5] = 3;  // music only
  app.p_PlaySFX(99, 1, 1, 0);
  EXPECT_EQ(app.m_sfxChannel, 1);
  app.p_PlaySFX(5, 1, 1, 0);  // an empty slot
  app.m_settings[5] = 2;
  app.p_PlaySFX(5, 1, 1, 0);
  app.p_PlaySFX(-1, 1, 1, 0);
  EXPECT_EQ(app.m_sfxChannel, 1) << "nothing to play";
}

TEST(Music, TheTuneIsRememberedAndStartedOnlyWhenTheModeAllows) {
  GameHarness game;
  c_MyApp& app = game.app();
  app.m_settings[5] = 2;  // effects only
  app.p_PlayTune(String("testmusic"), 1);
  EXPECT_TRUE(app.m_tune == String("testmusic"));
  EXPECT_EQ(app.m_musicOn, 0);
  app.m_settings[5] = 3;
  app.p_PlayTune(String("-1"), 1);
  EXPECT_EQ(app.m_musicOn, 1) << "the remembered tune";
  app.p_StopTune();
  EXPECT_EQ(app.m_musicOn, 0);
  ko_Quarzel_HasMusicStream = 0;
  app.m_tune = String();
  app.p_PlayTune(String("testmusic"), 1);
  EXPECT_EQ(app.m_tune.Length(), 0) << "no music at all";
}

// The pause menu's options entry: chosen by key it confirms (sound 98 at half volume), touched it ticks (99).
TEST(SoundEffects, ThePauseMenusOptionsEntrySoundsByHowItWasChosen) {
  GameHarness game;
  game.FinishLoading();
  c_MyApp& app = game.app();
  auto* audio = new RecordingAudio;
  ko_audio_SetAudioDevice(audio);
  auto lastPlayed = [&](int slot, float volume) {
    return !audio->played.empty() && audio->played.back().sample == app.m_sounds[slot]->m_sample &&
           audio->played.back().volume == volume;
  };
  game.Hold(glfw2::GLFW_KEY_RIGHT);
  game.Hold(glfw2::GLFW_KEY_ENTER);
  ASSERT_EQ(app.m_mode, 10);
  game.Hold(glfw2::GLFW_KEY_ESC);
  ASSERT_EQ(app.m_paused, 1);
  game.Update(13);
  game.Hold(glfw2::GLFW_KEY_DOWN);
  game.Hold(glfw2::GLFW_KEY_ENTER);
  ASSERT_EQ(app.m_optionsOpen, 1);
  EXPECT_TRUE(lastPlayed(98, 0.5f));

  game.Update(30);  // slid in
  game.Hold(glfw2::GLFW_KEY_ESC);
  game.Update(30);
  ASSERT_EQ(app.m_optionsOpen, 0);
  game.MouseTo(64, 296);  // the gear, the bottom button
  game.MouseButton(0, true);
  game.Update();
  game.MouseButton(0, false);
  game.Update();
  ASSERT_EQ(app.m_optionsOpen, 1);
  EXPECT_TRUE(lastPlayed(99, 1));
}

}  // namespace
