// PNG output: 8-bit RGBA pictures as small as a lossless optimiser would make them, since every build ships
// them and the web page downloads them.
//
// Invariants: decoding the output gives back exactly the given bytes (straight-alpha RGBA, top row first);
// the output depends on nothing but the input (same pixels, same file); every row's filter is the one of the
// five whose filtered bytes, read as signed, have the smallest sum of magnitudes (the usual heuristic), and the
// stream is deflated at zlib's strongest level (with shorter searches); a picture whose rows deflate smaller unfiltered is written
// unfiltered.
#pragma once

#include <string>
#include <vector>

namespace artkit {

// The whole file in memory; empty if the size is not positive, rgba is not width * height * 4 bytes, or
// zlib fails.
std::vector<unsigned char> encodePng(int width, int height, const std::vector<unsigned char>& rgba);

// encodePng written to path; false if encoding or writing fails.
bool writePngFile(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);

}  // namespace artkit
