// The window: its size, the screen's modes, swap interval and cursor, and the loop. Opening the window, its full
// screen and the loop are each platform's own (PlatformSetWindow, PlatformFullscreen, PlatformRun).
//
// glfwGraphicsSeq counts the graphics contexts made: it grows by exactly one with each new context, which tells
// the device layer to upload its textures again. No window-size callback is installed: the framework notices
// size changes by polling GetDeviceWidth / GetDeviceHeight.
#include <vector>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"
#include "runtime/errors.h"

using namespace glfw2;

int glfwGraphicsSeq = 0;

namespace {
constexpr int kMaxVideoModes = 1024;

// The screen's modes in GLFW's order, at most 1024.
std::vector<GLFWvidmode> video_modes() {
  std::vector<GLFWvidmode> modes(kMaxVideoModes);
  modes.resize(static_cast<std::size_t>(glfwGetVideoModes(modes.data(), kMaxVideoModes)));
  return modes;
}
}  // namespace

void KoGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                               bool fullscreen) {
  ReleaseHeldKeys();  // keys held now would otherwise stay down in the input device across the change
  WindowRequest request;
  request.width = width;
  request.height = height;
  request.red = red;
  request.green = green;
  request.blue = blue;
  request.alpha = alpha;
  request.depth = depth;
  request.stencil = stencil;
  request.fullscreen = fullscreen;
  request.swapInterval = _swapInterval;
  switch (PlatformSetWindow(request)) {
    case WindowChange::Failed:
      EndWithoutWindow();
    case WindowChange::Opened:
      ++glfwGraphicsSeq;
      ListenToInput();
      break;
    case WindowChange::Kept:
      break;
  }
}

bool KoGlfwGame::Fullscreen() { return PlatformFullscreen(); }

void KoGlfwGame::LeftFullscreen() {
  ReleaseHeldKeys();  // the key that left it is the browser's; its release may never reach the game
}

void KoGlfwGame::Run() { PlatformRun(*this); }

void KoGlfwGame::OpenUrl(String url) { PlatformOpenUrl(url); }

void KoGlfwGame::SetDeviceWindow(int width, int height, int flags) {
  SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, (flags & 1) != 0);
}

int KoGlfwGame::GetDeviceWidth() {
  int width = 0, height = 0;
  glfwGetWindowSize(&width, &height);
  return width;
}

int KoGlfwGame::GetDeviceHeight() {
  int width = 0, height = 0;
  glfwGetWindowSize(&width, &height);
  return height;
}

Array<KoGlfwVideoMode*> KoGlfwGame::GetGlfwVideoModes() {
  std::vector<GLFWvidmode> modes = video_modes();
  Array<KoGlfwVideoMode*> list(static_cast<int>(modes.size()));
  for (int i = 0; i < list.Length(); ++i) {
    const GLFWvidmode& m = modes[i];
    list[i] = new KoGlfwVideoMode(m.Width, m.Height, m.RedBits, m.GreenBits, m.BlueBits);
  }
  return list;
}

KoGlfwVideoMode* KoGlfwGame::GetGlfwDesktopMode() {
  GLFWvidmode m{};
  glfwGetDesktopMode(&m);
  return new KoGlfwVideoMode(m.Width, m.Height, m.RedBits, m.GreenBits, m.BlueBits);
}

Array<KoDisplayMode*> KoGlfwGame::GetDisplayModes() {
  std::vector<GLFWvidmode> modes = video_modes();
  Array<KoDisplayMode*> list(static_cast<int>(modes.size()));
  for (int i = 0; i < list.Length(); ++i) list[i] = new KoDisplayMode(modes[i].Width, modes[i].Height);
  return list;
}

KoDisplayMode* KoGlfwGame::GetDesktopMode() {
  GLFWvidmode m{};
  glfwGetDesktopMode(&m);
  return new KoDisplayMode(m.Width, m.Height);
}

void KoGlfwGame::SetSwapInterval(int interval) {
  _swapInterval = interval;
  if (interval >= 0) glfwSwapInterval(interval);
}

void KoGlfwGame::SetMouseVisible(bool visible) {
  if (visible) {
    glfwEnable(GLFW_MOUSE_CURSOR);
  } else {
    glfwDisable(GLFW_MOUSE_CURSOR);
  }
}

void KoGlfwGame::ListenToInput() {
  glfwEnable(GLFW_KEY_REPEAT);
  glfwSetKeyCallback(OnKey);
  glfwSetCharCallback(OnChar);
  glfwSetMouseButtonCallback(OnMouseButton);
  glfwSetMousePosCallback(OnMousePos);
  glfwSetWindowCloseCallback(OnWindowClose);
}

void KoGlfwGame::EndWithoutWindow() {
  // Without a window nothing can be drawn: reported like a failed start.
  koPrint(String("glfwOpenWindow failed"));
  koExit(-1);
}
