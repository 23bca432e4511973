// OpenAL as on a machine without a sound device, for unit tests that start the whole framework: no device
// opens, and every call does nothing, as OpenAL Soft does without a current context.
#include <AL/al.h>
#include <AL/alc.h>

extern "C" {

ALCdevice* alcOpenDevice(const ALCchar*) { return nullptr; }
ALCcontext* alcCreateContext(ALCdevice*, const ALCint*) { return nullptr; }
ALCboolean alcMakeContextCurrent(ALCcontext*) { return ALC_FALSE; }
void alcDestroyContext(ALCcontext*) {}
ALenum alGetError() { return AL_INVALID_OPERATION; }
void alDistanceModel(ALenum) {}
void alGenSources(ALsizei, ALuint*) {}
void alGenBuffers(ALsizei, ALuint*) {}
void alBufferData(ALuint, ALenum, const ALvoid*, ALsizei, ALsizei) {}
void alDeleteBuffers(ALsizei, const ALuint*) {}
void alGetSourcei(ALuint, ALenum, ALint*) {}
void alSourcei(ALuint, ALenum, ALint) {}
void alSourcef(ALuint, ALenum, ALfloat) {}
void alSource3f(ALuint, ALenum, ALfloat, ALfloat, ALfloat) {}
void alSourcePlay(ALuint) {}
void alSourcePause(ALuint) {}
void alSourceStop(ALuint) {}
void alSourceQueueBuffers(ALuint, ALsizei, const ALuint*) {}
void alSourceUnqueueBuffers(ALuint, ALsizei, ALuint*) {}

}  // extern "C"
