// "ascii" and "utf8" encoding and decoding for data buffers and the HTTP client.
#include "net/text_codec.h"

#include <vector>

#include "runtime/errors.h"

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

// Strict decoding into `units` (room for `count` units); the number of units, or -1 at the first byte that
// breaks the rules.
int decode_utf8(const unsigned char* bytes, int count, char16_t* units) {
  int decoded = 0;
  for (int i = 0; i < count;) {
    int length = sequence_length(bytes[i]);
    if (length == 0 || i + length > count) return -1;
    int unit = length == 1 ? bytes[i] : length == 2 ? bytes[i] & 0x1F : bytes[i] & 0x0F;
    for (int k = 1; k < length; ++k) {
      if (!is_continuation(bytes[i + k])) return -1;
      unit = unit << 6 | (bytes[i + k] & 0x3F);
    }
    units[decoded++] = static_cast<char16_t>(unit);
    i += length;
  }
  return decoded;
}

}  // namespace

TextEncoding ko_codec_Encoding(const String& name) {
  if (name == String("utf8")) return TextEncoding::Utf8;
  if (name == String("ascii")) return TextEncoding::Ascii;
  koError(String("Invalid string encoding:") + name);
}

std::string ko_codec_Encode(const String& text, TextEncoding encoding) {
  std::string bytes;
  bytes.reserve(text.Length());
  for (int i = 0; i < text.Length(); ++i) {
    unsigned c = text[i];
    if (encoding == TextEncoding::Ascii || c < 0x80) {
      bytes += static_cast<char>(c & 0xFF);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | c >> 6);
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | c >> 12);
      bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

String ko_codec_Decode(const unsigned char* bytes, int count, TextEncoding encoding) {
  if (count <= 0) return String();
  if (encoding == TextEncoding::Ascii) return bytes_as_units(bytes, count);
  std::vector<char16_t> units(count);  // never more units than bytes
  int decoded = decode_utf8(bytes, count, units.data());
  if (decoded < 0) return bytes_as_units(bytes, count);
  return String(units.data(), decoded);
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
