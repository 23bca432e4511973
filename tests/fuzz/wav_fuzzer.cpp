// Fuzzes LoadWAV through a FILE* over the input bytes: it must never crash, read past the input, or
// allocate more than the input holds (run with -malloc_limit_mb to check), and a result must describe at
// least one whole frame that lies within the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/media/sound_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* samples = LoadWAV(file, &length, &channels, &format, &hertz);
  std::fclose(file);
  if (!samples) return 0;
  if (length <= 0 || channels <= 0 || format <= 0 || hertz <= 0 ||
      static_cast<size_t>(length) * channels * format > size) {
    std::abort();
  }
  volatile unsigned char last = samples[static_cast<size_t>(length) * channels * format - 1];  // within the block
  (void)last;
  std::free(samples);
  return 0;
}
