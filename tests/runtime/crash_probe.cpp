// The program's ends on a platform without the POSIX calls of exit_probe (Windows): one per argument, each with
// the platform's crash catching set up as the program has it. Run by the Windows end-to-end test under wine.
#include <chrono>
#include <string>
#include <thread>

#include "host/core/platform.h"
#include "runtime/errors.h"
#include "runtime/gc.h"
#include "tests/runtime/crashes.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "";
  PlatformCatchCrashes();
  gc_init1();
  if (path == "end") koError(String());
  if (path == "error") koError(String("App has already been created"));
  if (path == "null-write") WriteThroughNull();
  if (path == "overflow-stack") return OverflowStack(0);
  if (path == "overflow-worker-stack") {
    (new OverflowingWork)->Start();
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));  // the worker's crash report ends the process
  }
  return 3;
}
