// Collector figures: small-object churn throughput, and the longest single collection step with 10 MB and
// 100 MB of live objects. The incremental design promises that no normal step's pause grows with the heap:
// marking is spread over steps in proportion to allocation, the sweep is a list splice, and destruction is
// spread over later allocations.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "runtime/array.h"
#include "runtime/object.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Small : Object {
  int value = 0;
  Ref<Small> next;
  void mark() override { gc_mark(next); }
};

struct Chunk : Object {  // 1 KiB of live data
  char payload[1000];
  Ref<Chunk> next;
  void mark() override { gc_mark(next); }
};

GlobalArray<Small*> ring;
GlobalRef<Chunk> heap;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void churn() {
  ring = Array<Small*>(4096);
  const int total = 20'000'000;
  auto start = Clock::now();
  for (int i = 0; i < total; ++i) {
    Small* object = new Small;
    if (i % 16 == 0) ring[(i / 16) % 4096] = object;  // a few survive a while
    if (i % 256 == 0) gc_collect();                    // a collection point per "host call"
  }
  double elapsed = seconds_since(start);
  std::printf("churn: %d small objects (%d bytes) in %.2f s: %.1f million objects/s\n", total,
              (new Small)->gc_size(), elapsed, total / elapsed / 1e6);
  ring = Array<Small*>();
}

// Builds `megabytes` of live chunks, then runs frames that each allocate 64 KiB of garbage and end in a
// collection point; reports the slowest steps.
void pauses(int megabytes) {
  heap = nullptr;
  for (int i = 0; i < megabytes * 1024; ++i) {
    Chunk* chunk = new Chunk;
    chunk->next = heap;
    heap = chunk;
    if (i % 64 == 0) gc_collect();
  }
  std::vector<double> steps, flipSteps;
  for (int frame = 0; frame < 3000; ++frame) {
    for (int k = 0; k < 64; ++k) new Chunk;
    int markbit = gc_markbit;
    auto start = Clock::now();
    gc_collect();
    (gc_markbit != markbit ? flipSteps : steps).push_back(seconds_since(start) * 1e6);
  }
  std::sort(steps.begin(), steps.end());
  std::sort(flipSteps.begin(), flipSteps.end());
  std::printf("live %3d MB: %zu marking steps: median %.1f us, p99 %.1f us, longest %.1f us; "
              "%zu full collections: longest %.1f us\n",
              megabytes, steps.size(), steps[steps.size() / 2], steps[steps.size() * 99 / 100], steps.back(),
              flipSteps.size(), flipSteps.empty() ? 0.0 : flipSteps.back());
  heap = nullptr;
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(1 << 30);
}

}  // namespace

int main() {
  gc_init1();
  churn();
  pauses(10);
  pauses(100);
  return 0;
}
