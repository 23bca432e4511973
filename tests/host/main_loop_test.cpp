// The frame loop on a scripted clock: pacing, catch-up and dropped backlog, suspension, the entry guards.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/host/host_test_support.h"
#include "tests/support/exit_status.h"

using fake_glfw::state;

namespace {

class MainLoop : public ::testing::Test, public HostFixture {
 protected:
  // Runs the loop for `passes` event pumps, recording the number of updates after each pump.
  std::vector<int> runPasses(int passes) {
    std::vector<int> updatesPerPass;
    int pump = 0;
    state.onEvents = [&] {
      if (pump > 0) updatesPerPass.push_back(countSinceMark());
      mark = delegateLog.size();
      if (++pump > passes) glfw2::glfwCloseWindow();
      if (scripted) scripted(pump);
    };
    game.Run();
    return updatesPerPass;
  }
  int countSinceMark() {
    return static_cast<int>(std::count(delegateLog.begin() + static_cast<long>(mark), delegateLog.end(), "update"));
  }
  size_t mark = 0;
  std::function<void(int pump)> scripted;
};

TEST_F(MainLoop, ASlowRenderRunsFourUpdatesThenDropsTheBacklog) {
  game.SetUpdateRate(60);
  delegate->onRender = [] { state.now += 0.1; };
  // The first pass schedules from the current time; then 100 ms of backlog is 6 updates: 4 run, 2 are dropped,
  // and the next pass schedules afresh.
  EXPECT_EQ(runPasses(4), (std::vector<int>{1, 4, 1, 4}));
  EXPECT_TRUE(fake_glfw::calls_starting("glfwSleep").empty());
}

TEST_F(MainLoop, ChangingTheRateInsideAnUpdateEndsTheCatchUp) {
  game.SetUpdateRate(60);
  delegate->onRender = [] { state.now += 0.1; };
  int updates = 0;
  delegate->onUpdate = [&] {
    if (++updates == 2) game.SetUpdateRate(60);
  };
  EXPECT_EQ(runPasses(4), (std::vector<int>{1, 1, 1, 4}));
}

TEST_F(MainLoop, RateZeroRunsOneUpdatePerFrameWithoutSleeping) {
  game.SetUpdateRate(60);
  game.SetUpdateRate(0);
  delegate->onRender = [] { state.now += 0.1; };
  EXPECT_EQ(runPasses(3), (std::vector<int>{1, 1, 1}));
  EXPECT_TRUE(fake_glfw::calls_starting("glfwSleep").empty());
}

TEST_F(MainLoop, AFastRenderSleepsUntilTheNextUpdateIsDue) {
  game.SetUpdateRate(50);
  state.now = 10;
  EXPECT_EQ(runPasses(5), (std::vector<int>{1, 1, 1, 1, 1}));
  EXPECT_EQ(fake_glfw::calls_starting("glfwSleep").size(), 5u);
  EXPECT_NEAR(state.now, 10.1, 1e-9) << "five sleeps of one 50 Hz period";
}

TEST_F(MainLoop, LosingFocusSuspendsAndRegainingItResumesWithAnUpdateDueAtOnce) {
  game.SetUpdateRate(60);
  scripted = [](int pump) {
    if (pump == 2) state.active = false;
    if (pump == 5) state.active = true;
  };
  runPasses(6);
  std::vector<std::string> expected = {"start",  "render", "update", "render",  "suspend", "render", "render",
                                       "render", "resume", "update", "render", "update"};
  expected.resize(std::min(expected.size(), delegateLog.size()));
  std::vector<std::string> seen(delegateLog.begin(), delegateLog.begin() + static_cast<long>(expected.size()));
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(fake_glfw::calls_starting("glfwWaitEvents").size(), 3u) << "the loop blocks while suspended";
}

TEST_F(MainLoop, TheCloseButtonSendsKey432AndTheWindowStaysOpen) {
  game.SetUpdateRate(60);
  scripted = [](int pump) {
    if (pump == 1) fake_glfw::request_close();
  };
  runPasses(2);
  EXPECT_EQ(HostFixture::logOf({"key 1 432", "key 2 432"}), (std::vector<std::string>{"key 1 432", "key 2 432"}));
  EXPECT_EQ(fake_glfw::calls_starting("glfwCloseWindow").size(), 2u) << "one before opening, one by the test";
}

TEST_F(MainLoop, EntryPointsRunOnlyUnderTheirGuards) {
  game.KeyEvent(c_KoGameEvent::KeyDown, 65);
  game.RenderGame();
  EXPECT_TRUE(delegateLog.empty()) << "nothing reaches the delegate before the start";
  game.StartGame();
  game.StartGame();
  game.SuspendGame();
  game.SuspendGame();
  game.UpdateGame();
  game.RenderGame();
  game.KeyEvent(c_KoGameEvent::KeyDown, 65);
  game.ResumeGame();
  game.ResumeGame();
  game.UpdateGame();
  EXPECT_EQ(delegateLog, (std::vector<std::string>{"start", "suspend", "render", "key 1 65", "resume", "update"}));
  EXPECT_TRUE(game.Started());
}

TEST_F(MainLoop, MillisecsTruncatesAndWrapsAfterAbout24Days) {
  state.now = 1.9999;
  EXPECT_EQ(game.Millisecs(), 1999);
  state.now = 2147483.6475;  // half a millisecond past 2^31 - 1
  EXPECT_EQ(game.Millisecs(), 2147483647);
  state.now += 0.001;
  EXPECT_EQ(game.Millisecs(), -2147483647 - 1);
  state.now = 4294969.2955;  // 2^32 ms, once round the whole int range, and 1999.5 ms on
  EXPECT_EQ(game.Millisecs(), 1999);
}

bool localProbeDestroyed = false;
struct LocalProbe : Object {
  ~LocalProbe() override { localProbeDestroyed = true; }
};

// Re-opening the window from inside an update (F11) releases the held keys through KeyEvent, and key events
// can arrive from any call that pumps events: entries nest. The update still holds objects in locals there,
// so the nested entries must not collect; the outermost one does.
TEST_F(MainLoop, OnlyTheOutermostEntryCollects) {
  game.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  game.StartGame();
  gc_set_checking(true);
  localProbeDestroyed = false;
  LocalProbe* probe = nullptr;
  delegate->onUpdate = [&] {
    probe = new LocalProbe;  // held only here
    gc_ext_malloced(gc_full_collection_bytes + 1);  // a collection point now would collect in full
    fake_glfw::press_key(glfw2::GLFW_KEY_RIGHT);    // nested KeyEvent from the window system
    gc_ext_malloced(gc_full_collection_bytes + 1);
    game.SetDeviceWindow(800, 600, 1);  // nested KeyEvent releasing the held key
    gc_flush_free(1 << 30);             // destroys whatever a collection may have found unreachable
    EXPECT_FALSE(localProbeDestroyed);
    EXPECT_TRUE(gc_is_object(probe));
  };
  game.UpdateGame();
  gc_set_checking(false);
  EXPECT_EQ(logOf({"key 1 39", "key 2 39"}), (std::vector<std::string>{"key 1 39", "key 2 39"}));
  gc_flush_free(1 << 30);
  EXPECT_TRUE(localProbeDestroyed) << "the outermost entry's collection found the probe unreachable";
}

TEST_F(MainLoop, AnExceptionEscapingTheGameIsFatal) {
  delegate->onUpdate = [] { throw new ThrowableObject; };
  game.StartGame();
  EXPECT_EXIT(game.UpdateGame(), ExitedMinusOne(), "");
}

TEST_F(MainLoop, AWindowThatCannotOpenEndsTheProgram) {
  state.openFails = true;
  EXPECT_EXIT(game.Run(), ExitedMinusOne(), "");
}

}  // namespace
