// Crashes on purpose (see crashes.h).
#include "tests/runtime/crashes.h"

int OverflowStack(int depth) {
  volatile char frame[1024];
  frame[depth % sizeof frame] = 1;
  return depth < 0 ? 0 : OverflowStack(depth + 1) + frame[0];  // not a tail call: every frame stays
}

// The sanitizer build's undefined-behaviour checks would stop at the store themselves: they are off here.
__attribute__((no_sanitize("undefined"))) void WriteThroughNull() {
  volatile int* volatile target = nullptr;
  *target = 1;
}
