// The batched renderer on the fake GL: what reaches GL, in how many draw calls, with which vertices.
#include <GL/gl.h>

#include "tests/gxtk/gxtk_fixture.h"

using fake_gl::calls_starting;
using fake_gl::state;

namespace {

using Renderer = GxtkTest;

void ExpectAt(const fake_gl::Vertex& vertex, float x, float y) {
  EXPECT_FLOAT_EQ(vertex.x, x);
  EXPECT_FLOAT_EQ(vertex.y, y);
}

TEST_F(Renderer, SetsUpTheFrameForTopLeftPixelsAndTheVertexLayout) {
  graphics->BeginRender();
  EXPECT_EQ(calls_starting("glOrtho"), std::vector<std::string>{"glOrtho 0 640 480 0 -1 1"});
  EXPECT_EQ(calls_starting("glVertexPointer"), std::vector<std::string>{"glVertexPointer 2 5126 20"});
  EXPECT_EQ(calls_starting("glColorPointer"), std::vector<std::string>{"glColorPointer 4 5121 20"});
  EXPECT_EQ(calls_starting("glBlendFunc"), std::vector<std::string>{"glBlendFunc GL_ONE GL_ONE_MINUS_SRC_ALPHA"});
  EXPECT_EQ(state.colorArray.pointer, static_cast<const void*>(&graphics->vertexBuffer[0].color));
}

TEST_F(Renderer, RectsInDifferentColoursAndMatricesShareOneIndexedDraw) {
  graphics->SetColor(255, 0, 0);
  graphics->DrawRect(0, 0, 10, 10);
  graphics->SetColor(0, 255, 0);
  graphics->SetMatrix(2, 0, 0, 2, 5, 5);
  graphics->DrawRect(1, 1, 1, 1);
  graphics->EndRender();

  ASSERT_EQ(state.draws.size(), 1u);
  const fake_gl::Draw& draw = state.draws[0];
  EXPECT_TRUE(draw.indexed);
  EXPECT_EQ(draw.mode, GL_TRIANGLES);
  EXPECT_EQ(draw.count, 12);
  // Triangles 0-1-2 and 0-2-3 of each quad.
  ExpectAt(draw.vertices[0], 0, 0), ExpectAt(draw.vertices[1], 10, 0), ExpectAt(draw.vertices[2], 10, 10);
  ExpectAt(draw.vertices[5], 0, 10);
  ExpectAt(draw.vertices[6], 7, 7), ExpectAt(draw.vertices[7], 9, 7), ExpectAt(draw.vertices[8], 9, 9);
  ExpectAt(draw.vertices[11], 7, 9);
  EXPECT_EQ((std::vector<int>{draw.vertices[0].r, draw.vertices[0].g}), (std::vector<int>{255, 0}));
  EXPECT_EQ((std::vector<int>{draw.vertices[6].r, draw.vertices[6].g}), (std::vector<int>{0, 255}));
}

TEST_F(Renderer, TheBufferHoldsExactly256Quads) {
  for (int i = 0; i < 256; ++i) graphics->DrawRect(i, 0, 1, 1);
  EXPECT_TRUE(state.draws.empty());
  graphics->DrawRect(500, 0, 1, 1);
  ASSERT_EQ(state.draws.size(), 1u);
  EXPECT_EQ(state.draws[0].count, 1536);
  ExpectAt(state.draws[0].vertices[1530], 255, 0);
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 2u);
  EXPECT_EQ(state.draws[1].count, 6);
  ExpectAt(state.draws[1].vertices[0], 500, 0);
}

TEST_F(Renderer, ASurfaceChangeFlushesEvenForTheSamePrimitive) {
  gxtkSurface* surface = graphics->CreateSurface(8, 8);
  graphics->DrawSurface(surface, 0, 0);
  graphics->DrawRect(0, 0, 1, 1);
  ASSERT_EQ(state.draws.size(), 1u);
  EXPECT_EQ(state.draws[0].texture, surface->textureName);
  EXPECT_EQ(state.enabled.count(GL_TEXTURE_2D), 0u) << "texturing is switched off after a textured batch";
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 2u);
  EXPECT_EQ(state.draws[1].texture, 0u);
}

