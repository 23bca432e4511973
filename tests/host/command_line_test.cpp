// The command line: what each argument list asks for, and the one line that names a bad argument. How options
// take a value is checked on a table of its own; the replay options' rules on the program's.
#include <gtest/gtest.h>

#include "program/command_line.h"

namespace {

using Action = CommandLine::Action;

struct Case {
  const char* label;
  std::vector<std::string> arguments;
  Action action;
  std::string error;
};

void ExpectParses(const std::vector<CommandLineOption>& options, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(options, c.arguments);
    EXPECT_EQ(line.action, c.action) << c.label;
    EXPECT_EQ(line.error, c.error) << c.label;
  }
}

TEST(CommandLine, TheProgramsOptions) {
  ExpectParses(ProgramOptions(), {
      {"no arguments: play as always", {}, Action::Play, ""},
      {"help", {"--help"}, Action::Help, ""},
      {"help, short", {"-h"}, Action::Help, ""},
      {"version", {"--version"}, Action::Version, ""},
      {"version, short", {"-V"}, Action::Version, ""},
      {"help wins over version", {"--version", "--help"}, Action::Help, ""},
      {"unknown option", {"--fullscreen"}, Action::Error, "unknown option '--fullscreen'"},
      {"a valid option after an invalid one", {"--bogus", "--help"}, Action::Error, "unknown option '--bogus'"},
      {"an invalid option after a valid one", {"--version", "-x"}, Action::Error, "unknown option '-x'"},
      {"a word", {"play"}, Action::Error, "unexpected argument 'play'"},
      {"a lone dash", {"-"}, Action::Error, "unexpected argument '-'"},
      {"short options are not bundled", {"-hV"}, Action::Error, "unexpected argument '-hV'"},
      {"a switch given a value", {"--help=yes"}, Action::Error, "option '--help' takes no value"},
      {"record", {"--record", "a.qzr"}, Action::Play, ""},
      {"replay, fast, writing saves", {"--replay-saves", "--replay=a.qzr", "--fast"}, Action::Play, ""},
      {"record and replay", {"--record", "a", "--replay", "b"}, Action::Error,
       "options '--record' and '--replay' exclude each other"},
      {"fast without a replay", {"--record", "a", "--fast"}, Action::Error, "option '--fast' needs --replay"},
      {"saves without a replay", {"--replay-saves"}, Action::Error, "option '--replay-saves' needs --replay"},
      {"help wins over a replay's rules", {"--fast", "--help"}, Action::Help, ""},
  });
  const CommandLine line = ParseCommandLine(ProgramOptions(), {"--replay", "a.qzr", "--fast"});
  EXPECT_EQ(line.replayFile, "a.qzr");
  EXPECT_TRUE(line.fast);
  EXPECT_FALSE(line.replaySaves);
  EXPECT_EQ(line.recordFile, "");
}

std::string recorded;  // what the test table's value option was given

TEST(CommandLine, OptionsWithAValue) {
  const std::vector<CommandLineOption> options = {
      {"--record", 0, "FILE", "keep the input in FILE",
       [](CommandLine&, const std::string& value) { recorded = value; }},
      {"--help", 'h', nullptr, "help", [](CommandLine& line, const std::string&) { line.action = Action::Help; }},
  };
  struct ValueCase {
    const char* label;
    std::vector<std::string> arguments;
    std::string value;
  };
  for (const ValueCase& c : std::vector<ValueCase>{
           {"value as the next argument", {"--record", "run.txt"}, "run.txt"},
           {"value after =", {"--record=run.txt"}, "run.txt"},
           {"an empty value after =", {"--record="}, ""},
           {"the next argument is the value, whatever it looks like", {"--record", "--help"}, "--help"},
       }) {
    recorded = "none";
    const CommandLine line = ParseCommandLine(options, c.arguments);
    EXPECT_EQ(line.action, Action::Play) << c.label;
    EXPECT_EQ(recorded, c.value) << c.label;
  }
  ExpectParses(options, {
      {"value missing at the end", {"-h", "--record"}, Action::Error, "option '--record' needs a value, FILE"},
  });
}

TEST(CommandLine, UsageNamesEveryOptionAndWhereTheStateLives) {
  const std::string usage = UsageText(ProgramOptions(), "/home/p/.local/share/quarzel/.tarsilstate");
  for (const CommandLineOption& option : ProgramOptions()) {
    const std::string synopsis = std::string(option.name) + (option.valueName ? std::string(" ") + option.valueName : "");
    EXPECT_NE(usage.find(synopsis + "  "), std::string::npos) << option.name;
    EXPECT_NE(usage.find(option.help), std::string::npos) << option.name;
  }
  EXPECT_NE(usage.find("\n  /home/p/.local/share/quarzel/.tarsilstate\n"), std::string::npos);
  EXPECT_EQ(usage.rfind("Usage: quarzel", 0), 0u);
}

}  // namespace
