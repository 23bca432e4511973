// The pause menu, shown over a paused round.
#include "game/my_app.h"

// Placeholder: the pause menu's overlay, its resume, end-round and options buttons join here with the front end.
int c_MyApp::p_PauseMenu() { return 0; }
