// The audio module's functions (see audio.h).
#include "framework/audio/audio.h"

#include "framework/data/data_path.h"

GlobalRef<gxtkAudio> ko_audio_device;

c_Sound* c_Sound::m_new(gxtkSample* sample) {
  m_sample = sample;
  return this;
}

void c_Sound::mark() { gc_mark(m_sample); }

int ko_audio_SetAudioDevice(gxtkAudio* device) {
  ko_audio_device = device;
  return 0;
}

c_Sound* ko_audio_LoadSound(String path) {
  gxtkSample* sample = ko_audio_device->LoadSample(ko_data_FixDataPath(path));
  return sample ? (new c_Sound)->m_new(sample) : nullptr;
}

int ko_audio_PlaySound(c_Sound* sound, int channel, int flags) {
  if (sound && sound->m_sample) ko_audio_device->PlaySample(sound->m_sample, channel, flags);
  return 0;
}

int ko_audio_StopChannel(int channel) { return ko_audio_device->StopChannel(channel); }
int ko_audio_SetChannelVolume(int channel, float volume) { return ko_audio_device->SetVolume(channel, volume); }
int ko_audio_SetChannelPan(int channel, float pan) { return ko_audio_device->SetPan(channel, pan); }
int ko_audio_SetChannelRate(int channel, float rate) { return ko_audio_device->SetRate(channel, rate); }

int ko_audio_PlayMusic(String path, int flags) {
  return ko_audio_device->PlayMusic(ko_data_FixDataPath(path), flags);
}

int ko_audio_StopMusic() { return ko_audio_device->StopMusic(); }
int ko_audio_PauseMusic() { return ko_audio_device->PauseMusic(); }
int ko_audio_ResumeMusic() { return ko_audio_device->ResumeMusic(); }
