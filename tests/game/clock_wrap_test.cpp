// The game's rate figures across the wrap of the millisecond clock (about 24.8 days after start).
#include <gtest/gtest.h>

#include "tests/game/game_harness.h"

namespace {

// Puts the clock half a millisecond past `millis` (taken modulo 2^32), so truncation gives exactly that count.
void set_clock(long long millis) { fake_glfw::state.now = (static_cast<double>(millis) + 0.5) / 1000; }

TEST(ClockWrap, UpdateAndRenderRatesStayRightAcrossTheWrap) {
  GameHarness game;
  c_MyApp& app = game.app();
  const long long wrap = 2147483648LL;  // the first count that no longer fits an int
  long long millis = wrap - 70;
  set_clock(millis);
  game.host.UpdateGame();
  game.host.RenderGame();
  // Alternating intervals, so that a figure left standing at one step shows as wrong at the next.
  for (int interval : {20, 25, 20, 25, 20, 25}) {  // milliseconds; the fourth crosses the wrap
    millis += interval;
    set_clock(millis);
    game.host.UpdateGame();
    game.host.RenderGame();
    EXPECT_EQ(app.m_updateFps, 1000 / interval) << "at " << millis - wrap << " ms from the wrap";
    EXPECT_EQ(app.m_renderFps, 1000 / interval) << "at " << millis - wrap << " ms from the wrap";
  }
}

}  // namespace
