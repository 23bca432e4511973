// Files: path schemes, text decoding, the saved-state file's bytes, whole-file loads and their failures, on
// every platform. The saved state's crash safety, its symbolic link, the line a failed save prints and the local
// date, checked through mechanisms of POSIX systems, are in files_posix_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "host/core/paths.h"
#include "host/core/platform.h"
#include "tests/host/files_fixture.h"

using namespace std::string_literals;

namespace {

TEST_F(Files, PathSchemes) {
  EXPECT_EQ(narrow(KoGlfwGame::ProgramDirectory(String("C:\\Games\\Q\\game.exe"))), "C:/Games/Q");
  const std::string base = narrow(RunningProgramDirectory());
  EXPECT_EQ(base.find('\\'), std::string::npos) << "\"/\" between folders, on every platform";
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
  EXPECT_EQ(game.SaveState(String()), 0);
  EXPECT_EQ(read_file(".tarsilstate"), "");
  EXPECT_EQ(game.LoadState().Length(), 0);
  write_file(".tarsilstate", "\xE9");
  EXPECT_EQ(game.LoadState()[0], 0xE9);
  std::filesystem::remove(".tarsilstate");
  EXPECT_EQ(game.LoadState().Length(), 0) << "a missing file reads as empty";
}

TEST_F(Files, ATemporaryFileLeftByACrashIsIgnored) {
  ASSERT_EQ(game.SaveState(String("kept")), 0);
  write_file(first_temporary(), "half writ");  // the name this save would take first
  EXPECT_EQ(narrow(game.LoadState()), "kept");
  EXPECT_EQ(game.SaveState(String("next")), 0);
  EXPECT_EQ(narrow(game.LoadState()), "next");
}

// A file that cannot be read whole is no file: not a folder where a file should be (nor the part read before
// a read error, files_posix_test.cpp).
TEST_F(Files, AFolderIsAFailure) {
  std::filesystem::create_directory("folder.png");
  int length = 0;
  EXPECT_EQ(game.LoadData(String("folder.png"), &length), nullptr);
  EXPECT_EQ(game.OpenFile(String("folder.png"), String("rb")), nullptr);

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

}  // namespace
