// The replay file's reader: what the writer writes reads back the same, record by record; every other input,
// cut short anywhere, damaged, foreign or of a newer format, gets its own status and never a read past the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "host/replay/replay_player.h"

namespace {

ReplayReading reading(ReadingKind kind, std::uint32_t ordinal, std::int32_t number,
                      std::vector<std::int32_t> list = {}) {
  ReplayReading r;
  r.kind = kind;
  r.ordinal = ordinal;
  r.number = number;
  r.list = std::move(list);
  return r;
}

// One of every kind of record and reading, with the values that take the encodings' other branches.
std::vector<ReplayRecord> sample_session() {
  std::vector<ReplayRecord> records;
  ReplayRecord start;
  start.type = RecordType::Start;
  start.seed = 1234;
  start.readings = {reading(ReadingKind::SavedState, 0, 0, {'1', '|', 0xd800}), reading(ReadingKind::Width, 0, 640),
                    reading(ReadingKind::DesktopMode, 0, 0, {1920, 1080}), reading(ReadingKind::DisplayModes, 0, 0, {}),
                    reading(ReadingKind::TouchScreen, 0, 1)};
  for (int i = 0; i < 4; ++i) start.readings.push_back(reading(ReadingKind::Clock, i, 100 * i));  // a long count
  records.push_back(start);
  ReplayRecord update;
  update.type = RecordType::Update;
  update.readings = {reading(ReadingKind::Clock, 0, 2147483000), reading(ReadingKind::Clock, 3, -2147483000),
                     reading(ReadingKind::Fullscreen, 40, 1), reading(ReadingKind::ReleasedKeys, 0, 0, {39, 16}),
                     reading(ReadingKind::PingOutcome, 0, 0, {-1, 'h', 'i'})};
  ReplayReading stick;
  stick.kind = ReadingKind::Joystick2;
  stick.joystick.present = true;
  stick.joystick.axes[4] = -0.25f;
  stick.joystick.buttons = 0x80000001u;
  update.readings.push_back(stick);
  for (int i = 0; i < 9; ++i) update.readings.push_back(reading(ReadingKind::Height, i, 480 + i));  // a long count
  records.push_back(update);
  records.push_back(InputRecord(InputEntry::Mouse, 6, -1, 320, 240));
  records.push_back(InputRecord(InputEntry::Mouse, 6, -1, -8388608, 240));
  records.push_back(InputRecord(InputEntry::Mouse, 6, -1, 8388609, 240));  // a jump of 2^24 + 1
  records.push_back(InputRecord(InputEntry::Mouse, 6, -1, 0.5f, -0.0f));  // not whole: raw bits
  records.push_back(InputRecord(InputEntry::Touch, 7, 3, 10, 10));
  records.push_back(InputRecord(InputEntry::Key, 1, 432, 0, 0));
  records.push_back(InputRecord(InputEntry::Key, 4, 2, 0, 0));  // an event its entry never sends: stored in full
  ReplayRecord motion = InputRecord(InputEntry::Motion, 10, 0, 0.1f, std::numeric_limits<float>::quiet_NaN());
  motion.z = -9.8f;
  records.push_back(motion);
  for (RecordType type : {RecordType::Render, RecordType::Suspend, RecordType::Resume, RecordType::DiscardGraphics}) {
    ReplayRecord plain;
    plain.type = type;
    records.push_back(plain);
  }
  ReplayRecord hash;
  hash.type = RecordType::Hash;
  hash.updates = 60;
  hash.hash = 0xfedcba9876543210u;
  records.push_back(hash);
  return records;
}

std::string encode(const std::vector<ReplayRecord>& records) {
  std::string out;
  WriteReplayHeader(ReplayHeader{kReplayVersion, 0xabcdef01u}, out);
  ReplayCodingState state;
  for (const ReplayRecord& record : records) WriteReplayRecord(record, state, out);
  return out;
}

std::uint32_t bits(float value) {
  std::uint32_t b = 0;
  std::memcpy(&b, &value, 4);
  return b;
}

void expect_same(const ReplayRecord& a, const ReplayRecord& b, std::size_t index) {
  EXPECT_EQ(a.type, b.type) << index;
  EXPECT_EQ(a.entry, b.entry) << index;
  EXPECT_EQ(a.event, b.event) << index;
  EXPECT_EQ(a.data, b.data) << index;
  EXPECT_EQ(bits(a.x), bits(b.x)) << index;
  EXPECT_EQ(bits(a.y), bits(b.y)) << index;
  EXPECT_EQ(bits(a.z), bits(b.z)) << index;
  EXPECT_EQ(a.seed, b.seed) << index;
  EXPECT_EQ(a.updates, b.updates) << index;
  EXPECT_EQ(a.hash, b.hash) << index;
  ASSERT_EQ(a.readings.size(), b.readings.size()) << index;
  for (std::size_t i = 0; i < a.readings.size(); ++i) {
    EXPECT_EQ(a.readings[i].kind, b.readings[i].kind) << index << "/" << i;
    EXPECT_EQ(a.readings[i].ordinal, b.readings[i].ordinal) << index << "/" << i;
    EXPECT_EQ(a.readings[i].number, b.readings[i].number) << index << "/" << i;
    EXPECT_EQ(a.readings[i].list, b.readings[i].list) << index << "/" << i;
    EXPECT_TRUE(a.readings[i].joystick == b.readings[i].joystick) << index << "/" << i;
  }
}

ReplayStatus read_all(const std::string& bytes, std::vector<ReplayRecord>* records = nullptr) {
  ReplayCursor cursor(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  ReplayHeader header;
  ReplayStatus status = cursor.ReadHeader(header);
  ReplayRecord record;
  while (status == ReplayStatus::Ok) {
    status = cursor.Next(record);
    if (status == ReplayStatus::Ok && records) records->push_back(record);
  }
  return status;
}

TEST(ReplayFormat, WhatTheWriterWritesReadsBackTheSame) {
  const std::vector<ReplayRecord> written = sample_session();
  std::vector<ReplayRecord> read;
  ASSERT_EQ(read_all(encode(written), &read), ReplayStatus::End);
  ASSERT_EQ(read.size(), written.size());
  for (std::size_t i = 0; i < read.size(); ++i) expect_same(read[i], written[i], i);
}

TEST(ReplayFormat, EveryCutIsTruncatedOrABoundaryBetweenRecords) {
  const std::string whole = encode(sample_session());
  std::vector<std::size_t> boundaries = {kReplayHeaderBytes};
  {
    ReplayCodingState state;
    std::string out;
    WriteReplayHeader(ReplayHeader{}, out);
    for (const ReplayRecord& record : sample_session()) {
      WriteReplayRecord(record, state, out);
      boundaries.push_back(out.size());
    }
  }
  for (std::size_t length = 1; length < whole.size(); ++length) {
    // A copy of exactly `length` bytes, so that a read past it is a read outside the block.
    const std::string cut = whole.substr(0, length);
    const bool boundary = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
    EXPECT_EQ(read_all(cut), boundary ? ReplayStatus::End : ReplayStatus::Truncated) << length << " bytes";
  }
}

struct BadCase {
  const char* label;
  std::string bytes;
  ReplayStatus status;
};

std::string header(std::uint16_t version = kReplayVersion) {
  std::string out;
  WriteReplayHeader(ReplayHeader{version, 0}, out);
  return out;
}

TEST(ReplayFormat, BadInputGetsItsOwnStatus) {
  const BadCase cases[] = {
      {"empty", "", ReplayStatus::NotReplay},
      {"a saved-state file", "0|0|0|0|0|1|", ReplayStatus::NotReplay},
      {"a PNG", "\x89PNG\r\n\x1a\n", ReplayStatus::NotReplay},
      {"the magic alone", "QZRP", ReplayStatus::Truncated},
      {"half the magic", "QZ", ReplayStatus::Truncated},
      {"a newer version", header(kReplayVersion + 1), ReplayStatus::NewerVersion},
      {"version 0", header(0), ReplayStatus::Damaged},
      {"reserved bytes set", std::string("QZRP\x01\x00\x01\x00\0\0\0\0", 12), ReplayStatus::Damaged},
      {"an unknown record type", header() + "\x1f", ReplayStatus::Damaged},
      {"record type 0", header() + std::string(1, '\0'), ReplayStatus::Damaged},
      {"an unknown reading kind", header() + "\x24\x0e\x00", ReplayStatus::Damaged},
      {"the touch screen in a version 2 file", header(2) + "\x24\x0d\x00", ReplayStatus::Damaged},
      {"the ping's outcome in a version 1 file", header(1) + "\x24\x0c\x00", ReplayStatus::Damaged},
      {"full screen neither 0 nor 1", header() + "\x24\x03\x04", ReplayStatus::Damaged},
      {"a varint of eleven bytes", header() + "\xe4" + std::string(11, '\xff'), ReplayStatus::Damaged},
      {"a count past the end", header() + "\xe4\xff\xff\x03", ReplayStatus::Truncated},
      {"a list longer than the file", header() + "\x24\x08\xff\xff\xff\x0f", ReplayStatus::Truncated},
      {"an unknown input entry", header() + "\x09\x07\x02\x00", ReplayStatus::Damaged},
      {"a position neither whole nor raw", header() + "\x16\x01\x03", ReplayStatus::Damaged},
  };
  for (const BadCase& c : cases) EXPECT_EQ(read_all(c.bytes), c.status) << c.label;
}

TEST(ReplayFormat, TheCheckNamesTheProblemAndWhere) {
  std::string bytes = encode(sample_session());
  ReplayRecord end;
  end.type = RecordType::End;
  ReplayCodingState state;
  WriteReplayRecord(end, state, bytes);
  std::vector<unsigned char> ended(bytes.begin(), bytes.end());
  ReplayCheck check = CheckReplay(ended);
  EXPECT_EQ(check.status, ReplayStatus::Ok);
  EXPECT_TRUE(check.ended);
  EXPECT_EQ(check.updates, 1u);
  EXPECT_EQ(check.revision, 0xabcdef01u);

  ended.push_back(static_cast<unsigned char>(RecordType::Render));
  check = CheckReplay(ended);
  EXPECT_EQ(check.status, ReplayStatus::Damaged) << "nothing follows the end";
  EXPECT_EQ(check.offset, bytes.size());
  EXPECT_EQ(ReplayProblem(check.status, check.offset), "the replay is damaged at byte " + std::to_string(bytes.size()));
}

// The game asks the clock once where the recording asked it twice: the next record repeats the second value.
TEST(ReplayPlayer, AReadingNeverAskedForIsStillTheValueRepeated) {
  ReplayRecord asked;
  asked.type = RecordType::Update;
  asked.readings = {reading(ReadingKind::Clock, 0, 100), reading(ReadingKind::Clock, 1, 200)};
  ReplayRecord repeated;
  repeated.type = RecordType::Update;
  const std::string bytes = encode({asked, repeated});
  ReplayPlayer player(std::vector<unsigned char>(bytes.begin(), bytes.end()), ReplayGameHooks());
  ASSERT_NE(player.Next(), nullptr);
  EXPECT_EQ(player.ReadNumber(ReadingKind::Clock), 100);
  ASSERT_NE(player.Next(), nullptr);
  EXPECT_EQ(player.ReadNumber(ReadingKind::Clock), 200);
}

}  // namespace
