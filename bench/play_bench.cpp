// Play figures: CPU time of one update of play (p_Game) and of one render pass (the replay of the draw list
// through the graphics context into the renderer, with its final flush), in two states:
//   - a typical wave-7 state: a game played for a while with fire held, two enemies of level 3 per spawn;
//   - full tables: 251 objects (enemies and bullets mixed), 251 particles, 40 turrets.
// Each of 1000 measured runs starts from the same snapshot of the tables; prints the median and the worst.
// Built twice: play_bench on the real libraries (uses $DISPLAY, or starts its own Xvfb) and play_bench_fakes on
// the recording fakes (whose GL records every vertex, so its render figure includes that bookkeeping).
// Prints figures; asserts nothing about time.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "bench/process_figures.h"
#include "game/entity_tables.h"
#include "game/my_app.h"
#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"
#include "tests/game/build_data_host.h"
#ifdef PLAY_BENCH_FAKES
#include "tests/fakes/fake_gl.h"
#include "tests/fakes/fake_glfw2.h"
#else
#include <GL/gl.h>

#include "tests/e2e/x11_session.h"
#endif

// Draw calls per render: a change of texture or primitive ends a batch, so interleaved kinds cost calls.
int drawCalls = 0;
#ifndef PLAY_BENCH_FAKES
extern "C" void __real_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
extern "C" void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
extern "C" void __wrap_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  ++drawCalls;
  __real_glDrawElements(mode, count, type, indices);
}
extern "C" void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  ++drawCalls;
  __real_glDrawArrays(mode, first, count);
}
#endif

