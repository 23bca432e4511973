// The draw command list and the render pass: the capacity rule, state setters, frame starts, the scale and
// virtual-size rule, the replay through the graphics context.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/game/game_harness.h"

namespace {

class DrawList : public ::testing::Test {
 protected:
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(DrawList, CommandsBeyondTheCapacityAreDroppedAndEarlierOnesKept) {
  app.p_CLS2D(kNone, 0, 0, 0);
  for (int i = 0; i < 2600; ++i) app.p_Rect(static_cast<float>(i), 0, 1, 1);
  // A command is written only while fewer than 37485 floats are in use, so 2499 fit.
  EXPECT_EQ(app.m_drawLen, 2499 * 15);
  EXPECT_EQ(game.Commands().back().x, 2498);
  app.m_drawLen = 37485;
  app.p_Oval(1, 1, 1, 1);
  EXPECT_EQ(app.m_drawLen, 37485);
  app.m_drawLen = 37484;
  app.p_Line(1, 2, 3, 4);
  EXPECT_EQ(app.m_drawLen, 37499) << "the last start that is still written";
}

TEST_F(DrawList, CommandsCarryTheDrawState) {
  app.p_CLS2D(10, 20, 30, 0.5f);
  EXPECT_EQ(app.m_bgGreen, 20);
  EXPECT_EQ(app.m_bgAlpha, 0.5f);
  app.p_SetSize(2);
  EXPECT_EQ(app.m_sizeY, 2) << "a missing y size repeats x";
  app.p_SetRot(30);
  app.p_SetCol(1, 2, 3, kNone);
  EXPECT_EQ(app.m_alpha, 1) << "a missing alpha keeps the alpha";
  app.m_blend = 3;
  app.p_DrawImg(97, 5, 6, 7);
  DrawCommand image = game.Commands().back();
  EXPECT_EQ(image.kind, 97);
  EXPECT_EQ(image.rotation, -30) << "the framework's angle is the negated one";
  EXPECT_EQ(image.sizeX, 2);
  EXPECT_EQ(image.frame, 7);
  EXPECT_EQ(image.blue, 3);
  EXPECT_EQ(image.blend, 3);
  app.p_CLS2D(kNone, 0, 0, 0);
  EXPECT_EQ(app.m_drawLen, 0);
  EXPECT_EQ(app.m_bgGreen, 20) << "-3717 restarts the list without touching the background";
  EXPECT_EQ(app.m_sizeX, 1) << "the draw state is reset";
}

TEST_F(DrawList, InkPresetsAreClamped) {
  app.p_Ink(2, 1);
  EXPECT_FLOAT_EQ(app.m_green, 127.5f);
  app.p_Ink(4, 3);
  EXPECT_EQ(app.m_green, 255);
  EXPECT_FLOAT_EQ(app.m_red, 76.5f);
  app.p_Ink(42, 1);
  EXPECT_FLOAT_EQ(app.m_blue, 76.5f) << "unknown presets are grey";
}

TEST_F(DrawList, TheBackgroundEasesAnEighthOfTheWayPerFrame) {
  app.p_DoBG(80, 0, 0, -123);
  EXPECT_EQ(app.m_bgRed, 10);
  EXPECT_EQ(app.m_bgAlpha, 1);
  app.p_DoBG(-200, 0, 0, 2);
  EXPECT_FLOAT_EQ(app.m_bgRed, 18.75f) << "a value below -122 keeps the target";
  EXPECT_EQ(app.m_bgAlpha, 1) << "alpha is clamped";
}

struct ScaleCase {
  int width, height;
  float scale, virtualWidth, virtualHeight;
  int fitAxis;
};

TEST(RenderScale, TheVirtualScreenKeepsTheDesignSizeAlongTheLimitingAxis) {
  // 1280 x 720: the width's scale (2) is the larger one, so the width limits it, like 1024 x 768 (a tie).
  const ScaleCase cases[] = {{1280, 720, 2, 640, 360, 1}, {1024, 768, 1.6f, 640, 480, 1},
                             {800, 1280, 1280.0f / 720, 450, 720, 2}, {640, 480, 1, 640, 480, 1}};
  for (const ScaleCase& c : cases) {
    GameHarness game(c.width, c.height);
    game.Render();
    EXPECT_FLOAT_EQ(game.app().m_scaleX, c.scale) << c.width << "x" << c.height;
    EXPECT_FLOAT_EQ(game.app().m_scaleY, c.scale);
    EXPECT_FLOAT_EQ(ko_Quarzel_jscrw, c.virtualWidth) << c.width << "x" << c.height;
    EXPECT_FLOAT_EQ(ko_Quarzel_jscrh, c.virtualHeight) << c.width << "x" << c.height;
    EXPECT_EQ(game.app().m_landscape, c.virtualHeight <= c.virtualWidth);
    EXPECT_EQ(game.app().m_fitAxis, c.fitAxis) << c.width << "x" << c.height;
  }
}

TEST(RenderScale, OverscanShrinksTheDrawingButNotTheVirtualScreen) {
  GameHarness game(1280, 720);
  ko_Quarzel_overscan = 64;
  game.Render();
  EXPECT_FLOAT_EQ(game.app().m_scaleX, (1280 - 128) / 640.0f) << "the larger axis scale, margins taken off";
  EXPECT_FLOAT_EQ(ko_Quarzel_jscrw, 640);
  EXPECT_FLOAT_EQ(ko_Quarzel_jscrh, 360);
  ko_Quarzel_overscan = 0;
}

TEST(RenderReplay, CommandsReachTheRendererScaledAndMissingImagesAreSkipped) {
  GameHarness game(1280, 960);  // scale 2
  game.FinishLoading();
  c_MyApp& app = game.app();
  app.p_CLS2D(0, 0, 0, 1);
  app.p_SetCol(255, 0, 0, 1);
  app.p_Rect(10, 20, 5, 5);
  app.p_DrawImg(42, 100, 100, 0);  // an empty slot
  app.p_SetCol(0, 255, 0, 1);
  app.p_Rect(30, 40, 5, 5);
  fake_gl::reset();
  game.Render();
  std::vector<fake_gl::Vertex> quads;
  for (const fake_gl::Draw& draw : fake_gl::state.draws) {
    if (draw.indexed) quads.insert(quads.end(), draw.vertices.begin(), draw.vertices.end());
  }
  // Quads are drawn as two triangles: six vertices each, the first being the quad's top-left corner.
  ASSERT_EQ(quads.size(), 18u) << "the background and the two rectangles, nothing for the empty slot";
  EXPECT_EQ(quads[6].x, 20);
  EXPECT_EQ(quads[6].y, 40);
  EXPECT_EQ(quads[6].r, 255);
  EXPECT_EQ(quads[12].x, 60);
  EXPECT_EQ(quads[12].g, 255);
}

TEST(RenderReplay, FrameNumbersOutsideTheIntRangeAreConvertedSafely) {
  GameHarness game;
  game.FinishLoading();
  c_MyApp& app = game.app();
  app.p_CLS2D(0, 0, 0, 1);
  for (float frame : {3e9f, -3e9f, std::nanf("")}) app.p_DrawImg(97, 100, 100, frame);
  fake_gl::reset();
  game.Render();
  size_t vertices = 0;
  for (const fake_gl::Draw& draw : fake_gl::state.draws) vertices += draw.vertices.size();
  // Out-of-range frames saturate to no frame at all; the NaN converts to 0, like every NaN in the game.
  EXPECT_EQ(vertices, 2 * 6u) << "the background and frame 0";
}

TEST(RenderReplay, ANewWindowSizeStartsTheLoaderAgain) {
  GameHarness game;
  game.FinishLoading();
  EXPECT_EQ(game.app().m_loadStep, 0);
  game.Resize(800, 600);
  game.Render();
  EXPECT_EQ(game.app().m_loadStep, 1);
  EXPECT_EQ(game.app().m_lastDevW, 800);
}

}  // namespace
