// The corpus replayed without the test framework, for the builds that have none (the WebAssembly build, run
// under Node.js with the disk as its file system): every session of the corpus folder played on the fakes, one
// line each as replay_corpus_tests prints it, so that tools/check.sh can compare the two builds' lines.
// Exits 1 when a session is unsound, differs from its recording or ends short of it, after printing the rest.
#include <cstdio>

#include "tests/replay/replay_fixture.h"
#include "tests/support/build_paths.h"

// The two paths this program opens (the other build paths belong to the native test trees), set by its build.
namespace build_paths {
const char* const kDataDir = QUARZEL_RUNNER_DATA_DIR;
const char* const kReplayCorpusDir = QUARZEL_RUNNER_CORPUS_DIR;
}  // namespace build_paths

namespace {

// The session's line, or why it fails; true when it plays to its recorded end.
bool play_one(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  const std::vector<unsigned char> bytes = ReadBytes(file.string());
  const ReplayCheck check = CheckReplay(bytes);
  if (check.status != ReplayStatus::Ok || !check.ended) {
    std::printf("%s: unsound or unfinished: %s\n", name.c_str(), ReplayProblem(check.status, check.offset).c_str());
    return false;
  }
  const ReplayOutcome outcome = ReplayOnFakes(bytes);
  std::printf("%s\n", CorpusLine(name, outcome).c_str());
  if (outcome.divergedAt == 0 && outcome.agreedAt == check.updates) return true;
  std::printf("%s: differs by update %u, agreed at %u of %u\n", name.c_str(), outcome.divergedAt, outcome.agreedAt,
              check.updates);
  return false;
}

}  // namespace

int main() {
  const std::vector<std::filesystem::path> files = CorpusFiles(build_paths::kReplayCorpusDir);
  bool allPlayed = !files.empty();
  for (const std::filesystem::path& file : files) allPlayed = play_one(file) && allPlayed;
  return allPlayed ? 0 : 1;
}
