// ReplayRecorder (see replay_recorder.h).
#include "host/replay/replay_recorder.h"

#include <cerrno>
#include <cstring>

ReplayRecorder::ReplayRecorder(std::FILE* file, std::uint32_t revision, ReplayGameHooks hooks, std::string fileName)
    : file_(file), fileName_(std::move(fileName)), hooks_(hooks) {
  ReplayHeader header;
  header.revision = revision;
  WriteReplayHeader(header, pending_);
  Flush();
}

ReplayRecorder::~ReplayRecorder() {
  if (file_) std::fclose(file_);
}

void ReplayRecorder::Enter(const ReplayRecord& record) {
  if (depth_++ > 0) return;
  record_ = record;
  record_.readings.clear();
  if (record_.type == RecordType::Start && hooks_.seed) record_.seed = hooks_.seed();
  if (record_.type == RecordType::Update) ++updates_;  // counted from its start: a session may end inside one
  for (std::uint32_t& count : ordinals_) count = 0;
}

void ReplayRecorder::Leave() {
  if (--depth_ > 0) return;
  WriteReplayRecord(record_, coding_, pending_);
  if (record_.type == RecordType::Suspend) Flush();  // the player may be leaving for good
  if (record_.type != RecordType::Update || updates_ % kReplayHashEvery != 0) return;
  ReplayRecord check;
  check.type = RecordType::Hash;
  check.updates = updates_;
  check.hash = hooks_.stateHash ? hooks_.stateHash() : 0;
  WriteReplayRecord(check, coding_, pending_);
  Flush();
}

ReplayReading& ReplayRecorder::Add(ReadingKind kind) {
  ReplayReading& reading = record_.readings.emplace_back();
  reading.kind = kind;
  reading.ordinal = ordinals_[static_cast<int>(kind)];
  return reading;
}

void ReplayRecorder::NoteNumber(ReadingKind kind, std::int32_t value) {
  if (depth_ == 0) return;
  const int k = static_cast<int>(kind);
  if (value != numbers_[k]) {
    Add(kind).number = value;
    numbers_[k] = value;
  }
  ++ordinals_[k];
}

void ReplayRecorder::NoteJoystick(int port, const JoystickReading& value) {
  if (depth_ == 0 || port < 0 || port > 3) return;
  const int k = static_cast<int>(ReadingKind::Joystick0) + port;
  if (!(value == joysticks_[port])) {
    Add(static_cast<ReadingKind>(k)).joystick = value;
    joysticks_[port] = value;
  }
  ++ordinals_[k];
}

void ReplayRecorder::NoteList(ReadingKind kind, const std::vector<std::int32_t>& value) {
  if (depth_ == 0) return;
  const int k = static_cast<int>(kind);
  if (value != lists_[k]) {
    Add(kind).list = value;
    lists_[k] = value;
  }
  ++ordinals_[k];
}

// The program may end inside a call (F4 and the quit items end it from an update): that call is written as far
// as it got, and a replay that runs it ends at the same point, in the same state.
std::uint64_t ReplayRecorder::Finish() {
  if (!file_) return 0;
  if (depth_ > 0) WriteReplayRecord(record_, coding_, pending_);
  depth_ = 0;
  ReplayRecord end;
  end.type = RecordType::End;
  end.updates = updates_;
  end.hash = hooks_.stateHash ? hooks_.stateHash() : 0;
  WriteReplayRecord(end, coding_, pending_);
  Flush();
  if (std::fclose(file_) != 0 && failure_.empty()) Stop(errno);
  file_ = nullptr;
  return end.hash;
}

void ReplayRecorder::Flush() {
  if (!file_ || pending_.empty()) return;
  if (failure_.empty()) {
    const bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size();
    if (!written || std::fflush(file_) != 0) Stop(errno);
  }
  pending_.clear();
}

void ReplayRecorder::Stop(int error) {
  failure_ = error != 0 ? std::strerror(error) : "the file took only part of a write";
  const std::string name = fileName_.empty() ? std::string() : fileName_ + ": ";
  std::fprintf(stderr, "quarzel: %sthe recording stopped: %s\n", name.c_str(), failure_.c_str());
}
