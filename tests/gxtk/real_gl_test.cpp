// The renderer on real OpenGL (Mesa llvmpipe under a private Xvfb): a scene of shapes and textured frames
// drawn through the graphics context, read back with ReadPixels and compared at chosen pixels. Interior
// pixels must match exactly; edges are not sampled. This is what shows the recording fake's picture of GL
// (layout, premultiplied blending, y flip, texture coordinates) to be the real one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/app/app.h"
#include "framework/graphics/graphics.h"
#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"
#include "tests/e2e/x11_session.h"

namespace {

constexpr int kWidth = 256, kHeight = 192;  // window, pixels
constexpr unsigned kWhite = 0xffffff;

// RGBA of the 64 x 16 atlas: four 16 x 16 frames.
//   0: left half (200, 100, 50), right half (20, 40, 60), opaque
//   1: transparent white with an opaque green 8 x 8 centre (10, 200, 10)
//   2: opaque (50, 0, 0)
void AtlasPixel(int x, int y, unsigned char* rgba) {
  int frame = x / 16, fx = x % 16, fy = y;
  unsigned char r = 0, g = 0, b = 0, a = 255;
  if (frame == 0) {
    bool left = fx < 8;
    r = left ? 200 : 20, g = left ? 100 : 40, b = left ? 50 : 60;
  } else if (frame == 1) {
    bool centre = fx >= 4 && fx < 12 && fy >= 4 && fy < 12;
    r = centre ? 10 : 255, g = centre ? 200 : 255, b = centre ? 10 : 255, a = centre ? 255 : 0;
  } else if (frame == 2) {
    r = 50;
  }
  rgba[0] = r, rgba[1] = g, rgba[2] = b, rgba[3] = a;
}

class AtlasHost : public KoGlfwGame {
 public:
  unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override {
    if (path != String("tarsil://data/atlas.png")) return nullptr;
    *width = 64, *height = 16, *depth = 4;
    auto* pixels = static_cast<unsigned char*>(std::malloc(64 * 16 * 4));
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 64; ++x) AtlasPixel(x, y, pixels + (y * 64 + x) * 4);
    }
    return pixels;
  }
};

// One X server and one GLFW session for the whole suite; each test opens its own window (a new context).
// GLFW is never terminated: that would unload the GL driver before the leak check at exit, which could then
// no longer tell the driver's own long-lived allocations from ours.
class RealGl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    x11 = new X11Session;
    glfwReady = x11->ok() && glfw2::glfwInit();
  }
  static void TearDownTestSuite() {
    glfw2::glfwCloseWindow();
    delete x11;
  }

  void SetUp() override {
    ASSERT_TRUE(glfwReady) << "no Xvfb or no GLFW";
    host.SetDeviceWindow(kWidth, kHeight, 0);
    ko_app__InitGlobals();
    ko_graphics__InitGlobals();
    ko_app_ValidateDeviceWindow(false);
    renderer = new gxtkGraphics;
    ko_graphics_SetGraphicsDevice(renderer);
  }

  void BeginFrame() {
    renderer->BeginRender();
    ko_graphics_BeginRender();
    renderer->Cls(255, 255, 255);
  }

  // The whole window as 0xRRGGBB, rows top to bottom, read through the renderer.
  void ReadBack() {
    pixels = Array<int>(kWidth * kHeight);
    renderer->ReadPixels(pixels, 0, 0, kWidth, kHeight, 0, kWidth);
  }
  unsigned At(int x, int y) const { return static_cast<unsigned>(pixels[y * kWidth + x]) & 0xffffff; }
  static unsigned Rgb(unsigned r, unsigned g, unsigned b) { return r << 16 | g << 8 | b; }

  static inline X11Session* x11 = nullptr;
  static inline bool glfwReady = false;
  AtlasHost host;
  gxtkGraphics* renderer = nullptr;
  Array<int> pixels;
};

#define EXPECT_PIXEL(x, y, rgb) EXPECT_EQ(At(x, y), rgb) << std::hex << "pixel (" << std::dec << x << ", " << y << ")"

