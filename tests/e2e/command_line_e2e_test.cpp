// The real program's command line, answered with no display at all: had it started GLFW or opened a window,
// it would have failed with "glfwInit failed" and status 255 instead.
#include <gtest/gtest.h>

#include <regex>

#include "tests/support/subprocess.h"

namespace {

TEST(CommandLineE2e, AnsweredBeforeAnyWindow) {
  struct Case {
    const char* label;
    std::vector<std::string> arguments;
    int status;
    std::string out;  // a regular expression for the whole standard output
    std::string err;
  };
  const std::string bogus = "quarzel: unknown option '--bogus' (quarzel --help lists the options)\n";
  for (const Case& c : std::vector<Case>{
           {"help", {"--help"}, 0, "Usage: quarzel [^]*\n  ./.tarsilstate in the working directory [^]*", ""},
           {"version", {"--version"}, 0, "quarzel [0-9]+\\.[0-9]+\\.[0-9]+\n", ""},
           {"unknown option", {"--bogus"}, 2, "", bogus},
           {"a valid option after an invalid one", {"--bogus", "--version"}, 2, "", bogus},
       }) {
    std::vector<std::string> command = {"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", QUARZEL_PROGRAM};
    command.insert(command.end(), c.arguments.begin(), c.arguments.end());
    ProcessResult result = RunProcess(command);
    EXPECT_EQ(result.status, c.status) << c.label;
    EXPECT_TRUE(std::regex_match(result.out, std::regex(c.out))) << c.label << ": " << result.out;
    EXPECT_EQ(result.err, c.err) << c.label;
  }
}

}  // namespace
