// ReplayPlayer and CheckReplay (see replay_player.h).
#include "host/replay/replay_player.h"

#include <utility>

ReplayCheck CheckReplay(const std::vector<unsigned char>& bytes) {
  ReplayCheck check;
  ReplayCursor cursor(bytes.data(), bytes.size());
  ReplayHeader header;
  check.status = cursor.ReadHeader(header);
  check.revision = header.revision;
  ReplayRecord record;
  while (check.status == ReplayStatus::Ok) {
    check.status = cursor.Next(record);
    if (check.status != ReplayStatus::Ok) break;
    if (check.ended) {  // nothing follows the end of a session
      check.status = ReplayStatus::Damaged;
      break;
    }
    if (record.type == RecordType::Update) ++check.updates;
    if (record.type == RecordType::End) check.ended = true;
  }
  check.offset = cursor.offset();
  if (check.status == ReplayStatus::End) check.status = ReplayStatus::Ok;
  return check;
}

ReplayPlayer::ReplayPlayer(std::vector<unsigned char> bytes, ReplayGameHooks hooks)
    : bytes_(std::move(bytes)), cursor_(bytes_.data(), bytes_.size()), hooks_(hooks) {
  ReplayHeader header;
  cursor_.ReadHeader(header);
}

const ReplayRecord* ReplayPlayer::Next() {
  CatchUp();
  while (!finished_) {
    if (cursor_.Next(current_) != ReplayStatus::Ok) {
      finished_ = true;
      break;
    }
    if (current_.type == RecordType::Hash) {
      Check(current_);
      continue;
    }
    if (current_.type == RecordType::End) {
      Check(current_);
      finished_ = true;
      break;
    }
    for (std::uint32_t& count : taken_) count = 0;
    for (std::size_t& index : next_) index = 0;
    recordClock_ = numbers_[static_cast<int>(ReadingKind::Clock)];
    for (const ReplayReading& reading : current_.readings) {
      if (reading.kind != ReadingKind::Clock || reading.ordinal != 0) continue;
      recordClock_ = reading.number;
      break;
    }
    if (current_.type == RecordType::Update) ++updates_;
    if (current_.type == RecordType::Start && hooks_.setSeed) hooks_.setSeed(current_.seed);
    return &current_;
  }
  return nullptr;
}

// Takes the stored reading for this ask of `kind`, if the record has one, as the kind's value.
void ReplayPlayer::Take(ReadingKind kind) {
  const int k = static_cast<int>(kind);
  const std::uint32_t ask = taken_[k]++;
  const std::vector<ReplayReading>& readings = current_.readings;
  for (std::size_t i = next_[k]; i < readings.size(); ++i) {
    const ReplayReading& reading = readings[i];
    if (reading.kind != kind) continue;
    if (reading.ordinal > ask) break;
    next_[k] = i + 1;
    Keep(reading);
  }
}

// The record's readings that the game never asked for (it asked less often than when recording) are taken when
// the record is left: what the file repeats from here on is the last value it stored, not the last one asked.
void ReplayPlayer::CatchUp() {
  const std::vector<ReplayReading>& readings = current_.readings;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (i >= next_[static_cast<int>(readings[i].kind)]) Keep(readings[i]);
  }
  current_.readings.clear();
}

void ReplayPlayer::Keep(const ReplayReading& reading) {
  const int k = static_cast<int>(reading.kind);
  numbers_[k] = reading.number;
  lists_[k] = reading.list;
  if (k >= static_cast<int>(ReadingKind::Joystick0) && k < static_cast<int>(ReadingKind::SavedState)) {
    joysticks_[k - static_cast<int>(ReadingKind::Joystick0)] = reading.joystick;
  }
}

std::int32_t ReplayPlayer::ReadNumber(ReadingKind kind) {
  Take(kind);
  return numbers_[static_cast<int>(kind)];
}

JoystickReading ReplayPlayer::ReadJoystick(int port) {
  if (port < 0 || port > 3) return JoystickReading();
  Take(static_cast<ReadingKind>(static_cast<int>(ReadingKind::Joystick0) + port));
  return joysticks_[port];
}

const std::vector<std::int32_t>& ReplayPlayer::ReadList(ReadingKind kind) {
  Take(kind);
  return lists_[static_cast<int>(kind)];
}

void ReplayPlayer::Check(const ReplayRecord& check) {
  if (divergedAt_ != 0 || !hooks_.stateHash) return;
  if (check.updates == updates_ && check.hash == hooks_.stateHash()) {
    agreedAt_ = updates_;
  } else {
    divergedAt_ = updates_;
  }
}

// The session ended inside the record delivered last. Where the recording ended there too, the End record comes
// next and is checked; where it went on, the game ended early, which is a difference too.
std::uint64_t ReplayPlayer::Finish() {
  ReplayRecord record;
  if (!finished_ && cursor_.Next(record) == ReplayStatus::Ok) {
    if (record.type == RecordType::End) {
      Check(record);
    } else {
      endedEarly_ = true;
      recordedUpdates_ = updates_;
      do {
        if (record.type == RecordType::Update) ++recordedUpdates_;
      } while (cursor_.Next(record) == ReplayStatus::Ok);
    }
  }
  finished_ = true;
  return hooks_.stateHash ? hooks_.stateHash() : 0;
}
