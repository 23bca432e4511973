// Text: measuring and alignment, icon frames by input method with blinking, the two-character line break,
// characters outside the font, and right-justified numbers.
#include <gtest/gtest.h>

#include "tests/game/game_harness.h"

namespace {

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    app.p_CLS2D(kNone, 0, 0, 0);
  }
  std::vector<DrawCommand> glyphs() { return game.ImageCommands(90); }
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(Text, GlyphsStartOneAdvanceInAndUseFrameCodeMinus32) {
  app.p_Text(100, 50, String("AB"), 0, 1);
  std::vector<DrawCommand> drawn = glyphs();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].frame, 'A' - 32);
  EXPECT_FLOAT_EQ(drawn[0].x, 107) << "the leading space";
  EXPECT_FLOAT_EQ(drawn[1].x, 114);
  EXPECT_FLOAT_EQ(drawn[0].y, 50) << "vertically centred";
}

TEST_F(Text, AlignmentUsesTheWidthWithoutTheLastAdvance) {
  app.p_Text(100, 50, String("AB"), 1, 0);  // width of " A" = 14; centred; top
  std::vector<DrawCommand> drawn = glyphs();
  EXPECT_FLOAT_EQ(drawn[0].x, 100 - 7 + 7);
  EXPECT_FLOAT_EQ(drawn[0].y, 55) << "half a line below y";
  app.p_CLS2D(kNone, 0, 0, 0);
  app.p_SetSize(2);
  app.p_Text(0, 0, String("mi"), 2, 2);  // " m" measures trunc(7*2) + trunc(14 + 9*2) = 32; ends at x
  drawn = glyphs();
  EXPECT_FLOAT_EQ(drawn[0].x, -32 + 14);
  EXPECT_FLOAT_EQ(drawn[0].y, -10);
}

TEST_F(Text, EmptyTextDrawsNothing) {
  app.p_Text(10, 10, String());
  EXPECT_TRUE(glyphs().empty());
}

TEST_F(Text, IconsFollowTheInputMethodAndBlinkOnAJoypad) {
  app.m_controlMode = 0;
  app.p_Text(0, 0, String(u"Hit \u00acK to Quit"));
  std::vector<DrawCommand> drawn = glyphs();
  ASSERT_EQ(drawn.size(), 10u) << "H i t, the icon, t o, Q u i t";
  EXPECT_EQ(drawn[3].frame, 113) << "the keyboard set";
  EXPECT_FLOAT_EQ(drawn[4].x - drawn[3].x, 11 + 7) << "icons take 4 more while drawing, then the space";

  app.m_controlMode = 1;
  for (double now : {100.0, 100.3}) {  // 0 ms into the 500 ms cycle: blink frame; 300 ms: the icon
    fake_glfw::state.now = now;
    app.p_CLS2D(kNone, 0, 0, 0);
    app.p_Text(0, 0, String(u"\u00acK"));
    EXPECT_EQ(glyphs()[0].frame, now == 100.0 ? 109 : 97);
  }
  app.m_controlMode = 2;
  app.p_CLS2D(kNone, 0, 0, 0);
  app.p_Text(0, 0, String(u"\u00acQ"));
  EXPECT_EQ(glyphs()[0].frame, 102) << "touch shows the joypad set without blinking";
}

TEST_F(Text, TheTwoCharacterBreakStartsANewLine) {
  app.p_Text(0, 0, String("A\\nB"), 0, 1);
  std::vector<DrawCommand> drawn = glyphs();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_FLOAT_EQ(drawn[1].x, 7) << "one advance in, like the first line";
  EXPECT_FLOAT_EQ(drawn[1].y, 10) << "one line height lower";
}

TEST_F(Text, CharactersOutsideTheFontAdvanceWithoutDrawing) {
  app.p_Text(0, 0, String(u"A\u0100B\u0000C", 5));
  std::vector<DrawCommand> drawn = glyphs();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_FLOAT_EQ(drawn[1].x - drawn[0].x, 14) << "the wide character takes room";
  EXPECT_FLOAT_EQ(drawn[2].x - drawn[1].x, 7) << "the NUL takes none";
}

TEST_F(Text, RotatedTextRunsAlongItsBaseline) {
  app.p_SetRot(90);
  app.p_Text(0, 0, String("AB"), 0, 1);
  std::vector<DrawCommand> drawn = glyphs();
  EXPECT_NEAR(drawn[0].x, 0, 1e-4);
  EXPECT_NEAR(drawn[0].y, 7, 1e-4) << "turned a quarter clockwise, the pen moves down";
}

TEST(RightJustify, PadsAndCutsToTheWidth) {
  GameHarness game;
  EXPECT_TRUE(game.app().p_rstr(42, 5, String("0")) == String("00042"));
  EXPECT_TRUE(game.app().p_rstr(1234567, 5, String("0")) == String("34567"));
  EXPECT_TRUE(game.app().p_rstr(7, 3, String(" ")) == String("  7"));
  EXPECT_EQ(game.app().p_rstr2(123).Length(), 11);
  EXPECT_TRUE(game.app().p_rstr(12, 3, String()) == String("12")) << "too short to cut: kept whole";
  EXPECT_TRUE(game.app().p_rstr(12, 0, String("0")) == String());
}

}  // namespace
