// The two fonts. The game font: a distinct glyph for every printable code at every factor, capitals
// centred in their cells (the game draws each glyph centred on its pen position), and distinct icons for the
// thirteen escapes in both sets. The framework's default font: a 96-cell strip whose one-pixel border
// columns, trimmed by the loader, are empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "data_folder.h"

namespace datatest {
namespace {

constexpr int kGameFontCell = 16;  // pixels at factor 1

std::string gameFontFile(int factor) {
  return std::string("fonts/shadow_editundo") + (factor == 1 ? "" : factor == 2 ? "-hd" : "-hd2") + ".png";
}

FrameRect glyphCell(const Picture& font, int factor, int code) {
  return frameRect(font, kGameFontCell * factor, kGameFontCell * factor, code - 32);
}

// The box around a cell's pixels of at least `minAlpha`, in pixels from the cell's corner (right and bottom
// are the last inked column and row); an empty cell gives right = bottom = -1.
struct Ink {
  int left, right, top, bottom;
};

Ink inkIn(const Picture& font, const FrameRect& cell, int minAlpha) {
  Ink ink{cell.w, -1, cell.h, -1};
  for (int y = 0; y < cell.h; ++y) {
    for (int x = 0; x < cell.w; ++x) {
      if (font.alpha(cell.x + x, cell.y + y) < minAlpha) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(GameFont, PrintableGlyphsAreAllDistinctAtEveryFactor) {
  for (int factor : {1, 2, 4}) {
    const Picture font = readPicture(gameFontFile(factor));
    ASSERT_TRUE(font.ok) << factor;
    std::set<std::vector<uint8_t>> seen;
    for (int code = 33; code <= 126; ++code) {
      const FrameRect cell = glyphCell(font, factor, code);
      EXPECT_TRUE(seen.insert(frameBytes(font, cell)).second) << "code " << code << " repeats, factor " << factor;
    }
  }
}

TEST(GameFont, SpaceFrameIsEmpty) {
  const Picture font = readPicture(gameFontFile(1));
  ASSERT_TRUE(font.ok);
  EXPECT_EQ(maxAlpha(font, frameRect(font, kGameFontCell, kGameFontCell, 0)), 0);
}

TEST(GameFont, CapitalsAreCentredInTheirCells) {
  for (int factor : {1, 2, 4}) {
    const Picture font = readPicture(gameFontFile(factor));
    ASSERT_TRUE(font.ok);
    for (int code = 'A'; code <= 'Z'; ++code) {
      const Ink ink = inkIn(font, glyphCell(font, factor, code), 128);
      const double middleX = (ink.left + ink.right + 1) * 0.5 / factor;
      const double middleY = (ink.top + ink.bottom + 1) * 0.5 / factor;
      EXPECT_NEAR(middleX, kGameFontCell / 2, 1.5) << char(code) << " factor " << factor;
      EXPECT_NEAR(middleY, kGameFontCell / 2, 1.5) << char(code) << " factor " << factor;
    }
  }
}

// The title's score lists draw their last digit at size 1.5 centred 4.5 virtual pixels from the screen's right
// edge: a digit and its shadow must end within 3 font units right of the glyph's centre, at every factor.
TEST(GameFont, DigitsEndWithinThreeUnitsRightOfTheirCentre) {
  for (int factor : {1, 2, 4}) {
    const Picture font = readPicture(gameFontFile(factor));
    ASSERT_TRUE(font.ok);
    for (int code = '0'; code <= '9'; ++code) {
      const Ink ink = inkIn(font, glyphCell(font, factor, code), 32);  // any visible ink, the shadow's too
      EXPECT_LE((ink.right + 1.0) / factor - kGameFontCell / 2, 3.0) << char(code) << " factor " << factor;
    }
  }
}

// Icons for ¬J ¬K ¬L ¬I ¬U ¬O ¬Q ¬E ¬F ¬W ¬S ¬A ¬D: joypad set from frame 96, keyboard set from 112,
// blink frames 109 and 110. Two escapes showing the same picture would mislead the player.
TEST(GameFont, EscapeIconsAreDistinctWithinEachSet) {
  for (int factor : {1, 2, 4}) {
    const Picture font = readPicture(gameFontFile(factor));
    ASSERT_TRUE(font.ok);
    for (int first : {96, 112}) {
      std::set<std::vector<uint8_t>> seen;
      const int count = first == 96 ? 15 : 13;
      for (int frame = first; frame < first + count; ++frame) {
        const FrameRect cell = frameRect(font, kGameFontCell * factor, kGameFontCell * factor, frame);
        EXPECT_TRUE(seen.insert(frameBytes(font, cell)).second) << "frame " << frame << " factor " << factor;
      }
    }
  }
}

TEST(DefaultFont, IsAStripOf96CellsWithEmptyBorderColumns) {
  const Picture font = readPicture("glim_font.png");
  ASSERT_TRUE(font.ok);
  ASSERT_EQ(font.width % 96, 0);
  const int cell = font.width / 96;
  ASSERT_GE(cell, 6);
  for (int x = 0; x < font.width; x += cell) {
    for (int y = 0; y < font.height; ++y) {
      EXPECT_EQ(font.alpha(x, y), 0) << "left border of cell " << x / cell;
      EXPECT_EQ(font.alpha(x + cell - 1, y), 0) << "right border of cell " << x / cell;
    }
  }
  std::set<std::vector<uint8_t>> seen;
  for (int code = 33; code <= 126; ++code) {
    const FrameRect rect{(code - 32) * cell + 1, 0, cell - 2, font.height};
    EXPECT_GE(maxAlpha(font, rect), 128) << "code " << code;
    EXPECT_TRUE(seen.insert(frameBytes(font, rect)).second) << "code " << code << " repeats";
  }
}

}  // namespace
}  // namespace datatest
