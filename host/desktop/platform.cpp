// The Linux desktop's program functions (host/core/platform.h): the program found through /proc, the fatal signals
// caught, and URLs handed to xdg-open. The runtime's hooks keep their defaults but koRunWorker, which the crash
// handlers set. The loop is in window.cpp, so that programs that only read files (the tools, the tests of the
// runtime) link no window code.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "runtime/errors.h"

void PlatformStart() {}

void PlatformCatchCrashes() { koInstallSignalHandlers(); }

String RunningProgramDirectory() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return KoGlfwGame::ProgramDirectory(String::FromUtf8(path, length > 0 ? static_cast<int>(length) : 0));
}

void PlatformStateSaved() {}  // the save flushed the file and its folder already

extern char** environ;

// Runs xdg-open with the URL as its one argument (never through a shell, so nothing in the URL is
// interpreted) and reaps it in the background. No result is reported.
void PlatformOpenUrl(const String& url) {
  std::string narrow = url.ToCString().c_str();
  char program[] = "xdg-open";
  char* arguments[] = {program, narrow.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0) return;
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}
