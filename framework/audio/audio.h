// The audio module: the application's sounds, channels and music on the audio device.
//
// Every path goes through ko_data_FixDataPath, so "sfx/00.wav" names a file in the data folder. A sound
// whose file could not be loaded is none, and playing none does nothing. Sound channels are 0..31; music
// always uses the device's channel 32. ko_audio_device is set once by the delegate at start. Main thread.
#pragma once

#include "gxtk/audio.h"
#include "runtime/object.h"

class c_Sound : public Object {
 public:
  Ref<gxtkSample> m_sample;

  c_Sound* m_new(gxtkSample* sample);
  void mark() override;
};

extern GlobalRef<gxtkAudio> ko_audio_device;

int ko_audio_SetAudioDevice(gxtkAudio* device);
c_Sound* ko_audio_LoadSound(String path);
int ko_audio_PlaySound(c_Sound* sound, int channel, int flags);  // any non-zero flags loop
int ko_audio_StopChannel(int channel);
int ko_audio_SetChannelVolume(int channel, float volume);  // 1 = full
int ko_audio_SetChannelPan(int channel, float pan);        // negative left, positive right
int ko_audio_SetChannelRate(int channel, float rate);      // 1 = normal
int ko_audio_PlayMusic(String path, int flags);            // 0, or -1 when the file cannot be loaded
int ko_audio_StopMusic();
int ko_audio_PauseMusic();
int ko_audio_ResumeMusic();
