// The program's command line: a table of options and a pure parse of the arguments against it, so that what
// the program is asked to do is known before anything opens a window or starts GLFW, and a new option is one
// row of the table.
//
// The parse stops at the first argument it does not understand, and that argument alone is the result (an
// error naming it), whatever valid options came before or after it. Otherwise a help request wins over a
// version request, and with neither the game plays. A replay's switches (--fast, --replay-saves) need --replay,
// and --record and --replay exclude each other. An option that takes a value accepts it as the next
// argument or after "=" ("--name VALUE", "--name=VALUE").
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  enum class Action { Play, Help, Version, Error };
  Action action = Action::Play;
  std::string error;  // one line naming the argument at fault, without the program's name; Error only
  std::string recordFile, replayFile;  // --record, --replay: at most one of them
  bool fast = false;                   // --fast, with --replay only
  bool replaySaves = false;            // --replay-saves, with --replay only
};

struct CommandLineOption {
  const char* name;       // "--help"
  char letter;            // 'h' for "-h"; 0: no short form
  const char* valueName;  // "FILE" for an option that takes a value; nullptr for a plain switch
  const char* help;       // its line in the usage text
  void (*apply)(CommandLine& line, const std::string& value);
};

// The options this program understands, in the order the usage text lists them.
const std::vector<CommandLineOption>& ProgramOptions();

CommandLine ParseCommandLine(const std::vector<CommandLineOption>& options, const std::vector<std::string>& arguments);

// The answer to --help: usage, the options of the table, the keys, where the saved state lives
// (`stateLocation`, as the host reports it), the environment switches and the exit statuses.
std::string UsageText(const std::vector<CommandLineOption>& options, const std::string& stateLocation);

// The answer to --version: "quarzel <version>".
std::string VersionText();

// Exit statuses of the program besides a normal end (0); a fatal error ends it with -1, seen as 255.
constexpr int kExitBadCommandLine = 2;
