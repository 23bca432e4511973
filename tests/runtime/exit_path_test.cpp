// The runtime's exit paths, run in a child process: exact texts on both streams and exit statuses.
#include <gtest/gtest.h>

#include "tests/support/build_paths.h"
#include "tests/support/subprocess.h"

namespace {

ProcessResult probe(const std::string& path, const std::string& debuggerInput = std::string()) {
  return RunProcess({build_paths::kExitProbe, path}, debuggerInput);
}

const std::string kReport = "Tarsil Runtime Error : App has already been created\n\n";
const std::string kMarker = "{{~~~~}}\n\n";

TEST(ExitPaths, AnEmptyErrorEndsTheProgramQuietly) {
  ProcessResult result = probe("end");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

TEST(ExitPaths, AnErrorWithoutDebuggerReportsAndExitsMinusOne) {
  ProcessResult result = probe("error");
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.out, kReport);
  EXPECT_EQ(result.err, kMarker);
}

TEST(ExitPaths, DebuggerCommands) {
  ProcessResult resumed = probe("error", "r\n");
  EXPECT_EQ(resumed.status, 255) << "a runtime error never resumes the program";
  EXPECT_EQ(resumed.out, kReport + kReport);
  EXPECT_EQ(resumed.err, kMarker + kMarker);

  ProcessResult quit = probe("error", "?\nq\n");
  EXPECT_EQ(quit.status, 0);
  EXPECT_EQ(quit.out, kReport);

  ProcessResult unknown = probe("error", "x\n");
  EXPECT_EQ(unknown.status, 255);
  EXPECT_EQ(unknown.out, kReport + "????? x ?????");

  ProcessResult unterminated = probe("error", "q");
  EXPECT_EQ(unterminated.status, 255) << "a command line needs its newline";
}

TEST(ExitPaths, TheDebuggerInspectsOnlyLiveObjects) {
  ProcessResult result = probe("inspect");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, kMarker + "+Object\n\n" + "\n");
}

TEST(ExitPaths, AnObjectOf2GiBOrMoreIsRefused) {
  ProcessResult result = probe("huge-array");
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.out, "Tarsil Runtime Error : Object too large to allocate\n\n");
}

TEST(ExitPaths, SignalsStopWithTheirMessages) {
  EXPECT_EQ(probe("segv").out, "Tarsil Runtime Error : Memory access violation\n\n");
  EXPECT_EQ(probe("ill").out, "Tarsil Runtime Error : Illegal instruction\n\n");
  ProcessResult fpe = probe("fpe");
  EXPECT_EQ(fpe.out, "Tarsil Runtime Error : Floating point exception\n\n");
  EXPECT_EQ(fpe.status, 255);
  EXPECT_EQ(fpe.err, kMarker);
}

// A crash reports and ends even when it broke what the report could use: the allocator (heap corruption,
// faulting inside malloc), the stack (an overflow, on the main thread or a worker), or nothing (a plain null
// write). A hang would show as the child being killed at the time limit.
TEST(ExitPaths, CrashesReportAndEndWhateverTheyBroke) {
  for (const char* crash : {"corrupt-heap", "overflow-stack", "overflow-worker-stack", "null-write"}) {
    SCOPED_TRACE(crash);
#ifdef __SANITIZE_ADDRESS__
    if (std::string(crash) == "corrupt-heap") {
      std::puts("corrupt-heap skipped: AddressSanitizer's allocator reports the corrupting write itself");
      continue;
    }
#endif
    ProcessResult result = RunProcess({build_paths::kExitProbe, crash}, std::string(), 10);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.out, "Tarsil Runtime Error : Memory access violation\n\n");
    EXPECT_EQ(result.err, kMarker);
    EXPECT_EQ(result.status, 255);
  }
  ProcessResult resumed = RunProcess({build_paths::kExitProbe, "null-write"}, "?\n@0x10\nr\n");
  EXPECT_EQ(resumed.out, std::string(2, '\n').insert(0, "Tarsil Runtime Error : Memory access violation") +
                             "Tarsil Runtime Error : Memory access violation\n\n")
      << "the debugger's commands work in a crash too, and resuming reports again";
  EXPECT_EQ(resumed.err, kMarker + "\n" + kMarker);
  EXPECT_EQ(resumed.status, 255);
}

TEST(ExitPaths, AnUncaughtExceptionDies) {
  ProcessResult result = probe("die");
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.out, "Tarsil Runtime Error : Uncaught Tarsil Exception\n");
}

TEST(Printing, LinesAreUtf8AndStopAtACodeUnitZero) {
  EXPECT_EQ(probe("print-e-acute").out, "\xC3\xA9\n");
  EXPECT_EQ(probe("print-nul").out, "ab");
}

}  // namespace
