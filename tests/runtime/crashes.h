// Crashes on purpose, for the probes that check how the program ends after one (exit_probe, crash_probe): each
// is written so that the compiler keeps it and the sanitizers leave it to fault as it would in the shipped
// program.
#pragma once

#include "runtime/thread.h"

// Each call takes a kilobyte of stack more until the stack runs out.
int OverflowStack(int depth);

// Work that overflows its worker thread's stack, which is not the stack the main thread set up for crashes.
struct OverflowingWork : KoThread {
  void Run__UNSAFE__() override { OverflowStack(0); }
};

// A store through a null pointer that the compiler cannot see coming.
void WriteThroughNull();
