// The Windows icon the build packs from the icon theme's pictures, quarzel.ico beside the data folder: its
// directory parses, and each entry's bytes lie inside the file and are a PNG of the size the entry states, one
// for every size the icon theme holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include <stb_image.h>

#include "tests/support/build_paths.h"

namespace datatest {
namespace {

namespace fs = std::filesystem;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

uint32_t littleEndian(const std::vector<uint8_t>& bytes, size_t at, int byteCount) {
  uint32_t value = 0;
  for (int i = byteCount - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

TEST(WindowsIcon, HoldsEachIconSizeAsAPngOfThatSize) {
  const fs::path path = (fs::path(build_paths::kDataDir) / ".." / "quarzel.ico").lexically_normal();
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_GE(bytes.size(), 6u) << path;
  EXPECT_EQ(littleEndian(bytes, 0, 2), 0u);
  EXPECT_EQ(littleEndian(bytes, 2, 2), 1u) << "an icon";
  const uint32_t count = littleEndian(bytes, 4, 2);
  ASSERT_GE(bytes.size(), 6 + 16 * count);
  std::set<int> sides;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    const int side = bytes[entry] == 0 ? 256 : bytes[entry];
    EXPECT_EQ(bytes[entry + 1], bytes[entry]) << "square";
    EXPECT_EQ(littleEndian(bytes, entry + 6, 2), 32u) << "bits per pixel";
    const uint32_t size = littleEndian(bytes, entry + 8, 4);
    const uint32_t offset = littleEndian(bytes, entry + 12, 4);
    ASSERT_LE(uint64_t{offset} + size, bytes.size()) << "entry " << i;
    ASSERT_GE(size, sizeof kPngSignature);
    EXPECT_TRUE(std::equal(kPngSignature, kPngSignature + 8, bytes.begin() + offset)) << "PNG bytes, not a bitmap";
    int width = 0, height = 0, channels = 0;
    ASSERT_TRUE(stbi_info_from_memory(bytes.data() + offset, static_cast<int>(size), &width, &height, &channels));
    EXPECT_EQ(width, side);
    EXPECT_EQ(height, side);
    sides.insert(side);
  }
  EXPECT_EQ(sides, (std::set<int>{48, 64, 256}));
}

}  // namespace
}  // namespace datatest
