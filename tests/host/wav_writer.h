// RIFF WAVE files for tests, built piece by piece so that any header field can be set to a hostile value.
//
//   RiffWave(Chunk("fmt ", FmtBody({.channels = 2})) + Chunk("data", Samples(4000)))
// is a valid 16-bit stereo file; ChunkClaiming writes a chunk whose stated size differs from its body.
#pragma once

#include <cstdint>
#include <string>

namespace wav {

struct Fmt {
  int audioFormat = 1;  // 1: integer PCM
  int channels = 1;
  int hertz = 22050;
  int bits = 16;
  std::string extra = "";  // bytes after the 16 standard ones (an 18-byte chunk has two)
};

std::string Le16(int value);
std::string Le32(uint32_t value);
std::string FmtBody(const Fmt& fmt);
std::string Chunk(const char* tag, const std::string& body);
std::string ChunkClaiming(const char* tag, uint32_t statedSize, const std::string& body);
std::string RiffWave(const std::string& chunks);  // "RIFF", the true size, "WAVE", then the chunks
std::string Samples(int bytes);                   // a byte pattern that is easy to recognise in the output

}  // namespace wav
