// The process entry. The command line is answered first, so that asking for help or the version, a mistyped
// option or an unreadable replay file never opens a window or needs a display.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/random/random.h"
#include "game/state_hash.h"
#include "host/core/glfw_game.h"
#include "host/core/state_location.h"
#include "program/command_line.h"
#include "program/replay_session.h"

namespace {
ReplaySetup replay_setup(const CommandLine& line) {
  ReplaySetup setup;
  setup.recordFile = line.recordFile;
  setup.replayFile = line.replayFile;
  setup.fast = line.fast;
  setup.replaySaves = line.replaySaves;
  setup.hooks.stateHash = ko_Quarzel_StateHash;
  setup.hooks.seed = [] { return static_cast<std::uint32_t>(ko_random_Seed); };
  setup.hooks.setSeed = [](std::uint32_t seed) { ko_random_Seed = static_cast<std::int32_t>(seed); };
  return setup;
}
}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(ProgramOptions(), std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(UsageText(ProgramOptions(), StateLocationText()).c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::puts(VersionText().c_str());
      return 0;
    case CommandLine::Action::Error:
      std::fprintf(stderr, "quarzel: %s (quarzel --help lists the options)\n", line.error.c_str());
      return kExitBadCommandLine;
    case CommandLine::Action::Play:
      break;
  }
  if (!PrepareReplaySession(replay_setup(line))) return kExitBadCommandLine;
  KoTarsilGame::Main(argc, const_cast<const char**>(argv), ReplaySessionGame);
  return FinishReplaySession(0);
}
