// What the figures programs read about a running process from /proc, and how they sum up repeated runs.
// Linux only; every reader gives -1 once the process is gone.
#pragma once

#include <chrono>
#include <vector>

long ResidentKib(int pid);      // VmRSS: the resident set now
long PeakResidentKib(int pid);  // VmHWM: the largest resident set so far
double CpuSeconds(int pid);     // user + system time the process has used

// The median of several runs, and the lowest and highest value beside it.
struct Summary {
  double median = -1, low = -1, high = -1;
  int runs = 0;
};
Summary Summarise(std::vector<double> values);  // values below 0 (failed runs) are left out

// The machine's load average over the last minute, from /proc/loadavg.
double LoadAverage();

// Wall milliseconds since `start`, on the steady clock.
inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
