// OggStream: opening in an arena that grows while the library runs short, the check for the last page, and
// reading and rewinding through the library.
#include "host/media/ogg_stream.h"

#include <climits>
#include <new>

#define STB_VORBIS_HEADER_ONLY
#include "stb_vorbis.h"

#include "host/media/ogg_comments.h"

namespace {

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

// The last-page check, leaving the file where it was for the decoder.
bool whole_file_from(std::FILE* file) {
  long start = std::ftell(file);
  return start >= 0 && ends_with_last_page(file) && std::fseek(file, start, SEEK_SET) == 0;
}

}  // namespace

std::unique_ptr<OggStream> OggStream::Open(std::FILE* file, bool closesFile) {
  std::unique_ptr<char[]> arena;
  stb_vorbis* decoder = whole_file_from(file) ? open_in_arena(file, arena) : nullptr;
  stb_vorbis_info info{};
  if (decoder) info = stb_vorbis_get_info(decoder);
  bool described = info.channels > 0 && info.sample_rate > 0 && info.sample_rate <= INT_MAX;
  if (!described) {
    if (decoder) stb_vorbis_close(decoder);
    if (closesFile) std::fclose(file);
    return nullptr;
  }
  std::FILE* owned = closesFile ? file : nullptr;
  return std::unique_ptr<OggStream>(
      new OggStream(decoder, std::move(arena), info.channels, static_cast<int>(info.sample_rate), owned));
}

OggStream::OggStream(stb_vorbis* decoder, std::unique_ptr<char[]> arena, int channels, int hertz, std::FILE* ownedFile)
    : KoAudioStream(channels, 2, hertz), decoder_(decoder), arena_(std::move(arena)), ownedFile_(ownedFile) {}

OggStream::~OggStream() {
  stb_vorbis_close(decoder_);
  if (ownedFile_) std::fclose(ownedFile_);
}

int OggStream::Read(void* out, int frames) {
  if (frames <= 0 || frames > INT_MAX / channels) return 0;
  return stb_vorbis_get_samples_short_interleaved(decoder_, channels, static_cast<short*>(out), frames * channels);
}

bool OggStream::Rewind() { return stb_vorbis_seek_start(decoder_) != 0; }

std::unique_ptr<KoAudioStream> OpenOggStream(std::FILE* file) { return OggStream::Open(file, true); }
