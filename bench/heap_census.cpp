// The census of device objects (see heap_census.h): a walk over the collector's lists.
#include "bench/heap_census.h"

#include "gxtk/audio.h"
#include "gxtk/surface.h"
#include "runtime/gc.h"

namespace {

void Count(gc_object* object, DeviceHoldings& holdings) {
  if (auto* surface = dynamic_cast<gxtkSurface*>(object)) {
    ++holdings.surfaces;
    long long pixels = static_cast<long long>(surface->width) * surface->height * surface->bytesPerPixel;
    if (surface->pixelData) holdings.pixelBytes += pixels;
    if (surface->HasCurrentTexture() && surface->uScale > 0 && surface->vScale > 0) {
      ++holdings.textures;  // the texture may have been padded to powers of two: its size is 1 / scale
      holdings.textureBytes += static_cast<long long>(1 / surface->uScale + 0.5f) *
                               static_cast<long long>(1 / surface->vScale + 0.5f) * surface->bytesPerPixel;
    }
  } else if (auto* sample = dynamic_cast<gxtkSample*>(object)) {
    ++holdings.samples;
    ALint bytes = 0;
    if (sample->buffer) alGetBufferi(sample->buffer, AL_SIZE, &bytes);
    holdings.bufferBytes += bytes;
  }
}

void CountList(gc_link& list, DeviceHoldings& holdings) {
  for (gc_link* node = list.succ; node != &list; node = node->succ) Count(static_cast<gc_object*>(node), holdings);
}

}  // namespace

Census TakeCensus() {
  Census census;
  CountList(gc_unmarked_list, census.reachable);
  CountList(gc_queued_list, census.reachable);
  CountList(gc_marked_list, census.reachable);
  CountList(gc_free_list, census.garbage);
  return census;
}
