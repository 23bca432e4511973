// The process entry.
#include "host/glfw_game.h"

int main(int argc, char** argv) {
  KoTarsilGame::Main(argc, const_cast<const char**>(argv));
  return 0;
}
