// UTF-8 encoding and strict decoding of code units (see utf8.h).
#include "runtime/utf8.h"

#include <cstdio>

void AppendUtf8(const String& text, std::string& out) {
  out.reserve(out.size() + static_cast<std::size_t>(text.Length()));
  for (int i = 0; i < text.Length(); ++i) {
    unsigned c = text[i];
    if (c <= 0x7F) {
      out += static_cast<char>(c);
    } else if (c <= 0x7FF) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

namespace {
bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

bool DecodeUtf8(const unsigned char* bytes, std::size_t size, std::vector<char16_t>& units) {
  for (std::size_t i = 0; i < size;) {
    unsigned lead = bytes[i];
    if (lead < 0x80) {
      units.push_back(static_cast<char16_t>(lead));
      i += 1;
    } else if ((lead & 0xE0) == 0xC0 && i + 1 < size && is_continuation(bytes[i + 1])) {
      units.push_back(static_cast<char16_t>((lead & 0x1F) << 6 | (bytes[i + 1] & 0x3F)));
      i += 2;
    } else if ((lead & 0xF0) == 0xE0 && i + 2 < size && is_continuation(bytes[i + 1]) &&
               is_continuation(bytes[i + 2])) {
      units.push_back(static_cast<char16_t>((lead & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 | (bytes[i + 2] & 0x3F)));
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

std::string PercentEncodedUtf8(const String& text) {
  std::string bytes;
  AppendUtf8(text, bytes);
  std::string encoded;
  for (unsigned char byte : bytes) {
    if (byte > 0x20 && byte < 0x7F) {
      encoded += static_cast<char>(byte);
      continue;
    }
    char escape[4];
    std::snprintf(escape, sizeof escape, "%%%02X", byte);
    encoded += escape;
  }
  return encoded;
}
