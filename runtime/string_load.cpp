// String::Load: a whole text file into a String, with its encoding detected.
//
// Contract: never fails and never reads past the bytes it got. UTF-16 is recognised only by its byte-order
// mark (a final odd byte is ignored); otherwise the bytes must be valid UTF-8 of at most three bytes per
// sequence (an optional UTF-8 mark is skipped); anything else is read as ISO-8859-1, one unit per byte.
#include <cstdlib>
#include <vector>

#include "runtime/string.h"
#include "runtime/utf8.h"

namespace {

std::vector<unsigned char> read_all(std::FILE* file) {
  std::vector<unsigned char> bytes;
  for (;;) {
    std::size_t had = bytes.size();
    bytes.resize(had + 4096);
    std::size_t got = std::fread(bytes.data() + had, 1, 4096, file);
    bytes.resize(had + got);
    if (got < 4096) return bytes;
  }
}

String decode_utf16(const unsigned char* bytes, std::size_t size, bool bigEndian) {
  std::vector<char16_t> units(size / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    unsigned first = bytes[2 * i], second = bytes[2 * i + 1];
    units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return String(units.data(), static_cast<int>(units.size()));
}

}  // namespace

String String::FromUtf8(const char* text, int length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::vector<char16_t> units;
  units.reserve(static_cast<std::size_t>(length));  // never more units than bytes
  if (!DecodeUtf8(bytes, static_cast<std::size_t>(length), units)) units.assign(bytes, bytes + length);
  return String(units.data(), static_cast<int>(units.size()));
}

String String::Load(std::FILE* file) {
  std::vector<unsigned char> bytes = read_all(file);
  std::size_t size = bytes.size();
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return decode_utf16(bytes.data() + 2, size - 2, true);
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return decode_utf16(bytes.data() + 2, size - 2, false);
  std::size_t start = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
  std::vector<char16_t> units;
  if (!DecodeUtf8(bytes.data() + start, size - start, units)) {
    units.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end());  // ISO-8859-1
  }
  return String(units.data(), static_cast<int>(units.size()));
}
