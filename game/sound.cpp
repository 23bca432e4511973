// Sound effects on a ring of 24 channels, and the one music tune, both obeying the sound mode
// (m_settings[5]: 0 silent, 1 effects and music, 2 effects only, 3 music only).
#include "framework/audio/audio.h"
#include "game/my_app.h"

namespace {
constexpr int kEffectChannels = 24;
}

int c_MyApp::p_PlaySFX(int index, float rate, float volume, float pan) {
  int mode = m_settings[5];
  if ((mode != 1 && mode != 2) || index < 0 || index >= m_sounds.Length() || !m_sounds[index]) return 0;
  m_sfxChannel = (m_sfxChannel + 1) % kEffectChannels;
  if (m_sfxChannel < 0) m_sfxChannel = 0;
  int channel = m_channels[m_sfxChannel];
  gxtkAudio* device = ko_audio_device;
  device->StopChannel(channel);  // each effect cuts whatever still played on its channel
  if (gxtkSample* sample = m_sounds[index]->m_sample) device->PlaySample(sample, channel, 0);
  device->SetRate(channel, rate);
  device->SetVolume(channel, volume);
  device->SetPan(channel, pan);
  return 0;
}

int c_MyApp::p_PlayTune(String name, int loop) {
  if (ko_Quarzel_HasMusicStream == 0) return 0;
  if (name == String("-1") && m_tune.Length() > 0) name = m_tune;
  if (name.Length() == 0) return 0;
  m_tune = name;
  String path = String("sfx/") + name + String(".ogg");
  if (m_musicOn == 1) {
    ko_audio_StopMusic();
    m_musicOn = 0;
  }
  int mode = m_settings[5];
  if (mode == 1 || mode == 3) {
    if (ko_audio_PlayMusic(path, loop) < 0) p_ReportDataFile(path, String("the game goes on without music"));
    m_musicOn = 1;
  }  // otherwise only remembered, so a later change of the sound mode can start it
  return 0;
}

int c_MyApp::p_StopTune() {
  ko_audio_StopMusic();
  m_musicOn = 0;
  return 0;
}
