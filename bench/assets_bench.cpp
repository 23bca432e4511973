// Loading figures of the game, in-process on the real libraries (its own Xvfb unless DISPLAY is set; OpenAL Soft
// on its null backend unless ALSOFT_DRIVERS says otherwise): where the time between exec and the title goes, and
// what the memory holds afterwards.
//   1. Start-up at 640 x 480: opening the window, StartGame (the devices, the logo and the font), each loader
//      step and the updates of the title's slide-in, with the time spent decoding files through the host's
//      decoders, making and filling textures (glTexImage2D, glTexSubImage2D) and filling OpenAL buffers.
//   2. Memory after loading: resident set, malloc's bytes in use, and a census of what the device objects hold
//      (pixel copies, textures, OpenAL buffers), reachable or garbage waiting to be destroyed.
//   3. The same after the window is re-opened at 1280 x 1024, as F11 does: a new GL context, the art of factor 4.
//   4. The tune: sfx/testmusic.ogg decoded into a sample, its time, and the resident set and peak around it.
// The loop runs updates back to back: the program itself paces them at 60 per second. `assets_bench factor1`
// loads the art of factor 1 at every size (the game's ko_Quarzel_UseHDImages = 0), to show what the choice of
// art costs. Prints figures; asserts nothing about time.
#include <GL/gl.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench/heap_census.h"
#include "bench/process_figures.h"
#include "game/globals.h"
#include "game/my_app.h"
#include "gxtk/audio.h"
#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"
#include "runtime/gc.h"
#include "tests/e2e/x11_session.h"
#include "tests/game/build_data_host.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kMib = 1024.0 * 1024.0;

// Milliseconds spent in each kind of loading work since the last reset.
struct Work {
  double imageDecode = 0, soundDecode = 0, textureUpload = 0, bufferFill = 0;
  long long imageBytes = 0, soundBytes = 0;  // decoded

  void Add(const Work& more) {
    imageDecode += more.imageDecode;
    soundDecode += more.soundDecode;
    textureUpload += more.textureUpload;
    bufferFill += more.bufferFill;
    imageBytes += more.imageBytes;
    soundBytes += more.soundBytes;
  }
};
Work work;

}  // namespace

// Linked with --wrap: the renderer's texture calls and the audio device's buffer fills come through here.
extern "C" {
void __real_glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
void __real_glTexSubImage2D(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
void __real_alBufferData(ALuint, ALenum, const ALvoid*, ALsizei, ALsizei);

void __wrap_glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                         GLenum format, GLenum type, const void* pixels) {
  Clock::time_point start = Clock::now();
  __real_glTexImage2D(target, level, internal, width, height, border, format, type, pixels);
  work.textureUpload += MillisecondsSince(start);
}

void __wrap_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                            GLenum format, GLenum type, const void* pixels) {
  Clock::time_point start = Clock::now();
  __real_glTexSubImage2D(target, level, x, y, width, height, format, type, pixels);
  work.textureUpload += MillisecondsSince(start);
}

void __wrap_alBufferData(ALuint buffer, ALenum format, const ALvoid* data, ALsizei size, ALsizei hertz) {
  Clock::time_point start = Clock::now();
  __real_alBufferData(buffer, format, data, size, hertz);
  work.bufferFill += MillisecondsSince(start);
}
}

namespace {

// The build's data folder stands in for the one beside the program; the decoders are timed.
class BenchHost : public BuildDataHost {
 public:
  unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override {
    Clock::time_point start = Clock::now();
    unsigned char* pixels = KoGlfwGame::LoadImageData(path, width, height, depth);
    work.imageDecode += MillisecondsSince(start);
    if (pixels) work.imageBytes += static_cast<long long>(*width) * *height * *depth;
    return pixels;
  }
  unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) override {
    Clock::time_point start = Clock::now();
    unsigned char* samples = KoGlfwGame::LoadAudioData(path, length, channels, format, hertz);
    work.soundDecode += MillisecondsSince(start);
    if (samples) work.soundBytes += static_cast<long long>(*length) * *channels * *format;
    return samples;
  }
};

c_MyApp& App() { return *static_cast<c_MyApp*>(ko_app__app.get()); }

void PrintWorkHeader() {
  std::printf("  %-24s %8s %8s %8s %8s %8s %8s %8s\n", "", "ms", "png", "wav/ogg", "texture", "al fill", "rest",
              "render");
}

// One row: the wall time of `what` and the share of each kind of work in it, then the render that followed.
void PrintWork(const char* label, double milliseconds, double renderMilliseconds) {
  double rest = milliseconds - work.imageDecode - work.soundDecode - work.textureUpload - work.bufferFill;
  std::printf("  %-24s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f\n", label, milliseconds, work.imageDecode,
              work.soundDecode, work.textureUpload, work.bufferFill, rest, renderMilliseconds);
}

double Render() {
  Clock::time_point start = Clock::now();
  KoGame::_game->RenderGame();
  glfw2::glfwSwapBuffers();
  return MillisecondsSince(start);
}

// Runs updates (each followed by a render) while the loader has work; prints one row per step, then their sums.
// Returns the milliseconds of the updates and renders together.
double RunLoader() {
  double updates = 0, renders = 0;
  Work sum;
  for (int guard = 0; guard < 40 && App().m_loadStep > 0; ++guard) {
    char label[32];
    std::snprintf(label, sizeof label, "loader step %d", App().m_loadStep);
    work = Work();
    Clock::time_point start = Clock::now();
    KoGame::_game->UpdateGame();
    double update = MillisecondsSince(start);
    Work step = work;
    double render = Render();
    work = step;
    PrintWork(label, update, render);
    updates += update;
    renders += render;
    sum.Add(step);
  }
  work = sum;
  PrintWork("  all the steps", updates, renders);
  return updates + renders;
}

