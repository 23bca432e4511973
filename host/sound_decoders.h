// The two sound decoders behind KoGlfwGame::LoadAudioData, callable on their own (tools, fuzzers).
//
// Both read from an open file at its current position and never close it. On success they return one
// malloc'd block the caller frees, holding `length` frames of `channels` interleaved samples of `format`
// bytes each, at `hertz` frames per second; on any failure they return null and leave the outputs alone.
// Both are reentrant: every piece of state is local, so worker threads may decode at the same time.
#pragma once

#include <cstdio>

// RIFF WAVE of integer PCM: the data chunk's bytes as stored; `format` = bits per sample / 8.
unsigned char* LoadWAV(std::FILE* file, int* length, int* channels, int* format, int* hertz);

// Ogg Vorbis, decoded whole: 16-bit signed native-endian samples, `format` = 2.
unsigned char* LoadOGG(std::FILE* file, int* length, int* channels, int* format, int* hertz);
