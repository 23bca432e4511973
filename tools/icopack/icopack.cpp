// quarzel_icopack OUT.ico PNG...: packs square PNG pictures, unchanged, into one Windows icon file, in the
// order given. The file is an icon directory (a 6-byte header and a 16-byte entry per picture, all numbers
// little-endian) followed by each picture's PNG bytes; Windows reads PNG pictures in icons since Vista, so no
// bitmap conversion is needed. An entry's width and height come from the PNG's own header, with 0 standing
// for 256 as the format wants. A file that is not a PNG, or not square from 1 to 256 pixels, is refused with
// a message and status 1, and nothing is written.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;

bool readFile(const std::string& path, Bytes& bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;  // reading a folder would throw
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

uint32_t bigEndian32(const Bytes& bytes, size_t at) {
  return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// The picture's side in pixels, read from the PNG's first chunk (IHDR), or 0 when it is not a square PNG
// that an icon can hold.
uint32_t squareSide(const Bytes& png) {
  if (png.size() < 24) return 0;
  for (size_t i = 0; i < sizeof kPngSignature; ++i) {
    if (png[i] != kPngSignature[i]) return 0;
  }
  if (std::string(png.begin() + 12, png.begin() + 16) != "IHDR") return 0;
  const uint32_t width = bigEndian32(png, 16);
  const uint32_t height = bigEndian32(png, 20);
  if (width != height || width < 1 || width > 256) return 0;
  return width;
}

void putLittleEndian(Bytes& out, uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes iconFile(const std::vector<Bytes>& pngs, const std::vector<uint32_t>& sides) {
  Bytes out;
  putLittleEndian(out, 0, 2);  // reserved
  putLittleEndian(out, 1, 2);  // 1: an icon, not a cursor
  putLittleEndian(out, static_cast<uint32_t>(pngs.size()), 2);
  size_t offset = kHeaderSize + kEntrySize * pngs.size();
  for (size_t i = 0; i < pngs.size(); ++i) {
    putLittleEndian(out, sides[i] % 256, 1);  // width, 0 for 256
    putLittleEndian(out, sides[i] % 256, 1);  // height
    putLittleEndian(out, 0, 1);               // no palette
    putLittleEndian(out, 0, 1);               // reserved
    putLittleEndian(out, 1, 2);               // colour planes
    putLittleEndian(out, 32, 2);              // bits per pixel: RGBA
    putLittleEndian(out, static_cast<uint32_t>(pngs[i].size()), 4);
    putLittleEndian(out, static_cast<uint32_t>(offset), 4);
    offset += pngs[i].size();
  }
  for (const Bytes& png : pngs) out.insert(out.end(), png.begin(), png.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUT.ico PNG...\n", argv[0]);
    return 2;
  }
  std::vector<Bytes> pngs(argc - 2);
  std::vector<uint32_t> sides;
  for (int i = 2; i < argc; ++i) {
    Bytes& png = pngs[i - 2];
    if (!readFile(argv[i], png)) {
      std::fprintf(stderr, "icopack: cannot read %s\n", argv[i]);
      return 1;
    }
    sides.push_back(squareSide(png));
    if (sides.back() == 0) {
      std::fprintf(stderr, "icopack: %s is not a square PNG of 1 to 256 pixels\n", argv[i]);
      return 1;
    }
  }
  const Bytes icon = iconFile(pngs, sides);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "icopack: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
