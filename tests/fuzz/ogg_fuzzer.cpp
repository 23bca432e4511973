// Fuzzes KoGlfwGame::LoadAudioData on an ".ogg" path, the host's sound loader with the Vorbis decoder built in
// and instrumented: whatever the bytes, it must neither crash nor read outside them, and a result must hold
// at least one whole frame of 16-bit samples at a positive rate. ogg_seeds/ holds short valid streams.
#include <cstdint>
#include <cstdlib>

#include "tests/fuzz/memory_file_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFileHost host;
  host.bytes = data;
  host.size = size;
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* samples = host.LoadAudioData(String("tarsil://data/tune.ogg"), &length, &channels, &format, &hertz);
  if (!samples) return 0;
  if (length <= 0 || channels <= 0 || format != 2 || hertz <= 0) std::abort();
  volatile unsigned char last = samples[static_cast<size_t>(length) * channels * format - 1];  // within the block
  (void)last;
  std::free(samples);
  return 0;
}
