// The process entry. The command line is answered first, so that asking for help or the version, or a
// mistyped option, never opens a window or needs a display.
#include <cstdio>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/glfw_game.h"
#include "host/state_location.h"

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
  KoTarsilGame::Main(argc, const_cast<const char**>(argv));
  return 0;
}
