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
// Music: the tune is streamed (gxtkMusic): decoded a piece at a time into a short queue of buffers on channel
// 32's source, which UpdateMusic, called once per update, tops up. Only a second or so of the tune is ever
// decoded ahead, so starting a tune costs a few pieces, not the whole file. A source that ran dry because updates
// stalled is refilled and restarted where the tune had got to; such a pause in the sound is not an end, and the
// channel stays playing. The tune's end (without looping) is when its last piece has played. StopMusic and a
// new PlayMusic give the old tune's buffers and decoder up at once.
// Collector: the device marks the sample of every channel whose source is playing or paused, so a sound the
// application dropped still plays to its end. Once its source has stopped, a channel's sample may be
// collected; the channel's reference to it is then stale and never read again (the next play replaces it).
// Without a device or context every operation is harmless and silent; sounds still decode and load, as
// samples without a buffer. Main thread only, except LoadSample__UNSAFE__ (decoding and buffer upload).
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <memory>
#include <vector>

#include "host/media/audio_stream.h"
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

// A tune playing from a stream through a queue of kPieces buffers on one source. Every buffer holds a piece of
// about an eighth of a second; the last piece before a loop point is filled on from the stream's start, so the
// seam is sample-exact. Main thread only.
class gxtkMusic {
 public:
  static constexpr int kPieces = 8;  // buffers queued: about one second of sound ahead

  // The source's queue is the tune's from now on. `format` is the OpenAL format of the stream's samples.
  gxtkMusic(ALuint source, ALenum format, std::unique_ptr<KoAudioStream> stream, bool looping);
  ~gxtkMusic();  // stops the source and deletes the buffers
  gxtkMusic(const gxtkMusic&) = delete;
  gxtkMusic& operator=(const gxtkMusic&) = delete;

  bool Start();  // fills and queues every piece and plays; false when the stream gave nothing or OpenAL refused
  void TopUp();  // refills the pieces played since, and plays on a source that ran dry
  bool Ended() const;  // the stream gave its last frame, no loop follows, and every queued piece has played
  ALuint Buffer(int piece) const { return buffers_[piece]; }  // 0..kPieces - 1

 private:
  int FillPiece(ALuint buffer);  // frames put into the buffer; 0 once the stream has ended
  int Requeue(int count);  // takes pieces off the queue's front and puts them back refilled; returns those put back

  ALuint source_;
  ALenum format_;
  std::unique_ptr<KoAudioStream> stream_;
  bool looping_;
  bool ended_ = false;
  int pieceFrames_;                   // frames per buffer
  ALuint buffers_[kPieces] = {};
  std::vector<unsigned char> piece_;  // one piece of decoded samples, reused
};

class gxtkAudio : public Object {
 public:
  static constexpr int kChannelCount = 33;
  static constexpr int kMusicChannel = 32;
  static GlobalRef<gxtkAudio> audio;  // the one device

  ALCdevice* device = nullptr;    // null when no device could be opened
  ALCcontext* context = nullptr;  // null unless created and made current
  gxtkChannel channels[kChannelCount];
  std::unique_ptr<gxtkMusic> music;  // the tune PlayMusic started, until the music stops or the next tune

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
  virtual void UpdateMusic();  // once per update: tops up the tune's queue
  void mark() override;

 protected:
  // For tests: use an already opened device (a loopback device) and these context attributes.
  gxtkAudio(ALCdevice* opened, const ALCint* contextAttributes);

 private:
  friend struct gxtkChannel;
  ALuint TakeStoppedSource();  // the source of the first sound channel in state 0, or 0
  bool HasEnded(int channel);  // its sound played to the end (the music channel: not merely ran dry)
  void Open(ALCdevice* opened, const ALCint* contextAttributes);
  gxtkChannel* Channel(int channel);  // null outside 0..32
};

// Detaches buffers from stopped sources and deletes the discarded buffers that no source holds any more.
void FlushDiscarded();

// The OpenAL format of samples of this layout; 0 for layouts OpenAL cannot take (24- or 32-bit samples, more
// than two channels).
ALenum gxtkBufferFormat(int bytesPerSample, int channelCount);

// The OpenAL state of a source (AL_PLAYING, AL_PAUSED, ...); AL_STOPPED when it cannot be asked.
ALint gxtkSourceState(ALuint source);
