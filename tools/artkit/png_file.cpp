// PNG encoding with zlib (see png_file.h for the invariants).
#include "artkit/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace artkit {
namespace {

constexpr int kChannels = 4;  // bytes per pixel; also the distance to the "left" neighbour

int paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left);
  const int toUp = std::abs(estimate - up);
  const int toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  if (toUp <= toUpLeft) return up;
  return upLeft;
}

// Row `row` filtered with PNG filter `type` (0 none, 1 sub, 2 up, 3 average, 4 paeth) into out; `above` is the
// previous row, all zero for the first.
void filterRow(int type, const unsigned char* row, const unsigned char* above, size_t length, unsigned char* out) {
  for (size_t i = 0; i < length; ++i) {
    const int left = i >= kChannels ? row[i - kChannels] : 0;
    const int upLeft = i >= kChannels ? above[i - kChannels] : 0;
    int predicted = 0;
    if (type == 1) predicted = left;
    if (type == 2) predicted = above[i];
    if (type == 3) predicted = (left + above[i]) / 2;
    if (type == 4) predicted = paeth(left, above[i], upLeft);
    out[i] = static_cast<unsigned char>(row[i] - predicted);
  }
}

uint64_t signedMagnitude(const unsigned char* bytes, size_t length) {
  uint64_t sum = 0;
  for (size_t i = 0; i < length; ++i) sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
  return sum;
}

// Every row preceded by its filter type byte: with `choose`, each row's filter the one of smallest signed
// magnitude; without, no filter on any row.
std::vector<unsigned char> filteredRows(int width, int height, const std::vector<unsigned char>& rgba, bool choose) {
  const size_t stride = static_cast<size_t>(width) * kChannels;
  std::vector<unsigned char> out((stride + 1) * height);
  std::vector<unsigned char> zeros(stride, 0), trial(stride);
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = rgba.data() + stride * y;
    const unsigned char* above = y > 0 ? row - stride : zeros.data();
    unsigned char* dest = out.data() + (stride + 1) * y;
    uint64_t best = UINT64_MAX;
    for (int type = 0; type < (choose ? 5 : 1); ++type) {
      filterRow(type, row, above, stride, trial.data());
      const uint64_t magnitude = signedMagnitude(trial.data(), stride);
      if (magnitude >= best) continue;
      best = magnitude;
      dest[0] = static_cast<unsigned char>(type);
      std::copy(trial.begin(), trial.end(), dest + 1);
    }
  }
  return out;
}

// How hard deflate looks for repeats: the strongest level's settings but for the length of its search chains,
// cut from 4096 to 512, which keeps all but about 1.5% of its gain at under half its time (the generator runs on
// every fresh build). kTrial is the quick level that ranks the two ways of filtering as the final one would.
constexpr int kFinalChain = 512;
constexpr int kTrial = 1;

bool deflateAll(const std::vector<unsigned char>& raw, int level, std::vector<unsigned char>* packed) {
  if (raw.size() > UINT32_MAX) return false;  // beyond one call's reach
  z_stream stream{};
  if (deflateInit2(&stream, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  if (level == Z_BEST_COMPRESSION) deflateTune(&stream, 32, 258, 258, kFinalChain);
  packed->resize(deflateBound(&stream, static_cast<uLong>(raw.size())));
  stream.next_in = const_cast<Bytef*>(raw.data());
  stream.avail_in = static_cast<uInt>(raw.size());
  stream.next_out = packed->data();
  stream.avail_out = static_cast<uInt>(packed->size());
  const bool finished = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  packed->resize(stream.total_out);
  deflateEnd(&stream);
  return finished;
}

// The rows filtered row by row, or not at all, whichever deflates smaller in a quick trial: large smooth
// pictures gain from the filters, small sharp-edged ones on empty ground (glyphs, icons) lose by them.
std::vector<unsigned char> chosenRows(int width, int height, const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> filtered = filteredRows(width, height, rgba, true);
  std::vector<unsigned char> plain = filteredRows(width, height, rgba, false);
  std::vector<unsigned char> filteredTrial, plainTrial;
  if (!deflateAll(filtered, kTrial, &filteredTrial) || !deflateAll(plain, kTrial, &plainTrial)) return filtered;
  return filteredTrial.size() <= plainTrial.size() ? filtered : plain;
}

void putBigEndian(std::vector<unsigned char>* out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<unsigned char>(value >> shift));
}

void putChunk(std::vector<unsigned char>* out, const char* type, const std::vector<unsigned char>& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out->size();
  out->insert(out->end(), type, type + 4);
  out->insert(out->end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out->data() + typeAt, static_cast<uInt>(data.size() + 4));
  putBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<unsigned char> encodePng(int width, int height, const std::vector<unsigned char>& rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * kChannels) return {};
  std::vector<unsigned char> packed;
  if (!deflateAll(chosenRows(width, height, rgba), Z_BEST_COMPRESSION, &packed)) return {};
  std::vector<unsigned char> header;
  putBigEndian(&header, static_cast<uint32_t>(width));
  putBigEndian(&header, static_cast<uint32_t>(height));
  const unsigned char depthColourCompressionFilterInterlace[] = {8, 6, 0, 0, 0};  // 8-bit RGBA, no interlace
  header.insert(header.end(), std::begin(depthColourCompressionFilterInterlace),
                std::end(depthColourCompressionFilterInterlace));
  std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  putChunk(&file, "IHDR", header);
  putChunk(&file, "IDAT", packed);
  putChunk(&file, "IEND", {});
  return file;
}

bool writePngFile(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba) {
  const std::vector<unsigned char> file = encodePng(width, height, rgba);
  if (file.empty()) return false;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace artkit
