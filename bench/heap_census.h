// What the device objects in the collector's heap hold outside it, counted object by object: each surface's
// pixel copy and texture, each sample's OpenAL buffer. Objects still reachable are counted apart from garbage
// that waits on the free list to be destroyed (and only then gives its texture and pixels back).
// Take it right after gc_collect_all(), when the free list holds exactly the unreachable objects. Main thread,
// with the GL and AL contexts current.
#pragma once

struct DeviceHoldings {
  int surfaces = 0, textures = 0, samples = 0;
  long long pixelBytes = 0;    // CPU copies of surfaces' pixels
  long long textureBytes = 0;  // textures of the current GL context (the driver keeps them in memory)
  long long bufferBytes = 0;   // OpenAL buffers (the library keeps its own copy of the samples)
};

struct Census {
  DeviceHoldings reachable, garbage;
};

Census TakeCensus();
