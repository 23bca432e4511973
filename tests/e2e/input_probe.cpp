// A program on the real host and framework whose application prints, every update, what reached the input
// device: key hits with their counts, characters, and the pointer position when it changes. The end-to-end
// input test drives it with xdotool.
#include <cstdio>

#include "framework/app/app.h"
#include "framework/framework.h"
#include "framework/input/input_device.h"
#include "host/core/glfw_game.h"

namespace {

class InputProbe : public c_App {
 public:
  int p_OnCreate() override {
    ko_app_SetUpdateRate(60);
    std::printf("ready\n");
    std::fflush(stdout);
    return 0;
  }
  int p_OnUpdate() override {
    for (int key = 1; key < 512; ++key) {
      if (int hits = ko_input_KeyHit(key)) std::printf("hit %d %d\n", key, hits);
    }
    while (int character = ko_input_GetChar()) std::printf("char %d\n", character);
    int x = static_cast<int>(ko_input_MouseX()), y = static_cast<int>(ko_input_MouseY());
    if (x != lastX || y != lastY) std::printf("mouse %d %d\n", x, y);
    lastX = x, lastY = y;
    std::fflush(stdout);
    return 0;
  }
  int lastX = -1, lastY = -1;
};

}  // namespace

int koInit() {
  ko_framework__InitGlobals();
  return 0;
}

int koMain() {
  (new InputProbe)->m_new();
  return 0;
}

int main(int argc, char** argv) { return KoTarsilGame::Main(argc, const_cast<const char**>(argv)); }
