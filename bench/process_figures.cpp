// /proc readers and run summaries for the figures programs (see process_figures.h).
#include "bench/process_figures.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The value of a "Name:   1234 kB" line of /proc/PID/status.
long StatusField(int pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, name.size() + 1, name + ":") == 0) return std::stol(line.substr(name.size() + 1));
  }
  return -1;
}

}  // namespace

long ResidentKib(int pid) { return StatusField(pid, "VmRSS"); }
long PeakResidentKib(int pid) { return StatusField(pid, "VmHWM"); }

// Fields 14 and 15 of /proc/PID/stat, counted after the command name, which may itself hold spaces.
double CpuSeconds(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  size_t afterName = text.rfind(')');
  if (afterName == std::string::npos) return -1;
  std::istringstream fields(text.substr(afterName + 2));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  long userTicks = -1, systemTicks = -1;
  fields >> userTicks >> systemTicks;
  if (!fields) return -1;
  return static_cast<double>(userTicks + systemTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Summary Summarise(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
  Summary summary;
  summary.runs = static_cast<int>(values.size());
  if (values.empty()) return summary;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  summary.low = values.front();
  summary.high = values.back();
  return summary;
}

double LoadAverage() {
  std::ifstream loadavg("/proc/loadavg");
  double oneMinute = -1;
  loadavg >> oneMinute;
  return oneMinute;
}
