// The real program records a short session under Xvfb (a round started, played and ended, then F4) and replays
// it as fast as it can: the replay ends with the same line, "replay: N updates, state HASH", and, without
// --replay-saves, leaves the scores of the folder it runs in alone. Replayed in real time, it ignores the
// player's keys but F4, which ends it early: an Escape it obeyed would end the game or pause it, which the end or
// the next hash check would report as a difference.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/x11_session.h"

namespace {

// The last line, "replay: N updates, state HASH", of the program's output.
std::string replay_line(const std::string& out) {
  static const std::regex line("replay: [0-9]+ updates, state [0-9a-f]{16}");
  std::string last;
  for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) last = it->str();
  return last;
}

TEST(ReplayE2e, ARecordedSessionReplaysFastToTheSameState) {
  X11Session x11;
  ASSERT_TRUE(x11.ok());
  GameInFolder game("replay");
  const std::string file = game.folder() + "/session.qzr";
  game.Start({"ALSOFT_DRIVERS=null"}, {"--record", file});
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(x11.WaitForFocus(window.id));
  PauseFor(1500);      // loading, then the title
  PressKey("Right");   // the dial
  PressKey("Return");  // a round on Normal
  Xdotool({"keydown", "z"});
  PressKey("Left");
  PressKey("Up");
  Xdotool({"keyup", "z"});
  PressKey("Escape");  // the pause menu: end the round
  PressKey("Up");
  PressKey("Return");
  PauseFor(2000);
  Xdotool({"key", "F4"});
  ProcessResult recorded = game.process().Wait(10);
  ASSERT_EQ(recorded.status, 0) << recorded.out;
  const std::string line = replay_line(recorded.out);
  ASSERT_FALSE(line.empty()) << recorded.out;

  std::filesystem::remove(game.StatePath());  // the recording's round saved the scores
  game.Start({"ALSOFT_DRIVERS=null"}, {"--replay", file, "--fast"});
  ProcessResult replayed = game.process().Wait(30);
  EXPECT_EQ(replayed.status, 0) << replayed.out;
  EXPECT_EQ(replay_line(replayed.out), line) << replayed.out;
  EXPECT_FALSE(std::filesystem::exists(game.StatePath())) << "a replay writes no saved state";

  // In real time, the player's keys do nothing but F4, which ends the replay where it has got to.
  game.Start({"ALSOFT_DRIVERS=null"}, {"--replay", file});
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(x11.WaitForFocus(window.id));
  PauseFor(1000);
  PressKey("Escape");  // the title's own end of the game, or in a round its pause menu
  PauseFor(1200);      // past the next hash check
  Xdotool({"key", "F4"});
  ProcessResult stopped = game.process().Wait(10);
  EXPECT_EQ(stopped.status, 0) << stopped.out;
  EXPECT_EQ(stopped.out.find("differs"), std::string::npos) << "the replay obeyed the Escape\n" << stopped.out;
  const std::string stoppedLine = replay_line(stopped.out);
  ASSERT_FALSE(stoppedLine.empty()) << stopped.out;
  EXPECT_LT(std::stoi(stoppedLine.substr(8)), std::stoi(line.substr(8))) << stoppedLine << " / " << line;
}

}  // namespace

// A recording whose file cannot take a byte (a full device) says so once, the game plays on to its end, and the
// session ends with its line marked incomplete and status 1.
TEST(ReplayE2e, ARecordingThatCannotBeWrittenIsReportedAtItsEnd) {
  X11Session x11;
  ASSERT_TRUE(x11.ok());
  GameInFolder game("replay-full");
  game.Start({"ALSOFT_DRIVERS=null"}, {"--record", "/dev/full"});
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(x11.WaitForFocus(window.id));
  PauseFor(1500);
  Xdotool({"key", "F4"});
  ProcessResult recorded = game.process().Wait(10);
  EXPECT_EQ(recorded.status, 1) << recorded.out;
  const std::string stopped = "quarzel: /dev/full: the recording stopped: No space left on device\n";
  const std::size_t said = recorded.err.find(stopped);
  EXPECT_NE(said, std::string::npos) << recorded.err;
  EXPECT_EQ(recorded.err.find(stopped, said + 1), std::string::npos) << "said once: " << recorded.err;
  EXPECT_NE(recorded.out.find(replay_line(recorded.out) + ", the file is incomplete\n"), std::string::npos)
      << recorded.out;
}
