// The graphics context: the per-frame reset, the matrix, its stack and its lazy hand-over, and drawing
// images about their handles.
#include <GL/gl.h>

#include "tests/framework/graphics_fixture.h"

namespace {

using GraphicsContext = GraphicsModuleTest;

c_GraphicsContext* Context() { return ko_graphics_context; }

void ExpectAt(const fake_gl::Vertex& vertex, float x, float y) {
  EXPECT_NEAR(vertex.x, x, 1e-4);
  EXPECT_NEAR(vertex.y, y, 1e-4);
}

TEST_F(GraphicsContext, EachFrameStartsFromTheSameStateButKeepsTheFont) {
  c_Image* font = ko_graphics_CreateImage(8, 8, 2, 0);
  ko_graphics_SetFont(font, 48);
  ko_graphics_Translate(5, 5);
  ko_graphics_PushMatrix();
  ko_graphics_SetColor(1, 2, 3);
  ko_graphics_SetAlpha(0.25f);
  ko_graphics_SetBlend(1);
  ko_graphics_SetScissor(1, 2, 3, 4);
  device->scissors.clear();

  ko_graphics_BeginRender();
  EXPECT_EQ(Context()->m_matrixSp, 0);
  EXPECT_FALSE(Context()->m_transformed);
  EXPECT_TRUE(Context()->m_matrixDirty) << "the renderer still holds last frame's matrix";
  EXPECT_EQ((std::vector<float>{device->red, device->green, device->blue, device->alpha}),
            (std::vector<float>{255, 255, 255, 1}));
  EXPECT_EQ(Context()->m_blendMode, 0);
  EXPECT_EQ(fake_gl::state.blendDst, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(device->scissors, (std::vector<std::vector<float>>{{0, 0, 640, 480}}));
  EXPECT_EQ(Context()->m_currentFont.get(), font);
  EXPECT_EQ(Context()->m_firstChar, 48);
}

TEST_F(GraphicsContext, LaterTransformsActInTheFrameOfEarlierOnes) {
  ko_graphics_Translate(10, 20);
  ko_graphics_Scale(2, 2);
  ko_graphics_DrawRect(1, 1, 0, 0);
  ko_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  ko_graphics_Rotate(90);  // counter-clockwise on the y-down screen
  ko_graphics_DrawRect(1, 0, 0, 0);
  const auto& drawn = Drawn();
  ExpectAt(drawn[0], 12, 22);
  ExpectAt(drawn[6], 0, -1);
}

TEST_F(GraphicsContext, OnlyTheExactIdentityCountsAsUntransformed) {
  ko_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_FALSE(Context()->m_transformed);
  ko_graphics_SetMatrix(1, 0, 0, 1, 0.5f, 0);
  EXPECT_TRUE(Context()->m_transformed);
  float identity[] = {1, 0, 0, 1, 0, 0};
  ko_graphics_SetMatrix2(Array<float>(identity, 6));
  EXPECT_FALSE(Context()->m_transformed);
  ko_graphics_SetMatrix2(Array<float>(identity, 5));  // not a matrix: ignored
  ko_graphics_Transform2(Array<float>(identity, 5));
  EXPECT_FALSE(Context()->m_transformed);
}

TEST_F(GraphicsContext, TheMatrixReachesTheRendererOnceAndOnlyBeforeADraw) {
  device->setMatrixCalls = 0;
  ko_graphics_Translate(3, 4);
  ko_graphics_Rotate(30);
  EXPECT_EQ(device->setMatrixCalls, 0);
  ko_graphics_DrawRect(0, 0, 1, 1);
  ko_graphics_DrawLine(0, 0, 1, 1);
  EXPECT_EQ(device->setMatrixCalls, 1);
  EXPECT_FLOAT_EQ(device->tx, 3);
}

TEST_F(GraphicsContext, TheStackGrowsByDoublingAndPopsBackExactly) {
  std::vector<std::vector<float>> pushed;
  for (int i = 0; i < 33; ++i) {
    ko_graphics_Rotate(7.3f * i);
    ko_graphics_Translate(0.1f * i, -3.7f);
    c_GraphicsContext* k = Context();
    pushed.push_back({k->m_a, k->m_b, k->m_c, k->m_d, k->m_tx, k->m_ty});
    ko_graphics_PushMatrix();
    EXPECT_EQ(Context()->m_matrixStack.Length(), i < 32 ? 192 : 384) << "push " << i + 1;
  }
  for (int i = 32; i >= 0; --i) {
    ko_graphics_PopMatrix();
    c_GraphicsContext* k = Context();
    EXPECT_EQ((std::vector<float>{k->m_a, k->m_b, k->m_c, k->m_d, k->m_tx, k->m_ty}), pushed[i]) << "pop to " << i;
  }
  ko_graphics_PopMatrix();  // one too many: nothing to restore
  EXPECT_EQ(Context()->m_matrixSp, 0);
  EXPECT_EQ((std::vector<float>{Context()->m_a, Context()->m_tx}), (std::vector<float>{pushed[0][0], pushed[0][4]}));
  EXPECT_EQ(Context()->m_matrixStack.Length(), 384) << "never shrinks";
}

TEST_F(GraphicsContext, EllipsesAreOvalsAroundTheCentreAndScissorsAreTruncated) {
  ko_graphics_DrawEllipse(100, 100, 10, 20);
  ko_graphics_SetScissor(10.7f, 0, 100.9f, 50);
  EXPECT_EQ(device->ovals, (std::vector<std::vector<float>>{{90, 80, 20, 40}}));
  EXPECT_EQ(device->scissors.back(), (std::vector<float>{10, 0, 100, 50}));
}

TEST_F(GraphicsContext, ImagesAreDrawnFrameByFrameWithTheHandleAtThePosition) {
  c_Image* strip = ko_graphics_CreateImage(16, 16, 4, c_Image::HandleCentre);  // a 64 x 16 surface
  ko_graphics_DrawImage(strip, 100, 50, 2);
  ko_graphics_DrawImage(strip, 100, 50, 4);   // no such frame
  ko_graphics_DrawImage(strip, 100, 50, -1);  // no such frame
  const auto& drawn = Drawn();
  ASSERT_EQ(drawn.size(), 6u);
  ExpectAt(drawn[0], 92, 42);
  ExpectAt(drawn[2], 108, 58);
  EXPECT_FLOAT_EQ(drawn[0].u, 32.0f / 64);
  EXPECT_FLOAT_EQ(drawn[2].u, 48.0f / 64);
  EXPECT_FLOAT_EQ(drawn[2].v, 1);
}

TEST_F(GraphicsContext, DrawImage2RotatesAndScalesAboutTheHandleAndRestoresTheMatrix) {
  c_Image* tile = ko_graphics_CreateImage(32, 32, 1, c_Image::HandleCentre);  // drawn as the whole surface
  ko_graphics_Translate(1000, 0);
  ko_graphics_DrawImage2(tile, 100, 100, 90, 2, 2, 0);
  EXPECT_EQ(Context()->m_matrixSp, 0);
  EXPECT_FLOAT_EQ(Context()->m_tx, 1000);
  const auto& drawn = Drawn();
  ASSERT_EQ(drawn.size(), 6u);
  // Corners (0, 0), (32, 0), (32, 32) of the tile: the handle (16, 16) lands on (1100, 100), the right edge
  // points up.
  ExpectAt(drawn[0], 1068, 132);
  ExpectAt(drawn[1], 1068, 68);
  ExpectAt(drawn[2], 1132, 68);
  EXPECT_FLOAT_EQ(drawn[2].u, 1);
}

TEST_F(GraphicsContext, OutsideAFrameStateIsRecordedAndNothingIsDrawn) {
  ko_graphics_EndRender();
  ko_graphics_SetColor(1, 2, 3);
  ko_graphics_DrawRect(0, 0, 5, 5);
  ko_graphics_DrawImage2(ko_graphics_CreateImage(4, 4, 1, 0), 0, 0, 0, 1, 1, 0);
  EXPECT_EQ(Context()->m_colorG, 2);
  EXPECT_EQ(device->green, 255);
  EXPECT_TRUE(Drawn().empty());
}

class DrawingApp : public c_App {
 public:
  int p_OnRender() override {
    ko_graphics_SetColor(0, 0, 255);
    ko_graphics_DrawRect(1, 2, 3, 4);
    return 0;
  }
};

TEST_F(GraphicsContext, TheDelegateMakesTheRendererAndBracketsEveryRender) {
  (new DrawingApp)->m_new();
  host.StartGame();
  gxtkGraphics* renderer = ko_app__delegate->m_graphics;
  ASSERT_NE(renderer, nullptr);
  EXPECT_EQ(ko_graphics_device.get(), renderer);
  EXPECT_EQ(host.asked, std::vector<std::string>{"tarsil://data/glim_font.png"}) << "the default font";

  fake_gl::state.calls.clear();
  host.RenderGame();
  EXPECT_EQ(ko_graphics_renderDevice.get(), nullptr) << "outside a frame again";
  EXPECT_EQ(fake_gl::calls_starting("glOrtho").size(), 1u);
  ASSERT_EQ(fake_gl::state.draws.size(), 1u) << "the last batch is drawn at the end of the frame";
  EXPECT_EQ(fake_gl::state.draws[0].vertices[0].b, 255);
}

}  // namespace
