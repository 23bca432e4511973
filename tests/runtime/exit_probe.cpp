// One fatal or output path per command-line argument, for exit_path_test to run in a child process.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/game.h"
#include "runtime/errors.h"
#include "runtime/object.h"

namespace {

// Replaces standard input with a pipe holding `script`, as a debugger attached to the program would send.
void script_stdin(const std::string& script) {
  int fds[2];
  if (pipe(fds) != 0) return;
  ssize_t written = write(fds[1], script.data(), script.size());
  (void)written;
  close(fds[1]);
  dup2(fds[0], 0);
  close(fds[0]);
}

GlobalRef<Object> kept;

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  std::signal(SIGSEGV, sighandler);
  std::signal(SIGILL, sighandler);
  std::signal(SIGFPE, sighandler);
  gc_init1();
  if (path == "end") koError(String());
  if (path == "error") koError(String("App has already been created"));
  if (path == "print-e-acute") return koPrint(String(u"\u00e9"));
  if (path == "print-nul") return koPrint(String(u"ab\0cd", 5));
  if (path == "segv") std::raise(SIGSEGV);
  if (path == "ill") std::raise(SIGILL);
  if (path == "fpe") std::raise(SIGFPE);
  if (path == "huge-array") {
    Array<int> huge(1 << 29);  // 2 GiB of elements: the block's size does not fit an int
    return huge.Length();
  }
  if (path == "die") {
    struct Host : KoGame {} host;
    host.Die(new ThrowableObject);
  }
  if (path == "inspect") {
    kept = new Object;
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<void*>(kept.get()));
    script_stdin(std::string("?\n@") + address + "\n@0x10\nq\n");
    dbg_error("inspect");
  }
  return 3;
}
