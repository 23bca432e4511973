// A recording fake of the OpenAL calls the audio device makes, for deterministic unit tests.
//
// Sources keep their AL state, buffer, looping flag, gain, pitch and position; time never passes, so a
// sound ends only when a test calls finish(). Deleting a buffer that a source holds fails with
// AL_INVALID_OPERATION, as in OpenAL. Without a current context every AL call does nothing and alGetError
// reports AL_INVALID_OPERATION, as OpenAL Soft does. Each call that changes something is appended to
// `calls` as one line ("alSourcePlay 1").
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake_al {

struct Source {
  ALint state = AL_INITIAL;
  ALuint buffer = 0;
  bool looping = false;
  float gain = 1, pitch = 1;
  float position[3] = {0, 0, 0};
};

struct State {
  bool deviceOpens = true;  // false: no sound card
  int sourcesLeft = 256;    // alGenSources fails with AL_OUT_OF_MEMORY at 0
  bool current = false;     // a context was made current
  ALenum error = AL_NO_ERROR;
  ALuint nextName = 1;
  std::map<ALuint, Source> sources;
  std::set<ALuint> buffers;
  std::vector<std::string> calls;
};

extern State state;

void reset();
void finish(ALuint source);  // the source's sound reaches its end
std::vector<std::string> calls_starting(const std::string& prefix);

}  // namespace fake_al
