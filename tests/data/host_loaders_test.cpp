// The game's own loaders read every generated file: the host's image decoder gives each picture at its full
// size, and its sound decoders give every effect and the tune with the channels and length the test-side
// readers see. So the art and the host agree, not just the art and the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>

#include "data_folder.h"
#include "host/core/glfw_game.h"

namespace datatest {
namespace {

std::vector<std::string> files_in(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  if (DIR* directory = opendir(dataPath(folder).c_str())) {
    while (dirent* entry = readdir(directory)) {
      std::string name = entry->d_name;
      if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        names.push_back(folder.empty() ? name : folder + "/" + name);
      }
    }
    closedir(directory);
  }
  return names;
}

TEST(HostLoaders, DecodeEveryPictureAtItsFullSize) {
  KoGlfwGame host;
  int checked = 0;
  for (const char* folder : {"", "common", "fonts"}) {
    for (const std::string& file : files_in(folder, ".png")) {
      Picture expected = readPicture(file);
      int width = 0, height = 0, depth = 0;
      unsigned char* pixels = host.LoadImageData(String(dataPath(file).c_str()), &width, &height, &depth);
      ASSERT_NE(pixels, nullptr) << file;
      EXPECT_EQ(width, expected.width) << file;
      EXPECT_EQ(height, expected.height) << file;
      EXPECT_EQ(depth, 4) << file << ": every picture carries alpha";
      std::free(pixels);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 12 * 3 + 1) << "twelve pictures at three factors, and the default font";
}

TEST(HostLoaders, DecodeEveryEffectAndTheTune) {
  KoGlfwGame host;
  for (const std::string& file : files_in("sfx", ".wav")) {
    Sound expected = readWav(file);
    int length = 0, channels = 0, format = 0, hertz = 0;
    unsigned char* samples = host.LoadAudioData(String(dataPath(file).c_str()), &length, &channels, &format, &hertz);
    ASSERT_NE(samples, nullptr) << file;
    EXPECT_EQ(static_cast<size_t>(length), expected.frames()) << file;
    EXPECT_EQ(channels, expected.channels) << file;
    EXPECT_EQ(format, 2) << file;
    EXPECT_EQ(hertz, expected.sampleRate) << file;
    std::free(samples);
  }
  Sound tune = readOgg("sfx/testmusic.ogg");
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* samples =
      host.LoadAudioData(String(dataPath("sfx/testmusic.ogg").c_str()), &length, &channels, &format, &hertz);
  ASSERT_NE(samples, nullptr);
  EXPECT_EQ(static_cast<size_t>(length), tune.frames());
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(format, 2);
  std::free(samples);
}

}  // namespace
}  // namespace datatest
