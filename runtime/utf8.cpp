// UTF-8 encoding of code units (see utf8.h).
#include "runtime/utf8.h"

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
