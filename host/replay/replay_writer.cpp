// The replay file's writer (see replay_format.h): records into their encodings, appended to a string.
#include <cmath>

#include "host/replay/replay_coding.h"
#include "host/replay/replay_format.h"

using namespace replay_coding;

namespace {

void put_varint(std::uint64_t value, std::string& out) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7f) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

void put_fixed(std::uint64_t value, int bytes, std::string& out) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A position as a whole difference from the previous one (low bit 0), or as raw float bits (low bit 1).
void put_coordinate(float value, float& previous, std::string& out) {
  if (small_whole(value) && small_whole(previous)) {
    const auto delta = static_cast<std::int32_t>(value) - static_cast<std::int32_t>(previous);
    put_varint(static_cast<std::uint64_t>(zigzag(delta)) << 1, out);
  } else {
    put_varint(1, out);
    put_fixed(float_bits(value), 4, out);
  }
  previous = value;
}

void put_list(const std::vector<std::int32_t>& list, std::string& out) {
  put_varint(list.size(), out);
  for (std::int32_t item : list) put_varint(zigzag(item), out);
}

// Flags: bit 0 present, bit 1 the buttons follow, bit 2 + i axis i follows; what is absent repeats the port's
// previous reading.
void put_joystick(const JoystickReading& value, JoystickReading& previous, std::string& out) {
  std::uint8_t flags = value.present ? 1 : 0;
  if (value.buttons != previous.buttons) flags |= 2;
  for (int i = 0; i < 6; ++i) {
    if (float_bits(value.axes[i]) != float_bits(previous.axes[i])) flags |= static_cast<std::uint8_t>(4 << i);
  }
  out += static_cast<char>(flags);
  if (flags & 2) put_fixed(value.buttons, 4, out);
  for (int i = 0; i < 6; ++i) {
    if (flags & (4 << i)) put_fixed(float_bits(value.axes[i]), 4, out);
  }
  previous = value;
}

void put_reading(const ReplayReading& reading, ReplayCodingState& state, std::string& out) {
  const int kind = static_cast<int>(reading.kind);
  const bool inlineOrdinal = reading.ordinal < kInlineOrdinal;
  out += static_cast<char>(kind | (inlineOrdinal ? reading.ordinal : kInlineOrdinal) << 4);
  if (!inlineOrdinal) put_varint(reading.ordinal, out);
  switch (reading.kind) {
    case ReadingKind::Clock:
      put_varint(zigzag(static_cast<std::int32_t>(static_cast<std::uint32_t>(reading.number) - state.clock)), out);
      state.clock = static_cast<std::uint32_t>(reading.number);
      break;
    case ReadingKind::Width:
    case ReadingKind::Height:
    case ReadingKind::Fullscreen:
    case ReadingKind::TouchScreen: put_varint(zigzag(reading.number), out); break;
    case ReadingKind::SavedState:
    case ReadingKind::DesktopMode:
    case ReadingKind::DisplayModes:
    case ReadingKind::ReleasedKeys:
    case ReadingKind::PingOutcome: put_list(reading.list, out); break;
    default: put_joystick(reading.joystick, state.joysticks[kind - static_cast<int>(ReadingKind::Joystick0)], out);
  }
}

void put_input(const ReplayRecord& record, ReplayCodingState& state, std::string& out) {
  if (!usual_pair(record)) {
    out += static_cast<char>(record.entry);
    put_varint(zigzag(record.event), out);
  }
  put_varint(zigzag(record.data), out);
  if (record.entry == InputEntry::Key) return;
  if (record.entry == InputEntry::Motion) {
    for (float value : {record.x, record.y, record.z}) put_fixed(float_bits(value), 4, out);
    return;
  }
  put_coordinate(record.x, state.pointerX, out);
  put_coordinate(record.y, state.pointerY, out);
}

}  // namespace

ReplayRecord InputRecord(InputEntry entry, int event, int data, float x, float y, float z) {
  ReplayRecord record;
  record.type = RecordType::Input;
  record.entry = entry;
  record.event = event;
  record.data = data;
  record.x = x;
  record.y = y;
  record.z = z;
  return record;
}

bool JoystickReading::operator==(const JoystickReading& other) const {
  if (present != other.present || buttons != other.buttons) return false;
  for (int i = 0; i < 6; ++i) {
    if (float_bits(axes[i]) != float_bits(other.axes[i])) return false;
  }
  return true;
}

void WriteReplayHeader(const ReplayHeader& header, std::string& out) {
  out.append(kMagic, sizeof kMagic);
  put_fixed(header.version, 2, out);
  put_fixed(0, 2, out);
  put_fixed(header.revision, 4, out);
}

void WriteReplayRecord(const ReplayRecord& record, ReplayCodingState& state, std::string& out) {
  const std::size_t count = record.readings.size();
  int type = static_cast<int>(record.type);
  if (record.type == RecordType::Input && usual_pair(record)) type = static_cast<int>(RecordType::InputEvent) + record.event;
  out += static_cast<char>(type | (count < kInlineReadings ? count : kInlineReadings) << 5);
  switch (record.type) {
    case RecordType::Start: put_fixed(record.seed, 4, out); break;
    case RecordType::Hash:
    case RecordType::End:
      put_varint(record.updates, out);
      put_fixed(record.hash, 8, out);
      break;
    case RecordType::Input: put_input(record, state, out); break;
    default: break;
  }
  if (count >= kInlineReadings) put_varint(count, out);
  for (const ReplayReading& reading : record.readings) put_reading(reading, state, out);
}

