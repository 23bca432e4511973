// Badges: the text table, earning one (once, shown and saved), and the notification strip sliding in over
// ten updates and out again after 230.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/game/game_harness.h"
#include "tests/support/text.h"

namespace {

class Badges : public ::testing::Test {
 protected:
  void SetUp() override { game.FinishLoading(); }
  // One update on a fresh draw list; the notification strip's left edge then, or kNone when none is drawn.
  float StripX() {
    app.p_CLS2D(kNone, 0, 0, 0);
    game.Update();
    for (const DrawCommand& command : game.Commands()) {
      if (command.kind == kNone && command.blue == 80) return command.x;  // the strip's dark blue rectangle
    }
    return kNone;
  }
  GameHarness game;
  c_MyApp& app = game.app();
};

TEST_F(Badges, TheTextTableAnswersEveryNumber) {
  EXPECT_EQ(Narrow(app.p_BadgeName(0)), "Test Badge");
  EXPECT_EQ(Narrow(app.p_BadgeDetail(0)), "This is a Test Badge which has no purpose.");
  EXPECT_EQ(Narrow(app.p_BadgeName(7)), "Odd Badge");
  EXPECT_EQ(Narrow(app.p_BadgeDetail(5)), "This badge hasn't been defined!");
  EXPECT_EQ(Narrow(app.p_BadgeID(255)), "Odd Badge|This badge hasn't been defined!");
}

TEST_F(Badges, ABadgeIsEarnedOnceShownAndSaved) {
  int saves = game.host.saves;
  EXPECT_EQ(app.p_AwardBadge(40), 1);
  EXPECT_TRUE(app.m_badges[40]);
  EXPECT_EQ(app.m_toastBadge[0], 40);
  EXPECT_EQ(app.m_toastTime[0], 1);
  EXPECT_EQ(game.host.saves, saves + 1);
  EXPECT_EQ(app.p_AwardBadge(40), 0) << "earned already";
  EXPECT_EQ(app.p_AwardBadge(256), 0) << "no such badge";
  EXPECT_EQ(app.p_AwardBadge(7), 1);
  EXPECT_EQ(app.m_toastBadge[1], 7) << "the next free slot";
  GameHarness restarted(640, 480, game.host.savedState);
  EXPECT_TRUE(restarted.app().m_badges[40] && restarted.app().m_badges[7]);
  EXPECT_EQ(restarted.app().m_toastTime[0], 0) << "no notification at start";
}

TEST_F(Badges, TheNotificationSlidesInOverTenUpdatesAndOutAfter230) {
  app.p_AwardBadge(40);
  for (int update = 1; update <= 10; ++update) {
    EXPECT_EQ(StripX(), std::min(16 * (update + 1) - 160, 0)) << update;  // 16 virtual pixels an update
  }
  std::vector<DrawCommand> pictures = game.ImageCommands(80);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].frame, 40);
  EXPECT_EQ(pictures[0].sizeX, 0.5f);
  while (app.m_toastTime[0] < 230) StripX();
  EXPECT_EQ(StripX(), -16) << "leaving from age 231";
  for (int age = 232; age <= 241; ++age) StripX();
  EXPECT_EQ(app.m_toastTime[0], 0) << "free after 240 updates";
  EXPECT_EQ(StripX(), kNone);
}

}  // namespace
