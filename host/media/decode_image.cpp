// DecodePng: a PNG file into 8-bit pixels (image_decoder.h).
//
// Returns a malloc'd block of width x height x depth bytes, rows top to bottom, in the file's own channel
// count (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA), not premultiplied; the caller frees it. A missing,
// truncated or undecodable file gives null, and so does any file that does not start with the PNG signature
// and its header chunk: the image library also reads JPEG, PSD, HDR, PIC and others, none of which the game
// ships, so a hostile file never reaches those decoders. So does a picture of more than kMaxPixels, or one
// whose chunks claim more bytes than the file holds: both would have the decoder reserve memory for data that
// is not there. May run on a worker thread: it touches only the file it opens, the collector's atomic
// external-bytes counter, and (once) the allocator's threshold for mapped blocks (decode_memory.h).
#include <cstdint>
#include <cstring>

#include "stb_image.h"

#include "host/media/decode_memory.h"
#include "host/media/image_decoder.h"
#include "runtime/gc.h"

namespace {

// The 8-byte signature, then the header chunk that must come first: its length (13) and its type.
constexpr unsigned char kPngStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
// Four times the game's largest picture (2048 x 2048). The decoder sizes its blocks from the header before it
// has seen any pixel data, so without this bound a 50-byte file could make it ask for gigabytes.
constexpr std::uint64_t kMaxPixels = 4096 * 4096;

std::uint32_t big_endian(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

// True when every chunk up to the end chunk lies within the file. The decoder grows its buffer to a chunk's
// declared length before it reads the chunk, so a short file declaring a huge chunk would cost that much memory.
bool chunks_fit(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  long size = std::ftell(file);
  for (long at = sizeof kPngStart - 8; at + 12 <= size;) {  // from the header chunk on
    unsigned char head[8];  // length and type
    if (std::fseek(file, at, SEEK_SET) != 0 || std::fread(head, 1, sizeof head, file) != sizeof head) return false;
    long length = big_endian(head);
    if (length > size - at - 12) return false;
    if (std::memcmp(head + 4, "IEND", 4) == 0) return true;
    at += 12 + length;  // length, type, data and checksum
  }
  return false;
}

// True when the file is a PNG the decoder may have: the signature, a header chunk first, at most kMaxPixels,
// and chunks that fit the file. Leaves the file at its start.
bool acceptable_png(std::FILE* file) {
  unsigned char start[sizeof kPngStart + 8];  // then the width and the height
  bool png = std::fread(start, 1, sizeof start, file) == sizeof start &&
             std::memcmp(start, kPngStart, sizeof kPngStart) == 0 &&
             std::uint64_t{big_endian(start + 16)} * big_endian(start + 20) <= kMaxPixels && chunks_fit(file);
  return std::fseek(file, 0, SEEK_SET) == 0 && png;
}

}  // namespace

unsigned char* DecodePng(std::FILE* file, int* width, int* height, int* depth) {
  KeepLargeBlocksMapped();
  unsigned char* pixels = nullptr;
  if (acceptable_png(file)) pixels = stbi_load_from_file(file, width, height, depth, 0);  // 0: the file's channels
  if (!pixels) return nullptr;
  gc_ext_malloced(*width * *height * *depth);  // at most kMaxPixels x 4 bytes: no overflow
  return pixels;
}
