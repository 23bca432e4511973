// gxtkSample, loading decoded sounds into OpenAL buffers, and the deferred deletion of discarded buffers.
#include <climits>
#include <cstdlib>
#include <vector>

#include "gxtk/audio.h"
#include "host/core/game.h"

namespace {

// Buffers given up whose deletion has not succeeded yet: a source may still hold them.
std::vector<ALuint> discarded;

// A new buffer holding the PCM, or 0 when OpenAL refuses it (bad rate, out of memory).
ALuint UploadBuffer(ALenum format, const void* pcm, ALsizei bytes, ALsizei hertz) {
  ALuint buffer = 0;
  alGetError();
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR) return 0;
  alBufferData(buffer, format, pcm, bytes, hertz);
  if (alGetError() == AL_NO_ERROR) return buffer;
  alDeleteBuffers(1, &buffer);
  return 0;
}

}  // namespace

ALenum gxtkBufferFormat(int bytesPerSample, int channelCount) {
  if (bytesPerSample == 1 && channelCount == 1) return AL_FORMAT_MONO8;
  if (bytesPerSample == 1 && channelCount == 2) return AL_FORMAT_STEREO8;
  if (bytesPerSample == 2 && channelCount == 1) return AL_FORMAT_MONO16;
  if (bytesPerSample == 2 && channelCount == 2) return AL_FORMAT_STEREO16;
  return 0;
}

gxtkSample::~gxtkSample() { Discard(); }

int gxtkSample::Discard() {
  if (buffer) discarded.push_back(buffer);
  buffer = 0;
  return 0;
}

void FlushDiscarded() {
  if (discarded.empty()) return;
  // Any stopped source, whatever its channel's state: a buffer left on a source that was stopped and never
  // replayed could otherwise never be deleted.
  // The music's source is left alone: it holds only the tune's own buffers, which the tune deletes itself, and a
  // tune whose source ran dry still needs its queue.
  if (gxtkAudio::audio) {
    for (int c = 0; c < gxtkAudio::kMusicChannel; ++c) {
      ALuint source = gxtkAudio::audio->channels[c].source;
      if (source && gxtkSourceState(source) == AL_STOPPED) alSourcei(source, AL_BUFFER, 0);
    }
  }
  std::vector<ALuint> stillHeld;
  for (ALuint buffer : discarded) {
    alGetError();
    alDeleteBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) stillHeld.push_back(buffer);
  }
  discarded.swap(stillHeld);
}

gxtkSample* gxtkAudio::LoadSample(String path) {
  FlushDiscarded();
  gxtkSample* sample = new gxtkSample;
  return LoadSample__UNSAFE__(sample, path) ? sample : nullptr;
}

// Touches only the host decoder and OpenAL buffers, so it may run on a worker thread.
bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, String path) {
  int length = 0, channelCount = 0, bytesPerSample = 0, hertz = 0;  // length in sample frames
  unsigned char* pcm = KoGame::_game->LoadAudioData(path, &length, &channelCount, &bytesPerSample, &hertz);
  if (!pcm) return false;
  ALenum format = gxtkBufferFormat(bytesPerSample, channelCount);
  long long bytes = static_cast<long long>(length) * channelCount * bytesPerSample;
  bool loaded = format != 0 && length >= 0 && bytes <= INT_MAX;
  if (loaded && context) {  // without a context the sample loads but has no buffer: it plays silence
    sample->buffer = UploadBuffer(format, pcm, static_cast<ALsizei>(bytes), hertz);
    loaded = sample->buffer != 0;
  }
  std::free(pcm);
  return loaded;
}
