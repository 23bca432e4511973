// The loader: its ten steps, the slot tables, the resolution chosen from the window size, a resize while
// loading, and the loading screen.
#include <gtest/gtest.h>

#include "tests/game/game_harness.h"

namespace {

TEST(Loader, StartUpLoadsTheLogoAndFontAtOnceThenOneStepPerUpdate) {
  GameHarness game(600, 400);  // factor 1
  c_MyApp& app = game.app();
  EXPECT_EQ(app.m_loadStep, 1);
  EXPECT_NE(app.m_images[93], nullptr) << "the logo, for the loading screen";
  EXPECT_NE(app.m_images[90], nullptr) << "the font";
  EXPECT_EQ(app.m_imgInfo[3 * 90], 7);
  EXPECT_EQ(app.m_imgInfo[3 * 90 + 1], 10);
  EXPECT_EQ(app.m_images[1], nullptr);
  int updates = 0;
  while (app.m_loadStep > 0 && updates < 20) game.Frame(), ++updates;
  EXPECT_EQ(updates, 10) << "nine loading steps and one that finishes";
  for (int slot : {1, 80, 81, 85, 86, 90, 93, 94, 95, 96, 97, 98, 99}) {
    EXPECT_NE(app.m_images[slot], nullptr) << "image slot " << slot;
  }
  for (int slot : {1, 95, 96, 98, 99}) EXPECT_NE(app.m_sounds[slot], nullptr) << "sound slot " << slot;
  EXPECT_EQ(app.m_imgInfo[3 * 1], 36);
  EXPECT_EQ(app.m_imgInfo[3 * 1 + 2], 49);
  EXPECT_EQ(app.m_images[96]->m_frames.Length(), 256);
  EXPECT_EQ(app.m_images[81]->m_width, 2048) << "the reserved blank image is not scaled";
  EXPECT_EQ(app.m_jinglePlayed, 1);
  EXPECT_EQ(app.m_mode, 1);
}

struct ResolutionCase {
  int width, height, factor;
};

TEST(Loader, TheArtResolutionFollowsTheWindowSize) {
  // Above 630 on either axis the art doubles, above 1230 it doubles again.
  const ResolutionCase cases[] = {{630, 630, 1}, {600, 631, 2}, {640, 480, 2}, {800, 600, 2}, {1230, 1230, 2},
                                  {1280, 720, 4}};
  for (const ResolutionCase& c : cases) {
    GameHarness game(c.width, c.height);
    game.FinishLoading();
    EXPECT_EQ(game.app().m_hdScale, c.factor) << c.width << "x" << c.height;
    EXPECT_EQ(game.app().m_imgInfo[3 * 97], 32 * c.factor) << "icon frames";
    EXPECT_EQ(game.app().m_images[97]->m_width, 32 * c.factor);
  }
  GameHarness large(1920, 1080);
  ko_Quarzel_UseHDImages = 0;
  large.app().p_Reload();
  large.FinishLoading();
  EXPECT_EQ(large.app().m_hdScale, 1) << "high-resolution art switched off";
  EXPECT_EQ(large.app().m_hdInvScale, 1);
}

TEST(Loader, AResizeWhileLoadingFinishesAtTheNewSizeWithoutASecondJingle) {
  GameHarness game;
  game.Frame(4);
  EXPECT_EQ(game.app().m_jinglePlayed, 1);
  int effectChannel = game.app().m_sfxChannel;
  game.Resize(1280, 720);
  game.FinishLoading();
  EXPECT_EQ(game.app().m_hdScale, 4);
  EXPECT_EQ(game.app().m_images[1]->m_width, 36 * 4);
  EXPECT_EQ(game.app().m_sfxChannel, effectChannel) << "no effect played again";
}

TEST(Loader, SoundNumbersHaveThreeDigits) {
  GameHarness game;
  game.FinishLoading();
  game.app().p_LoadSFX(5);
  EXPECT_EQ(game.app().m_sounds[5], nullptr) << "sfx/005.wav does not exist";
  game.app().p_LoadSFX(96);
  EXPECT_NE(game.app().m_sounds[96], nullptr) << "sfx/096.wav";
}

TEST(LoadingScreen, ShowsTheLogoTheRingsAndTheCaption) {
  GameHarness game;
  game.Frame();
  c_MyApp& app = game.app();
  std::vector<DrawCommand> logo = game.ImageCommands(93);
  ASSERT_EQ(logo.size(), 1u);
  EXPECT_FLOAT_EQ(logo[0].x, 320);
  EXPECT_FLOAT_EQ(logo[0].sizeX, 2);
  int dots = 0;
  for (const DrawCommand& command : game.Commands()) dots += command.kind == -3716;
  EXPECT_EQ(dots, 33) << "three arcs of eleven dots";
  EXPECT_EQ(game.ImageCommands(90).size(), 10u) << "\"Loading...\"";
  EXPECT_EQ(app.m_spin, 3);
}

TEST(LoadingScreen, TheStartScreenStartsAFullLoadAndGoesToTheMenu) {
  GameHarness game;
  game.FinishLoading();
  game.app().m_mode = 5;
  game.app().p_WaitStart(0);
  EXPECT_EQ(game.app().m_mode, 1);
  EXPECT_EQ(game.app().m_loadStep, 1);
  EXPECT_EQ(game.app().m_inputLatch, 1);
  int dots = 0;
  for (const DrawCommand& command : game.Commands()) dots += command.kind == -3716;
  EXPECT_EQ(dots, 0) << "no rings on the start screen";
}

}  // namespace
