// The fake OpenAL functions as a Windows program reaches them: the libraries' objects are compiled against
// the system's headers, which declare these functions imported from a DLL, so each call goes through a
// pointer named __imp_<function> that the DLL's import library would hold. Here each pointer holds the fake.
// Invariant: every function fake_al.cpp defines is listed once (a missing one fails the link).
#include <AL/al.h>
#include <AL/alc.h>

#define QZ_FAKE_IMPORT(function) \
  extern "C" const void* const __imp_##function = reinterpret_cast<const void*>(&function);

QZ_FAKE_IMPORT(alcOpenDevice)
QZ_FAKE_IMPORT(alcCreateContext)
QZ_FAKE_IMPORT(alcMakeContextCurrent)
QZ_FAKE_IMPORT(alcDestroyContext)
QZ_FAKE_IMPORT(alGetError)
QZ_FAKE_IMPORT(alDistanceModel)
QZ_FAKE_IMPORT(alGenSources)
QZ_FAKE_IMPORT(alGenBuffers)
QZ_FAKE_IMPORT(alBufferData)
QZ_FAKE_IMPORT(alDeleteBuffers)
QZ_FAKE_IMPORT(alGetSourcei)
QZ_FAKE_IMPORT(alSourcei)
QZ_FAKE_IMPORT(alSourcef)
QZ_FAKE_IMPORT(alSource3f)
QZ_FAKE_IMPORT(alSourcePlay)
QZ_FAKE_IMPORT(alSourcePause)
QZ_FAKE_IMPORT(alSourceStop)
QZ_FAKE_IMPORT(alSourceQueueBuffers)
QZ_FAKE_IMPORT(alSourceUnqueueBuffers)
