// The desktop's window and its loop (host/core/platform.h). Every change of the window closes it and opens a new
// one, on the screen's own mode for full screen, and every opening is a new OpenGL context. The loop repeats Frame
// while the window is open; Frame sleeps until the next update is due.
#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"

using namespace glfw2;

namespace {
bool fullscreen = false;  // as last asked: the desktop leaves full screen only when told to
}  // namespace

WindowChange PlatformSetWindow(const WindowRequest& request) {
  GLFWvidmode desktop{};
  glfwGetDesktopMode(&desktop);
  glfwCloseWindow();
  glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
  glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 0);
  const int mode = request.fullscreen ? GLFW_FULLSCREEN : GLFW_WINDOW;
  if (!glfwOpenWindow(request.width, request.height, request.red, request.green, request.blue, request.alpha,
                      request.depth, request.stencil, mode)) {
    return WindowChange::Failed;
  }
  fullscreen = request.fullscreen;
  if (!fullscreen) glfwSetWindowPos((desktop.Width - request.width) / 2, (desktop.Height - request.height) / 2);
  glfwSetWindowTitle("Velmoor Game");  // full screen too: the desktop's window switcher lists it by its title
  if (request.swapInterval >= 0) glfwSwapInterval(request.swapInterval);
  glfwDisable(GLFW_AUTO_POLL_EVENTS);  // events arrive only through the loop's own pump
  return WindowChange::Opened;
}

bool PlatformFullscreen() { return fullscreen; }

void PlatformRun(KoGlfwGame& game) {
  game.Open();
  while (glfwGetWindowParam(GLFW_OPENED)) game.Frame();
}
