// gxtkAudio: the OpenAL audio device, 32 sound channels (0..31) and the music channel (32); gxtkSample: one
// OpenAL buffer holding a whole decoded sound.
//
// Channel states: 0 stopped, 1 playing, 2 paused by the application.
//   0 -> 1 PlaySample;  1 -> 2 PauseChannel;  2 -> 1 ResumeChannel;  1, 2 -> 0 StopChannel;
//   1 -> 0 when a query finds the source stopped (a non-looping sound ended).
// Suspend and Resume pause and restart the sources of state-1 channels at the OpenAL level only: channel
// states do not change, so channels the application paused stay paused. Channel numbers outside 0..32 are
// ignored.
// Sources: a channel's source is generated on first use; when OpenAL has none left, the source of the first
// sound channel found in state 0 is taken over and goes back to the default gain, pitch and position.
// Buffers: OpenAL refuses to delete a buffer still attached to a source, so a discarded or collected sample
// only queues its buffer name. FlushDiscarded, at the start of every load and play, detaches buffers from
// stopped sources and deletes what it can; the rest waits for the next flush. A buffer is therefore deleted
// only once no playing or paused source holds it.
// Music: the tune PlayMusic loaded is the device's own (`music`): nothing else can play it again once it stops, so
// StopMusic gives its buffer up at once, and a new tune is decoded only after the old one's buffer is gone. The
// largest buffer of a program is never held twice, nor kept after the music stopped.
// Collector: the device marks the sample of every channel whose source is playing or paused, so a sound the
// application dropped still plays to its end. Once its source has stopped, a channel's sample may be
// collected; the channel's reference to it is then stale and never read again (the next play replaces it).
// Without a device or context every operation is harmless and silent; sounds still decode and load, as
// samples without a buffer. Main thread only, except LoadSample__UNSAFE__ (decoding and buffer upload).
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include "runtime/object.h"

class gxtkSample : public Object {
 public:
  ALuint buffer = 0;  // OpenAL buffer name; 0: none

  ~gxtkSample() override;  // queues the buffer like Discard
  virtual int Discard();   // gives the buffer up; it is deleted once no source plays it
};

struct gxtkChannel {
  ALuint source = 0;       // OpenAL source name; 0 until first needed
  Ref<gxtkSample> sample;  // the sample last started here; read only while its source plays or is paused
  int flags = 0;           // of the last play; non-zero: looping
  int state = 0;           // 0 stopped, 1 playing, 2 paused

  ALuint AL_Source();  // the channel's source, generated or taken over on first use; 0 if none can be had
};

class gxtkAudio : public Object {
 public:
  static constexpr int kChannelCount = 33;
  static constexpr int kMusicChannel = 32;
  static GlobalRef<gxtkAudio> audio;  // the one device

  ALCdevice* device = nullptr;    // null when no device could be opened
  ALCcontext* context = nullptr;  // null unless created and made current
  gxtkChannel channels[kChannelCount];
  Ref<gxtkSample> music;  // the tune PlayMusic loaded, until the music stops

  gxtkAudio();  // opens the default device, or "Generic Hardware", or "Generic Software"

  virtual int Suspend();
  virtual int Resume();
  virtual gxtkSample* LoadSample(String path);
  virtual bool LoadSample__UNSAFE__(gxtkSample* sample, String path);
  virtual int PlaySample(gxtkSample* sample, int channel, int flags);  // 0, or -1 when no source
  virtual int StopChannel(int channel);
  virtual int PauseChannel(int channel);
  virtual int ResumeChannel(int channel);
  virtual int ChannelState(int channel);
  virtual int SetVolume(int channel, float volume);  // gain, 1 = full
  virtual int SetPan(int channel, float pan);        // radians, 0 ahead, positive to the right
  virtual int SetRate(int channel, float rate);      // pitch, 1 = normal
  virtual int PlayMusic(String path, int flags);     // 0, or -1 when the file cannot be loaded
  virtual int StopMusic();
  virtual int PauseMusic();
  virtual int ResumeMusic();
  virtual int MusicState();
  virtual int SetMusicVolume(float volume);
  void mark() override;

 protected:
  // For tests: use an already opened device (a loopback device) and these context attributes.
  gxtkAudio(ALCdevice* opened, const ALCint* contextAttributes);

 private:
  friend struct gxtkChannel;
  ALuint TakeStoppedSource();  // the source of the first sound channel in state 0, or 0
  void Open(ALCdevice* opened, const ALCint* contextAttributes);
  gxtkChannel* Channel(int channel);  // null outside 0..32
};

// Detaches buffers from stopped sources and deletes the discarded buffers that no source holds any more.
void FlushDiscarded();

// The OpenAL state of a source (AL_PLAYING, AL_PAUSED, ...); AL_STOPPED when it cannot be asked.
ALint gxtkSourceState(ALuint source);