void PrintMemory(const char* when) {
  struct mallinfo2 heap = mallinfo2();
  std::printf("\nmemory %s\n", when);
  std::printf("  resident set %.1f MiB (peak %.1f); malloc: %.1f MiB in use, %.1f MiB free but kept\n",
              ResidentKib(getpid()) / 1024.0, PeakResidentKib(getpid()) / 1024.0,
              static_cast<double>(heap.uordblks + heap.hblkhd) / kMib, static_cast<double>(heap.fordblks) / kMib);
  gc_collect_all();  // the free list now holds exactly the unreachable objects
  Census census = TakeCensus();
  for (auto [name, held] : {std::pair{"reachable", census.reachable}, std::pair{"garbage", census.garbage}}) {
    std::printf("  %-9s %3d surfaces: pixel copies %6.1f MiB, %3d textures %6.1f MiB; %2d samples: buffers %5.1f MiB\n",
                name, held.surfaces, held.pixelBytes / kMib, held.textures, held.textureBytes / kMib, held.samples,
                held.bufferBytes / kMib);
  }
}

// Updates until the title has slid into place; returns their count.
int UpdatesUntilTitleInPlace() {
  int updates = 0;
  for (; updates < 200 && !(App().m_mode == 1 && App().m_menuSlide == 0); ++updates) {
    KoGame::_game->UpdateGame();
    Render();
  }
  return updates;
}

void StartUp(BenchHost& host) {
  std::printf("start-up at 640 x 480 (milliseconds; updates back to back)\n");
  PrintWorkHeader();
  Clock::time_point start = Clock::now();
  host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  double window = MillisecondsSince(start);
  PrintWork("open the window", window, 0);
  work = Work();
  start = Clock::now();
  host.StartGame();
  double started = MillisecondsSince(start);
  double render = Render();
  PrintWork("StartGame", started, render);
  double loader = RunLoader();
  std::printf("  decoded: %.1f MiB of pixels, %.2f MiB of samples\n", work.imageBytes / kMib, work.soundBytes / kMib);
  std::printf("  window to title mode: %.0f ms of work over %d updates (at 60 per second no less than %.0f ms)\n",
              started + render + loader, 10, 10 * 1000.0 / 60);
  int slide = UpdatesUntilTitleInPlace();
  std::printf("  then the title slides in over %d updates (%.0f ms at 60 per second)\n", slide, slide * 1000.0 / 60);
}

void ReopenLarger(BenchHost& host) {
  std::printf("\nthe window re-opened at 1280 x 1024 (a new GL context; the art of factor 4)\n");
  PrintWorkHeader();
  work = Work();
  Clock::time_point start = Clock::now();
  host.SetGlfwWindow(1280, 1024, 8, 8, 8, 0, 0, 0, false);
  double reopen = MillisecondsSince(start);
  double render = Render();  // redraws the old art: every texture made again in the new context
  PrintWork("re-open, first render", reopen, render);
  RunLoader();
  std::printf("  decoded: %.1f MiB of pixels\n", work.imageBytes / kMib);
}

void LoadTune() {
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from the resident set now
  long before = ResidentKib(getpid());
  work = Work();
  Clock::time_point start = Clock::now();
  gxtkSample* tune = gxtkAudio::audio->LoadSample(String("tarsil://data/sfx/testmusic.ogg"));
  double loaded = MillisecondsSince(start);
  ALint bytes = 0;
  if (tune && tune->buffer) alGetBufferi(tune->buffer, AL_SIZE, &bytes);
  std::printf("\nthe tune: sfx/testmusic.ogg\n");
  std::printf("  loaded in %.0f ms (decoding %.0f ms, buffer fill %.1f ms): %.1f MiB of samples, buffer %.1f MiB\n",
              loaded, work.soundDecode, work.bufferFill, work.soundBytes / kMib, bytes / kMib);
  std::printf("  resident set %+.1f MiB after the load, peak %+.1f MiB during it\n",
              (ResidentKib(getpid()) - before) / 1024.0, (PeakResidentKib(getpid()) - before) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  bool factorOne = argc > 1 && std::string(argv[1]) == "factor1";
  std::unique_ptr<X11Session> ownServer;
  if (!std::getenv("DISPLAY")) ownServer = std::make_unique<X11Session>();
  setenv("ALSOFT_DRIVERS", "null", 0);
  if (!glfw2::glfwInit()) {
    std::fprintf(stderr, "assets_bench: no display (set DISPLAY or install Xvfb)\n");
    return 1;
  }
  BenchHost host;
  koInit();
  if (factorOne) ko_Quarzel_UseHDImages = 0;
  koMain();
  std::printf("assets_bench: load average %.2f (2 cores, shared)%s\n", LoadAverage(),
              factorOne ? "; the art of factor 1 at every size" : "");
  std::printf("resident set before the window: %.1f MiB\n\n", ResidentKib(getpid()) / 1024.0);
  StartUp(host);
  PrintMemory("at 640 x 480, in the title");
  ReopenLarger(host);
  PrintMemory("at 1280 x 1024, in the title");
  LoadTune();
  glfw2::glfwTerminate();
  return 0;
}
