// Fuzzes KoGlfwGame::LoadImageData, the host's image loader, with the image library's decoders built in and
// instrumented: whatever the bytes, it must neither crash nor read outside them, and a result must be a whole
// picture of 1 to 4 channels whose last byte lies within the block. png_seeds/ holds small valid PNGs of every
// channel count.
#include <cstdint>
#include <cstdlib>

#include "tests/fuzz/memory_file_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFileHost host;
  host.bytes = data;
  host.size = size;
  int width = 0, height = 0, depth = 0;
  unsigned char* pixels = host.LoadImageData(String("tarsil://data/image.png"), &width, &height, &depth);
  if (!pixels) return 0;
  if (width <= 0 || height <= 0 || depth < 1 || depth > 4) std::abort();
  volatile unsigned char last = pixels[static_cast<size_t>(width) * height * depth - 1];  // within the block
  (void)last;
  std::free(pixels);
  return 0;
}
