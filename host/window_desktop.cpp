// The desktop's window and its loop (see platform.h). Every change of the window closes it and opens a new one, on
// the screen's own mode for full screen, and every opening is a new OpenGL context (one more glfwGraphicsSeq).
// The loop repeats Frame while the window is open; Frame sleeps until the next update is due.

#include "host/glfw2.h"
#include "host/glfw_game.h"

using namespace glfw2;

void KoGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                               bool fullscreen) {
  ReleaseHeldKeys();  // keys held now would otherwise stay down in the input device across the change
  GLFWvidmode desktop{};
  glfwGetDesktopMode(&desktop);
  glfwCloseWindow();
  glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
  glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 0);
  if (!glfwOpenWindow(width, height, red, green, blue, alpha, depth, stencil,
                      fullscreen ? GLFW_FULLSCREEN : GLFW_WINDOW)) {
    EndWithoutWindow();
  }
  ++glfwGraphicsSeq;
  _fullscreen = fullscreen;
  if (!fullscreen) glfwSetWindowPos((desktop.Width - width) / 2, (desktop.Height - height) / 2);
  glfwSetWindowTitle("Velmoor Game");  // full screen too: the desktop's window switcher lists it by its title
  if (_swapInterval >= 0) glfwSwapInterval(_swapInterval);
  glfwDisable(GLFW_AUTO_POLL_EVENTS);  // events arrive only through the loop's own pump
  ListenToInput();
}

bool KoGlfwGame::Fullscreen() { return _fullscreen; }

void KoGlfwGame::Run() {
  Open();
  while (glfwGetWindowParam(GLFW_OPENED)) Frame();
}
