// Files, through mechanisms of POSIX systems: the saved state's crash safety (forked processes killed while
// they save, a file-size limit, the order of the file calls), its symbolic link, its mode, the line a failed
// save prints (the C library's error text), a read error in the middle of a file, the program's directory from
// /proc and the local date read from the C library's clock.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <ctime>
#include <thread>

#include "host/core/platform.h"
#include "host/posix/file_system_calls.h"
#include "tests/host/files_fixture.h"

// Counts reads of the calendar clock, answering as the C library does: the date test checks that filling an
// empty array reads none. The host's objects are linked into this program, so their calls come here.
std::atomic<int> clockReads{0};
extern "C" time_t time(time_t* out) noexcept {
  ++clockReads;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (out) *out = now.tv_sec;
  return now.tv_sec;
}

namespace {

std::string read_link() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  path[length > 0 ? length : 0] = 0;
  return path;
}

// The program's directory is the executable's.
TEST_F(Files, TheProgramDirectoryIsTheExecutables) {
  EXPECT_EQ(narrow(RunningProgramDirectory()), narrow(KoGlfwGame::ProgramDirectory(String(read_link().c_str()))));
}

// A new state file has the mode the state file always had.
TEST_F(Files, ASavedStateFileHasANewFilesMode) {
  EXPECT_EQ(game.SaveState(String(u"\u00e9")), 0);
  const mode_t umaskNow = umask(022);
  umask(umaskNow);
  struct stat saved{};
  stat(".tarsilstate", &saved);
  EXPECT_EQ(saved.st_mode & 0777, 0666 & ~umaskNow) << "a new file's mode, as the state file always had";
}

