// quarzel_datagen OUTPUT_FOLDER [ICON_FOLDER]: writes the game's whole data folder (images at three
// resolutions, the default font, sound effects and the tune) and, when asked, the program's icon in the
// hicolor theme's layout under ICON_FOLDER, which the install rules copy to share/icons. Output depends on
// nothing but this program: no clock, no unseeded randomness, no threads, so every run writes the same bytes.
// Elapsed time is reported on stdout.
#include <chrono>
#include <cstdio>
#include <string>

#include "datagen/catalogue.h"

namespace {

bool paintAllImages(const std::string& folder) {
  for (const datagen::ArtEntry& entry : datagen::artCatalogue()) {
    for (int factor : {1, 2, 4}) {
      datagen::Atlas atlas(entry.layout, factor);
      entry.paint(atlas);
      if (!atlas.save(folder)) {
        std::fprintf(stderr, "datagen: cannot write %s at factor %d\n", entry.layout.name.c_str(), factor);
        return false;
      }
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [ICON_FOLDER]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const auto start = std::chrono::steady_clock::now();
  const bool ok = paintAllImages(folder) && datagen::writeDefaultFont(folder) &&
                  datagen::writeSoundEffects(folder) && datagen::writeTune(folder) &&
                  (argc < 3 || datagen::writeIcons(argv[2]));
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("datagen: %s in %.2f s\n", ok ? "data folder written" : "FAILED", elapsed.count());
  return ok ? 0 : 1;
}
