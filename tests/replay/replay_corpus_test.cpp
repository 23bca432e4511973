// The corpus: sessions the real program recorded (tests/replay/corpus, one per file), each replayed on the fakes
// to the state its recording ended in, checked every 60 updates on the way. A change to the game that changes
// how one of them plays fails here; if the change is meant, record that session again (README: Replays).
// The clang build runs this too, and the WebAssembly build its own runner of it (corpus_runner.cpp), so every
// build must play every session the same.
#include <gtest/gtest.h>

#include "tests/replay/replay_fixture.h"
#include "tests/support/build_paths.h"

namespace {

TEST(ReplayCorpus, EverySessionPlaysToItsRecordedState) {
  const std::vector<std::filesystem::path> files = CorpusFiles(build_paths::kReplayCorpusDir);
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
    std::printf("%s\n", CorpusLine(name, outcome).c_str());
  }
}

}  // namespace
