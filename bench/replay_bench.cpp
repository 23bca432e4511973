// Replay figures, on the fakes (the game, the framework and the host as the program runs them; GL, AL and the
// window layer recorded): a minute of play (a round with fire held and the cursor circling) run once plainly and
// once recorded, alternately, three times each:
//   - the recording's cost per update: thread CPU time of an update with its render, recorded beside plain;
//   - the file's size per minute of play, for that minute and for each corpus session;
//   - the replay speed without pacing: that minute replayed on the fakes, and, with a display ($DISPLAY), by
//     the real program with --replay --fast;
//   - the number of corpus sessions.
// Prints figures; asserts nothing about time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "program/replay_session.h"
#include "tests/fakes/fake_glfw2.h"
#include "tests/replay/replay_fixture.h"
#include "tests/support/build_paths.h"
#include "tests/support/subprocess.h"

using namespace glfw2;

namespace {

constexpr int kMinute = 3600;  // updates

double thread_seconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// The key held in frame `frame` of the minute: the round starts, then the cursor circles with fire held.
void script_input(int frame) {
  static const int arrows[4] = {GLFW_KEY_LEFT, GLFW_KEY_UP, GLFW_KEY_RIGHT, GLFW_KEY_DOWN};
  if (frame == 60 || frame == 62) fake_glfw::press_key(frame == 60 ? GLFW_KEY_RIGHT : GLFW_KEY_ENTER);
  if (frame == 61 || frame == 63) fake_glfw::release_key(frame == 61 ? GLFW_KEY_RIGHT : GLFW_KEY_ENTER);
  if (frame == 80) fake_glfw::press_key('Z');
  if (frame >= 80 && frame % 40 == 0) {
    fake_glfw::release_key(arrows[(frame / 40 + 3) % 4]);
    fake_glfw::press_key(arrows[(frame / 40) % 4]);
  }
}

// CPU seconds per update (with its render) over the minute.
double play_minute(KoGlfwGame& host) {
  host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  host.StartGame();
  double spent = 0;
  for (int frame = 0; frame < kMinute; ++frame) {
    script_input(frame);
    const double start = thread_seconds();
    host.RenderGame();
    fake_glfw::state.now += 1.0 / 60;
    host.UpdateGame();
    spent += thread_seconds() - start;
  }
  for (bool& down : fake_glfw::state.keyDown) down = false;
  return spent / kMinute;
}

double plain_minute() {
  MemoryStateHost host;
  StartProgramOnFakes();
  return play_minute(host);
}

double recorded_minute(const std::string& path) {
  ReplayRecorder recorder(std::fopen(path.c_str(), "wb"), ReplayLogicRevision(), GameHooks());
  KoRecordingGame<MemoryStateHost> host(recorder);
  StartProgramOnFakes();
  const double perUpdate = play_minute(host);
  recorder.Finish();
  return perUpdate;
}

void corpus_figures() {
  int sessions = 0;
  for (const auto& entry : std::filesystem::directory_iterator(build_paths::kReplayCorpusDir)) {
    if (entry.path().extension() != ".qzr") continue;
    ++sessions;
    const std::vector<unsigned char> bytes = ReadBytes(entry.path().string());
    const ReplayCheck check = CheckReplay(bytes);
    std::printf("  corpus %-16s %6zu bytes, %5u updates: %.1f KB per minute\n", entry.path().filename().c_str(),
                bytes.size(), check.updates, bytes.size() / 1000.0 / (check.updates / double(kMinute)));
  }
  std::printf("corpus sessions: %d\n", sessions);
}

void real_program_figure(const std::string& path) {
  if (!std::getenv("DISPLAY")) {
    std::printf("replay speed of the real program: no $DISPLAY, not measured\n");
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  ProcessResult result = RunProcess({"env", "ALSOFT_DRIVERS=null", build_paths::kProgram, "--replay", path, "--fast"}, "",
                                    120);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("replay speed of the real program with --fast: %.0f updates/s (%.1f s for the minute, status %d, "
              "start-up and loading included)\n", kMinute / seconds, seconds, result.status);
}

}  // namespace

int main() {
  const std::string path = "/tmp/quarzel-replay-bench.qzr";
  double plain = 1e9, recorded = 1e9;
  for (int run = 0; run < 3; ++run) {
    plain = std::min(plain, plain_minute());
    recorded = std::min(recorded, recorded_minute(path));
  }
  std::printf("update with render, CPU: plain %.1f us, recorded %.1f us: the recording costs %.2f us, %.2f%% of it\n",
              plain * 1e6, recorded * 1e6, (recorded - plain) * 1e6, (recorded - plain) / plain * 100);
  const std::vector<unsigned char> bytes = ReadBytes(path);
  std::printf("file size: %zu bytes for a minute of play (%.1f KB per minute, %.0f KB for 20 minutes)\n", bytes.size(),
              bytes.size() / 1000.0, bytes.size() * 20 / 1000.0);
  corpus_figures();

  const auto start = std::chrono::steady_clock::now();
  ReplayOutcome outcome = ReplayOnFakes(bytes);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("replay speed on the fakes without pacing: %.0f updates/s (%u updates in %.2f s, %s)\n",
              outcome.updates / seconds, outcome.updates, seconds,
              outcome.divergedAt ? "DIFFERS from the recording" : "same state as recorded");
  real_program_figure(path);
  std::remove(path.c_str());
  return 0;
}
