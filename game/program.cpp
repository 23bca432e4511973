// The program's start: koInit sets every module global to its initial value, koMain creates the game.
#include "framework/framework.h"
#include "game/my_app.h"
#include "host/core/glfw_game.h"

int koInit() {
  ko_framework__InitGlobals();
  ko_Quarzel__InitGlobals();
  return 0;
}

int koMain() {
  (new c_MyApp)->m_new();
  return 0;
}
