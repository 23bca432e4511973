// The replay file's reader (see replay_format.h): ReplayCursor, and the words for what it finds wrong.
#include <cmath>
#include <cstring>

#include "host/replay/replay_coding.h"
#include "host/replay/replay_format.h"

using namespace replay_coding;

namespace {

// Whether a file of `version` may hold readings of `kind`: each kind since the version that added it.
bool KnownIn(std::uint16_t version, ReadingKind kind) {
  if (kind == ReadingKind::PingOutcome) return version >= 2;
  if (kind == ReadingKind::TouchScreen) return version >= 3;
  return true;
}

bool IsFlag(ReadingKind kind) { return kind == ReadingKind::Fullscreen || kind == ReadingKind::TouchScreen; }

}  // namespace

// Each low-level read returns false when the data ends first (or, for a varint, when it runs longer
// than its type allows, which sets damaged_).

bool ReplayCursor::Byte(std::uint8_t& value) {
  if (pos_ >= size_) return false;
  value = data_[pos_++];
  return true;
}

bool ReplayCursor::Varint(std::uint64_t& value, int maxBytes) {
  value = 0;
  for (int i = 0; i < maxBytes; ++i) {
    std::uint8_t byte = 0;
    if (!Byte(byte)) return false;
    value |= static_cast<std::uint64_t>(byte & 0x7f) << (7 * i);
    if (!(byte & 0x80)) return true;
  }
  damaged_ = true;
  return false;
}

bool ReplayCursor::Unsigned(std::uint32_t& value) {
  std::uint64_t wide = 0;
  if (!Varint(wide, 5)) return false;
  if (wide > 0xffffffffu) {
    damaged_ = true;
    return false;
  }
  value = static_cast<std::uint32_t>(wide);
  return true;
}

bool ReplayCursor::Signed(std::int32_t& value) {
  std::uint32_t raw = 0;
  if (!Unsigned(raw)) return false;
  value = unzigzag(raw);
  return true;
}

bool ReplayCursor::Fixed(std::uint64_t& value, int bytes) {
  if (size_ - pos_ < static_cast<std::size_t>(bytes)) {
    pos_ = size_;
    return false;
  }
  value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(data_[pos_ + i]) << (8 * i);
  pos_ += bytes;
  return true;
}

bool ReplayCursor::Float(float& value) {
  std::uint64_t bits = 0;
  if (!Fixed(bits, 4)) return false;
  value = bits_float(static_cast<std::uint32_t>(bits));
  return true;
}

bool ReplayCursor::Coordinate(float& value, float& previous) {
  std::uint32_t raw = 0;
  if (!Unsigned(raw)) return false;
  if (raw & 1) {
    if (raw != 1 || !Float(value)) {
      damaged_ = damaged_ || raw != 1;
      return false;
    }
  } else {
    // The writer stores a difference only between two small whole positions; they are added as integers, since
    // a difference above 2^24 would round in float.
    if (!small_whole(previous)) {
      damaged_ = true;
      return false;
    }
    const std::int64_t sum = static_cast<std::int64_t>(previous) + unzigzag(raw >> 1);
    if (sum <= -kWholeLimit || sum >= kWholeLimit) {
      damaged_ = true;
      return false;
    }
    value = static_cast<float>(sum);
  }
  previous = value;
  return true;
}

// Each item takes at least one byte, so a count larger than what is left is a cut, found before allocating.
bool ReplayCursor::List(std::vector<std::int32_t>& list) {
  std::uint32_t count = 0;
  if (!Unsigned(count)) return false;
  if (count > size_ - pos_) {
    pos_ = size_;
    return false;
  }
  list.resize(count);
  for (std::int32_t& item : list) {
    if (!Signed(item)) return false;
  }
  return true;
}

ReplayStatus ReplayCursor::ReadHeader(ReplayHeader& header) {
  const std::size_t known = size_ < sizeof kMagic ? size_ : sizeof kMagic;
  if (size_ == 0 || std::memcmp(data_, kMagic, known) != 0) return ReplayStatus::NotReplay;
  std::uint64_t version = 0, reserved = 0, revision = 0;
  pos_ = sizeof kMagic;
  if (size_ < sizeof kMagic || !Fixed(version, 2) || !Fixed(reserved, 2) || !Fixed(revision, 4)) {
    return ReplayStatus::Truncated;
  }
  if (version > kReplayVersion) return ReplayStatus::NewerVersion;
  if (version == 0 || reserved != 0) return ReplayStatus::Damaged;
  header.version = static_cast<std::uint16_t>(version);
  version_ = header.version;
  header.revision = static_cast<std::uint32_t>(revision);
  recordStart_ = pos_;
  return ReplayStatus::Ok;
}

ReplayStatus ReplayCursor::Next(ReplayRecord& record) {
  recordStart_ = pos_;
  std::uint8_t tag = 0;
  if (!Byte(tag)) return ReplayStatus::End;
  ReplayStatus status = Fields(record, tag);
  if (status != ReplayStatus::Ok) return status;
  std::uint32_t count = tag >> 5;
  if (count == kInlineReadings && !Unsigned(count)) return damaged_ ? ReplayStatus::Damaged : ReplayStatus::Truncated;
  if (count > size_ - pos_) return ReplayStatus::Truncated;  // each reading takes two bytes at least
  record.readings.resize(count);
  for (ReplayReading& reading : record.readings) {
    status = Reading(reading);
    if (status != ReplayStatus::Ok) return status;
  }
  return ReplayStatus::Ok;
}