// The game goes on after a failed save; one line says which file could not be saved and why.
TEST_F(Files, ASaveThatCannotBeWrittenLeavesTheOldStateWholeAndSaysWhy) {
  ASSERT_EQ(game.SaveState(String("old state")), 0);
  const FileSystemCalls system = fileSystemCalls;
  fileSystemCalls.open = [](const char*, int, mode_t) {  // a folder the player may not write in
    errno = EACCES;
    return -1;
  };
  testing::internal::CaptureStdout();
  int saved = game.SaveState(String("new state"));
  fileSystemCalls = system;
  EXPECT_EQ(saved, -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Could not save ./.tarsilstate: ./" + first_temporary() + ": Permission denied\n");
  EXPECT_EQ(read_file(".tarsilstate"), "old state");

  unlink(".tarsilstate");
  mkdir(".tarsilstate", 0700);  // a folder holds the state file's place: the rename fails
  testing::internal::CaptureStdout();
  EXPECT_EQ(game.SaveState(String("new state")), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not save ./.tarsilstate: Is a directory\n");
  EXPECT_EQ(names_here(), std::vector<std::string>{".tarsilstate"}) << "the temporary file is removed";
}

// A state file that is a symbolic link (to keep saves elsewhere) is saved at the link's target and stays a
// link, whether the target exists yet or not.
TEST_F(Files, ASymbolicLinkIsSavedThroughToItsTarget) {
  struct Case {
    const char* label;
    const char* target;
    bool exists;
  } cases[] = {{"existing target", "saves/state", true}, {"target not made yet", "saves/later", false}};
  mkdir("saves", 0700);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (c.exists) write_file(c.target, "old state");
    unlink(".tarsilstate");
    ASSERT_EQ(symlink(c.target, ".tarsilstate"), 0);
    EXPECT_EQ(game.SaveState(String("new state")), 0);
    struct stat link{};
    ASSERT_EQ(lstat(".tarsilstate", &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode)) << "still a link";
    EXPECT_EQ(read_file(c.target), "new state");
    EXPECT_EQ(narrow(game.LoadState()), "new state");
  }
}

TEST_F(Files, ASaveCutShortByAFullDiskLeavesTheOldStateWhole) {
  ASSERT_EQ(game.SaveState(String("old state")), 0);
  pid_t child = fork();
  if (child == 0) {  // a process whose files may not grow past 16 bytes, as on a nearly full disk
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{16, 16};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(game.SaveState(String(std::string(5000, 'n').c_str())) == -2 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the short write is reported as -2";
  EXPECT_EQ(read_file(".tarsilstate"), "old state");
  EXPECT_EQ(narrow(game.LoadState()), "old state");
  EXPECT_EQ(names_here(), std::vector<std::string>{".tarsilstate"}) << "the partial file is removed";
}

// A saved state of the real size, 203 tokens: token i is i * step.
std::string state_of_real_size(int step) {
  std::string state;
  for (int token = 0; token < 203; ++token) state += std::to_string(token * step) + "|";
  return state;
}

// A process killed at any moment while it saves, over and over: the file always holds one whole save, the old
// one or the new one. 200 kills at random moments of a loop that alternates two saves of the real size.
TEST_F(Files, AKillAtAnyMomentOfASaveLeavesTheOldOrTheNewStateWhole) {
  const std::string first = state_of_real_size(7), second = state_of_real_size(-13);
  ASSERT_EQ(game.SaveState(String(first.c_str())), 0);
  unsigned seed = 12345;
  int firsts = 0, seconds = 0;
  for (int kill = 0; kill < 200; ++kill) {
    pid_t child = fork();
    if (child == 0) {
      for (;;) {
        game.SaveState(String(second.c_str()));
        game.SaveState(String(first.c_str()));
      }
    }
    seed = seed * 1664525u + 1013904223u;
    std::this_thread::sleep_for(std::chrono::microseconds(seed >> 8 & 0x3FFF));  // up to 16 ms
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::string saved = narrow(game.LoadState());
    ASSERT_TRUE(saved == first || saved == second) << "kill " << kill << " left " << saved.size() << " bytes";
    if (saved == first) {
      ++firsts;
    } else {
      ++seconds;
    }
  }
  std::printf("kills: %d left the first save, %d the second\n", firsts, seconds);
}

// Two copies of the game saving into one folder at once, 300 times each, loading after every save: each save
// succeeds, and every load, during and after, finds one whole save of one of them.
TEST_F(Files, TwoCopiesSavingAtOnceNeverMixTheirSaves) {
  const std::string states[2] = {state_of_real_size(7), state_of_real_size(-13)};
  pid_t copies[2];
  for (int copy = 0; copy < 2; ++copy) {
    copies[copy] = fork();
    if (copies[copy] != 0) continue;
    int faults = 0;
    for (int save = 0; save < 300; ++save) {
      faults += game.SaveState(String(states[copy].c_str())) != 0;
      std::string loaded = narrow(game.LoadState());
      faults += loaded != states[0] && loaded != states[1];
    }
    _exit(std::min(faults, 100));
  }
  for (pid_t copy : copies) {
    int status = 0;
    waitpid(copy, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves and mixed loads of copy " << copy;
  }
  std::string saved = narrow(game.LoadState());
  EXPECT_TRUE(saved == states[0] || saved == states[1]) << "left " << saved.size() << " bytes";
}

// A save flushes the new file to disk before it renames it into place, and the folder after, so that a power
// cut brings back the old state or the new one, never an empty file.
std::vector<std::string> fileCalls;
TEST_F(Files, ASaveFlushesTheFileBeforeTheRenameAndTheFolderAfterIt) {
  fileCalls.clear();
  const FileSystemCalls system = fileSystemCalls;
  fileSystemCalls.write = [](int fd, const void* bytes, size_t count) {
    fileCalls.push_back("write");
    return write(fd, bytes, count);
  };
  fileSystemCalls.fsync = [](int fd) {
    struct stat flushed{};
    fstat(fd, &flushed);
    fileCalls.push_back(S_ISDIR(flushed.st_mode) ? "flush folder" : "flush file");
    return fsync(fd);
  };
  fileSystemCalls.rename = [](const char* from, const char* to) {
    fileCalls.push_back("rename");
    return std::rename(from, to);
  };
  int saved = game.SaveState(String("state"));
  fileSystemCalls = system;
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(fileCalls, (std::vector<std::string>{"write", "flush file", "rename", "flush folder"}));
}

// A file that cannot be read whole is no file: nor the part read before a read error.
TEST_F(Files, AReadErrorIsAFailure) {
  int length = 0;
  // A host whose file gives 5000 bytes, then ends or fails.
  struct CutShortHost : KoGlfwGame {
    bool fails = false;
    std::FILE* OpenFile(String, String) override {
      static cookie_io_functions_t reads{};
      reads.read = [](void* cookie, char* buffer, size_t size) -> ssize_t {
        auto* host = static_cast<CutShortHost*>(cookie);
        if (host->served == 5000) return host->fails ? -1 : 0;
        size_t n = std::min<size_t>(size, 5000 - host->served);
        std::memset(buffer, 'x', n);
        host->served += n;
        return static_cast<ssize_t>(n);
      };
      served = 0;
      return fopencookie(this, "rb", reads);
    }
    size_t served = 0;
  } host;
  unsigned char* whole = host.LoadData(String("cut"), &length);
  ASSERT_NE(whole, nullptr) << "the same bytes, ending normally";
  EXPECT_EQ(length, 5000);
  std::free(whole);
  host.fails = true;
  EXPECT_EQ(host.LoadData(String("cut"), &length), nullptr);
}

TEST_F(Files, DateFillsOnlyTheElementsThatExist) {
  Array<int> date(3);
  game.GetDate(date);
  EXPECT_GE(date[0], 2024);
  EXPECT_GE(date[1], 1);
  EXPECT_LE(date[1], 12);
  EXPECT_GE(date[2], 1);
  Array<int> full(9);
  full[8] = 77;
  game.GetDate(full);
  EXPECT_EQ(full[6], 0) << "milliseconds";
  EXPECT_EQ(full[8], 77) << "beyond the seventh element nothing is touched";
  int reads = clockReads;
  game.GetDate(Array<int>());
  EXPECT_EQ(clockReads, reads) << "an empty array is left alone, and the clock is not read";
  game.GetDate(date);
  EXPECT_EQ(clockReads, reads + 1) << "the count sees the host's reads";
}

}  // namespace
