// LoadOGG: an Ogg Vorbis stream decoded whole into 16-bit interleaved samples.
//
// Decodes in steps of up to 4096 frames into a block that doubles whenever less than one step's room is
// left, then shrinks it to what was decoded. A stream the decoder cannot open gives null, and so does a file
// that breaks off before the stream's last page (cut short in a copy or a download): the caller can then say
// the file is damaged instead of looping a part of the tune. A stream whose samples would not fit in 2^31
// bytes, or a failed allocation, gives null rather than an overflowed size. The decoder works in one block
// owned here and freed on every path, because the library leaks what it had allocated itself when it gives up
// on a damaged header. Reentrant: the decoder's state belongs to this call.
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>

#define STB_VORBIS_HEADER_ONLY
#include "stb_vorbis.h"

#include "host/ogg_comments.h"
#include "host/sound_decoders.h"

namespace {

constexpr long kStepFrames = 4096;            // frames the decoder may write per step
constexpr long kMaxSamples = INT_MAX / 2;     // 16-bit samples whose byte count still fits an int
constexpr int kFirstArenaBytes = 256 * 1024;  // enough for mono and stereo; 5.1 needs about 470 KiB
constexpr int kMaxArenaBytes = 32 << 20;      // beyond this a header is taken as hostile

// Opens the stream with all of the decoder's memory in `arena`, doubling it while the library runs short.
stb_vorbis* open_in_arena(std::FILE* file, std::unique_ptr<char[]>& arena) {
  if (!OggCommentHeaderFits(file)) return nullptr;  // the decoder would trust lengths that reach past the file
  long start = std::ftell(file);
  for (int bytes = kFirstArenaBytes; bytes <= kMaxArenaBytes; bytes *= 2) {
    arena.reset(new (std::nothrow) char[static_cast<std::size_t>(bytes)]);
    if (!arena) return nullptr;
    stb_vorbis_alloc memory{arena.get(), bytes};
    int error = 0;
    if (stb_vorbis* decoder = stb_vorbis_open_file(file, 0, &error, &memory)) return decoder;  // 0: file stays ours
    if (error != VORBIS_outofmem || std::fseek(file, start, SEEK_SET) != 0) return nullptr;
  }
  return nullptr;
}

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
short* decode_all(stb_vorbis* decoder, int channels, long* decoded) {
  long capacity = channels * kStepFrames, used = 0;
  auto* samples = static_cast<short*>(std::malloc(capacity * sizeof(short)));
  while (samples) {
    int frames = stb_vorbis_get_frame_short_interleaved(decoder, channels, samples + used,
                                                        static_cast<int>(capacity - used));
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

// True when the file ends with a whole Ogg page marked as the end of its stream. Reads at most the last page's
// largest possible size (27 header bytes, 255 segment sizes, 255 x 255 bytes) from the end.
bool ends_with_last_page(std::FILE* file) {
  constexpr long kMaxPage = 27 + 255 + 255 * 255;
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  long size = std::ftell(file);
  long tailStart = size > kMaxPage ? size - kMaxPage : 0;
  if (size < 27 || std::fseek(file, tailStart, SEEK_SET) != 0) return false;
  long length = size - tailStart;
  std::unique_ptr<unsigned char[]> tail(new (std::nothrow) unsigned char[static_cast<std::size_t>(length)]);
  if (!tail || std::fread(tail.get(), 1, static_cast<std::size_t>(length), file) != static_cast<std::size_t>(length)) {
    return false;
  }
  for (long at = length - 27; at >= 0; --at) {  // the last page header whose page reaches exactly the end
    const unsigned char* page = tail.get() + at;
    if (page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S') continue;
    long segments = page[26], bytes = 27 + segments;
    if (at + bytes > length) continue;
    for (long i = 0; i < segments; ++i) bytes += page[27 + i];
    if (at + bytes == length) return (page[5] & 0x04) != 0;  // the end-of-stream flag
  }
  return false;
}

}  // namespace

unsigned char* LoadOGG(std::FILE* file, int* length, int* channels, int* format, int* hertz) {
  std::unique_ptr<char[]> arena;
  stb_vorbis* decoder = open_in_arena(file, arena);
  if (!decoder) return nullptr;
  stb_vorbis_info info = stb_vorbis_get_info(decoder);
  long decoded = 0;
  bool described = info.channels > 0 && info.sample_rate > 0 && info.sample_rate <= INT_MAX;
  short* samples = described ? decode_all(decoder, info.channels, &decoded) : nullptr;
  stb_vorbis_close(decoder);
  if (samples && !ends_with_last_page(file)) {
    std::free(samples);
    samples = nullptr;
  }
  if (!samples) return nullptr;
  *length = static_cast<int>(decoded / info.channels);
  *channels = info.channels;
  *format = 2;
  *hertz = static_cast<int>(info.sample_rate);
  return reinterpret_cast<unsigned char*>(samples);
}
