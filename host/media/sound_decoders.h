// The sound decoders behind KoGlfwGame::LoadAudioData, callable on their own (tools, fuzzers).
//
// Both read from an open file at its current position and never close it. On success they return one
// malloc'd block the caller frees, holding `length` frames of `channels` interleaved samples of `format`
// bytes each, at `hertz` frames per second; on any failure they return null and leave the outputs alone.
// Both are reentrant: every piece of state is local, so worker threads may decode at the same time.
#pragma once

#include <cstdio>

#include "runtime/string.h"

// RIFF WAVE of integer PCM: the data chunk's bytes as stored; `format` = bits per sample / 8.
unsigned char* LoadWAV(std::FILE* file, int* length, int* channels, int* format, int* hertz);

// Ogg Vorbis, decoded whole: 16-bit signed native-endian samples, `format` = 2.
unsigned char* LoadOGG(std::FILE* file, int* length, int* channels, int* format, int* hertz);

// The decoder a sound file's name asks for: ".wav" (any case) RIFF WAVE, ".ogg" Ogg Vorbis. The extension alone
// decides; the content is never sniffed.
enum class SoundFormat { Unknown, Wave, Vorbis };
SoundFormat SoundFormatOf(const String& path);

// The whole file decoded by `format`'s decoder (null for Unknown), its block counted in the collector's
// external bytes.
unsigned char* DecodeSound(SoundFormat format, std::FILE* file, int* length, int* channels, int* bytesPerSample,
                           int* hertz);
