// The real program's command line, answered with no display at all: had it started GLFW or opened a window,
// it would have failed with "glfwInit failed" and status 255 instead. A replay file that cannot be run is
// answered there too.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "tests/support/build_paths.h"
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
  const std::string cut = "/tmp/quarzel-cut-replay.qzr";  // a header and the first byte of a record
  std::ofstream(cut, std::ios::binary) << std::string("QZRP\x01\0\0\0\0\0\0\0\x21", 13);
  const std::string scores = "/tmp/quarzel-not-a-replay";  // what --record must not overwrite
  std::ofstream(scores, std::ios::binary) << "1|2|3|";
  for (const Case& c : std::vector<Case>{
           {"help", {"--help"}, 0, "Usage: quarzel [^]*\n  ./.tarsilstate in the working directory [^]*", ""},
           {"version", {"--version"}, 0, "quarzel [0-9]+\\.[0-9]+\\.[0-9]+\n", ""},
           {"unknown option", {"--bogus"}, 2, "", bogus},
           {"a valid option after an invalid one", {"--bogus", "--version"}, 2, "", bogus},
           {"a replay's switch without --replay", {"--fast"}, 2, "",
            "quarzel: option '--fast' needs --replay (quarzel --help lists the options)\n"},
           {"no such replay file", {"--replay", "/nonexistent/a.qzr"}, 2, "",
            "quarzel: /nonexistent/a.qzr: No such file or directory\n"},
           {"a file that is no replay", {"--replay", build_paths::kProgram}, 2, "",
            std::string("quarzel: ") + build_paths::kProgram + ": not a replay file\n"},
           {"a replay cut short", {"--replay", cut}, 2, "",
            "quarzel: " + cut + ": the replay is cut short at byte 12\n"},
           {"recording over a file that is no replay", {"--record", scores}, 2, "",
            "quarzel: " + scores + ": not a replay file; it stays as it is\n"},
       }) {
    std::vector<std::string> command = {"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", build_paths::kProgram};
    command.insert(command.end(), c.arguments.begin(), c.arguments.end());
    ProcessResult result = RunProcess(command);
    EXPECT_EQ(result.status, c.status) << c.label;
    EXPECT_TRUE(std::regex_match(result.out, std::regex(c.out))) << c.label << ": " << result.out;
    EXPECT_EQ(result.err, c.err) << c.label;
  }
  std::ifstream kept(scores, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "1|2|3|");
  std::remove(cut.c_str());
  std::remove(scores.c_str());
}

}  // namespace
