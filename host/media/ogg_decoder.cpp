// LoadOGG: an Ogg Vorbis stream decoded whole into 16-bit interleaved samples.
//
// Decodes in steps of up to 4096 frames into a block that doubles whenever less than one step's room is
// left, then shrinks it to what was decoded. What counts as damaged is the stream's (ogg_stream.h): a stream the
// decoder cannot open gives null, and so does a file that breaks off before the stream's last page. A stream
// whose samples would not fit in 2^31 bytes, or a failed allocation, gives null rather than an overflowed size.
// Reentrant: the decoder's state belongs to this call.
#include <climits>
#include <cstdlib>

#include "host/media/ogg_stream.h"
#include "host/media/sound_decoders.h"

namespace {

constexpr long kStepFrames = 4096;         // frames the decoder may write per step
constexpr long kMaxSamples = INT_MAX / 2;  // 16-bit samples whose byte count still fits an int

// Doubles the block; frees it and gives null if memory or the int-sized outputs would run out.
short* grow(short* samples, long* capacity) {
  void* bigger = *capacity <= kMaxSamples / 2 ? std::realloc(samples, 2 * *capacity * sizeof(short)) : nullptr;
  if (!bigger) {
    std::free(samples);
    return nullptr;
  }
  *capacity *= 2;
  return static_cast<short*>(bigger);
}

// Every frame of the stream; null if there were none or memory ran out.
short* decode_all(OggStream& stream, long* decoded) {
  const int channels = stream.channels;
  long capacity = channels * kStepFrames, used = 0;
  auto* samples = static_cast<short*>(std::malloc(capacity * sizeof(short)));
  while (samples) {
    int frames = stream.Read(samples + used, static_cast<int>(kStepFrames));
    if (frames == 0) break;
    used += channels * static_cast<long>(frames);
    if (capacity - used < channels * kStepFrames) samples = grow(samples, &capacity);
  }
  if (!samples) return nullptr;
  if (used == 0) {
    std::free(samples);
    return nullptr;
  }
  *decoded = used;
  void* fitted = std::realloc(samples, used * sizeof(short));
  return fitted ? static_cast<short*>(fitted) : samples;  // a failed shrink leaves the larger block valid
}

}  // namespace

unsigned char* LoadOGG(std::FILE* file, int* length, int* channels, int* format, int* hertz) {
  std::unique_ptr<OggStream> stream = OggStream::Open(file, false);
  if (!stream) return nullptr;
  long decoded = 0;
  short* samples = decode_all(*stream, &decoded);
  if (!samples) return nullptr;
  *length = static_cast<int>(decoded / stream->channels);
  *channels = stream->channels;
  *format = 2;
  *hertz = stream->hertz;
  return reinterpret_cast<unsigned char*>(samples);
}
