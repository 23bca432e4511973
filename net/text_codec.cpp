// "ascii" and "utf8" encoding and decoding for data buffers and the HTTP client.
#include "net/text_codec.h"

#include <vector>

#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

// Bytes in the sequence introduced by `lead`, or 0 for a byte that cannot start one.
int sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  return 0;
}

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

String bytes_as_units(const unsigned char* bytes, int count) {
  std::vector<char16_t> units(bytes, bytes + count);
  return String(units.data(), count);
}

}  // namespace

TextEncoding ko_codec_Encoding(const String& name) {
  if (name == String("utf8")) return TextEncoding::Utf8;
  if (name == String("ascii")) return TextEncoding::Ascii;
  koError(String("Invalid string encoding:") + name);
}

std::string ko_codec_Encode(const String& text, TextEncoding encoding) {
  std::string bytes;
  if (encoding == TextEncoding::Utf8) {
    AppendUtf8(text, bytes);
    return bytes;
  }
  bytes.reserve(static_cast<std::size_t>(text.Length()));
  for (int i = 0; i < text.Length(); ++i) bytes += static_cast<char>(text[i] & 0xFF);
  return bytes;
}

String ko_codec_Decode(const unsigned char* bytes, int count, TextEncoding encoding) {
  if (count <= 0) return String();
  if (encoding == TextEncoding::Ascii) return bytes_as_units(bytes, count);
  return String::FromUtf8(reinterpret_cast<const char*>(bytes), count);  // whole range byte by byte if invalid
}

String ko_codec_DecodeUtf8Stream(const unsigned char* bytes, int count) {
  if (count <= 0) return String();
  std::vector<char16_t> units;
  units.reserve(static_cast<std::size_t>(count));
  if (!DecodeUtf8(bytes, static_cast<std::size_t>(count), units)) {
    units.clear();  // not all valid: again, sequence by sequence
    for (int i = 0; i < count;) {
      int length = sequence_length(bytes[i]);
      bool whole = length > 0 && length <= count - i && DecodeUtf8(bytes + i, length, units);
      if (!whole) units.push_back(bytes[i]);
      i += whole ? length : 1;
    }
  }
  return String(units.data(), static_cast<int>(units.size()));
}

int ko_codec_Utf8CutOffTail(const unsigned char* bytes, int count) {
  // A cut-off sequence is at most two bytes long before the end: look back over continuation bytes only.
  for (int back = 1; back <= 3 && back <= count; ++back) {
    unsigned char byte = bytes[count - back];
    if (is_continuation(byte)) continue;
    int length = sequence_length(byte);
    return length > back ? back : 0;
  }
  return 0;
}
