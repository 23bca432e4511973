// The Linux desktop's program functions (host/core/platform.h): the program found through /proc, the fatal signals
// caught, and URLs handed to xdg-open. The runtime's hooks keep their defaults but koRunWorker, which catching
// crashes sets. The loop is in window.cpp, so that programs that only read files (the tools, the tests of the
// runtime) link no window code.
//
// Crashes: SIGSEGV, SIGILL and SIGFPE go to the runtime's sighandler, which reports them and ends the program.
// It runs on an alternate stack, the main thread's for the life of the process and each worker's its own, so
// that a stack overflow is reported too.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <string>
#include <thread>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

// An alternate stack for sighandler on the calling thread while this object lives. The destructor puts back
// whatever the thread had before (a sanitizer's own, say), so create and destroy it on the same thread.
class SignalStack {
 public:
  SignalStack() : _bytes(new char[kBytes]) {
    stack_t stack{};
    stack.ss_sp = _bytes.get();
    stack.ss_size = kBytes;
    sigaltstack(&stack, &_previous);
  }
  ~SignalStack() { sigaltstack(&_previous, nullptr); }
  SignalStack(const SignalStack&) = delete;
  SignalStack& operator=(const SignalStack&) = delete;

 private:
  static constexpr std::size_t kBytes = 64 * 1024;  // the handler's deepest path needs a few hundred
  std::unique_ptr<char[]> _bytes;
  stack_t _previous{};
};

void run_with_signal_stack(void (*work)(void*), void* argument) {
  SignalStack stack;
  work(argument);
}

}  // namespace

void PlatformStart() {}

void PlatformCatchCrashes() {
  // The main thread's stack stays for the life of the process: never destroyed, so no exit path takes it away.
  static SignalStack* const mainThreadStack = new SignalStack;
  (void)mainThreadStack;
  koRunWorker = run_with_signal_stack;
  struct sigaction action{};
  action.sa_handler = sighandler;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGSEGV, SIGILL, SIGFPE}) sigaction(signal, &action, nullptr);
}

String RunningProgramDirectory() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return KoGlfwGame::ProgramDirectory(String::FromUtf8(path, length > 0 ? static_cast<int>(length) : 0));
}

void PlatformStateSaved() {}  // the save flushed the file and its folder already

bool PlatformHasTouchScreen() { return false; }  // a desktop's pointer is a mouse

extern char** environ;

// Runs xdg-open with the URL as its one argument (never through a shell, so nothing in the URL is
// interpreted), percent-encoded as a request line carries it, and reaps it in the background. No result is
// reported.
void PlatformOpenUrl(const String& url) {
  std::string narrow = PercentEncodedUtf8(url);
  char program[] = "xdg-open";
  char* arguments[] = {program, narrow.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0) return;
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}
