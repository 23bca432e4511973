// The program's replay session (see replay_session.h). Its end runs from the runtime's exit path, which every end
// of the program but a crash takes: the game's own (F4, the quit items, a fatal error) as well as the replay's.
#include "program/replay_session.h"

#include <sys/stat.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "host/glfw2/glfw2.h"
#include "host/replay/recording_host.h"
#include "host/replay/replaying_host.h"
#include "logic_revision.h"
#include "runtime/errors.h"

using namespace glfw2;

namespace {

constexpr double kLongestWait = 0.5;  // seconds: a longer gap in the recording (the window was away) is cut

// The replaying program's loop: each update waits for its recorded time unless fast, each render is shown, and
// the window's own events are read only for F4 and the close button.
class ReplayProgram : public KoReplayingGame<KoTarsilGame> {
 public:
  ReplayProgram(ReplayPlayer& player, bool writeSaves, bool fast)
      : KoReplayingGame<KoTarsilGame>(player, writeSaves), fast_(fast) {}

  void Run() override {
    SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    if (fast_) SetSwapInterval(0);
    while (glfwGetWindowParam(GLFW_OPENED)) {
      const ReplayRecord* record = Next();
      if (!record) break;
      const RecordType type = record->type;
      if (type == RecordType::Update && !fast_) Pace();
      Deliver(*record);
      if (type == RecordType::Render) glfwSwapBuffers();
      if (type == RecordType::Render || type == RecordType::Update) glfwPollEvents();
    }
  }

 private:
  void Pace();
  bool fast_;
  bool paced_ = false;
  double wallStart_ = 0;  // seconds on the glfwGetTime clock
  std::uint32_t clockStart_ = 0;  // milliseconds on the recorded clock
};

struct Session {
  ReplaySetup setup;
  std::unique_ptr<ReplayRecorder> recorder;
  std::unique_ptr<ReplayPlayer> player;
  ReplayCheck check;
  bool finished = false;
  void (*previousExit)(int status) = nullptr;
};

Session* session = nullptr;

void ReplayProgram::Pace() {
  const auto clock = static_cast<std::uint32_t>(session->player->RecordClock());
  if (!paced_) {
    paced_ = true;
    wallStart_ = glfwGetTime();
    clockStart_ = clock;
  }
  double delay = wallStart_ + (clock - clockStart_) / 1000.0 - glfwGetTime();
  if (delay > kLongestWait) {
    wallStart_ -= delay - kLongestWait;
    delay = kLongestWait;
  }
  if (delay > 0) glfwSleep(delay);
}

void end_through_session(int status) { session->previousExit(FinishReplaySession(status)); }

bool fail(const std::string& file, const std::string& problem) {
  std::fprintf(stderr, "quarzel: %s: %s\n", file.c_str(), problem.c_str());
  return false;
}

bool open_replay(Session& s) {
  std::ifstream in(s.setup.replayFile, std::ios::binary);
  if (!in) return fail(s.setup.replayFile, std::strerror(errno));
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return fail(s.setup.replayFile, std::strerror(errno));
  s.check = CheckReplay(bytes);
  if (s.check.status != ReplayStatus::Ok) return fail(s.setup.replayFile, ReplayProblem(s.check.status, s.check.offset));
  s.player = std::make_unique<ReplayPlayer>(std::move(bytes), s.setup.hooks);
  return true;
}

// A recording may replace an earlier recording (even one cut short), an empty file or anything that is not a
// plain file (/dev/null, a pipe), but never a file of other data: a slip of the command line must not cost
// the player their saved scores.
bool may_record_into(const std::string& file) {
  struct stat info{};
  if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) return true;
  std::ifstream in(file, std::ios::binary);
  unsigned char start[kReplayHeaderBytes] = {};
  in.read(reinterpret_cast<char*>(start), sizeof start);
  ReplayHeader header;
  return ReplayCursor(start, static_cast<std::size_t>(in.gcount())).ReadHeader(header) != ReplayStatus::NotReplay;
}

void say(const std::string& line) { koPrint(String(line.c_str())); }

// `value` in `digits` hexadecimal digits, leading zeros kept.
std::string hex(std::uint64_t value, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*" PRIx64, digits, value);
  return text;
}

}  // namespace

std::uint32_t ReplayLogicRevision() { return QUARZEL_LOGIC_REVISION; }

bool PrepareReplaySession(const ReplaySetup& setup) {
  if (setup.recordFile.empty() && setup.replayFile.empty()) return true;
  auto s = std::make_unique<Session>();
  s->setup = setup;
  if (!setup.replayFile.empty() && !open_replay(*s)) return false;
  if (!setup.recordFile.empty()) {
    if (!may_record_into(setup.recordFile)) return fail(setup.recordFile, "not a replay file; it stays as it is");
    std::FILE* file = std::fopen(setup.recordFile.c_str(), "wb");
    if (!file) return fail(setup.recordFile, std::strerror(errno));
    s->recorder = std::make_unique<ReplayRecorder>(file, ReplayLogicRevision(), setup.hooks, setup.recordFile);
  }
  session = s.release();
  session->previousExit = koExitFunction;
  koExitFunction = end_through_session;
  return true;
}

KoGlfwGame& ReplaySessionGame() {
  if (session && session->recorder) {
    static KoRecordingGame<KoTarsilGame> recording(*session->recorder);
    return recording;
  }
  if (session && session->player) {
    static ReplayProgram replaying(*session->player, session->setup.replaySaves, session->setup.fast);
    if (session->check.revision != ReplayLogicRevision()) {
      say("replay: recorded by a build whose game logic differs (revision " + hex(session->check.revision, 8) +
          ", this build " + hex(ReplayLogicRevision(), 8) + "): it may play differently");
    }
    if (!session->check.ended) say("replay: the recording has no end: its session stopped abruptly");
    return replaying;
  }
  static KoTarsilGame plain;
  return plain;
}

int FinishReplaySession(int status) {
  if (!session || session->finished) return status;
  session->finished = true;
  std::uint64_t hash = 0;
  std::uint32_t updates = 0;
  std::string incomplete;
  if (session->recorder) {
    hash = session->recorder->Finish();
    updates = session->recorder->updates();
    if (!session->recorder->failure().empty()) {
      incomplete = ", the file is incomplete";
      if (status == 0) status = 1;
    }
  } else {
    hash = session->player->Finish();
    updates = session->player->updates();
    if (std::uint32_t at = session->player->divergedAt()) {
      say("replay: differs from the recording by update " + std::to_string(at) + " (the last check that agreed was at update " +
          std::to_string(session->player->agreedAt()) + ")");
      if (status == 0) status = 1;
    }
    if (session->player->endedEarly()) {
      say("replay: differs from the recording: the game ended in update " + std::to_string(updates) +
          ", the recording goes on to update " + std::to_string(session->player->recordedUpdates()));
      if (status == 0) status = 1;
    }
  }
  say("replay: " + std::to_string(updates) + " updates, state " + hex(hash, 16) + incomplete);
  return status;
}
