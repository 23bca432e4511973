// LoadWAV: a RIFF WAVE file of integer PCM into one block holding its "data" chunk.
//
// Layout read, in order: "RIFF" <size> "WAVE", then the "fmt " chunk (it must come first, at least 16
// bytes; anything past the 16 is skipped), then chunks up to the first "data" chunk, whose bytes are
// returned exactly as stored. Other chunks are skipped at their stated size; after an odd size, a zero byte
// is taken as the pad byte that RIFF writers add, and any other byte as the next tag (some writers omit it).
//
// Malformed or partial input gives null, never a crash: wrong tags, a format other than integer PCM, zero
// channels, fewer than 8 bits per sample (a frame of zero bytes), a zero or negative rate, a chunk size that
// is negative or larger than what is left of the file, a data chunk without one whole frame, and a file that
// ends before the data chunk's last byte. Sizes are checked against the file's remaining length before
// anything is allocated, so a hostile header cannot ask for more memory than the file holds; a stream that
// cannot tell its length (a pipe) is refused for the same reason. The only allocation is the returned block.
// Reentrant: the chunk tag is read into the caller's buffer, so worker threads may decode at once.
#include <cstdlib>
#include <cstring>

#include "host/media/sound_decoders.h"

namespace {

using Tag = char[4];

bool read_tag(std::FILE* file, Tag& tag) { return std::fread(tag, 1, 4, file) == 4; }

bool tag_is(const Tag& tag, const char* name) { return std::memcmp(tag, name, 4) == 0; }

// Little-endian fields; -1 if the file ends first, which no field read here may legitimately hold.
int read_u16(std::FILE* file) {
  unsigned char bytes[2];
  if (std::fread(bytes, 1, 2, file) != 2) return -1;
  return bytes[0] | bytes[1] << 8;
}

int read_i32(std::FILE* file) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return -1;
  return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<unsigned>(bytes[3]) << 24);
}

// Bytes between the read position and the end of the file, or -1 if the stream cannot tell.
long bytes_left(std::FILE* file) {
  long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
  return end - here;
}

// Reads a chunk size and checks that the file holds that many more bytes.
bool read_chunk_size(std::FILE* file, int* size) {
  *size = read_i32(file);
  return *size >= 0 && *size <= bytes_left(file);
}

// Skips the pad byte after an odd-sized chunk if there is one: a tag never starts with a zero byte.
void skip_pad(std::FILE* file, int size) {
  if (size % 2 == 0) return;
  int next = std::fgetc(file);
  if (next != 0 && next != EOF) std::ungetc(next, file);
}

struct PcmFormat {
  int channels;
  int bytesPerSample;
  int hertz;
  int frameBytes() const { return channels * bytesPerSample; }  // at most 65535 * 8191: no overflow
};

// The "fmt " chunk after its tag; false unless it describes integer PCM with a frame of at least one byte.
bool read_format(std::FILE* file, PcmFormat* pcm) {
  int size;
  if (!read_chunk_size(file, &size) || size < 16) return false;  // shorter: the fields below would overrun it
  int audioFormat = read_u16(file);
  pcm->channels = read_u16(file);
  pcm->hertz = read_i32(file);
  read_i32(file);  // byte rate and block align follow from the other fields
  read_u16(file);
  int bits = read_u16(file);
  if (audioFormat != 1 || pcm->channels <= 0 || pcm->hertz <= 0 || bits < 8) return false;
  pcm->bytesPerSample = bits >> 3;
  if (std::fseek(file, size - 16, SEEK_CUR) != 0) return false;
  skip_pad(file, size);
  return true;
}

// The data chunk's body, already known to be in the file; null unless it holds a whole frame.
unsigned char* read_samples(std::FILE* file, int size, const PcmFormat& pcm) {
  if (size / pcm.frameBytes() == 0) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size)));
  if (!block) return nullptr;
  if (std::fread(block, 1, static_cast<std::size_t>(size), file) != static_cast<std::size_t>(size)) {
    std::free(block);
    return nullptr;
  }
  return block;
}

}  // namespace

unsigned char* LoadWAV(std::FILE* file, int* length, int* channels, int* format, int* hertz) {
  Tag tag;
  if (!read_tag(file, tag) || !tag_is(tag, "RIFF")) return nullptr;
  read_i32(file);  // the RIFF size is not trusted; each chunk's size is checked against the file instead
  if (!read_tag(file, tag) || !tag_is(tag, "WAVE")) return nullptr;
  PcmFormat pcm;
  if (!read_tag(file, tag) || !tag_is(tag, "fmt ") || !read_format(file, &pcm)) return nullptr;
  for (;;) {
    int size;
    if (!read_tag(file, tag) || !read_chunk_size(file, &size)) return nullptr;
    if (tag_is(tag, "data")) {
      unsigned char* samples = read_samples(file, size, pcm);
      if (samples) {
        *length = size / pcm.frameBytes();
        *channels = pcm.channels;
        *format = pcm.bytesPerSample;
        *hertz = pcm.hertz;
      }
      return samples;
    }
    if (std::fseek(file, size, SEEK_CUR) != 0) return nullptr;
    skip_pad(file, size);
  }
}
