// gxtkAudio: opening the device, channel sources, channel control, suspend and resume, and the mark that keeps
// playing samples alive. Loading and buffer deletion are in audio_sample.cpp, music in audio_music.cpp.
#include "gxtk/audio.h"

#include <cmath>

#include "runtime/errors.h"

GlobalRef<gxtkAudio> gxtkAudio::audio;

namespace {

ALCdevice* OpenAnyDevice() {
  ALCdevice* device = alcOpenDevice(nullptr);
  if (!device) device = alcOpenDevice("Generic Hardware");
  if (!device) device = alcOpenDevice("Generic Software");
  return device;
}

}  // namespace

ALint gxtkSourceState(ALuint source) {
  ALint state = AL_STOPPED;  // left alone when there is no context to ask
  if (source) alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

// -------------------------------------------------------------------------------------------------------------
// Opening

gxtkAudio::gxtkAudio() {
  audio = this;
  Open(OpenAnyDevice(), nullptr);
}

gxtkAudio::gxtkAudio(ALCdevice* opened, const ALCint* contextAttributes) {
  audio = this;
  Open(opened, contextAttributes);
}

// Every failure leaves a silent device: the program runs on without sound.
void gxtkAudio::Open(ALCdevice* opened, const ALCint* contextAttributes) {
  device = opened;
  koPrint(String("opening openal device"));
  if (!device) {
    koPrint(String("OpenAl error: alcOpenDevice failed"));
  } else if (!(context = alcCreateContext(device, contextAttributes))) {
    koPrint(String("OpenAl error: alcCreateContext failed"));
  } else if (!alcMakeContextCurrent(context)) {
    koPrint(String("OpenAl error: alcMakeContextCurrent failed"));
    alcDestroyContext(context);
    context = nullptr;
  }
  alDistanceModel(AL_NONE);  // positions only pan; nothing fades with distance
  channels[kMusicChannel].AL_Source();
}

// -------------------------------------------------------------------------------------------------------------
// Sources

ALuint gxtkChannel::AL_Source() {
  if (source) return source;
  alGetError();
  alGenSources(1, &source);
  if (alGetError() == AL_NO_ERROR) return source;
  source = 0;
  if (gxtkAudio::audio) source = gxtkAudio::audio->TakeStoppedSource();
  return source;
}

ALuint gxtkAudio::TakeStoppedSource() {
  for (int c = 0; c < kMusicChannel; ++c) {
    gxtkChannel& victim = channels[c];
    if (!victim.source || ChannelState(c) != 0) continue;
    ALuint source = victim.source;
    victim.source = 0;
    // The settings belonged to the other channel.
    alSourcef(source, AL_GAIN, 1);
    alSourcef(source, AL_PITCH, 1);
    alSource3f(source, AL_POSITION, 0, 0, 0);
    return source;
  }
  return 0;
}

gxtkChannel* gxtkAudio::Channel(int channel) {
  return channel >= 0 && channel < kChannelCount ? &channels[channel] : nullptr;
}

// -------------------------------------------------------------------------------------------------------------
// Channels

int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
  gxtkChannel* target = Channel(channel);
  if (!target || !sample) return -1;
  FlushDiscarded();
  ALuint source = target->AL_Source();
  if (!source) return -1;
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(sample->buffer));
  alSourcei(source, AL_LOOPING, flags ? AL_TRUE : AL_FALSE);
  alSourcePlay(source);
  target->sample = sample;
  target->flags = flags;
  target->state = 1;
  return 0;
}

int gxtkAudio::StopChannel(int channel) {
  gxtkChannel* target = Channel(channel);
  if (!target || target->state == 0) return 0;
  alSourceStop(target->source);
  target->state = 0;
  return 0;
}

int gxtkAudio::PauseChannel(int channel) {
  gxtkChannel* target = Channel(channel);
  if (!target || target->state != 1) return 0;
  if (HasEnded(channel)) {
    target->state = 0;  // it ended before the pause: nothing to resume later
  } else {
    alSourcePause(target->source);
    target->state = 2;
  }
  return 0;
}

int gxtkAudio::ResumeChannel(int channel) {
  gxtkChannel* target = Channel(channel);
  if (!target || target->state != 2) return 0;
  alSourcePlay(target->source);
  target->state = 1;
  return 0;
}

int gxtkAudio::ChannelState(int channel) {
  gxtkChannel* target = Channel(channel);
  if (!target) return 0;
  if (target->state == 1 && HasEnded(channel)) target->state = 0;
  return target->state;
}

// A stopped source has played its sound to the end, except the music's while its stream goes on: that source
// only ran dry, and the next top-up restarts it.
bool gxtkAudio::HasEnded(int channel) {
  if (gxtkSourceState(channels[channel].source) != AL_STOPPED) return false;
  return channel != kMusicChannel || !music || music->Ended();
}

int gxtkAudio::SetVolume(int channel, float volume) {
  gxtkChannel* target = Channel(channel);
  ALuint source = target ? target->AL_Source() : 0;
  if (source) alSourcef(source, AL_GAIN, volume);
  return 0;
}

int gxtkAudio::SetPan(int channel, float pan) {
  gxtkChannel* target = Channel(channel);
  ALuint source = target ? target->AL_Source() : 0;
  if (source) alSource3f(source, AL_POSITION, std::sin(pan), 0, -std::cos(pan));
  return 0;
}

int gxtkAudio::SetRate(int channel, float rate) {
  gxtkChannel* target = Channel(channel);
  ALuint source = target ? target->AL_Source() : 0;
  if (source) alSourcef(source, AL_PITCH, rate);
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// Application suspend: only what was audibly playing is paused, and only that is restarted.

int gxtkAudio::Suspend() {
  for (gxtkChannel& channel : channels) {
    if (channel.state == 1 && gxtkSourceState(channel.source) == AL_PLAYING) alSourcePause(channel.source);
  }
  return 0;
}

int gxtkAudio::Resume() {
  for (gxtkChannel& channel : channels) {
    if (channel.state == 1 && gxtkSourceState(channel.source) == AL_PAUSED) alSourcePlay(channel.source);
  }
  return 0;
}

void gxtkAudio::mark() {
  for (gxtkChannel& channel : channels) {
    if (channel.state != 0 && gxtkSourceState(channel.source) != AL_STOPPED) gc_mark(channel.sample);
  }
}
