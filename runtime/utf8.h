// The runtime's one UTF-8 codec: one to three bytes per UTF-16 code unit, surrogates encoded unit by unit.
// Used for program output, the saved-state file, text files and the network's "utf8" text, which must all
// agree byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/string.h"

// Appends the encoding of `text` to `out`.
void AppendUtf8(const String& text, std::string& out);

// Strictly decodes one-, two- and three-byte sequences, appending to `units`; false (with `units` partly
// filled) at a bad lead or continuation byte or a sequence cut off by the end. Reads only bytes[0 .. size).
bool DecodeUtf8(const unsigned char* bytes, std::size_t size, std::vector<char16_t>& units);

// `text` with every code unit that is not printable ASCII percent-encoded as the bytes of its UTF-8 form
// ("%C3%A9" for U+00E9): what a request line or a URL handed to the system may carry, since nothing in it can
// then end a line early or be read as anything but part of the URL.
std::string PercentEncodedUtf8(const String& text);
