// OggCommentHeaderFits: the stream's second packet, gathered from its pages and checked field by field.
#include "host/media/ogg_comments.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr int kPageHeaderBytes = 27;  // capture pattern "OggS" to the segment count

// The next Ogg page's body, split into its segments' sizes; false at the end of the file or on a broken page.
bool read_page(std::FILE* file, std::string& lacing, std::string& body) {
  unsigned char header[kPageHeaderBytes];
  if (std::fread(header, 1, sizeof header, file) != sizeof header || std::memcmp(header, "OggS", 4) != 0) {
    return false;
  }
  lacing.resize(header[26]);
  if (std::fread(lacing.data(), 1, lacing.size(), file) != lacing.size()) return false;
  std::size_t bytes = 0;
  for (unsigned char size : lacing) bytes += size;
  body.resize(bytes);
  return std::fread(body.data(), 1, bytes, file) == bytes;
}

// The second packet of the stream: it starts on the second page and runs over as many pages as it needs.
bool read_second_packet(std::FILE* file, std::string& packet) {
  std::string lacing, body;
  if (!read_page(file, lacing, body)) return false;  // the first page holds the identification packet alone
  for (;;) {
    if (!read_page(file, lacing, body)) return false;
    std::size_t at = 0;
    for (unsigned char size : lacing) {
      packet.append(body, at, size);
      at += size;
      if (size < 255) return true;  // a segment shorter than 255 bytes ends the packet
    }
  }
}

// Reads the little-endian 32-bit field at `at` and moves past it; false when the packet ends first.
bool take_length(const std::string& packet, std::size_t* at, std::uint32_t* value) {
  if (packet.size() - *at < 4) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(packet.data() + *at);
  *value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  *at += 4;
  return true;
}

// Type byte and "vorbis", the vendor text, the number of comments, each comment, the framing bit: every length
// must leave its text inside the packet.
bool fields_fit(const std::string& packet) {
  std::size_t at = 7;
  std::uint32_t length = 0, count = 0;
  if (packet.size() < at || !take_length(packet, &at, &length) || length > packet.size() - at) return false;
  at += length;
  if (!take_length(packet, &at, &count)) return false;
  for (std::uint32_t i = 0; i < count; ++i) {  // each comment takes at least 4 bytes: the loop is bounded
    if (!take_length(packet, &at, &length) || length > packet.size() - at) return false;
    at += length;
  }
  return at < packet.size();  // the framing byte
}

}  // namespace

bool OggCommentHeaderFits(std::FILE* file) {
  long start = std::ftell(file);
  std::string packet;
  bool fits = start >= 0 && read_second_packet(file, packet) && fields_fit(packet);
  return std::fseek(file, start, SEEK_SET) == 0 && fits;
}
