// What the device-layer tests share: a 640 x 480 window on the fake GLFW layer, the fake GL, a host whose
// image decoder returns pixels the test supplies, and a renderer in the state the framework leaves it at the
// start of a frame (white, opaque, identity matrix).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gxtk/graphics.h"
#include "host/core/glfw_game.h"
#include "tests/fakes/fake_gl.h"
#include "tests/fakes/fake_glfw2.h"

struct TestImage {
  int width = 0, height = 0, depth = 4;  // depth: bytes per pixel
  std::vector<unsigned char> pixels;
};

// A host whose decoder hands out copies of registered images (malloc'd, as the real decoder's are).
class PixelHost : public KoGlfwGame {
 public:
  std::map<std::string, TestImage> images;
  std::vector<std::string> asked;  // every path the decoder was given

  unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override {
    std::string name = path.ToCString().c_str();
    asked.push_back(name);
    auto found = images.find(name);
    if (found == images.end()) return nullptr;
    const TestImage& image = found->second;
    auto* copy = static_cast<unsigned char*>(std::malloc(image.pixels.size() + 1));
    std::memcpy(copy, image.pixels.data(), image.pixels.size());
    *width = image.width, *height = image.height, *depth = image.depth;
    return copy;
  }
};

// An image of one colour, `depth` bytes per pixel.
inline TestImage SolidImage(int width, int height, std::vector<unsigned char> pixel) {
  TestImage image{width, height, static_cast<int>(pixel.size()), {}};
  for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), pixel.begin(), pixel.end());
  return image;
}

class GxtkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_glfw::reset();
    fake_glfw::state.opened = true;
    fake_glfw::state.width = 640, fake_glfw::state.height = 480;
    fake_gl::reset();
    glfwGraphicsSeq = 1;
    graphics = new gxtkGraphics;
    graphics->BeginRender();
    graphics->SetColor(255, 255, 255);
    graphics->SetAlpha(1);
    graphics->SetMatrix(1, 0, 0, 1, 0, 0);
    fake_gl::state.calls.clear();
  }

  PixelHost host;
  gxtkGraphics* graphics = nullptr;
};
