// Surfaces on the fake GL: premultiplied pixels, lazy textures, the power-of-two retry, context changes (textures
// made again from the image file or from the kept copy of written pixels), sub-rectangle writes.
#include <GL/gl.h>

#include "tests/gxtk/gxtk_fixture.h"

using fake_gl::calls_starting;
using fake_gl::state;

namespace {

using Surface = GxtkTest;

std::vector<int> Bytes(const uint8_t* pixel, int count = 4) { return std::vector<int>(pixel, pixel + count); }

TEST_F(Surface, LoadingPremultipliesUploadsAtOnceAndKeepsNoCopy) {
  host.images["rgba"] = SolidImage(3, 2, {200, 100, 50, 128});
  host.images["grey"] = SolidImage(1, 1, {200, 128});
  host.images["rgb"] = SolidImage(1, 1, {200, 100, 50});
  gxtkSurface* rgba = graphics->LoadSurface(String("rgba"));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(Bytes(fake_gl::texel(rgba->textureName, 2, 1)), (std::vector<int>{100, 50, 25, 128}));
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 3 2"});
  EXPECT_EQ(rgba->pixelData, nullptr) << "the texture holds the pixels; a copy would only repeat it";
  gxtkSurface* grey = graphics->LoadSurface(String("grey"));
  EXPECT_EQ(Bytes(fake_gl::texel(grey->textureName, 0, 0), 2), (std::vector<int>{100, 128}));
  gxtkSurface* rgb = graphics->LoadSurface(String("rgb"));
  EXPECT_EQ(Bytes(fake_gl::texel(rgb->textureName, 0, 0), 3), (std::vector<int>{200, 100, 50}))
      << "3-byte rows arrive whole only with an unpack alignment of 1";
}

TEST_F(Surface, AFailedOrOddDecodeGivesNoSurface) {
  host.images["five"] = SolidImage(1, 1, {1, 2, 3, 4, 5});
  EXPECT_EQ(graphics->LoadSurface(String("missing")), nullptr);
  EXPECT_EQ(graphics->LoadSurface(String("five")), nullptr);
  EXPECT_TRUE(state.calls.empty());
}

TEST_F(Surface, TheBackgroundLoadTouchesNoGlUntilCompleted) {
  host.images["a"] = SolidImage(4, 4, {1, 2, 3, 255});
  gxtkSurface* surface = new gxtkSurface;
  EXPECT_TRUE(graphics->LoadSurface__UNSAFE__(surface, String("a")));
  EXPECT_TRUE(state.calls.empty());
  EXPECT_EQ(surface->textureSeq, -1);
  EXPECT_NE(surface->pixelData, nullptr) << "kept until a texture holds the pixels";
  surface->OnUnsafeLoadComplete();
  EXPECT_EQ(surface->textureSeq, 1);
  EXPECT_EQ(surface->pixelData, nullptr);
  EXPECT_EQ(host.asked.size(), 1u);
}

TEST_F(Surface, ADriverRefusingTheExactSizeGetsAPowerOfTwoTexture) {
  host.images["odd"] = SolidImage(100, 60, {9, 9, 9, 255});
  gxtkSurface* exact = graphics->LoadSurface(String("odd"));
  EXPECT_FLOAT_EQ(exact->uScale, 1.0f / 100);
  EXPECT_FLOAT_EQ(exact->vScale, 1.0f / 60);

  state.calls.clear();
  state.rejectNonPowerOfTwo = true;
  gxtkSurface* padded = graphics->LoadSurface(String("odd"));
  EXPECT_EQ(calls_starting("glTexImage2D"),
            (std::vector<std::string>{"glTexImage2D 100x60 GL_RGBA", "glTexImage2D 128x64 GL_RGBA"}));
  EXPECT_FLOAT_EQ(padded->uScale, 1.0f / 128);
  EXPECT_FLOAT_EQ(padded->vScale, 1.0f / 64);
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 100 60"})
      << "only the image is uploaded; the border is never sampled";
}

TEST_F(Surface, ANewContextMakesTheTextureAgainFromTheFile) {
  host.images["a"] = SolidImage(2, 2, {10, 20, 30, 255});
  gxtkSurface* surface = graphics->LoadSurface(String("a"));
  unsigned oldName = surface->textureName;
  graphics->DrawSurface(surface, 0, 0);
  graphics->EndRender();
  EXPECT_EQ(state.draws.back().texture, oldName);

  ++glfwGraphicsSeq;  // the window was reopened
  state.calls.clear();
  graphics->DrawSurface(surface, 0, 0);
  graphics->EndRender();
  EXPECT_EQ(host.asked, (std::vector<std::string>{"a", "a"}));
  EXPECT_EQ(calls_starting("glGenTextures").size(), 1u);
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 2 2"});
  EXPECT_NE(surface->textureName, oldName);
  EXPECT_EQ(state.draws.back().texture, surface->textureName);
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 1, 1)), (std::vector<int>{10, 20, 30, 255}));
  EXPECT_EQ(surface->pixelData, nullptr);
}

