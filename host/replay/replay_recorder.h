// ReplayRecorder: writes a session to a replay file as it goes (format: replay_format.h).
//
// The host tells it where each of its calls into the game begins and ends (Enter, Leave: calls nest when the game
// calls back into the host) and passes every reading from outside through Note. Only outermost calls become
// records; readings made outside any call are not the game's and are not kept. A reading is kept when its value
// differs from the previous one of its kind. After every 60th update a hash record follows, and the records
// so far go to the file, flushed (also when the game is suspended), so a crash loses at most the last second:
// a write per update would cost more than the rest of the recording.
// A write that fails (a full disk, a file that cannot grow) stops the recording for good: the recorder says so
// once on standard error, naming the file and the system's reason, writes nothing more, and failure() tells the
// session, so the game plays on and the session's end can report the file as incomplete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/replay/replay_format.h"

// What the recorder and the player ask of the program about the game: its state hash and its random seed.
struct ReplayGameHooks {
  std::uint64_t (*stateHash)() = nullptr;
  std::uint32_t (*seed)() = nullptr;
  void (*setSeed)(std::uint32_t seed) = nullptr;
};

class ReplayRecorder {
 public:
  // Takes the file (open for writing, named `fileName` in messages) and writes the header into it.
  ReplayRecorder(std::FILE* file, std::uint32_t revision, ReplayGameHooks hooks, std::string fileName = {});
  ~ReplayRecorder();
  ReplayRecorder(const ReplayRecorder&) = delete;
  ReplayRecorder& operator=(const ReplayRecorder&) = delete;

  void Enter(const ReplayRecord& record);  // the type and, for input and start, its fields; no readings
  void Leave();

  void NoteNumber(ReadingKind kind, std::int32_t value);
  void NoteJoystick(int port, const JoystickReading& value);
  void NoteList(ReadingKind kind, const std::vector<std::int32_t>& value);

  // Writes the call in progress as far as it got, then the End record with the final hash; flushes and closes
  // the file. Returns the hash.
  std::uint64_t Finish();
  std::uint32_t updates() const { return updates_; }  // begun so far
  const std::string& failure() const { return failure_; }  // why the recording stopped; empty while it goes on

 private:
  ReplayReading& Add(ReadingKind kind);
  void Flush();
  void Stop(int error);

  std::FILE* file_;
  std::string fileName_;
  std::string failure_;
  ReplayGameHooks hooks_;
  ReplayCodingState coding_;
  std::string pending_;  // whole records not yet in the file
  ReplayRecord record_;  // the outermost call in progress
  int depth_ = 0;
  std::uint32_t updates_ = 0;
  std::uint32_t ordinals_[kReadingKinds] = {};  // readings of each kind in the record so far
  std::int32_t numbers_[kReadingKinds] = {};    // last value of each number kind
  JoystickReading joysticks_[4];
  std::vector<std::int32_t> lists_[kReadingKinds];
};
