// What the replay file's writer (replay_writer.cpp) and reader (replay_reader.cpp) agree on, beyond the layout
// replay_format.h describes: the magic, the tag and reading bit fields, the usual entry of each event, and the
// number codings. Only those two files include it.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "host/replay/replay_format.h"

namespace replay_coding {

inline constexpr char kMagic[4] = {'Q', 'Z', 'R', 'P'};
inline constexpr int kInlineReadings = 7;  // tag bits: 0..6 readings; 7: a varint count follows
inline constexpr int kInlineOrdinal = 15;  // reading bits: 0..14; 15: a varint ordinal follows
inline constexpr int kLastEvent = 10;      // c_KoGameEvent::MotionAccel

// The entry point each event code arrives through (index: event code 1..10).
inline constexpr InputEntry kUsualEntry[kLastEvent + 1] = {
    InputEntry::Key,   InputEntry::Key,   InputEntry::Key,   InputEntry::Key,   InputEntry::Mouse, InputEntry::Mouse,
    InputEntry::Mouse, InputEntry::Touch, InputEntry::Touch, InputEntry::Touch, InputEntry::Motion};

inline bool usual_pair(const ReplayRecord& record) {
  return record.event >= 1 && record.event <= kLastEvent && kUsualEntry[record.event] == record.entry;
}

inline std::uint32_t zigzag(std::int32_t value) {
  return (static_cast<std::uint32_t>(value) << 1) ^ static_cast<std::uint32_t>(value < 0 ? -1 : 0);
}

inline std::int32_t unzigzag(std::uint32_t value) {
  return static_cast<std::int32_t>((value >> 1) ^ (0u - (value & 1)));
}

inline std::uint32_t float_bits(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline float bits_float(std::uint32_t bits) {
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A whole number of small size, not -0: one whose differences are exact in float arithmetic.
inline constexpr std::int64_t kWholeLimit = 16777216;  // 2^24: every whole number below it in size is exact in float

inline bool small_whole(float value) {
  if (!(std::fabs(value) < static_cast<float>(kWholeLimit))) return false;  // also false for NaN
  return float_bits(static_cast<float>(static_cast<std::int32_t>(value))) == float_bits(value);
}

}  // namespace replay_coding
