// The real game on the fakes (fake window layer, fake OpenGL, silent OpenAL, the build's data folder), with a
// replay session in front of its host: sessions recorded from scripted input, and replay files run to their end.
// The program's end (F4, a quit item) comes back to the test as ProgramEnded instead of ending the process.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/replay/recording_host.h"
#include "host/replay/replaying_host.h"
#include "tests/game/build_data_host.h"

// The hooks the program gives a session: the game's state hash and the random seed.
ReplayGameHooks GameHooks();

// Fresh fakes, the program's globals initialised and the game object made, as Main does before its loop; the
// program's end then throws ProgramEnded. The host object must exist already.
void StartProgramOnFakes();
struct ProgramEnded {
  int status;
};

// A scripted session's host: keeps the saved state in memory, as the test harness does.
class MemoryStateHost : public BuildDataHost {
 public:
  int SaveState(String state) override;
  String LoadState() override { return savedState; }
  bool HasTouchScreen() override { return touchScreen; }
  String savedState;
  int saves = 0;
  bool touchScreen = false;
};

// What driving a session needs: the clock, the window's events and frames as the host's loop runs them.
class SessionDriver {
 public:
  explicit SessionDriver(KoGlfwGame& host) : host_(host) {}
  void Frames(int count = 1);  // render, then one update 1/60 s later
  void Tap(int glfwKey);       // down, one frame, up, one frame
  void Hold(int glfwKey, int frames);

 private:
  KoGlfwGame& host_;
};

struct RecordedSession {
  std::vector<unsigned char> bytes;
  std::uint64_t hash = 0;  // the recorder's final hash
  std::uint32_t updates = 0;
};

// Starts the game on the fakes with a recorder in front, at `width` x `height` with `savedState` (on a touch screen
// if asked), runs `script` (until it returns or the game ends the program) and returns the file.
RecordedSession RecordOnFakes(const std::function<void(SessionDriver&)>& script, const String& savedState = String(),
                              int width = 640, int height = 480, bool touchScreen = false);

struct ReplayOutcome {
  bool endedByGame = false;  // the game ended the program inside a record, as the recording did
  std::uint32_t updates = 0;
  std::uint64_t hash = 0;
  std::uint32_t divergedAt = 0, agreedAt = 0;
  bool endedEarly = false;  // the game ended before the recording's end, which went on to recordedUpdates
  std::uint32_t recordedUpdates = 0;
  int saves = 0;  // saved-state writes that reached the host
};

// Runs the file (which CheckReplay must find sound) to its end on the fakes.
ReplayOutcome ReplayOnFakes(const std::vector<unsigned char>& bytes, bool writeSaves = false);

std::vector<unsigned char> ReadBytes(const std::string& path);

// The corpus's sessions in `folder` (its .qzr files), in name order.
std::vector<std::filesystem::path> CorpusFiles(const std::string& folder);

// One session's line of the corpus's output, "NAME: N updates, state HASH": the same on every build that plays
// the session the same.
std::string CorpusLine(const std::string& name, const ReplayOutcome& outcome);
