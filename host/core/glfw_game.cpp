// KoGlfwGame's clock, update schedule and frame loop, and what it asks the platform about the player's screen.
#include "host/core/glfw_game.h"

#include <cmath>
#include <cstdint>

#include "host/core/key_codes.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"

using namespace glfw2;

KoGlfwGame* KoGlfwGame::_glfwGame = nullptr;

KoGlfwGame::KoGlfwGame() { _glfwGame = this; }

KoGlfwGame::~KoGlfwGame() {
  if (_glfwGame == this) _glfwGame = nullptr;
}

void KoGlfwGame::SetUpdateRate(int hertz) {
  KoGame::SetUpdateRate(hertz);
  if (hertz) _updatePeriod = 1.0 / hertz;  // a rate of 0 keeps the old period
  _nextUpdate = 0;
}

bool KoGlfwGame::HasTouchScreen() { return PlatformHasTouchScreen(); }

// Uptime in milliseconds, truncated, modulo 2^32 as an int: after about 24.8 days the reading wraps from
// 2^31 - 1 to -2^31. Readings are compared by their difference (ko_app_MillisecsDiff), which survives the wrap.
int KoGlfwGame::Millisecs() {
  double millis = std::fmod(std::trunc(glfwGetTime() * 1000), 4294967296.0);  // exact: below 2^53
  return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::int64_t>(millis)));
}

void KoGlfwGame::UpdateEvents() {
  if (_suspended) {
    glfwWaitEvents();
  } else {
    glfwPollEvents();
  }
  // Losing focus and being iconified are treated alike. Both transitions restart the update schedule, so no
  // burst of catch-up updates follows a resume.
  if (glfwGetWindowParam(GLFW_ACTIVE)) {
    if (_suspended) {
      ResumeGame();
      _nextUpdate = 0;
    }
  } else if (!_suspended) {
    SuspendGame();
    _nextUpdate = 0;
  }
}

void KoGlfwGame::Open() {
  SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  StartGame();
}

// One pass of the loop. The desktop loop calls it back to back, and it paces itself by sleeping until the next
// update is due; in a web page the browser calls it once per animation frame and the layer's sleep and wait
// return at once, so the same schedule runs between the browser's frames.
void KoGlfwGame::Frame() {
  RenderGame();
  glfwSwapBuffers();
  if (_nextUpdate != 0) {
    double delay = _nextUpdate - glfwGetTime();
    if (delay > 0) glfwSleep(delay);
  }
  UpdateEvents();
  if (_suspended) return;  // render again, then wait for the next event
  if (_updateRate == 0) {  // one update per frame, paced by the buffer swap
    UpdateGame();
    return;
  }
  if (_nextUpdate == 0) _nextUpdate = glfwGetTime();
  RunDueUpdates();
}

// Up to four updates per frame; a backlog beyond that is dropped, so a slow frame slows the game down rather
// than sending it into a spiral of ever longer catch-ups.
void KoGlfwGame::RunDueUpdates() {
  for (int i = 0; i < 4; ++i) {
    UpdateGame();
    if (_nextUpdate == 0) return;  // the update changed the rate: the new schedule starts next pass
    _nextUpdate += _updatePeriod;
    if (_nextUpdate > glfwGetTime()) return;
  }
  _nextUpdate = 0;
}

int KoGlfwGame::OnWindowClose() {
  _glfwGame->KeyEvent(c_KoGameEvent::KeyDown, keycode::kClose);
  _glfwGame->KeyEvent(c_KoGameEvent::KeyUp, keycode::kClose);
  return 0;  // closing is the application's decision
}
