// The generator's PNG writer: pictures of every kind it chooses differently for (one pixel, smooth ramps that
// take the row filters, sharp marks on empty ground that go unfiltered, noise) decode to exactly the bytes
// written, and a buffer that does not match its size writes nothing.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdint>
#include <vector>

#include "artkit/png_file.h"

namespace datatest {
namespace {

struct Picture {
  const char* name;
  int width, height;
  unsigned char (*channel)(int x, int y, int c);
};

unsigned char ramp(int x, int y, int c) { return static_cast<unsigned char>(x * 3 + y * 5 + c * 60); }
unsigned char marks(int x, int y, int c) { return (x % 9 == 2 && y % 5 < 2) ? static_cast<unsigned char>(200 + c) : 0; }
unsigned char noise(int x, int y, int c) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
               static_cast<uint32_t>(c) * 83492791u;
  h ^= h >> 13;
  return static_cast<unsigned char>(h * 2654435761u >> 24);
}

std::vector<unsigned char> paint(const Picture& picture) {
  std::vector<unsigned char> rgba;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      for (int c = 0; c < 4; ++c) rgba.push_back(picture.channel(x, y, c));
    }
  }
  return rgba;
}

TEST(PngFile, DecodesToTheBytesWritten) {
  const Picture pictures[] = {{"one pixel", 1, 1, ramp}, {"ramp", 77, 31, ramp}, {"marks", 200, 60, marks},
                              {"noise", 33, 17, noise}};
  for (const Picture& picture : pictures) {
    const std::vector<unsigned char> rgba = paint(picture);
    const std::vector<unsigned char> file = artkit::encodePng(picture.width, picture.height, rgba);
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height,
                                                   &channels, 4);
    ASSERT_NE(decoded, nullptr) << picture.name;
    EXPECT_EQ(width, picture.width) << picture.name;
    EXPECT_EQ(height, picture.height) << picture.name;
    EXPECT_EQ(std::vector<unsigned char>(decoded, decoded + rgba.size()), rgba) << picture.name;
    stbi_image_free(decoded);
  }
  EXPECT_TRUE(artkit::encodePng(4, 4, std::vector<unsigned char>(63)).empty());
  EXPECT_TRUE(artkit::encodePng(0, 4, {}).empty());
}

}  // namespace
}  // namespace datatest