TEST_F(Renderer, OvalVertexCountFollowsTheScreenSizeOfTheRadii) {
  struct Case {
    const char* label;
    float scale, width, height;
    int vertices;
  } cases[] = {{"small: at least 12", 1, 10, 10, 12},
               {"50 + 30", 1, 100, 60, 80},
               {"capped at the buffer", 1, 3000, 3000, 1024},
               {"doubled by the matrix", 2, 100, 60, 160},
               {"rounded down to a multiple of 4", 1, 30, 28, 28}};
  for (const Case& c : cases) {
    state.draws.clear();
    graphics->SetMatrix(c.scale, 0, 0, c.scale, 0, 0);
    graphics->DrawOval(0, 0, c.width, c.height);
    graphics->EndRender();
    ASSERT_EQ(state.draws.size(), 1u) << c.label;
    EXPECT_EQ(state.draws[0].mode, GL_TRIANGLE_FAN) << c.label;
    EXPECT_EQ(state.draws[0].count, c.vertices) << c.label;
  }
}

TEST_F(Renderer, OvalsOfOneSizeBatchTogetherAsSeparateFans) {
  graphics->DrawOval(0, 0, 100, 60);
  graphics->DrawOval(200, 100, 100, 60);
  graphics->EndRender();
  EXPECT_EQ(calls_starting("glDrawArrays"),
            (std::vector<std::string>{"glDrawArrays GL_TRIANGLE_FAN 0 80", "glDrawArrays GL_TRIANGLE_FAN 80 80"}));
  const auto& ring = state.draws[1].vertices;
  ExpectAt(ring[0], 300, 130);  // starts at the rightmost point
  EXPECT_NEAR(ring[20].x, 250, 1e-3);
  EXPECT_NEAR(ring[20].y, 100, 1e-3);  // a quarter turn later: the top, so it runs upwards on screen
}

TEST_F(Renderer, PolygonsJoinTheBatchOfTheirVertexCount) {
  graphics->DrawLine(0, 0, 1, 1);
  graphics->DrawPoly(Array<float>(std::vector<float>{5, 6, 7, 8}.data(), 4));
  graphics->DrawPoly(Array<float>());  // nothing
  graphics->DrawPoly(Array<float>(std::vector<float>{1, 2, 3, 4, 99}.data(), 5));  // the odd float is no vertex
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 1u);
  EXPECT_EQ(state.draws[0].mode, GL_LINES);
  ASSERT_EQ(state.draws[0].count, 6);
  ExpectAt(state.draws[0].vertices[2], 5, 6);  // polygons get no half-pixel offset
  ExpectAt(state.draws[0].vertices[5], 3, 4);
}

TEST_F(Renderer, TexturedPolygonsMapSourcePixelsThroughTheTextureScale) {
  gxtkSurface* surface = graphics->CreateSurface(16, 16);
  float corners[] = {0, 0, 0, 0, 10, 0, 4, 0, 10, 10, 4, 4, 0, 10, 0, 4, 123};
  graphics->DrawPoly2(Array<float>(corners, 17), surface, 8, 4);
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 1u);
  EXPECT_EQ(state.draws[0].count, 6) << "a quad, through the index table";
  EXPECT_FLOAT_EQ(state.draws[0].vertices[1].u, 12.0f / 16);
  EXPECT_FLOAT_EQ(state.draws[0].vertices[2].v, 8.0f / 16);
}

TEST_F(Renderer, PointsAndLinesSitOnPixelCentresAndRectsOnCorners) {
  graphics->DrawPoint(10, 20);
  graphics->SetMatrix(1, 0, 0, 1, 100, 0);
  graphics->DrawLine(0, 0, 4, 0);
  graphics->DrawRect(10, 20, 5, 5);
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 3u);
  ExpectAt(state.draws[0].vertices[0], 10.5f, 20.5f);
  ExpectAt(state.draws[1].vertices[1], 104.5f, 0.5f);  // offset after the matrix
  ExpectAt(state.draws[2].vertices[0], 110, 20);
}

