// Files: path schemes, text decoding, the saved-state file's bytes, its crash safety, its symbolic link and the
// line a failed save prints, whole-file loads and their failures, the local date.
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
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/core/durable_replace.h"
#include "host/posix/file_system_calls.h"
#include "host/core/paths.h"
#include "tests/host/host_test_support.h"

using namespace std::string_literals;

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

std::string narrow(const String& text) { return text.ToCString().c_str(); }

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_link() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  path[length > 0 ? length : 0] = 0;
  return path;
}

// The names in the working directory: a save, failed or not, leaves no temporary file behind.
std::vector<std::string> names_here() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename());
  return names;
}

// The temporary file a save in this process tries first.
std::string first_temporary() { return ".tarsilstate.new-" + std::to_string(getpid()) + "-1"; }

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Runs each test in a scratch working directory, since the saved state lives in the working directory.
class Files : public ::testing::Test, public HostFixture {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quarzel-files-XXXXXX";
    directory = mkdtemp(pattern);
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir(directory.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous), 0);
    std::filesystem::remove_all(directory);
  }
  String loadText(const std::string& bytes) {
    write_file("text.txt", bytes);
    return game.LoadString(String("text.txt"));
  }
  std::string directory;
  char previous[4096];
};

TEST_F(Files, PathSchemes) {
  EXPECT_EQ(narrow(KoGlfwGame::ProgramDirectory(String("C:\\Games\\Q\\game.exe"))), "C:/Games/Q");
  std::string base = narrow(KoGlfwGame::ProgramDirectory(String(read_link().c_str())));
  EXPECT_EQ(narrow(game.PathToFilePath(String("tarsil://data/sfx/00.wav"))), base + "/data/sfx/00.wav");
  EXPECT_EQ(narrow(game.PathToFilePath(String("tarsil://internal/x.txt"))), base + "/internal/x.txt");
  EXPECT_EQ(narrow(game.PathToFilePath(String("tarsil://external/x"))), base + "/external/x");
  EXPECT_EQ(game.PathToFilePath(String("tarsil://other/x")).Length(), 0);
  EXPECT_EQ(game.OpenFile(String("tarsil://other/x"), String("rb")), nullptr);
  EXPECT_EQ(narrow(game.PathToFilePath(String("data/x.png"))), "data/x.png");
}

// The build tree has the data folder beside the program; an installed program, <prefix>/bin/quarzel, finds
// it in <prefix>/share/quarzel; with neither, the program's own directory is kept so the missing folder is
// reported where it was first looked for.
TEST_F(Files, DataFolderBesideTheProgramOrInstalledUnderShare) {
  const std::string prefix = directory + "/prefix", bin = prefix + "/bin";
  std::filesystem::create_directories(bin);
  EXPECT_EQ(narrow(BaseDirForProgram(String(bin.c_str()))), bin) << "neither exists";
  std::filesystem::create_directories(prefix + "/share/quarzel/data");
  EXPECT_EQ(narrow(BaseDirForProgram(String(bin.c_str()))), prefix + "/share/quarzel") << "installed";
  write_file(bin + "/data", "not a folder");
  EXPECT_EQ(narrow(BaseDirForProgram(String(bin.c_str()))), prefix + "/share/quarzel") << "a file named data";
  std::filesystem::remove(bin + "/data");
  std::filesystem::create_directories(bin + "/data");
  EXPECT_EQ(narrow(BaseDirForProgram(String(bin.c_str()))), bin) << "the folder beside the program wins";
  EXPECT_EQ(BaseDirForProgram(String("")).Length(), 0) << "a program in the root directory has no prefix";
}

// Workers load data through the same mapping while the main thread does: the cached directories are shared
// between threads, so mapping must never copy them (their reference counts are not atomic).
TEST_F(Files, WorkerThreadsMapPathsAlongsideTheMainThread) {
  std::string base = narrow(game.PathToFilePath(String("tarsil://data/")));  // fills the cache, as at start-up
  auto map_many = [this] {
    for (int i = 0; i < 20000; ++i) {
      game.PathToFilePath(String("tarsil://data/a.png"));
      game.PathToFilePath(String("tarsil://internal/b.txt"));
    }
  };
  std::thread worker(map_many), other(map_many);
  map_many();
  worker.join();
  other.join();
  EXPECT_EQ(narrow(game.PathToFilePath(String("tarsil://internal/c"))), base.substr(0, base.size() - 5) + "internal/c");
}

