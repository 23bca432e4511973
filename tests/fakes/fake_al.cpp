// The recording fake of OpenAL (see fake_al.h).
#include "tests/fakes/fake_al.h"

namespace fake_al {

State state;

// Names are never reused in a process, so a name left over from an earlier test cannot reach a new object.
void reset() {
  ALuint nextName = state.nextName;
  state = State();
  state.nextName = nextName;
}

void finish(ALuint source) { state.sources[source].state = AL_STOPPED; }

std::vector<std::string> calls_starting(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : state.calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace fake_al

using fake_al::state;

namespace {

void log(const std::string& call, ALuint name) { state.calls.push_back(call + " " + std::to_string(name)); }

void fail(ALenum error) {
  if (state.error == AL_NO_ERROR) state.error = error;
}

// The source a call names, or null (with the error set) when there is no context or no such source.
fake_al::Source* source_named(ALuint name) {
  if (!state.current) return nullptr;
  auto found = state.sources.find(name);
  if (found != state.sources.end()) return &found->second;
  fail(AL_INVALID_NAME);
  return nullptr;
}

ALCdevice* const kDevice = reinterpret_cast<ALCdevice*>(0x10);
ALCcontext* const kContext = reinterpret_cast<ALCcontext*>(0x20);

}  // namespace

extern "C" {

ALCdevice* alcOpenDevice(const ALCchar*) { return state.deviceOpens ? kDevice : nullptr; }
ALCcontext* alcCreateContext(ALCdevice*, const ALCint*) { return kContext; }
ALCboolean alcMakeContextCurrent(ALCcontext* context) { return state.current = context != nullptr; }
void alcDestroyContext(ALCcontext*) {}
void alDistanceModel(ALenum) {}

ALenum alGetError() {
  if (!state.current) return AL_INVALID_OPERATION;
  ALenum error = state.error;
  state.error = AL_NO_ERROR;
  return error;
}

void alGenSources(ALsizei count, ALuint* names) {
  if (!state.current) return;
  if (state.sourcesLeft < count) return fail(AL_OUT_OF_MEMORY);
  state.sourcesLeft -= count;
  for (ALsizei i = 0; i < count; ++i) state.sources[names[i] = state.nextName++] = {};
}

void alGenBuffers(ALsizei count, ALuint* names) {
  if (!state.current) return;
  for (ALsizei i = 0; i < count; ++i) state.buffers.insert(names[i] = state.nextName++);
}

void alBufferData(ALuint buffer, ALenum format, const ALvoid*, ALsizei, ALsizei hertz) {
  if (!state.current) return;
  if (!state.buffers.count(buffer)) return fail(AL_INVALID_NAME);
  if (format == 0) return fail(AL_INVALID_ENUM);
  if (hertz <= 0) return fail(AL_INVALID_VALUE);
}

void alDeleteBuffers(ALsizei count, const ALuint* names) {
  if (!state.current) return;
  for (ALsizei i = 0; i < count; ++i) {
    for (auto& [name, source] : state.sources) {
      if (source.buffer == names[i]) return fail(AL_INVALID_OPERATION);
    }
  }
  for (ALsizei i = 0; i < count; ++i) state.buffers.erase(names[i]), log("alDeleteBuffers", names[i]);
}

void alGetSourcei(ALuint name, ALenum, ALint* value) {
  if (fake_al::Source* source = source_named(name)) *value = source->state;
}

void alSourcei(ALuint name, ALenum parameter, ALint value) {
  fake_al::Source* source = source_named(name);
  if (!source) return;
  if (parameter == AL_LOOPING) source->looping = value != 0;
  if (parameter != AL_BUFFER) return;
  if (source->state == AL_PLAYING || source->state == AL_PAUSED) return fail(AL_INVALID_OPERATION);
  source->buffer = static_cast<ALuint>(value);
}

void alSourcef(ALuint name, ALenum parameter, ALfloat value) {
  fake_al::Source* source = source_named(name);
  if (source && parameter == AL_GAIN) source->gain = value;
  if (source && parameter == AL_PITCH) source->pitch = value;
}

void alSource3f(ALuint name, ALenum, ALfloat x, ALfloat y, ALfloat z) {
  fake_al::Source* source = source_named(name);
  if (!source) return;
  source->position[0] = x, source->position[1] = y, source->position[2] = z;
}

void alSourcePlay(ALuint name) {
  if (fake_al::Source* source = source_named(name)) source->state = source->buffer ? AL_PLAYING : AL_STOPPED;
  log("alSourcePlay", name);
}

void alSourcePause(ALuint name) {
  fake_al::Source* source = source_named(name);
  if (source && source->state == AL_PLAYING) source->state = AL_PAUSED;
  log("alSourcePause", name);
}

void alSourceStop(ALuint name) {
  fake_al::Source* source = source_named(name);
  if (source && source->state != AL_INITIAL) source->state = AL_STOPPED;
  log("alSourceStop", name);
}

}  // extern "C"