TEST_F(Surface, AFileThatNoLongerDecodesAlikeGivesATransparentTextureAndIsTriedAgain) {
  host.images["a"] = SolidImage(2, 2, {10, 20, 30, 255});
  gxtkSurface* surface = graphics->LoadSurface(String("a"));
  for (TestImage changed : {TestImage{}, SolidImage(3, 2, {1, 1, 1, 255}), SolidImage(2, 2, {1, 1, 1})}) {
    if (changed.pixels.empty()) {
      host.images.erase("a");
    } else {
      host.images["a"] = changed;
    }
    ++glfwGraphicsSeq;
    testing::internal::CaptureStdout();
    surface->Bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Image file no longer readable: a\n");
    EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 1, 1)), (std::vector<int>{0, 0, 0, 0}));
  }
  host.images["a"] = SolidImage(2, 2, {10, 20, 30, 255});
  ++glfwGraphicsSeq;
  surface->Bind();
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 1, 1)), (std::vector<int>{10, 20, 30, 255}));
  EXPECT_EQ(surface->pixelData, nullptr);
}

// Written pixels exist nowhere else: from the first write on, the surface keeps its copy, and a new context gets
// the file's pixels with the writes on them.
TEST_F(Surface, AWrittenSurfaceKeepsItsCopyForTheNextContext) {
  host.images["a"] = SolidImage(2, 2, {10, 20, 30, 255});
  gxtkSurface* surface = graphics->LoadSurface(String("a"));
  int argb = static_cast<int>(0xff000000u);  // opaque black
  surface->SetSubData(1, 0, 1, 1, &argb, 1);
  ASSERT_NE(surface->pixelData, nullptr);
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 1, 0)), (std::vector<int>{0, 0, 0, 255}));

  host.images.erase("a");
  ++glfwGraphicsSeq;
  state.calls.clear();
  surface->Bind();
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 2 2"});
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 0, 0)), (std::vector<int>{10, 20, 30, 255}));
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 1, 0)), (std::vector<int>{0, 0, 0, 255}));
  EXPECT_EQ(host.asked.size(), 2u) << "the file was read again only for the first write";
}

TEST_F(Surface, DiscardDeletesOnlyATextureOfTheCurrentContext) {
  host.images["a"] = SolidImage(2, 2, {10, 20, 30, 255});
  gxtkSurface* current = graphics->LoadSurface(String("a"));
  gxtkSurface* stale = graphics->LoadSurface(String("a"));
  int argb = -1;
  current->SetSubData(0, 0, 1, 1, &argb, 1);  // written: each keeps a copy of its pixels for Discard to free
  stale->SetSubData(0, 0, 1, 1, &argb, 1);
  ASSERT_NE(current->pixelData, nullptr);
  ASSERT_NE(stale->pixelData, nullptr);
  state.calls.clear();
  current->Discard();
  EXPECT_EQ(calls_starting("glDeleteTextures"),
            std::vector<std::string>{"glDeleteTextures " + std::to_string(current->textureName)});
  EXPECT_EQ(current->pixelData, nullptr);

  state.calls.clear();
  ++glfwGraphicsSeq;
  stale->Discard();
  EXPECT_TRUE(calls_starting("glDeleteTextures").empty()) << "its name may belong to a new texture by now";
  EXPECT_EQ(stale->pixelData, nullptr);
}

