// Where decoded images and sounds live in memory: in mappings of their own, given back whole when freed.
//
// Decoded files are the program's largest blocks, and they live briefly: a picture until its texture holds it,
// a sound until OpenAL has copied it. glibc raises its threshold for mapping a block to the size of the largest
// mapped block freed so far, so after the first large image every block of that size or less came from the
// heap, whose pages stay resident after the block is freed: with the art of 1280 x 1024 loaded, 20 MiB of freed
// decoding space stayed in the resident set. A fixed threshold (glibc's own starting value) keeps every block
// over 128 KiB mapped. Its price: each such block is a fresh mapping whose pages fault in zeroed, about 15 ms
// over the start-up, against 5 MiB (640 x 480) to 20 MiB (1280 x 1024) of resident set. The decoders set it
// before their first block; it is one setting for the whole process, safe to set from any thread. Other C
// libraries (the web page's) have no such threshold, and nothing to set.
#pragma once

#if defined(__GLIBC__)
#include <malloc.h>

#include <mutex>

inline void KeepLargeBlocksMapped() {
  static std::once_flag once;
  std::call_once(once, [] { mallopt(M_MMAP_THRESHOLD, 128 * 1024); });  // bytes
}
#else
inline void KeepLargeBlocksMapped() {}
#endif