TEST_F(RealGl, ShapesBlendModesAndScissorLandOnTheExpectedPixels) {
  BeginFrame();
  ko_graphics_SetColor(0, 0, 255);
  ko_graphics_DrawRect(10, 10, 40, 20);  // blue, pixels 10..49 x 10..29
  ko_graphics_SetColor(255, 0, 0);
  ko_graphics_SetAlpha(0.5f);
  ko_graphics_DrawRect(60, 10, 40, 20);  // half red over white
  ko_graphics_SetAlpha(1);
  ko_graphics_SetBlend(1);
  ko_graphics_SetColor(0, 100, 0);
  ko_graphics_DrawRect(40, 15, 40, 10);  // added: over blue, over the half red, over white
  ko_graphics_SetBlend(0);
  ko_graphics_SetColor(0, 0, 0);
  ko_graphics_DrawEllipse(150, 40, 20, 12);
  ko_graphics_SetColor(255, 0, 255);
  ko_graphics_DrawLine(10, 50, 100, 50);
  ko_graphics_PushMatrix();
  ko_graphics_Translate(100, 0);
  ko_graphics_DrawLine(100, 60, 100, 80);  // vertical, at x = 200 after the matrix
  ko_graphics_PopMatrix();
  ko_graphics_SetScissor(200, 100, 30, 30);
  ko_graphics_SetColor(255, 255, 0);
  ko_graphics_DrawRect(190, 90, 60, 60);
  ko_graphics_SetScissor(0, 0, kWidth, kHeight);
  ReadBack();

  EXPECT_PIXEL(12, 12, Rgb(0, 0, 255));
  EXPECT_PIXEL(47, 27, Rgb(0, 0, 255));
  EXPECT_PIXEL(8, 12, kWhite);
  EXPECT_PIXEL(12, 32, kWhite);
  EXPECT_PIXEL(70, 12, Rgb(255, 128, 128)) << "premultiplied half red over white";
  EXPECT_PIXEL(45, 20, Rgb(0, 100, 255));
  EXPECT_PIXEL(70, 20, Rgb(255, 228, 128));
  EXPECT_PIXEL(78, 20, Rgb(255, 228, 128));
  EXPECT_PIXEL(150, 40, 0u);
  EXPECT_PIXEL(132, 40, 0u);
  EXPECT_PIXEL(168, 51, kWhite) << "outside the ellipse, inside its box";
  EXPECT_PIXEL(50, 50, Rgb(255, 0, 255));
  EXPECT_PIXEL(50, 49, kWhite);
  EXPECT_PIXEL(50, 51, kWhite);
  EXPECT_PIXEL(200, 70, Rgb(255, 0, 255));
  EXPECT_PIXEL(199, 70, kWhite);
  EXPECT_PIXEL(215, 115, Rgb(255, 255, 0));
  EXPECT_PIXEL(195, 95, kWhite) << "outside the scissor";
  EXPECT_PIXEL(240, 140, kWhite) << "outside the scissor";

  Array<int> one(3);
  renderer->ReadPixels(one, 12, 12, 1, 1, 1, 1);
  EXPECT_EQ(static_cast<unsigned>(one[1]), 0xff0000ffu) << "alpha in the top byte, then red, green, blue";
}

TEST_F(RealGl, FramesAreCutRotatedScaledTintedAndPremultiplied) {
  c_Image* atlas = ko_graphics_LoadImage(String("atlas.png"), 4, c_Image::HandleCentre);
  ASSERT_NE(atlas, nullptr);
  BeginFrame();
  ko_graphics_SetColor(0, 0, 255);
  ko_graphics_DrawRect(0, 0, 60, 60);
  ko_graphics_SetColor(100, 100, 100);
  ko_graphics_DrawRect(150, 100, 60, 60);
  ko_graphics_SetColor(255, 255, 255);
  ko_graphics_DrawImage(atlas, 40, 100, 0);  // pixels 32..47 x 92..107
  ko_graphics_DrawImage(atlas, 20, 20, 1);   // over blue: only the green centre shows
  ko_graphics_SetColor(255, 0, 255);
  ko_graphics_DrawImage2(atlas, 100, 150, 90, 2, 2, 0);  // the right half turns upwards, 32 x 32
  ko_graphics_SetColor(255, 255, 255);
  ko_graphics_SetBlend(1);
  ko_graphics_DrawImage(atlas, 180, 130, 2);
  ko_graphics_SetBlend(0);
  ReadBack();

  EXPECT_PIXEL(34, 94, Rgb(200, 100, 50));
  EXPECT_PIXEL(45, 105, Rgb(20, 40, 60));
  EXPECT_PIXEL(13, 13, Rgb(0, 0, 255)) << "transparent texels add nothing";
  EXPECT_PIXEL(20, 20, Rgb(10, 200, 10));
  EXPECT_PIXEL(100, 140, Rgb(20, 0, 60)) << "tinted right half, above the handle";
  EXPECT_PIXEL(100, 160, Rgb(200, 0, 50)) << "tinted left half, below the handle";
  EXPECT_PIXEL(88, 150, Rgb(200, 0, 50));
  EXPECT_PIXEL(100, 131, kWhite) << "beyond the scaled frame";
  EXPECT_PIXEL(180, 130, Rgb(150, 100, 100));
  EXPECT_PIXEL(160, 110, Rgb(100, 100, 100));
}

TEST_F(RealGl, WrittenPixelsAndANewContextReachTheScreen) {
  c_Image* canvas = ko_graphics_CreateImage(8, 4, 1, 0);
  Array<int> fill(32), patch(4);
  for (int i = 0; i < 32; ++i) fill[i] = static_cast<int>(0xff102030u);
  for (int i = 0; i < 4; ++i) patch[i] = static_cast<int>(0xff405060u);
  renderer->WritePixels2(canvas->m_surface, fill, 0, 0, 8, 4, 0, 8);
  renderer->WritePixels2(canvas->m_surface, patch, 3, 1, 2, 2, 0, 2);
  c_Image* atlas = ko_graphics_LoadImage(String("atlas.png"), 4, 0);

  host.SetDeviceWindow(kWidth, kHeight, 0);  // a new context: every texture must be made again
  BeginFrame();
  ko_graphics_DrawImage2(canvas, 100, 100, 0, 4, 4, 0);  // 32 x 16
  ko_graphics_DrawImage(atlas, 20, 20, 0);
  ReadBack();
  EXPECT_PIXEL(101, 101, Rgb(0x10, 0x20, 0x30));
  EXPECT_PIXEL(113, 105, Rgb(0x40, 0x50, 0x60));
  EXPECT_PIXEL(119, 111, Rgb(0x40, 0x50, 0x60));
  EXPECT_PIXEL(121, 113, Rgb(0x10, 0x20, 0x30));
  EXPECT_PIXEL(22, 22, Rgb(200, 100, 50));
}

}  // namespace
