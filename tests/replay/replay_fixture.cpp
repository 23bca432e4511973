// Sessions on the fakes (see replay_fixture.h).
#include "tests/replay/replay_fixture.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "framework/random/random.h"
#include "game/state_hash.h"
#include "runtime/errors.h"
#include "tests/fakes/fake_gl.h"
#include "tests/fakes/fake_glfw2.h"

namespace {
[[noreturn]] void end_by_throwing(int status) { throw ProgramEnded{status}; }
}  // namespace

void StartProgramOnFakes() {
  fake_glfw::reset();
  fake_gl::reset();
  fake_glfw::state.now = 10;
  fake_glfw::state.desktop = {1920, 1080, 8, 8, 8};
  koExitFunction = end_by_throwing;
  koInit();
  koMain();
}

ReplayGameHooks GameHooks() {
  ReplayGameHooks hooks;
  hooks.stateHash = ko_Quarzel_StateHash;
  hooks.seed = [] { return static_cast<std::uint32_t>(ko_random_Seed); };
  hooks.setSeed = [](std::uint32_t seed) { ko_random_Seed = static_cast<std::int32_t>(seed); };
  return hooks;
}

int MemoryStateHost::SaveState(String state) {
  savedState = state;
  ++saves;
  return 0;
}

void SessionDriver::Frames(int count) {
  for (int i = 0; i < count; ++i) {
    host_.RenderGame();
    fake_glfw::state.now += 1.0 / 60;
    host_.UpdateGame();
  }
}

void SessionDriver::Tap(int glfwKey) {
  fake_glfw::press_key(glfwKey);
  Frames();
  fake_glfw::release_key(glfwKey);
  Frames();
}

void SessionDriver::Hold(int glfwKey, int frames) {
  fake_glfw::press_key(glfwKey);
  Frames(frames);
  fake_glfw::release_key(glfwKey);
}

RecordedSession RecordOnFakes(const std::function<void(SessionDriver&)>& script, const String& savedState, int width,
                              int height, bool touchScreen) {
  char path[] = "/tmp/quarzel-replay-XXXXXX";
  const int fd = mkstemp(path);
  RecordedSession session;
  {
    auto recorder = std::make_unique<ReplayRecorder>(fdopen(fd, "wb"), 7, GameHooks());
    KoRecordingGame<MemoryStateHost> host(*recorder);
    host.savedState = savedState;
    host.touchScreen = touchScreen;
    StartProgramOnFakes();
    host.SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, false);
    host.StartGame();
    SessionDriver driver(host);
    try {
      script(driver);
    } catch (const ProgramEnded&) {
    }
    session.hash = recorder->Finish();
    session.updates = recorder->updates();
  }
  session.bytes = ReadBytes(path);
  std::remove(path);
  return session;
}

ReplayOutcome ReplayOnFakes(const std::vector<unsigned char>& bytes, bool writeSaves) {
  ReplayPlayer player(bytes, GameHooks());
  KoReplayingGame<MemoryStateHost> host(player, writeSaves);
  StartProgramOnFakes();
  host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  ReplayOutcome outcome;
  try {
    while (host.DeliverNext()) {
    }
  } catch (const ProgramEnded&) {
    outcome.endedByGame = true;
  }
  outcome.hash = player.Finish();
  outcome.updates = player.updates();
  outcome.divergedAt = player.divergedAt();
  outcome.agreedAt = player.agreedAt();
  outcome.endedEarly = player.endedEarly();
  outcome.recordedUpdates = player.recordedUpdates();
  outcome.saves = host.saves;
  return outcome;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> CorpusFiles(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".qzr") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string CorpusLine(const std::string& name, const ReplayOutcome& outcome) {
  char line[160];
  std::snprintf(line, sizeof line, ": %" PRIu32 " updates, state %016" PRIx64, outcome.updates, outcome.hash);
  return name + line;
}