namespace {

using BenchHost = BuildDataHost;  // the bench does not live beside the data folder

double thread_micros() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

struct Snapshot {
  std::vector<float> units, objs, particles;
  int waveState, waveTimer, money;
};

Snapshot take(c_MyApp& app) {
  auto copy = [](const Array<float>& table) {
    return std::vector<float>(&table[0], &table[0] + table.Length());
  };
  return {copy(app.m_units), copy(app.m_objs), copy(app.m_particles), app.m_waveState, app.m_waveTimer,
          app.m_money};
}

void restore(c_MyApp& app, const Snapshot& s) {
  std::copy(s.units.begin(), s.units.end(), &app.m_units[0]);
  std::copy(s.objs.begin(), s.objs.end(), &app.m_objs[0]);
  std::copy(s.particles.begin(), s.particles.end(), &app.m_particles[0]);
  app.m_waveState = s.waveState;
  app.m_waveTimer = s.waveTimer;
  app.m_money = s.money;
}

struct Figures {
  double updateMedian, updateWorst, renderMedian, renderWorst;
  int commands, drawCallsPerRender, enemies, bullets, particles;
};

Figures measure(BenchHost& host, c_MyApp& app, const Snapshot& snapshot) {
  std::vector<double> updates, renders;
  drawCalls = 0;
  for (int run = 0; run < 1000; ++run) {
    restore(app, snapshot);
    double start = thread_micros();
    app.p_Game();
    updates.push_back(thread_micros() - start);
    start = thread_micros();
    host.RenderGame();
    renders.push_back(thread_micros() - start);
#ifdef PLAY_BENCH_FAKES
    drawCalls += static_cast<int>(fake_gl::state.draws.size());
    fake_gl::state.calls.clear();
    fake_gl::state.draws.clear();
#else
    glfw2::glfwSwapBuffers();
#endif
  }
  Summary update = Summarise(updates), render = Summarise(renders);
  Figures f{update.median, update.high, render.median, render.high, app.m_drawLen / 15, drawCalls / 1000, 0, 0, 0};
  restore(app, snapshot);
  for (int slot = 0; slot <= obj::kLastSlot; ++slot) {
    float kind = app.m_objs[kEntryFloats * slot];
    f.enemies += obj::IsEnemy(kind);
    f.bullets += kind == obj::kBullet;
    f.particles += app.m_particles[kEntryFloats * slot] != 0;
  }
  return f;
}

// A game at wave 7, played for 240 updates with fire held and the cursor circling.
Snapshot wave_seven(BenchHost& host, c_MyApp& app) {
  app.m_mode = 11;
  host.UpdateGame();
  app.m_wave = 7;
  ko_input_device->p_KeyEvent(c_KoGameEvent::KeyDown, 90);  // Z: fire
  for (int update = 0; update < 240; ++update) {
    int arrow = 37 + update / 30 % 4;  // left, up, right, down in turn
    ko_input_device->p_KeyEvent(c_KoGameEvent::KeyDown, arrow);
    host.UpdateGame();
    ko_input_device->p_KeyEvent(c_KoGameEvent::KeyUp, arrow);
  }
  return take(app);
}

// Every table full: 40 turrets, 251 objects alternating enemies and bullets on screen, 251 sparks.
Snapshot full_tables(c_MyApp& app) {
  for (int column = 0; app.p_FreeObjectSlot() >= 0 || column < 36; ++column) {
    if (column < 36) app.p_AddTurret(static_cast<float>(11 + column % 18), static_cast<float>(14 + column / 18 * 12), 0);
    int slot = app.p_FreeObjectSlot();
    if (slot < 0) continue;
    float* o = &app.m_objs[kEntryFloats * slot];
    bool enemy = slot % 2 == 0;
    o[obj::kKind] = enemy ? static_cast<float>(11 + slot % 7) : obj::kBullet;
    o[obj::kX] = 340 + 2.4f * slot;
    o[obj::kY] = 260 + static_cast<float>(slot % 40) * 11;
    o[obj::kVelX] = enemy ? 640 : 0.5f;  // enemies: a waypoint; bullets: a velocity
    o[obj::kVelY] = enemy ? 480 : -0.5f;
    o[obj::kRadius] = 200;
    o[obj::kCooldown] = 0;
    o[obj::kHitPoints] = 1;
    o[obj::kLevel] = 3;
  }
  for (int slot = 0; slot <= particle::kLastSlot; ++slot) {
    app.p_ThrowParticle(400 + slot, 300 + slot % 50, slot % 9 + 1, static_cast<float>(slot), 1);
  }
  return take(app);
}

void print(const char* state, const Figures& f) {
  std::printf("%-12s %4d %4d %4d %6d %6d %12.1f %12.1f %12.1f %12.1f\n", state, f.enemies, f.bullets, f.particles,
              f.commands, f.drawCallsPerRender, f.updateMedian, f.updateWorst, f.renderMedian, f.renderWorst);
}

}  // namespace

int main() {
#ifdef PLAY_BENCH_FAKES
  fake_glfw::reset();
  fake_gl::reset();
  const char* backend = "fakes";
#else
  std::unique_ptr<X11Session> ownServer;
  if (!std::getenv("DISPLAY")) ownServer = std::make_unique<X11Session>();
  const char* backend = "real GL";
#endif
  if (!glfw2::glfwInit()) {
    std::fprintf(stderr, "play_bench: no display (set DISPLAY or install Xvfb)\n");
    return 1;
  }
  BenchHost host;
  koInit();
  koMain();
  host.SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  host.StartGame();
  auto& app = *static_cast<c_MyApp*>(ko_app__app.get());
  for (int guard = 0; guard < 40 && app.m_loadStep > 0; ++guard) {
    host.RenderGame();
    host.UpdateGame();
  }
  host.RenderGame();

  std::printf("play_bench on %s, 640 x 480; microseconds of thread CPU time over 1000 runs\n", backend);
  std::printf("%-12s %4s %4s %4s %6s %6s %12s %12s %12s %12s\n", "state", "nme", "blt", "prt", "cmds", "draws",
              "update med",
              "update worst", "render med", "render worst");
  Snapshot typical = wave_seven(host, app);
  print("wave 7", measure(host, app, typical));
  print("full tables", measure(host, app, full_tables(app)));
#ifndef PLAY_BENCH_FAKES
  glfw2::glfwTerminate();
#endif
  return 0;
}
