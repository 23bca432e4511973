// Sessions recorded on the fakes from scripted input and replayed there: each plays again to the recorded state
// whatever it went through (a round, full screen with a key held, a resize, focus lost, the program ended from
// an update); a recording whose input was changed is caught at the first hash after the change, or where the game
// ends before the recording did; a replay writes the saved state only when asked to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "game/my_app.h"
#include "tests/fakes/fake_glfw2.h"
#include "tests/net/net_test_support.h"
#include "tests/replay/replay_fixture.h"
#include "tests/support/environment.h"

using namespace glfw2;

namespace {

void start_round(SessionDriver& s) {
  s.Frames(40);  // loading, then the title slides in
  s.Tap(GLFW_KEY_RIGHT);  // the dial
  s.Tap(GLFW_KEY_ENTER);  // Normal
  s.Frames(10);
}

void play_a_little(SessionDriver& s) {
  s.Hold('Z', 30);
  s.Hold(GLFW_KEY_LEFT, 20);
  s.Hold(GLFW_KEY_UP, 15);
  s.Frames(30);
}

struct Script {
  const char* label;
  std::function<void(SessionDriver&)> run;
};

const Script kScripts[] = {
    {"a round from the title to its end, back on the title",
     [](SessionDriver& s) {
       start_round(s);
       play_a_little(s);
       s.Tap(GLFW_KEY_ESC);  // the pause menu
       s.Frames(20);
       s.Tap(GLFW_KEY_UP);  // the end-round button
       s.Tap(GLFW_KEY_ENTER);
       s.Frames(120);
     }},
    {"full screen and back with a key held across the change",
     [](SessionDriver& s) {
       start_round(s);
       fake_glfw::press_key(GLFW_KEY_RIGHT);
       s.Frames(5);
       s.Tap(GLFW_KEY_F1 + 10);  // F11, while Right is held
       s.Frames(20);
       fake_glfw::release_key(GLFW_KEY_RIGHT);
       s.Tap(GLFW_KEY_F1 + 10);
       s.Frames(20);
     }},
    {"the window resized during play",
     [](SessionDriver& s) {
       start_round(s);
       fake_glfw::state.width = 900;
       fake_glfw::state.height = 500;
       s.Frames(40);
       play_a_little(s);
     }},
    {"focus lost and regained in a round",
     [](SessionDriver& s) {
       start_round(s);
       KoGame::_game->SuspendGame();
       KoGame::_game->RenderGame();
       KoGame::_game->ResumeGame();
       play_a_little(s);
     }},
    {"F4 ends the program from an update",
     [](SessionDriver& s) {
       start_round(s);
       play_a_little(s);
       s.Tap(GLFW_KEY_F1 + 3);
     }},
};

TEST(ReplaySession, EachScriptPlaysAgainToTheRecordedState) {
  for (const Script& script : kScripts) {
    RecordedSession recorded = RecordOnFakes(script.run);
    ASSERT_EQ(CheckReplay(recorded.bytes).status, ReplayStatus::Ok) << script.label;
    ReplayOutcome replayed = ReplayOnFakes(recorded.bytes);
    EXPECT_EQ(replayed.updates, recorded.updates) << script.label;
    EXPECT_EQ(replayed.hash, recorded.hash) << script.label;
    EXPECT_EQ(replayed.divergedAt, 0u) << script.label;
    EXPECT_EQ(replayed.agreedAt, recorded.updates) << script.label << ": the end was checked";
  }
}

// The same file with one key of the round turned into another: the Left held during play becomes `key`.
std::vector<unsigned char> with_left_turned_into(int key, const std::vector<unsigned char>& bytes,
                                                 std::uint32_t& atUpdate) {
  ReplayCursor cursor(bytes.data(), bytes.size());
  ReplayHeader header;
  cursor.ReadHeader(header);
  std::string out;
  WriteReplayHeader(header, out);
  ReplayCodingState state;
  ReplayRecord record;
  std::uint32_t updates = 0;
  atUpdate = 0;
  while (cursor.Next(record) == ReplayStatus::Ok) {
    if (record.type == RecordType::Update) ++updates;
    if (record.type == RecordType::Input && record.entry == InputEntry::Key && record.data == 37 && !atUpdate) {
      record.data = key;
      atUpdate = updates + 1;
    }
    WriteReplayRecord(record, state, out);
  }
  return std::vector<unsigned char>(out.begin(), out.end());
}

TEST(ReplaySession, AChangedInputIsCaughtAtTheFirstHashAfterIt) {
  RecordedSession recorded = RecordOnFakes(kScripts[0].run);
  std::uint32_t changedAt = 0;
  ReplayOutcome replayed = ReplayOnFakes(with_left_turned_into(39, recorded.bytes, changedAt));
  ASSERT_GT(changedAt, 0u);
  const std::uint32_t firstCheckAfter = (changedAt + kReplayHashEvery - 1) / kReplayHashEvery * kReplayHashEvery;
  EXPECT_EQ(replayed.divergedAt, firstCheckAfter);
  EXPECT_EQ(replayed.agreedAt, firstCheckAfter - kReplayHashEvery);
  EXPECT_NE(replayed.hash, recorded.hash);
}

TEST(ReplaySession, AGameThatEndsBeforeTheRecordingDidDiffers) {
  RecordedSession recorded = RecordOnFakes(kScripts[0].run);
  std::uint32_t changedAt = 0;
  ReplayOutcome replayed = ReplayOnFakes(with_left_turned_into(115, recorded.bytes, changedAt));  // F4: the end
  ASSERT_TRUE(replayed.endedByGame);
  EXPECT_EQ(replayed.updates, changedAt);
  EXPECT_TRUE(replayed.endedEarly);
  EXPECT_EQ(replayed.recordedUpdates, recorded.updates);
}

c_MyApp& app() { return *static_cast<c_MyApp*>(ko_app__app.get()); }

// A game recorded on a touch screen shows its on-screen joypad; its replay, on a desktop, shows it too.
TEST(ReplaySession, TheRecordingsTouchScreenIsTheReplays) {
  RecordedSession recorded = RecordOnFakes([](SessionDriver& s) { s.Frames(70); }, String(), 640, 480, true);
  ASSERT_EQ(ko_Quarzel_OnScreenControls, 1);
  ReplayOutcome replayed = ReplayOnFakes(recorded.bytes);
  EXPECT_EQ(ko_Quarzel_OnScreenControls, 1);
  EXPECT_EQ(replayed.divergedAt, 0u);
}

// The ping's answer comes in whichever update the network brings it. The recording stops in that update, so its
// final state holds the answer: the replay, with the address still set, sends no request and has the answer by
// the same update.
TEST(ReplaySession, ThePingIsAnsweredFromTheFileInTheUpdateItCameIn) {
  LoopbackServer server({Send("HTTP/1.0 200 OK\r\n\r\nhello")});
  SetEnvironment("QUARZEL_PING_URL", server.Url("/housecall.php"));
  RecordedSession recorded = RecordOnFakes([](SessionDriver& s) {
    for (int i = 0; i < 10000 && app().m_pingDone == 0; ++i) {
      s.Frames();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  ASSERT_EQ(app().m_pingReply, String("hello"));
  ReplayOutcome replayed = ReplayOnFakes(recorded.bytes);
  RemoveEnvironment("QUARZEL_PING_URL");
  EXPECT_EQ(app().m_pingRequest.get(), nullptr) << "the replay sent the ping again";
  EXPECT_EQ(replayed.divergedAt, 0u);
  EXPECT_EQ(replayed.agreedAt, recorded.updates) << "the answer did not land in the recorded update";
}

TEST(ReplaySession, AReplayWritesTheSavedStateOnlyWhenAsked) {
  auto suspend_twice = [](SessionDriver& s) {
    s.Frames(40);
    for (int i = 0; i < 2; ++i) {
      KoGame::_game->SuspendGame();  // the game saves when it loses focus
      KoGame::_game->ResumeGame();
      s.Frames(5);
    }
  };
  RecordedSession recorded = RecordOnFakes(suspend_twice, String("1|2|3|"));
  EXPECT_EQ(ReplayOnFakes(recorded.bytes).saves, 0);
  EXPECT_EQ(ReplayOnFakes(recorded.bytes, true).saves, 2);
}

}  // namespace
