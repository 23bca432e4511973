// The corpus: sessions the real program recorded (tests/replay/corpus, one per file), each replayed on the fakes
// to the state its recording ended in, checked every 60 updates on the way. A change to the game that changes
// how one of them plays fails here; if the change is meant, record that session again (README: Replays).
// The clang build runs this too, so both compilers must play every session the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/replay/replay_fixture.h"
#include "tests/support/build_paths.h"

namespace {

std::vector<std::filesystem::path> corpus() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(build_paths::kReplayCorpusDir)) {
    if (entry.path().extension() == ".qzr") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ReplayCorpus, EverySessionPlaysToItsRecordedState) {
  const std::vector<std::filesystem::path> files = corpus();
  ASSERT_GE(files.size(), 5u);
  for (const std::filesystem::path& file : files) {
    const std::string name = file.filename().string();
    const std::vector<unsigned char> bytes = ReadBytes(file.string());
    const ReplayCheck check = CheckReplay(bytes);
    ASSERT_EQ(check.status, ReplayStatus::Ok) << name << ": " << ReplayProblem(check.status, check.offset);
    ASSERT_TRUE(check.ended) << name << " was recorded to its end";
    const ReplayOutcome outcome = ReplayOnFakes(bytes);
    EXPECT_EQ(outcome.divergedAt, 0u) << name << " differs by update " << outcome.divergedAt << ", agreed at "
                                      << outcome.agreedAt;
    EXPECT_EQ(outcome.updates, check.updates) << name;
    EXPECT_EQ(outcome.agreedAt, check.updates) << name << ": its final state";
    std::printf("%s: %u updates, state %016llx\n", name.c_str(), outcome.updates,
                static_cast<unsigned long long>(outcome.hash));
  }
}

}  // namespace
