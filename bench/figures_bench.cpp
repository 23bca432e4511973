// Figures of the real program, measured from the outside: build/quarzel with its data folder beside it, under a
// private Xvfb (1280 x 1024) with OpenAL Soft's null backend, in a scratch working directory that takes its saved
// state. Each run starts the program twice, once kept windowed and once switched to full screen with F11; the
// figures are the median, lowest and highest over the runs. `figures_bench [RUNS [PROGRAM]]`: 5 runs by default,
// of this build's program unless another is named (its data folder beside it), to set two builds side by side;
// `figures_bench start RUNS [PROGRAM]` measures only the start to title, one start per run.
//   - start to title: milliseconds from exec to the first frame of the title screen at 640 x 480, found by
//     polling the window's pixels (both starts of a run count): the first frame of the title's background (the
//     loading screen's black gives way to its blue, which eases in while the screen slides in over 32 updates),
//     and the first frame that the end-to-end tests' title recognition accepts;
//   - resident set (VmRSS) in the title and in play (Right, Return: a round on the dial's difficulty) at
//     640 x 480 and at 1280 x 1024, beside a bare GLFW window with a GL context of the same size (bare_window);
//   - CPU time (user + system) in the title, untouched, and in play with no key held, as a share of one core.
// Prints figures; asserts nothing about time. The machine may be shared: the load average is printed with them.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/process_figures.h"
#include "tests/e2e/screens.h"
#include "tests/support/build_paths.h"

namespace {

using Clock = std::chrono::steady_clock;
const char* const kGameTitle = "Velmoor Game";
constexpr double kMib = 1024;              // KiB per MiB
constexpr double kCpuSeconds = 5;          // how long each CPU share is measured, seconds
constexpr int kSettleMilliseconds = 3000;  // after a change of screen: loading, the slide-in, a few collections

// The median of five readings a fifth of a second apart, MiB: one reading may catch a passing peak.
double ResidentMib(int pid) {
  std::vector<double> readings;
  for (int reading = 0; reading < 5; ++reading) {
    readings.push_back(static_cast<double>(ResidentKib(pid)) / kMib);
    PauseFor(200);
  }
  return Summarise(readings).median;
}

// CPU time over the next `seconds` of wall time, in percent of one core.
double CorePercent(int pid, double seconds) {
  double cpuBefore = CpuSeconds(pid);
  Clock::time_point start = Clock::now();
  PauseFor(static_cast<int>(seconds * 1000));
  double cpuAfter = CpuSeconds(pid);
  if (cpuBefore < 0 || cpuAfter < 0) return -1;
  return 100 * (cpuAfter - cpuBefore) / (MillisecondsSince(start) / 1000);
}

// The title's background has started easing in: most of the ground is no longer the loading screen's black but
// a dark blue (its first frame is an eighth of the way to (20, 80, 160)).
bool TitleHasBegun(const GameView& view) {
  std::vector<unsigned> ground = view.Grab(150, 300, 300, 100);
  size_t blue = 0;
  for (unsigned pixel : ground) {
    unsigned red = pixel >> 16 & 255, b = pixel & 255;
    blue += b >= 12 && b > red;
  }
  return blue > ground.size() / 2;
}

// Figures by name, in the order they were first given.
class Table {
 public:
  void Add(const std::string& name, double value) { Row(name).push_back(value); }
  Summary Of(const std::string& name) { return Summarise(Row(name)); }

 private:
  std::vector<double>& Row(const std::string& name) {
    for (auto& [rowName, values] : rows_) {
      if (rowName == name) return values;
    }
    rows_.emplace_back(name, std::vector<double>());
    return rows_.back().second;
  }
  std::vector<std::pair<std::string, std::vector<double>>> rows_;
};

// One start of the program, from exec to F4.
class GameRun {
 public:
  GameRun(X11Session& x11, const std::string& program)
      : x11_(x11), start_(Clock::now()), program_({program}, {"ALSOFT_DRIVERS=null"}) {}
  ~GameRun() {
    Xdotool({"key", "F4"});
    program_.Wait(10);
  }
  int pid() const { return program_.pid(); }

  // Milliseconds from exec to the first frame of the title's background and to the first frame recognised as
  // the title, at 640 x 480; -1 for what did not show within 15 s.
  std::pair<double, double> WaitForTitle() {
    double begun = -1;
    while (MillisecondsSince(start_) < 15000 && program_.Running()) {
      WindowInfo window;
      if (x11_.WaitForWindow(kGameTitle, window, 0.05) && window.width == 640) {
        GameView view(x11_, window);
        if (begun < 0 && TitleHasBegun(view)) begun = MillisecondsSince(start_);
        double now = MillisecondsSince(start_);
        if (LooksLikeTitleScreen(view)) return {begun < 0 ? now : begun, now};
      }
      PauseFor(5);
    }
    return {begun, -1};
  }
  bool OnTitle() {
    WindowInfo window;
    return x11_.WaitForWindow(kGameTitle, window, 0.05) && window.width == 640 &&
           LooksLikeTitleScreen(GameView(x11_, window));
  }