TEST_F(Surface, ABlankSurfaceGetsItsTextureAtTheFirstDrawOrWrite) {
  gxtkSurface* unused = graphics->CreateSurface(2048, 2048);
  EXPECT_TRUE(state.calls.empty()) << "a reserved surface nobody uses costs no texture";
  EXPECT_EQ(unused->Width(), 2048);

  gxtkSurface* drawn = graphics->CreateSurface(16, 8);
  graphics->DrawSurface(drawn, 0, 0);
  graphics->EndRender();
  EXPECT_EQ(calls_starting("glTexImage2D"), std::vector<std::string>{"glTexImage2D 16x8 GL_RGBA"});
  EXPECT_EQ(state.draws.back().texture, drawn->textureName);
  EXPECT_FLOAT_EQ(state.draws.back().vertices[2].u, 1.0f);
}

TEST_F(Surface, WritingPixelsPremultipliesAndUploadsOnlyTheChangedRows) {
  gxtkSurface* surface = graphics->CreateSurface(4, 3);
  int argb = static_cast<int>(0x80c86432u);  // A 128, R 200, G 100, B 50
  Array<int> pixels(std::vector<int>(12, argb).data(), 12);

  graphics->WritePixels2(surface, pixels, 1, 1, 2, 2, 0, 2);
  EXPECT_EQ(calls_starting("glTexImage2D"), std::vector<std::string>{"glTexImage2D 4x3 GL_RGBA"});
  EXPECT_EQ(calls_starting("glTexSubImage2D"),
            (std::vector<std::string>{"glTexSubImage2D 1 1 2 1", "glTexSubImage2D 1 2 2 1"}))
      << "created without pixels: only the written rows are uploaded";
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 2, 2)), (std::vector<int>{100, 50, 25, 128}));

  state.calls.clear();
  graphics->WritePixels2(surface, pixels, 0, 0, 4, 3, 0, 4);
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 4 3"});

  ++glfwGraphicsSeq;
  state.calls.clear();
  surface->Bind();
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 0 0 4 3"});
  EXPECT_EQ(Bytes(fake_gl::texel(surface->textureName, 3, 2)), (std::vector<int>{100, 50, 25, 128}));
}

TEST_F(Surface, WritesOutsideTheSurfaceOrTheArrayAreCutOrRefused) {
  gxtkSurface* surface = graphics->CreateSurface(4, 3);
  surface->Bind();
  Array<int> pixels(std::vector<int>(12, -1).data(), 12);
  state.calls.clear();
  graphics->WritePixels2(surface, pixels, 3, 2, 4, 3, 0, 4);  // only the corner pixel (3, 2) is on the surface
  EXPECT_EQ(calls_starting("glTexSubImage2D"), std::vector<std::string>{"glTexSubImage2D 3 2 1 1"});
  EXPECT_EQ(state.error, GL_NO_ERROR);

  state.calls.clear();
  graphics->WritePixels2(surface, pixels, 0, 0, 4, 3, 1, 4);  // the last row would read past the array
  graphics->WritePixels2(surface, pixels, 0, 0, 2, 2, -1, 2);
  EXPECT_TRUE(state.calls.empty());
}

TEST_F(Surface, OnlyRgbaSurfacesTakePixelWrites) {
  host.images["rgb"] = SolidImage(2, 2, {1, 2, 3});
  gxtkSurface* rgb = graphics->LoadSurface(String("rgb"));
  int argb = -1;
  state.calls.clear();
  rgb->SetSubData(0, 0, 1, 1, &argb, 1);
  EXPECT_TRUE(state.calls.empty());
  EXPECT_EQ(Bytes(fake_gl::texel(rgb->textureName, 0, 0), 3), (std::vector<int>{1, 2, 3}));
}

TEST_F(Surface, NothingIsCreatedBeforeTheFirstWindow) {
  glfwGraphicsSeq = 0;
  gxtkSurface* surface = graphics->CreateSurface(4, 4);
  surface->Bind();  // no context to make a texture in: drawing and writing must wait for the window
  int argb = -1;
  surface->SetSubData(0, 0, 1, 1, &argb, 1);
  EXPECT_EQ(surface->textureSeq, -1);
  EXPECT_TRUE(state.calls.empty());
}

}  // namespace