ReplayStatus ReplayCursor::Fields(ReplayRecord& record, std::uint8_t tag) {
  const int type = tag & 0x1f;
  record = ReplayRecord();
  bool read = true;
  if (type > static_cast<int>(RecordType::InputEvent) && type <= static_cast<int>(RecordType::InputEvent) + kLastEvent) {
    record.type = RecordType::Input;
    record.event = type - static_cast<int>(RecordType::InputEvent);
    record.entry = kUsualEntry[record.event];
  } else if (type >= static_cast<int>(RecordType::Start) && type <= static_cast<int>(RecordType::Input)) {
    record.type = static_cast<RecordType>(type);
    if (record.type == RecordType::Input) {
      std::uint8_t entry = 0;
      read = Byte(entry) && Signed(record.event);
      if (read && entry > static_cast<std::uint8_t>(InputEntry::Motion)) return ReplayStatus::Damaged;
      record.entry = static_cast<InputEntry>(entry);
    }
  } else {
    return ReplayStatus::Damaged;
  }
  std::uint64_t wide = 0;
  switch (record.type) {
    case RecordType::Start:
      read = Fixed(wide, 4);
      record.seed = static_cast<std::uint32_t>(wide);
      break;
    case RecordType::Hash:
    case RecordType::End:
      read = Unsigned(record.updates) && Fixed(record.hash, 8);
      break;
    case RecordType::Input:
      read = read && Signed(record.data);
      if (read && record.entry == InputEntry::Motion) {
        read = Float(record.x) && Float(record.y) && Float(record.z);
      } else if (read && record.entry != InputEntry::Key) {
        read = Coordinate(record.x, state_.pointerX) && Coordinate(record.y, state_.pointerY);
      }
      break;
    default: break;
  }
  if (read) return ReplayStatus::Ok;
  return damaged_ ? ReplayStatus::Damaged : ReplayStatus::Truncated;
}

ReplayStatus ReplayCursor::Reading(ReplayReading& reading) {
  std::uint8_t head = 0;
  if (!Byte(head)) return ReplayStatus::Truncated;
  const int kind = head & 0x0f;
  if (kind >= kReadingKinds || !KnownIn(version_, static_cast<ReadingKind>(kind))) return ReplayStatus::Damaged;
  reading.kind = static_cast<ReadingKind>(kind);
  reading.ordinal = head >> 4;
  bool read = reading.ordinal != kInlineOrdinal || Unsigned(reading.ordinal);
  std::uint32_t raw = 0;
  switch (reading.kind) {
    case ReadingKind::Clock:
      read = read && Unsigned(raw);
      state_.clock += static_cast<std::uint32_t>(unzigzag(raw));
      reading.number = static_cast<std::int32_t>(state_.clock);
      break;
    case ReadingKind::Width:
    case ReadingKind::Height:
    case ReadingKind::Fullscreen:
    case ReadingKind::TouchScreen:
      read = read && Signed(reading.number);
      if (read && IsFlag(reading.kind) && reading.number != 0 && reading.number != 1) {
        return ReplayStatus::Damaged;
      }
      break;
    case ReadingKind::SavedState:
    case ReadingKind::DesktopMode:
    case ReadingKind::DisplayModes:
    case ReadingKind::ReleasedKeys:
    case ReadingKind::PingOutcome:
      read = read && List(reading.list);
      break;
    default:
      if (read) return JoystickValue(reading);
  }
  if (read) return ReplayStatus::Ok;
  return damaged_ ? ReplayStatus::Damaged : ReplayStatus::Truncated;
}

ReplayStatus ReplayCursor::JoystickValue(ReplayReading& reading) {
  JoystickReading& previous = state_.joysticks[static_cast<int>(reading.kind) - static_cast<int>(ReadingKind::Joystick0)];
  std::uint8_t flags = 0;
  if (!Byte(flags)) return ReplayStatus::Truncated;
  JoystickReading value = previous;
  value.present = (flags & 1) != 0;
  std::uint64_t buttons = 0;
  if ((flags & 2) && !Fixed(buttons, 4)) return ReplayStatus::Truncated;
  if (flags & 2) value.buttons = static_cast<std::uint32_t>(buttons);
  for (int i = 0; i < 6; ++i) {
    if ((flags & (4 << i)) && !Float(value.axes[i])) return ReplayStatus::Truncated;
  }
  previous = value;
  reading.joystick = value;
  return ReplayStatus::Ok;
}

std::string ReplayProblem(ReplayStatus status, std::size_t offset) {
  const std::string at = " at byte " + std::to_string(offset);
  switch (status) {
    case ReplayStatus::NotReplay: return "not a replay file";
    case ReplayStatus::NewerVersion:
      return "a replay of a newer format than this build reads (version " + std::to_string(kReplayVersion) + ")";
    case ReplayStatus::Truncated: return "the replay is cut short" + at;
    case ReplayStatus::Damaged: return "the replay is damaged" + at;
    default: return std::string();
  }
}
