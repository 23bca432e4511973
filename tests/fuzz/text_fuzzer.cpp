// Fuzzes String::Load through a FILE* over the input bytes: it must never crash or read past the input, and
// it never yields more code units than there are bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "runtime/string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  String text = String::Load(file);
  std::fclose(file);
  if (static_cast<size_t>(text.Length()) > size) std::abort();
  return 0;
}
