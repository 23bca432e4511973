// The image decoder behind KoGlfwGame::LoadImageData, callable on its own (tools, fuzzers).
#pragma once

#include <cstdio>

// A PNG file, read from its start and left open, into a malloc'd block of width x height x depth 8-bit values in
// the file's own channel count; null for anything else, a damaged file or a picture too large to be ours. The
// block is counted in the collector's external bytes. Reentrant: worker threads may decode at the same time.
unsigned char* DecodePng(std::FILE* file, int* width, int* height, int* depth);
