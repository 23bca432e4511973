// One fatal or output path per command-line argument, for exit_path_test to run in a child process.
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/core/game.h"
#include "host/core/platform.h"
#include "runtime/errors.h"
#include "runtime/object.h"
#include "runtime/thread.h"
#include "tests/runtime/crashes.h"

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

// Crashes with the allocator's state broken, as heap corruption leaves it: for every small block size, the
// link inside a freed block is overwritten (glibc keeps it masked with the block's address) to lead to the
// address 0x10. The next allocation of a size follows it and faults inside malloc, and so would any later
// one, such as a report that builds strings.
void corrupt_heap_and_allocate() {
  void* (*volatile allocate)(std::size_t) = std::malloc;  // opaque calls: kept as written by the compiler
  void (*volatile release)(void*) = std::free;
  for (std::size_t size = 24; size <= 1032; size += 16) {
    void* first = allocate(size);
    void* second = allocate(size);
    release(first);
    release(second);  // the free list for this size: second, then first
    auto* link = static_cast<std::uintptr_t*>(second);
    *link = (reinterpret_cast<std::uintptr_t>(link) >> 12) ^ 0x10;
    allocate(size);  // takes `second`: the list now leads to 0x10
  }
  allocate(24);
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "";
  PlatformCatchCrashes();
  gc_init1();
  if (path == "end") koError(String());
  if (path == "error") koError(String("App has already been created"));
  if (path == "print-e-acute") return koPrint(String(u"\u00e9"));
  if (path == "print-nul") return koPrint(String(u"ab\0cd", 5));
  if (path == "segv") std::raise(SIGSEGV);
  if (path == "ill") std::raise(SIGILL);
  if (path == "fpe") std::raise(SIGFPE);
  if (path == "corrupt-heap") corrupt_heap_and_allocate();
  if (path == "overflow-stack") return OverflowStack(0);
  if (path == "overflow-worker-stack") {
    (new OverflowingWork)->Start();
    for (;;) pause();  // the worker's crash report ends the process
  }
  if (path == "null-write") WriteThroughNull();
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
