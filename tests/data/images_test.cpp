// The pictures the game loads: each exists at factors 1, 2 and 4 with exactly the pixel size of its frame
// grid, every frame the game draws has visible pixels, the three resolutions show the same picture, and the
// sprites the game spins or stacks are centred on their frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data_folder.h"

namespace datatest {
namespace {

struct ImageFile {
  const char* name;
  int frameW, frameH, frames, columns;  // frame size at factor 1 in pixels
  std::vector<int> usedFrames;          // empty: all of them
};

std::vector<int> range(int from, int to) {
  std::vector<int> out;
  for (int i = from; i <= to; ++i) out.push_back(i);
  return out;
}

std::vector<int> fontFrames() {
  std::vector<int> out = range(1, 95);  // codes 33..127
  for (int f : range(96, 110)) out.push_back(f);   // joypad icons and the two blink frames
  for (int f : range(112, 124)) out.push_back(f);  // keyboard icons
  return out;
}

const std::vector<ImageFile>& imageFiles() {
  static const std::vector<ImageFile> files = {
      {"nme", 36, 36, 49, 7, {}},
      {"parts", 8, 8, 256, 16, {}},
      {"common/icons", 32, 32, 16, 4, {0, 1, 3, 6, 7}},
      {"common/Buttons", 64, 64, 16, 4, {0, 1, 2, 3, 4, 5, 8, 9, 10, 12}},
      {"common/dpad", 32, 32, 16, 4, {0, 1, 4, 5, 6, 9}},
      {"common/circle", 256, 256, 4, 2, {1, 3}},
      {"common/light", 32, 32, 4, 2, {}},
      {"common/BrixLogo", 256, 256, 1, 1, {}},
      {"logo", 256, 128, 1, 1, {}},
      {"menu", 256, 256, 4, 2, {}},
      {"BadgesA", 64, 64, 64, 8, {}},
      {"fonts/shadow_editundo", 16, 16, 128, 16, fontFrames()},
  };
  return files;
}

std::vector<int> usedFrames(const ImageFile& file) { return file.usedFrames.empty() ? range(0, file.frames - 1) : file.usedFrames; }

std::string fileName(const ImageFile& file, int factor) {
  return std::string(file.name) + (factor == 1 ? "" : factor == 2 ? "-hd" : "-hd2") + ".png";
}

TEST(Images, EveryFileHasItsFrameGridAtEveryFactor) {
  for (const ImageFile& file : imageFiles()) {
    for (int factor : {1, 2, 4}) {
      const Picture picture = readPicture(fileName(file, factor));
      ASSERT_TRUE(picture.ok) << fileName(file, factor);
      const int rows = (file.frames + file.columns - 1) / file.columns;
      EXPECT_EQ(picture.width, file.frameW * factor * file.columns) << fileName(file, factor);
      EXPECT_EQ(picture.height, file.frameH * factor * rows) << fileName(file, factor);
    }
  }
}

TEST(Images, EveryUsedFrameHasVisiblePixels) {
  for (const ImageFile& file : imageFiles()) {
    for (int factor : {1, 2, 4}) {
      const Picture picture = readPicture(fileName(file, factor));
      ASSERT_TRUE(picture.ok) << fileName(file, factor);
      for (int frame : usedFrames(file)) {
        const FrameRect rect = frameRect(picture, file.frameW * factor, file.frameH * factor, frame);
        EXPECT_GE(maxAlpha(picture, rect), 128) << fileName(file, factor) << " frame " << frame;
      }
    }
  }
}

// Mean alpha difference (0..1) between a factor-1 frame and the same frame of a larger file boxed down.
double alphaDifference(const Picture& small, const Picture& large, int factor, const FrameRect& rect) {
  double total = 0;
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    for (int x = rect.x; x < rect.x + rect.w; ++x) {
      double boxed = 0;
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) boxed += large.alpha(x * factor + dx, y * factor + dy);
      }
      total += std::fabs(boxed / (factor * factor) - small.alpha(x, y)) / 255.0;
    }
  }
  return total / (rect.w * rect.h);
}

// Catches frames that moved or changed between resolutions, while allowing each to be drawn afresh.
TEST(Images, LargerFactorsShowTheSamePictureInTheSamePlace) {
  for (const ImageFile& file : imageFiles()) {
    const Picture small = readPicture(fileName(file, 1));
    ASSERT_TRUE(small.ok) << file.name;
    for (int factor : {2, 4}) {
      const Picture large = readPicture(fileName(file, factor));
      ASSERT_TRUE(large.ok) << fileName(file, factor);
      for (int frame : usedFrames(file)) {
        const FrameRect rect = frameRect(small, file.frameW, file.frameH, frame);
        EXPECT_LT(alphaDifference(small, large, factor, rect), 0.08) << fileName(file, factor) << " frame " << frame;
      }
    }
  }
}

TEST(Images, LargerFactorsAreDrawnAtTheirOwnResolutionNotBlownUp) {
  for (const ImageFile& file : imageFiles()) {
    const Picture large = readPicture(fileName(file, 4));
    ASSERT_TRUE(large.ok) << file.name;
    size_t blocks = 0, flatBlocks = 0;  // visible 4 × 4 blocks, and those of one single alpha value
    for (int y = 0; y + 4 <= large.height; y += 4) {
      for (int x = 0; x + 4 <= large.width; x += 4) {
        bool visible = false, flat = true;
        for (int k = 0; k < 16; ++k) {
          visible |= large.alpha(x + k % 4, y + k / 4) > 0;
          flat &= large.alpha(x + k % 4, y + k / 4) == large.alpha(x, y);
        }
        blocks += visible;
        flatBlocks += visible && flat;
      }
    }
    EXPECT_LT(flatBlocks, blocks * 0.9) << file.name;
  }
}

struct SpinningFrame {
  const char* file;
  int frameSize, frame;
};

// Alpha-weighted centre of a frame, in pixels from the frame's middle.
std::pair<double, double> inkCentre(const Picture& picture, const FrameRect& rect) {
  double sum = 0, sx = 0, sy = 0;
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    for (int x = rect.x; x < rect.x + rect.w; ++x) {
      const double a = picture.alpha(x, y);
      sum += a, sx += a * (x + 0.5 - rect.x - rect.w * 0.5), sy += a * (y + 0.5 - rect.y - rect.h * 0.5);
    }
  }
  return {sx / sum, sy / sum};
}

// The game turns these about the frame's centre, and draws the gear's three layers and the cursor's three
// enemies on top of each other: off-centre art would wobble and the layers would not line up.
TEST(Images, SpunAndStackedFramesAreCentred) {
  const SpinningFrame frames[] = {
      {"nme", 36, 13}, {"nme", 36, 20}, {"nme", 36, 34}, {"common/Buttons", 64, 8}, {"common/Buttons", 64, 9},
      {"common/Buttons", 64, 10}, {"common/circle", 256, 1}, {"common/circle", 256, 3},
  };
  for (const SpinningFrame& spun : frames) {
    for (int factor : {1, 2, 4}) {
      const std::string name = std::string(spun.file) + (factor == 1 ? "" : factor == 2 ? "-hd" : "-hd2") + ".png";
      const Picture picture = readPicture(name);
      ASSERT_TRUE(picture.ok) << name;
      const auto [dx, dy] = inkCentre(picture, frameRect(picture, spun.frameSize * factor, spun.frameSize * factor, spun.frame));
      EXPECT_LT(std::hypot(dx, dy), 0.5 * factor) << name << " frame " << spun.frame;
    }
  }
}

}  // namespace
}  // namespace datatest
