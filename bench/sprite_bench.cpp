// Sprite figures: N textured, rotated, tinted quads from one atlas per frame through ko_graphics_DrawImage2,
// on real OpenGL, for N = 2,500 (the game's command ceiling) and 50,000. Reports per frame:
//   - CPU microseconds in our code: the draw loop (matrix push / compose / pop, validation, colour packing,
//     vertex writing, batching) minus the time spent inside glDrawElements when a full batch flushes;
//   - microseconds inside those glDrawElements calls (the driver taking the vertices);
//   - draw calls, which must be N / 256 rounded up for one texture;
//   - frames per second end to end (the loop, the final flush and the buffer swap).
// Uses $DISPLAY, or starts its own Xvfb when there is none. Prints figures; asserts nothing about time.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/app/app.h"
#include "framework/graphics/graphics.h"
#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"
#include "tests/e2e/x11_session.h"

using Clock = std::chrono::steady_clock;

// Linked with --wrap=glDrawElements: every draw call the renderer makes comes through here to be counted and
// timed, so the driver's share can be taken out of the draw loop's time.
extern "C" void __real_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);

namespace {

int drawCalls = 0;
double drawSeconds = 0;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

extern "C" void __wrap_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  auto start = Clock::now();
  __real_glDrawElements(mode, count, type, indices);
  drawSeconds += Since(start);
  ++drawCalls;
}

namespace {

constexpr int kWidth = 640, kHeight = 480;  // the game's window, pixels
constexpr int kAtlas = 128, kFrame = 32;    // atlas and frame sizes, pixels: 16 frames

// A 128 x 128 atlas of 16 frames, each a disc of its own colour on transparency.
class AtlasHost : public KoGlfwGame {
 public:
  unsigned char* LoadImageData(String, int* width, int* height, int* depth) override {
    *width = *height = kAtlas, *depth = 4;
    auto* pixels = static_cast<unsigned char*>(std::malloc(kAtlas * kAtlas * 4));
    for (int y = 0; y < kAtlas; ++y) {
      for (int x = 0; x < kAtlas; ++x) {
        int frame = y / kFrame * 4 + x / kFrame, dx = x % kFrame - 16, dy = y % kFrame - 16;
        unsigned char* p = pixels + (y * kAtlas + x) * 4;
        bool inside = dx * dx + dy * dy < 15 * 15;
        p[0] = static_cast<unsigned char>(60 + frame * 12), p[1] = 255 - frame * 10, p[2] = 128;
        p[3] = inside ? 255 : 0;
      }
    }
    return pixels;
  }
};

struct Sprite {
  float x, y, vx, vy, angle, spin;  // pixels, pixels per frame, degrees, degrees per frame
  float r, g, b;                    // tint, 0..255
  int frame;
};

std::vector<Sprite> MakeSprites(int count) {
  unsigned seed = 12345;
  auto next = [&seed](float range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1 << 24) * range;
  };
  std::vector<Sprite> sprites(count);
  for (Sprite& s : sprites) {
    s = {next(kWidth), next(kHeight), next(4) - 2, next(4) - 2, next(360), next(6) - 3,
         128 + next(127), 128 + next(127), 128 + next(127), static_cast<int>(next(16))};
  }
  return sprites;
}

void Move(std::vector<Sprite>& sprites) {
  for (Sprite& s : sprites) {
    s.x += s.vx, s.y += s.vy, s.angle += s.spin;
    if (s.x < 0 || s.x > kWidth) s.vx = -s.vx;
    if (s.y < 0 || s.y > kHeight) s.vy = -s.vy;
  }
}

struct Figures {
  double ourMicros, drawMicros, framesPerSecond;
  int drawCallsPerFrame;
};

// One frame: returns the seconds of the draw loop spent in our code (the loop less the full batches' draw
// calls); all draw calls of the frame go to drawCalls / drawSeconds.
double Frame(gxtkGraphics* renderer, c_Image* atlas, const std::vector<Sprite>& sprites) {
  renderer->BeginRender();
  ko_graphics_BeginRender();
  renderer->Cls(20, 20, 40);
  double drawBefore = drawSeconds;
  auto start = Clock::now();
  for (const Sprite& s : sprites) {
    ko_graphics_SetColor(s.r, s.g, s.b);
    ko_graphics_DrawImage2(atlas, s.x, s.y, s.angle, 1, 1, s.frame);
  }
  double ours = Since(start) - (drawSeconds - drawBefore);
  ko_graphics_EndRender();
  renderer->EndRender();
  glfw2::glfwSwapBuffers();
  return ours;
}

Figures Measure(gxtkGraphics* renderer, c_Image* atlas, int count) {
  std::vector<Sprite> sprites = MakeSprites(count);
  for (int i = 0; i < 5; ++i) Frame(renderer, atlas, sprites), Move(sprites);  // warm up the driver
  int frames = 0;
  double ourSeconds = 0;
  drawCalls = 0, drawSeconds = 0;
  auto start = Clock::now();
  while (Since(start) < 3 || frames < 10) {
    ourSeconds += Frame(renderer, atlas, sprites);
    Move(sprites);
    ++frames;
  }
  double total = Since(start);
  return {ourSeconds / frames * 1e6, drawSeconds / frames * 1e6, frames / total, drawCalls / frames};
}

}  // namespace

int main() {
  std::unique_ptr<X11Session> ownServer;
  if (!std::getenv("DISPLAY")) ownServer = std::make_unique<X11Session>();
  if (!glfw2::glfwInit()) {
    std::fprintf(stderr, "sprite_bench: no display (set DISPLAY or install Xvfb)\n");
    return 1;
  }
  AtlasHost host;
  host.SetSwapInterval(0);
  host.SetDeviceWindow(kWidth, kHeight, 0);
  ko_app__InitGlobals();
  ko_graphics__InitGlobals();
  ko_app_ValidateDeviceWindow(false);
  gxtkGraphics* renderer = new gxtkGraphics;
  ko_graphics_SetGraphicsDevice(renderer);
  c_Image* atlas = ko_graphics_LoadImage2(String("atlas.png"), kFrame, kFrame, 16, c_Image::HandleCentre);

  std::printf("sprite_bench: %d x %d window, %s, one %d x %d atlas of %d x %d frames\n", kWidth, kHeight,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)), kAtlas, kAtlas, kFrame, kFrame);
  std::printf("%8s %14s %10s %16s %16s %10s\n", "sprites", "draws/frame", "expected", "our CPU us/frame",
              "GL draw us/frame", "frames/s");
  for (int count : {2500, 50000}) {
    Figures f = Measure(renderer, atlas, count);
    int expected = (count + 255) / 256;
    std::printf("%8d %14d %10d %16.0f %16.0f %10.1f%s\n", count, f.drawCallsPerFrame, expected, f.ourMicros,
                f.drawMicros, f.framesPerSecond, f.drawCallsPerFrame == expected ? "" : "  DRAW COUNT WRONG");
  }
  glfw2::glfwTerminate();
  return 0;
}
