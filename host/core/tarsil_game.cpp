// KoTarsilGame::Main: the whole program body, from starting GLFW to the end of the frame loop.
#include <clocale>
#include <cstdlib>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"
#include "runtime/errors.h"

int argc = 0;
const char** argv = nullptr;

namespace {
KoGlfwGame& plain_game() {
  static KoTarsilGame game;
  return game;
}
}  // namespace

int KoTarsilGame::Main(int argumentCount, const char** arguments, KoGlfwGame& (*makeGame)()) {
  PlatformStart();
  if (!glfw2::glfwInit()) {
    koPrint(String("glfwInit failed"));
    koExit(-1);
  }
  KoGlfwGame& game = (makeGame ? makeGame : plain_game)();  // sets KoGame::_game and KoGlfwGame::_glfwGame
  argc = argumentCount;
  argv = arguments;

  PlatformCatchCrashes();
  if (!std::setlocale(LC_CTYPE, "en_US.UTF-8")) std::setlocale(LC_CTYPE, "");

  gc_init1();
  try {
    koInit();
    gc_init2();
    koMain();
  } catch (ThrowableObject* exception) {
    glfw2::glfwTerminate();
    game.Die(exception);
  }
  if (game.Delegate()) game.Run();
  glfw2::glfwTerminate();
  return 0;
}
