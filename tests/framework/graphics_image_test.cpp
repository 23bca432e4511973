// Images: cutting strips and grids into frames, the flags, the fatal geometry errors, loading from the data
// folder, blank images and the default font.
#include "tests/framework/graphics_fixture.h"
#include "tests/support/exit_status.h"

namespace {

class Images : public GraphicsModuleTest {
 protected:
  void Register(const std::string& name, int width, int height) {
    host.images["tarsil://data/" + name] = SolidImage(width, height, {255, 255, 255, 255});
  }
  static std::vector<std::pair<int, int>> Frames(c_Image* image) {
    std::vector<std::pair<int, int>> corners;
    for (c_Frame* frame : image->m_frames) corners.emplace_back(frame->m_x, frame->m_y);
    return corners;
  }
};

using Corners = std::vector<std::pair<int, int>>;

TEST_F(Images, AStripIsCutSideBySideAcrossTheWholeFile) {
  Register("strip.png", 320, 32);
  c_Image* plain = ko_graphics_LoadImage(String("strip.png"), 10, 0);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(host.asked.back(), "tarsil://data/strip.png");
  EXPECT_EQ(Frames(plain), (Corners{{0, 0}, {32, 0}, {64, 0}, {96, 0}, {128, 0}, {160, 0}, {192, 0}, {224, 0},
                                    {256, 0}, {288, 0}}));
  EXPECT_EQ((std::vector<int>{plain->m_width, plain->m_height, plain->m_flags}), (std::vector<int>{32, 32, 0}));

  c_Image* padded = ko_graphics_LoadImage(String("strip.png"), 10, c_Image::PadX | c_Image::HandleCentre);
  EXPECT_EQ(Frames(padded)[1], (std::pair<int, int>{33, 0}));
  EXPECT_EQ(Frames(padded)[9], (std::pair<int, int>{289, 0}));
  EXPECT_EQ((std::vector<int>{padded->m_width, padded->m_height, padded->m_flags}), (std::vector<int>{30, 32, 2}));
  EXPECT_EQ((std::vector<float>{padded->m_handleX, padded->m_handleY}), (std::vector<float>{15, 16}));
}

TEST_F(Images, OneFrameCoveringTheSurfaceIsDrawnAsTheWholeSurface) {
  Register("tile.png", 64, 64);
  EXPECT_EQ(ko_graphics_LoadImage(String("tile.png"), 1, 0)->m_flags, c_Image::WholeSurface);
  EXPECT_EQ(ko_graphics_LoadImage(String("tile.png"), 1, c_Image::PadX)->m_flags, c_Image::PadX);
  EXPECT_EQ(ko_graphics_LoadImage2(String("tile.png"), 64, 64, 1, 0)->m_flags, c_Image::WholeSurface);
  EXPECT_EQ(ko_graphics_LoadImage2(String("tile.png"), 32, 64, 1, 0)->m_flags, 0);
  c_Image* none = ko_graphics_LoadImage(String("tile.png"), 0, 0);  // no frame width to divide by
  EXPECT_EQ(Frames(none), (Corners{{0, 0}}));
  EXPECT_EQ(none->m_width, 64);
}

TEST_F(Images, AGridIsCutRowByRow) {
  Register("grid.png", 100, 40);
  c_Image* grid = ko_graphics_LoadImage2(String("grid.png"), 30, 20, 6, c_Image::PadY);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(Frames(grid), (Corners{{0, 1}, {30, 1}, {60, 1}, {0, 21}, {30, 21}, {60, 21}}));
  EXPECT_EQ((std::vector<int>{grid->m_width, grid->m_height}), (std::vector<int>{30, 18}));
}

TEST_F(Images, FramesThatDoNotFitAndSecondInitialisationsAreFatal) {
  Register("grid.png", 100, 40);
  auto expectFatal = [](auto body, const char* message) {
    EXPECT_EXIT(WithFatalReportOnStderr(body), ExitedMinusOne(),
                std::string("Tarsil Runtime Error : ") + message);
  };
  expectFatal([] { ko_graphics_LoadImage2(String("grid.png"), 30, 20, 7, 0); }, "Image frame outside surface");
  expectFatal([] { ko_graphics_LoadImage2(String("grid.png"), 120, 10, 1, 0); }, "Image frame outside surface");
  c_Image* image = ko_graphics_CreateImage(8, 8, 1, 0);
  expectFatal([&] { image->p_Init(image->m_surface, 1, 0); }, "Image already initialized");
  expectFatal([&] { image->p_Init2(image->m_surface, 0, 0, 8, 8, 1, 0, nullptr, 0, 0, 8, 8); },
              "Image already initialized");
}

TEST_F(Images, AMissingFileIsNoImage) {
  EXPECT_EQ(ko_graphics_LoadImage(String("absent.png"), 1, 0), nullptr);
  EXPECT_EQ(ko_graphics_LoadImage2(String("absent.png"), 8, 8, 1, 0), nullptr);
}

TEST_F(Images, ABlankImageIsOneSurfaceWideEnoughForAllFrames) {
  c_Image* blank = ko_graphics_CreateImage(16, 8, 4, 0);
  EXPECT_EQ((std::vector<int>{blank->m_surface->Width(), blank->m_surface->Height()}), (std::vector<int>{64, 8}));
  EXPECT_EQ(Frames(blank), (Corners{{0, 0}, {16, 0}, {32, 0}, {48, 0}}));
}

TEST_F(Images, NoFontMeansTheDefaultFontFromCharacter32) {
  ko_graphics_SetFont(nullptr, 65);
  EXPECT_EQ(host.asked, std::vector<std::string>{"tarsil://data/glim_font.png"});
  EXPECT_EQ(ko_graphics_context->m_currentFont.get(), nullptr) << "no file: no font";
  EXPECT_EQ(ko_graphics_context->m_firstChar, 32);

  Register("glim_font.png", 96 * 10, 12);
  ko_graphics_SetFont(nullptr, 65);
  c_Image* font = ko_graphics_context->m_currentFont;
  ASSERT_NE(font, nullptr);
  EXPECT_EQ((std::vector<int>{font->p_Frames(), font->m_width, font->m_frames[1]->m_x}),
            (std::vector<int>{96, 8, 11}));
  c_Image* own = ko_graphics_CreateImage(8, 8, 2, 0);
  ko_graphics_SetFont(own, 48);
  EXPECT_EQ(ko_graphics_context->m_firstChar, 48);
  ko_graphics_SetFont(nullptr, 0);
  EXPECT_EQ(ko_graphics_context->m_currentFont.get(), font) << "loaded once";
  EXPECT_EQ(host.asked.size(), 2u);
}

}  // namespace