TEST_F(Files, TextEncodingsAreDetected) {
  EXPECT_EQ(narrow(loadText("\xEF\xBB\xBF" "abc")), "abc") << "UTF-8 mark skipped";
  EXPECT_EQ(narrow(loadText("\xFE\xFF\x00h\x00i\x00"s)), "hi") << "UTF-16 big-endian, final odd byte ignored";
  EXPECT_EQ(narrow(loadText("\xFF\xFEh\x00i\x00"s)), "hi") << "UTF-16 little-endian";
  String accented = loadText("\xC3\xA9\xE2\x82\xAC");
  ASSERT_EQ(accented.Length(), 2);
  EXPECT_EQ(accented[1], 0x20AC);
  String latin = loadText("\xE9");
  ASSERT_EQ(latin.Length(), 1) << "invalid UTF-8 reads as ISO-8859-1";
  EXPECT_EQ(latin[0], 0xE9);
  EXPECT_EQ(loadText("a\xF0\x9F\x98\x80").Length(), 5) << "four-byte sequences are not UTF-8 here";
  EXPECT_EQ(loadText("").Length(), 0);
  EXPECT_EQ(loadText(std::string(10000, 'x')).Length(), 10000) << "longer than one read block";
  EXPECT_EQ(game.LoadString(String("missing.txt")).Length(), 0);
}

TEST_F(Files, SavedStateBytesRoundTrip) {
  EXPECT_EQ(game.SaveState(String(u"\u00e9")), 0);
  EXPECT_EQ(read_file(".tarsilstate"), "\xC3\xA9");
  EXPECT_EQ(game.LoadState()[0], 0xE9);
  const mode_t umaskNow = umask(022);
  umask(umaskNow);
  struct stat saved{};
  stat(".tarsilstate", &saved);
  EXPECT_EQ(saved.st_mode & 0777, 0666 & ~umaskNow) << "a new file's mode, as the state file always had";
  EXPECT_EQ(game.SaveState(String()), 0);
  EXPECT_EQ(read_file(".tarsilstate"), "");
  EXPECT_EQ(game.LoadState().Length(), 0);
  write_file(".tarsilstate", "\xE9");
  EXPECT_EQ(game.LoadState()[0], 0xE9);
  unlink(".tarsilstate");
  EXPECT_EQ(game.LoadState().Length(), 0) << "a missing file reads as empty";
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

TEST_F(Files, ATemporaryFileLeftByACrashIsIgnored) {
  ASSERT_EQ(game.SaveState(String("kept")), 0);
  write_file(first_temporary(), "half writ");  // the name this save would take first
  EXPECT_EQ(narrow(game.LoadState()), "kept");
  EXPECT_EQ(game.SaveState(String("next")), 0);
  EXPECT_EQ(narrow(game.LoadState()), "next");
}

// A file that cannot be read whole is no file: neither a folder where a file should be, nor the part read
// before a read error.
TEST_F(Files, AFolderOrAReadErrorIsAFailure) {
  mkdir("folder.png", 0700);
  int length = 0;
  EXPECT_EQ(game.LoadData(String("folder.png"), &length), nullptr);
  EXPECT_EQ(game.OpenFile(String("folder.png"), String("rb")), nullptr);

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

TEST_F(Files, WholeFilesCountAsExternalBytes) {
  write_file("blob.bin", std::string(3000, '\x7f'));
  int before = gc_ext_new_bytes.load(), length = 0;
  unsigned char* data = game.LoadData(String("blob.bin"), &length);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(length, 3000);
  EXPECT_EQ(data[2999], 0x7f);
  EXPECT_EQ(gc_ext_new_bytes.load() - before, 3000);
  std::free(data);
  EXPECT_EQ(game.LoadData(String("nothing.bin"), &length), nullptr);
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
