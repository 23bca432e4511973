// Screen checks of the end-to-end tests (see screens.h).
#include "tests/e2e/screens.h"
#include "tests/support/build_paths.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>

int CountNear(const std::vector<unsigned>& pixels, int red, int green, int blue, int tolerance) {
  int count = 0;
  for (unsigned pixel : pixels) {
    int r = pixel >> 16 & 255, g = pixel >> 8 & 255, b = pixel & 255;
    count += std::abs(r - red) <= tolerance && std::abs(g - green) <= tolerance && std::abs(b - blue) <= tolerance;
  }
  return count;
}

int CountBright(const std::vector<unsigned>& pixels, int sum) {
  int count = 0;
  for (unsigned pixel : pixels) count += static_cast<int>((pixel >> 16 & 255) + (pixel >> 8 & 255) + (pixel & 255)) > sum;
  return count;
}

GameView::GameView(X11Session& x11, const WindowInfo& window)
    : x11_(x11), window_(window), scale_(static_cast<float>(window.width) / 640) {}

std::vector<unsigned> GameView::Grab(float x, float y, float width, float height) const {
  return x11_.Grab(window_.x + static_cast<int>(x * scale_), window_.y + static_cast<int>(y * scale_),
                   static_cast<int>(width * scale_), static_cast<int>(height * scale_));
}

bool GameView::Save(const std::string& name) const {
  std::vector<unsigned> pixels = x11_.Grab(window_.x, window_.y, window_.width, window_.height);
  if (pixels.size() != static_cast<size_t>(window_.width) * window_.height) return false;
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (unsigned pixel : pixels) {
    rgb.push_back(static_cast<unsigned char>(pixel >> 16));
    rgb.push_back(static_cast<unsigned char>(pixel >> 8));
    rgb.push_back(static_cast<unsigned char>(pixel));
  }
  std::filesystem::create_directories(build_paths::kTestOutputDir);
  std::string path = std::string(build_paths::kTestOutputDir) + "/" + name + ".png";
  return stbi_write_png(path.c_str(), window_.width, window_.height, 3, rgb.data(), window_.width * 3) != 0;
}

std::vector<ScreenFeature> TitleScreenFeatures(const GameView& view) {
  std::vector<unsigned> ground = view.Grab(150, 300, 300, 100);
  std::vector<unsigned> strip = view.Grab(520, 280, 100, 150);
  return {
      {"the blue ground", CountNear(ground, 20, 80, 160, 20), static_cast<int>(ground.size() / 2)},
      {"the title", CountBright(view.Grab(60, 50, 380, 130)), 300},
      {"the dark strip", CountNear(strip, 11, 44, 88, 15), static_cast<int>(strip.size() / 3)},
      {"its \"Top 10\" title", CountNear(view.Grab(510, 50, 130, 30), 255, 200, 100, 60), 15},
      {"the gear", CountBright(view.Grab(0, 380, 100, 100)), 100},
  };
}

bool AllPresent(const std::vector<ScreenFeature>& features) {
  for (const ScreenFeature& feature : features) {
    if (!feature.present()) return false;
  }
  return true;
}

void ExpectScreen(const GameView& view, const ScreenFeatures& features, const std::string& screenshot,
                  double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!AllPresent(features(view)) && std::chrono::steady_clock::now() < deadline) PauseFor(50);
  if (!screenshot.empty()) {
    EXPECT_TRUE(view.Save(screenshot));
  }
  for (const ScreenFeature& feature : features(view)) EXPECT_GT(feature.count, feature.threshold) << feature.name;
}

bool LooksLikeTitleScreen(const GameView& view) { return AllPresent(TitleScreenFeatures(view)); }

bool WaitForTitleScreen(const GameView& view, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!LooksLikeTitleScreen(view)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    PauseFor(50);
  }
  return true;
}

void ExpectTitleScreen(const GameView& view, const std::string& screenshot) {
  ExpectScreen(view, TitleScreenFeatures, screenshot, 5);
}
