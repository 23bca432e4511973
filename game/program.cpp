// The program's start: koInit sets every module global to its initial value, koMain creates the application.
//
// The game's own application class is not part of the program yet: until it is, koMain creates the
// framework's plain c_App, whose hooks do nothing, so the window opens and the framework runs empty.
#include "framework/app/app.h"
#include "framework/graphics/graphics.h"
#include "host/glfw_game.h"

int koInit() {
  ko_app__InitGlobals();
  ko_graphics__InitGlobals();
  return 0;
}

int koMain() {
  (new c_App)->m_new();
  return 0;
}
