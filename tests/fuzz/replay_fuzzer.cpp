// Fuzzes the replay file's reader: whatever the bytes, reading them must neither crash nor read outside them,
// the check of the whole file must agree with reading it record by record, and what was read whole, written
// again and read back, must give the same records (written a third time: the same bytes).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/replay/replay_player.h"

namespace {

// The records read whole, and the status that ended the reading.
ReplayStatus read_records(const unsigned char* data, std::size_t size, ReplayHeader& header,
                          std::vector<ReplayRecord>& records) {
  ReplayCursor cursor(data, size);
  ReplayStatus status = cursor.ReadHeader(header);
  ReplayRecord record;
  while (status == ReplayStatus::Ok) {
    status = cursor.Next(record);
    if (status == ReplayStatus::Ok) records.push_back(record);
  }
  if (cursor.offset() > size) std::abort();
  return status;
}

std::string write_records(const ReplayHeader& header, const std::vector<ReplayRecord>& records) {
  std::string out;
  WriteReplayHeader(header, out);
  ReplayCodingState state;
  for (const ReplayRecord& record : records) WriteReplayRecord(record, state, out);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReplayHeader header;
  std::vector<ReplayRecord> records;
  const ReplayStatus status = read_records(data, size, header, records);
  const ReplayCheck check = CheckReplay(std::vector<unsigned char>(data, data + size));
  if ((check.status == ReplayStatus::Ok) != (status == ReplayStatus::End) && check.status != ReplayStatus::Damaged) {
    std::abort();  // the check may add only its own rule: nothing after the End record
  }
  if (status == ReplayStatus::NotReplay || status == ReplayStatus::NewerVersion) return 0;
  if (status == ReplayStatus::Truncated && records.empty() && size < kReplayHeaderBytes) return 0;

  const std::string again = write_records(header, records);
  ReplayHeader header2;
  std::vector<ReplayRecord> records2;
  if (read_records(reinterpret_cast<const unsigned char*>(again.data()), again.size(), header2, records2) !=
          ReplayStatus::End ||
      records2.size() != records.size()) {
    std::abort();
  }
  if (write_records(header2, records2) != again) std::abort();
  return 0;
}
