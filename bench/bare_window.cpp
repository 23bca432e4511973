// The memory baseline of the figures: a bare GLFW window with an OpenGL context on the same Mesa as the game,
// and nothing else. bare_window [WIDTH HEIGHT] opens it (640 x 480 by default), clears and swaps it about 60
// times a second, so that the driver has allocated what drawing needs, and runs until it is killed or closed.
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  int width = argc > 2 ? std::atoi(argv[1]) : 640;   // pixels
  int height = argc > 2 ? std::atoi(argv[2]) : 480;  // pixels
  if (!glfwInit()) {
    std::fprintf(stderr, "bare_window: glfwInit failed\n");
    return 1;
  }
  // The game's own framebuffer: 8 bits per colour, no alpha, depth or stencil.
  glfwWindowHint(GLFW_ALPHA_BITS, 0);
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
  GLFWwindow* window = glfwCreateWindow(width, height, "bare window", nullptr, nullptr);
  if (!window) {
    std::fprintf(stderr, "bare_window: no window\n");
    glfwTerminate();
    return 1;
  }
  glfwMakeContextCurrent(window);
  while (!glfwWindowShouldClose(window)) {
    glClearColor(0.1f, 0.3f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(window);
    glfwPollEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(16));
  }
  glfwTerminate();
  return 0;
}
