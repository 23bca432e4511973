// The WAVE pieces of wav_writer.h: little-endian fields, chunks as tag + size + body.
#include "tests/host/wav_writer.h"

namespace wav {

std::string Le16(int value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)}; }

std::string Le32(uint32_t value) { return Le16(static_cast<int>(value & 0xFFFF)) + Le16(static_cast<int>(value >> 16)); }

std::string FmtBody(const Fmt& fmt) {
  int blockAlign = fmt.channels * fmt.bits / 8;
  return Le16(fmt.audioFormat) + Le16(fmt.channels) + Le32(static_cast<uint32_t>(fmt.hertz)) +
         Le32(static_cast<uint32_t>(fmt.hertz * blockAlign)) + Le16(blockAlign) + Le16(fmt.bits) + fmt.extra;
}

std::string ChunkClaiming(const char* tag, uint32_t statedSize, const std::string& body) {
  return std::string(tag, 4) + Le32(statedSize) + body;
}

std::string Chunk(const char* tag, const std::string& body) {
  return ChunkClaiming(tag, static_cast<uint32_t>(body.size()), body);
}

std::string RiffWave(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string Samples(int bytes) {
  std::string samples(static_cast<std::size_t>(bytes), '\0');
  for (int i = 0; i < bytes; ++i) samples[static_cast<std::size_t>(i)] = static_cast<char>(i * 7 + 1);
  return samples;
}

}  // namespace wav