 private:
  X11Session& x11_;
  Clock::time_point start_;
  BackgroundProcess program_;
};

void AddTitleTimes(Table& table, std::pair<double, double> times) {
  table.Add("title begins", times.first);
  table.Add("title recognised", times.second);
}

void StartRound() {
  PressKey("Right");  // the focus starts on the gear; the dial is next to it
  PressKey("Return");
}

void MeasureWindowed(X11Session& x11, const std::string& program, Table& table) {
  GameRun run(x11, program);
  AddTitleTimes(table, run.WaitForTitle());
  PauseFor(kSettleMilliseconds);
  table.Add("title 640 x 480", ResidentMib(run.pid()));
  table.Add("cpu title 640 x 480", CorePercent(run.pid(), kCpuSeconds));
  StartRound();
  PauseFor(kSettleMilliseconds);
  if (run.OnTitle()) std::printf("  (a round did not start: the title is still showing)\n");
  table.Add("play 640 x 480", ResidentMib(run.pid()));
  table.Add("cpu play 640 x 480", CorePercent(run.pid(), kCpuSeconds));
  table.Add("peak, windowed run", static_cast<double>(PeakResidentKib(run.pid())) / kMib);
}

void MeasureFullScreen(X11Session& x11, const std::string& program, Table& table) {
  GameRun run(x11, program);
  AddTitleTimes(table, run.WaitForTitle());
  PauseFor(500);
  PressKey("F11");  // a new window and GL context at the screen's size; the art is loaded again at factor 4
  PauseFor(kSettleMilliseconds + 1000);
  table.Add("title 1280 x 1024", ResidentMib(run.pid()));
  table.Add("cpu title 1280 x 1024", CorePercent(run.pid(), kCpuSeconds));
  StartRound();
  PauseFor(kSettleMilliseconds);
  table.Add("play 1280 x 1024", ResidentMib(run.pid()));
  table.Add("cpu play 1280 x 1024", CorePercent(run.pid(), kCpuSeconds));
  table.Add("peak, full-screen run", static_cast<double>(PeakResidentKib(run.pid())) / kMib);
}

void MeasureBareWindow(X11Session& x11, Table& table, const char* width, const char* height) {
  BackgroundProcess bare({BARE_WINDOW, width, height});
  WindowInfo window;
  if (!x11.WaitForWindow("bare window", window, 10)) return;
  PauseFor(1500);
  table.Add(std::string("bare ") + width + " x " + height, ResidentMib(bare.pid()));
}

void PrintRow(const char* label, const Summary& s, const char* format) {
  std::printf("  %-32s", label);
  for (double value : {s.median, s.low, s.high}) std::printf(format, value);
  std::printf("  %4d", s.runs);
}

void PrintStartFigures(Table& table) {
  std::printf("\n%-34s %9s %9s %9s  %4s\n", "start to title (ms)", "median", "low", "high", "runs");
  PrintRow("exec to the title's first frame", table.Of("title begins"), " %9.0f");
  std::printf("\n");
  PrintRow("exec to the title recognised", table.Of("title recognised"), " %9.0f");
}

void PrintFigures(Table& table) {
  PrintStartFigures(table);
  std::printf("\n\n%-34s %9s %9s %9s  %4s  %s\n", "resident set (MiB)", "median", "low", "high", "runs",
              "above the bare window");
  for (const char* size : {"640 x 480", "1280 x 1024"}) {
    Summary bare = table.Of(std::string("bare ") + size);
    PrintRow((std::string("bare GLFW window ") + size).c_str(), bare, " %9.1f");
    std::printf("\n");
    for (const char* screen : {"title", "play"}) {
      std::string name = std::string(screen) + " " + size;
      Summary s = table.Of(name);
      PrintRow(name.c_str(), s, " %9.1f");
      std::printf("  %+9.1f\n", s.median - bare.median);
    }
  }
  for (const char* run : {"peak, windowed run", "peak, full-screen run"}) {
    PrintRow(run, table.Of(run), " %9.1f");
    std::printf("\n");
  }
  std::printf("\n%-34s %9s %9s %9s  %4s\n", "CPU (% of one core, 5 s)", "median", "low", "high", "runs");
  for (const char* size : {"640 x 480", "1280 x 1024"}) {
    for (const char* screen : {"title", "play"}) {
      std::string name = std::string(screen) + " " + size;
      PrintRow(name.c_str(), table.Of("cpu " + name), " %9.1f");
      std::printf("\n");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool startOnly = argc > 1 && std::string(argv[1]) == "start";
  int first = startOnly ? 2 : 1;  // the first argument after the mode
  int runs = argc > first ? std::max(1, std::atoi(argv[first])) : 5;
  std::string program = argc > first + 1 ? argv[first + 1] : build_paths::kProgram;
  X11Session x11;
  if (!x11.ok()) {
    std::fprintf(stderr, "figures_bench: Xvfb did not start\n");
    return 1;
  }
  char scratch[] = "/tmp/quarzel-figures-XXXXXX";  // the program's working directory: its saved state goes here
  if (!mkdtemp(scratch) || chdir(scratch) != 0) {
    std::fprintf(stderr, "figures_bench: no scratch directory\n");
    return 1;
  }
  double loadBefore = LoadAverage();
  std::printf("figures of %s: %d runs, Xvfb 1280 x 1024, ALSOFT_DRIVERS=null, working directory %s\n",
              program.c_str(), runs, scratch);
  Table table;
  for (int run = 0; run < runs; ++run) {
    std::printf("run %d of %d (load average %.2f)\n", run + 1, runs, LoadAverage());
    std::fflush(stdout);
    if (startOnly) {
      AddTitleTimes(table, GameRun(x11, program).WaitForTitle());
      continue;
    }
    MeasureWindowed(x11, program, table);
    MeasureFullScreen(x11, program, table);
    MeasureBareWindow(x11, table, "640", "480");
    MeasureBareWindow(x11, table, "1280", "1024");
  }
  std::printf("load average (1 min): %.2f before, %.2f after\n", loadBefore, LoadAverage());
  if (startOnly) {
    PrintStartFigures(table);
  } else {
    PrintFigures(table);
  }
  return 0;
}