TEST_F(Renderer, ScissorTurnsOffForTheWholeWindowAndFlipsYOtherwise) {
  graphics->DrawRect(0, 0, 1, 1);
  graphics->SetScissor(10, 20, 100, 50);
  EXPECT_EQ(state.draws.size(), 1u) << "the pending batch is drawn under the old scissor";
  graphics->SetScissor(0, 0, 640, 480);
  EXPECT_EQ(state.calls, (std::vector<std::string>{"glDrawElements GL_TRIANGLES 6", "glEnable GL_SCISSOR_TEST",
                                                   "glScissor 10 410 100 50", "glDisable GL_SCISSOR_TEST"}));
}

TEST_F(Renderer, ColourIsPremultipliedAndPackedPerVertex) {
  graphics->SetColor(255, 128, 0);
  graphics->SetAlpha(0.5f);
  graphics->DrawPoint(0, 0);
  graphics->SetColor(300, 0, 0);  // out of range: wraps within its own byte
  graphics->SetAlpha(1);
  graphics->DrawPoint(0, 0);
  graphics->EndRender();
  const fake_gl::Vertex& half = state.draws[0].vertices[0];
  EXPECT_EQ((std::vector<int>{half.r, half.g, half.b, half.a}), (std::vector<int>{127, 64, 0, 127}));
  const fake_gl::Vertex& over = state.draws[0].vertices[1];
  EXPECT_EQ((std::vector<int>{over.r, over.g, over.b, over.a}), (std::vector<int>{300 & 255, 0, 0, 255}));
}

TEST_F(Renderer, ClsDropsPendingPrimitivesAndBlendFlushesThem) {
  graphics->DrawRect(0, 0, 1, 1);
  graphics->Cls(255, 0, 51);
  graphics->EndRender();
  EXPECT_TRUE(state.draws.empty());
  EXPECT_EQ(calls_starting("glClear"), (std::vector<std::string>{"glClearColor 1.000000 0.000000 0.200000 1.000000",
                                                                 "glClear 16384"}));
  graphics->DrawRect(0, 0, 1, 1);
  graphics->SetBlend(1);
  graphics->DrawRect(0, 0, 1, 1);
  graphics->SetBlend(7);  // unknown: alpha blending
  ASSERT_EQ(state.draws.size(), 2u);
  EXPECT_EQ(state.draws[0].blendDst, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(state.draws[1].blendDst, GL_ONE);
  EXPECT_EQ(state.blendDst, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(Renderer, SettingTheBlendInForceKeepsTheBatch) {
  graphics->BeginRender();
  graphics->DrawRect(0, 0, 1, 1);
  graphics->SetBlend(0);
  graphics->DrawRect(2, 0, 1, 1);
  graphics->SetBlend(1);
  graphics->SetBlend(1);
  graphics->DrawRect(4, 0, 1, 1);
  graphics->EndRender();
  ASSERT_EQ(state.draws.size(), 2u) << "one draw per blend";
  EXPECT_EQ(state.draws[1].blendDst, GL_ONE);
}

TEST_F(Renderer, ReadPixelsDeliversRowsTopDownAndStaysInsideTheArray) {
  state.framebuffer = [](int x, int y) { return 0xff000000u | (x << 8) | y; };  // GL y, from the bottom
  graphics->DrawRect(0, 0, 1, 1);
  Array<int> pixels(2 * 3);
  graphics->ReadPixels(pixels, 5, 10, 2, 3, 0, 2);
  EXPECT_EQ(state.draws.size(), 1u) << "flushed first";
  EXPECT_EQ(calls_starting("glReadPixels"), std::vector<std::string>{"glReadPixels 5 467 2 3"});
  EXPECT_EQ(pixels[0], static_cast<int>(0xff000000u | 5 << 8 | 469)) << "top row: screen y 10 is GL y 469";
  EXPECT_EQ(pixels[5], static_cast<int>(0xff000000u | 6 << 8 | 467));

  Array<int> small(4);  // room for the first two rows only; the pitch runs past the end
  graphics->ReadPixels(small, 5, 10, 2, 3, 1, 2);
  EXPECT_EQ(small[0], 0) << "before the offset";
  EXPECT_EQ(small[3], static_cast<int>(0xff000000u | 5 << 8 | 468));
}

}  // namespace
