// assetinfo FILE...: loads each file through the host's own loaders and prints one line per file.
//
// The loader is chosen by extension as the game chooses it: ".wav" and ".ogg" (any case) are sounds, anything
// else is an image. Lines:
//   PATH: image WIDTHxHEIGHT depth DEPTH
//   PATH: sound FRAMES frames, CHANNELS channels, BYTES bytes per sample, RATE Hz
//   PATH: none                  (the loader returned nothing)
// Paths are used as given ("tarsil://data/..." maps beside this program, like the game's own paths).
// Exit status: 0 if every file loaded, 1 if any gave "none", 2 without arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/core/glfw_game.h"

namespace {

bool is_sound(const String& path) {
  String lower = path.ToLower();
  return lower.EndsWith(String(".wav")) || lower.EndsWith(String(".ogg"));
}

// Each prints the file's line and returns true, or returns false if the loader gave nothing.
bool describe_sound(KoGlfwGame& host, const String& path, const char* name) {
  int frames = 0, channels = 0, bytesPerSample = 0, hertz = 0;
  unsigned char* samples = host.LoadAudioData(path, &frames, &channels, &bytesPerSample, &hertz);
  if (!samples) return false;
  std::printf("%s: sound %d frames, %d channels, %d bytes per sample, %d Hz\n", name, frames, channels,
              bytesPerSample, hertz);
  std::free(samples);
  return true;
}

bool describe_image(KoGlfwGame& host, const String& path, const char* name) {
  int width = 0, height = 0, depth = 0;
  unsigned char* pixels = host.LoadImageData(path, &width, &height, &depth);
  if (!pixels) return false;
  std::printf("%s: image %dx%d depth %d\n", name, width, height, depth);
  std::free(pixels);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: assetinfo FILE...\n");
    return 2;
  }
  KoGlfwGame host;  // only its file and decoding operations are used: no window is opened
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    String path = String::FromUtf8(argv[i], static_cast<int>(std::strlen(argv[i])));
    if (is_sound(path) ? describe_sound(host, path, argv[i]) : describe_image(host, path, argv[i])) continue;
    std::printf("%s: none\n", argv[i]);
    status = 1;
  }
  return status;
}
