// The command line's table, its parse and the texts of --help and --version (see command_line.h).
#include "program/command_line.h"

#include <algorithm>

namespace {

using Action = CommandLine::Action;

const CommandLineOption* find_long(const std::vector<CommandLineOption>& options, const std::string& name) {
  for (const CommandLineOption& option : options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

const CommandLineOption* find_letter(const std::vector<CommandLineOption>& options, char letter) {
  for (const CommandLineOption& option : options) {
    if (option.letter != 0 && option.letter == letter) return &option;
  }
  return nullptr;
}

CommandLine failure(const std::string& error) {
  CommandLine line;
  line.action = Action::Error;
  line.error = error;
  return line;
}

// "-h, --help", "    --record FILE": an option's left column in the usage text.
std::string synopsis(const CommandLineOption& option) {
  std::string text = option.letter != 0 ? std::string("-") + option.letter + ", " : std::string("    ");
  text += option.name;
  if (option.valueName) text += std::string(" ") + option.valueName;
  return text;
}

// The replay options' rules, once every argument is known.
CommandLine replay_options_agree(const CommandLine& line) {
  if (line.action != Action::Play) return line;
  if (!line.recordFile.empty() && !line.replayFile.empty()) return failure("options '--record' and '--replay' exclude each other");
  if (line.replayFile.empty() && line.fast) return failure("option '--fast' needs --replay");
  if (line.replayFile.empty() && line.replaySaves) return failure("option '--replay-saves' needs --replay");
  return line;
}

}  // namespace

const std::vector<CommandLineOption>& ProgramOptions() {
  static const std::vector<CommandLineOption> options = {
      {"--help", 'h', nullptr, "print this help and exit",
       [](CommandLine& line, const std::string&) { line.action = Action::Help; }},
      {"--version", 'V', nullptr, "print the version and exit",
       [](CommandLine& line, const std::string&) {
         if (line.action == Action::Play) line.action = Action::Version;  // help, if asked too, wins
       }},
      {"--record", 0, "FILE", "play, and record the session into FILE for a bug report",
       [](CommandLine& line, const std::string& file) { line.recordFile = file; }},
      {"--replay", 0, "FILE", "run the session recorded in FILE instead of your input",
       [](CommandLine& line, const std::string& file) { line.replayFile = file; }},
      {"--fast", 0, nullptr, "with --replay: as fast as the machine allows",
       [](CommandLine& line, const std::string&) { line.fast = true; }},
      {"--replay-saves", 0, nullptr, "with --replay: write the saved state when the game saves",
       [](CommandLine& line, const std::string&) { line.replaySaves = true; }},
  };
  return options;
}

CommandLine ParseCommandLine(const std::vector<CommandLineOption>& options, const std::vector<std::string>& arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool isLong = argument.size() > 2 && argument.compare(0, 2, "--") == 0;
    const bool isShort = argument.size() == 2 && argument[0] == '-' && argument[1] != '-';
    if (!isLong && !isShort) return failure("unexpected argument '" + argument + "'");
    const std::size_t equals = isLong ? argument.find('=') : std::string::npos;
    const std::string name = argument.substr(0, equals);
    const CommandLineOption* option = isLong ? find_long(options, name) : find_letter(options, argument[1]);
    if (!option) return failure("unknown option '" + name + "'");
    std::string value;
    if (equals != std::string::npos) {
      if (!option->valueName) return failure("option '" + name + "' takes no value");
      value = argument.substr(equals + 1);
    } else if (option->valueName) {
      if (i + 1 == arguments.size()) {
        return failure("option '" + name + "' needs a value, " + option->valueName);
      }
      value = arguments[++i];
    }
    option->apply(line, value);
  }
  return replay_options_agree(line);
}

std::string UsageText(const std::vector<CommandLineOption>& options, const std::string& stateLocation) {
  std::size_t width = 0;
  for (const CommandLineOption& option : options) width = std::max(width, synopsis(option).size());
  std::string text =
      "Usage: quarzel [OPTION]...\n"
      "Guard four turrets against waves of enemies spiralling in.\n\n";
  for (const CommandLineOption& option : options) {
    std::string left = synopsis(option);
    text += "  " + left + std::string(width - left.size() + 2, ' ') + option.help + "\n";
  }
  text +=
      "\nKeys: arrows or W A S D move the cursor; Z, J, Space or Return fire and confirm;\n"
      "X, K or Ctrl upgrade a turret, C, L or Shift repair it; Escape pauses;\n"
      "F11 switches full screen; F4 quits.\n"
      "\nThe saved state (options, badges, high scores) lives in\n  " + stateLocation + "\n"
      "\nEnvironment: QUARZEL_STATS=N prints a statistics line every N updates;\n"
      "QUARZEL_PING_URL=URL sends the start-up ping to URL (none without it).\n"
      "\nReplays: --record writes what the game receives; send the file with a bug report.\n"
      "Both --record and --replay end with the line \"replay: N updates, state HASH\".\n"
      "\nExit status: 0 when the game ends, 1 when a replay differs from its recording or a\n"
      "recording is incomplete, 2 for a bad command line, replay file or file to record into,\n"
      "255 after a fatal error or without a display.\n"
      QUARZEL_MORE_HELP "\n";
  return text;
}

std::string VersionText() { return std::string("quarzel ") + QUARZEL_VERSION; }
