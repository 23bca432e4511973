// The replay file: what one session of the program received from outside, call by call, so that the session
// can be run again exactly. replay_recorder.h writes one as the session goes; replay_player.h runs one.
//
// Layout: a 12-byte header, then records to the end of the file.
//   Header: "QZRP", the format version (2 bytes), 0 (2 bytes), the game-logic revision of the build that
//   recorded it (4 bytes). Multi-byte fixed fields are little-endian.
//   Record: a tag byte, the type in its low 5 bits (an input event of its usual entry point: 16 + the event)
//   and the count of readings in its top 3 (7: the count follows the type's fields as a varint); the type's own
//   fields; then the readings. A reading is a byte with its kind in the low 4 bits and its ordinal in the top 4
//   (15: a varint ordinal follows), then the kind's value.
// A record is one outermost call of the host into the game (start, suspend, resume, an update, a render, an
// input event), with the readings from outside that the call made. Renders are records too: what a render
// leaves behind (the render-rate figures, the scale and virtual screen, a reload after a size change) is state
// the next update reads, so a replay renders where the recording rendered. Only a reading whose value differs from
// the previous reading of its kind is stored, with its ordinal among the call's readings of that kind; every
// other reading repeats the last value (before any is stored: 0, false, absent, empty). Hash records follow
// every 60th update; an End record closes a session that ended cleanly.
// Versions: 2 added the ping's outcome, a reading of each update while the game awaits it (an answer from the
// network lands in whichever update it arrives in); version 1 files, without it, are read as ever. 3 added
// whether the screen is a touch screen, read at the start; older files never hold it, so they read as false.
// Numbers: varints are LEB128, signed ones zigzagged first. The clock is stored as its difference from the
// previous clock reading, modulo 2^32; mouse and touch positions as the difference from the previous position
// when both are whole, else as raw float bits; a joystick reading stores only the parts that differ from the
// port's previous reading; other floats are raw bits.
//
// ReplayCursor never reads past the buffer it is given and never allocates more than the input's length can
// justify; it tells apart a file that is no replay, one of a newer format, one cut short inside a record and
// one whose contents are impossible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint16_t kReplayVersion = 3;
constexpr std::size_t kReplayHeaderBytes = 12;
constexpr std::uint32_t kReplayHashEvery = 60;  // updates between two hash records

enum class RecordType : std::uint8_t {
  Start = 1,  // seed
  Suspend,
  Resume,
  Update,
  Render,
  DiscardGraphics,
  Hash,  // updates so far, state hash
  End,   // updates in all, state hash
  Input,  // entry, event, data, x, y, z; the usual pairs of entry and event are stored as InputEvent + event
  InputEvent = 16,  // ..26: events 1 to 10 of their usual entries, without the entry and event bytes
};

// The host entry point an input record goes to.
enum class InputEntry : std::uint8_t { Key, Mouse, Touch, Motion };

enum class ReadingKind : std::uint8_t {
  Clock,         // milliseconds
  Width,         // device pixels
  Height,        // device pixels
  Fullscreen,    // 0 or 1
  Joystick0,     // Joystick0..Joystick3: one per port
  Joystick1,
  Joystick2,
  Joystick3,
  SavedState,  // list: UTF-16 code units
  DesktopMode,   // list: empty (none), or width and height
  DisplayModes,  // list: width, height per mode
  ReleasedKeys,  // list: key codes released because the window was made anew
  PingOutcome,   // list: empty (no outcome yet), or the status and the reply's UTF-16 code units; version 2 on
  TouchScreen,   // 0 or 1; version 3 on
};
constexpr int kReadingKinds = 14;

struct JoystickReading {
  bool present = false;
  float axes[6] = {};          // x0, y0, z0, x1, y1, z1
  std::uint32_t buttons = 0;   // bit b: button b down
  bool operator==(const JoystickReading& other) const;
};

struct ReplayReading {
  ReadingKind kind = ReadingKind::Clock;
  std::uint32_t ordinal = 0;  // among the record's readings of this kind
  std::int32_t number = 0;    // Clock, Width, Height, Fullscreen, TouchScreen
  JoystickReading joystick;
  std::vector<std::int32_t> list;
};

struct ReplayRecord {
  RecordType type = RecordType::Update;
  InputEntry entry = InputEntry::Key;  // Input
  std::int32_t event = 0, data = 0;    // Input
  float x = 0, y = 0, z = 0;           // Input: window pixels (Motion: acceleration)
  std::uint32_t seed = 0;              // Start
  std::uint32_t updates = 0;           // Hash, End
  std::uint64_t hash = 0;              // Hash, End
  std::vector<ReplayReading> readings;
};

// An input record of `entry`'s `event`, with no readings yet.
ReplayRecord InputRecord(InputEntry entry, int event, int data, float x = 0, float y = 0, float z = 0);

struct ReplayHeader {
  std::uint16_t version = kReplayVersion;
  std::uint32_t revision = 0;
};

// What the previous values were, for the parts stored as differences; the writer and the reader of one file
// each keep one, and they agree record by record.
struct ReplayCodingState {
  std::uint32_t clock = 0;
  float pointerX = 0, pointerY = 0;
  JoystickReading joysticks[4];
};

// Appends the encodings to `out`.
void WriteReplayHeader(const ReplayHeader& header, std::string& out);
void WriteReplayRecord(const ReplayRecord& record, ReplayCodingState& state, std::string& out);

enum class ReplayStatus {
  Ok,            // a header or record was read
  End,           // the data ended between two records
  NotReplay,     // no replay header
  NewerVersion,  // a format this build does not read
  Truncated,     // the data ended inside the header or a record
  Damaged,       // a value no writer makes
};

class ReplayCursor {
 public:
  ReplayCursor(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  ReplayStatus ReadHeader(ReplayHeader& header);  // first
  ReplayStatus Next(ReplayRecord& record);        // then until it returns anything but Ok
  std::size_t offset() const { return recordStart_; }  // where the last record (or the problem) began

 private:
  bool Byte(std::uint8_t& value);
  bool Varint(std::uint64_t& value, int maxBytes);
  bool Unsigned(std::uint32_t& value);
  bool Signed(std::int32_t& value);
  bool Fixed(std::uint64_t& value, int bytes);
  bool Float(float& value);
  bool Coordinate(float& value, float& previous);
  bool List(std::vector<std::int32_t>& list);
  ReplayStatus Fields(ReplayRecord& record, std::uint8_t tag);
  ReplayStatus Reading(ReplayReading& reading);
  ReplayStatus JoystickValue(ReplayReading& reading);

  const unsigned char* data_;
  std::size_t size_;
  std::size_t pos_ = 0, recordStart_ = 0;
  bool damaged_ = false;  // a varint longer than its type: the reason a read failed is not the end
  std::uint16_t version_ = kReplayVersion;
  ReplayCodingState state_;
};

// One line for a status other than Ok and End, saying what is wrong and where (`offset`: bytes from the start).
std::string ReplayProblem(ReplayStatus status, std::size_t offset);
