// The host with its file opening replaced: every path opens the bytes of the current fuzz input, so the
// fuzzers drive the host's public loading entry points (LoadImageData, LoadAudioData) without touching disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "host/core/glfw_game.h"

class MemoryFileHost : public KoGlfwGame {
 public:
  const uint8_t* bytes = nullptr;
  std::size_t size = 0;

  std::FILE* OpenFile(String, String) override {
    if (size == 0) return nullptr;  // fmemopen refuses an empty buffer; a missing file is the same case
    return fmemopen(const_cast<uint8_t*>(bytes), size, "rb");
  }
};
