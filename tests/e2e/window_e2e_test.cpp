// The real program under Xvfb: its window, its life until a close request, its exit status.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/e2e/x11_session.h"
#include "tests/support/build_paths.h"

namespace {

class ProgramWindow : public ::testing::Test {
 protected:
  X11Session x11;
};

TEST_F(ProgramWindow, OpensCentredKeepsRunningAndEndsOnACloseRequest) {
  ASSERT_TRUE(x11.ok()) << "Xvfb did not start";
  BackgroundProcess program({build_paths::kProgram}, {"ALSOFT_DRIVERS=null"});
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window)) << program.Wait(1).out;
  EXPECT_EQ(window.width, 640);
  EXPECT_EQ(window.height, 480);
  EXPECT_EQ(window.x, (1280 - 640) / 2);
  EXPECT_EQ(window.y, (1024 - 480) / 2);

  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_TRUE(program.Running()) << "the program keeps running until it is closed";

  x11.RequestClose(window.id);
  ProcessResult result = program.Wait(10);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.status, 0);
}

}  // namespace
