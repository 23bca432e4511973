// Path schemes and the program directory; handing URLs to the desktop.
//
//   "tarsil://data/..."      -> <program directory>/data/...
//   "tarsil://internal/..."  -> <program directory>/internal/...
//   "tarsil://external/..."  -> <program directory>/external/...
//   any other "tarsil:..."   -> "" (cannot be opened)
//   anything else            -> unchanged (relative to the working directory)
// The directories are computed on first use, on the main thread at start-up, and cached. Workers map paths
// too, so mapping only reads the cached strings and never copies them (a copy would count non-atomically).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "host/glfw_game.h"
#include "runtime/errors.h"

extern char** environ;

String KoGlfwGame::ProgramDirectory(String executablePath) {
  String path = executablePath.Replace(String("\\"), String("/"));
  int slash = path.FindLast(String("/"));
  if (slash < 0) koError(String("Cannot find the program directory"));
  return path.Slice(0, slash);
}

const String& KoGlfwGame::BaseDir() {
  if (_baseDir.Length() == 0) {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    _baseDir = ProgramDirectory(String::FromUtf8(path, length > 0 ? static_cast<int>(length) : 0));
    _internalDir = _baseDir + String("/internal");
  }
  return _baseDir;
}

String KoGlfwGame::PathToFilePath(String path) {
  if (!path.StartsWith(String("tarsil:"))) return path;
  const String data("tarsil://data/"), internal("tarsil://internal/"), external("tarsil://external/");
  if (path.StartsWith(data)) return BaseDir() + String("/data/") + path.Slice(data.Length());
  if (path.StartsWith(internal)) return (BaseDir(), _internalDir) + String("/") + path.Slice(internal.Length());
  if (path.StartsWith(external)) return BaseDir() + String("/external/") + path.Slice(external.Length());
  return String();
}

// Runs xdg-open with the URL as its one argument (never through a shell, so nothing in the URL is
// interpreted) and reaps it in the background. No result is reported.
void KoGlfwGame::OpenUrl(String url) {
  std::string narrow = url.ToCString().c_str();
  char program[] = "xdg-open";
  char* arguments[] = {program, narrow.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0) return;
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}
