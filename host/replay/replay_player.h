// ReplayPlayer: walks a replay file (format: replay_format.h) record by record and answers the game's readings
// from outside with the recorded values, so that a host delivering each record to the game runs the recorded
// session again.
//
// Invariants: a reading of a kind takes the value stored for its ordinal in the current record if there is one,
// else it repeats the last value of that kind stored so far (asked for or not); so the answers are the recorded
// ones exactly as long as the game asks in the order it asked when recording. Hash records are checked as they
// are passed (the first difference is kept: the update it was found at and the last update known to agree); the
// End record ends the walk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/replay/replay_format.h"
#include "host/replay/replay_recorder.h"

// What a whole file holds, checked before anything is run.
struct ReplayCheck {
  ReplayStatus status = ReplayStatus::Ok;  // Ok, or the first problem
  std::size_t offset = 0;                  // where the problem is
  std::uint32_t revision = 0;              // the recording build's game-logic revision
  std::uint32_t updates = 0;               // update records
  bool ended = false;                      // the session ended cleanly (an End record)
};
ReplayCheck CheckReplay(const std::vector<unsigned char>& bytes);

class ReplayPlayer {
 public:
  // `bytes` is a whole file that CheckReplay found sound.
  ReplayPlayer(std::vector<unsigned char> bytes, ReplayGameHooks hooks);

  // The next record to deliver (never a Hash or End record), valid until the next call; null at the end of the
  // session. A Start record has already set the random seed.
  const ReplayRecord* Next();

  std::int32_t ReadNumber(ReadingKind kind);
  JoystickReading ReadJoystick(int port);
  const std::vector<std::int32_t>& ReadList(ReadingKind kind);
  std::int32_t RecordClock() const { return recordClock_; }  // the current record's first clock reading

  // The viewer stopped the replay (a real F4, the window's close button): where it got to is no difference.
  void Stop() { finished_ = true; }
  // Checks the state against the End record when the session ends right after the last delivered record (the
  // program ended where the recording did); an end before that is the game ending early. Returns the final hash.
  std::uint64_t Finish();

  std::uint32_t updates() const { return updates_; }  // update records delivered
  std::uint32_t divergedAt() const { return divergedAt_; }  // 0: no difference found
  std::uint32_t agreedAt() const { return agreedAt_; }      // the last checked update that agreed
  bool endedEarly() const { return endedEarly_; }  // the game ended itself where the recording went on
  std::uint32_t recordedUpdates() const { return recordedUpdates_; }  // ... to this update (when it ended early)

 private:
  void Take(ReadingKind kind);
  void CatchUp();
  void Keep(const ReplayReading& reading);
  void Check(const ReplayRecord& check);

  std::vector<unsigned char> bytes_;
  ReplayCursor cursor_;
  ReplayGameHooks hooks_;
  ReplayRecord current_;
  std::int32_t recordClock_ = 0;
  std::uint32_t taken_[kReadingKinds] = {};  // readings of each kind asked in the current record
  std::size_t next_[kReadingKinds] = {};     // where to look for the next stored reading of each kind
  std::int32_t numbers_[kReadingKinds] = {};
  JoystickReading joysticks_[4];
  std::vector<std::int32_t> lists_[kReadingKinds];
  std::uint32_t updates_ = 0, divergedAt_ = 0, agreedAt_ = 0;
  std::uint32_t recordedUpdates_ = 0;
  bool finished_ = false;
  bool endedEarly_ = false;
};
