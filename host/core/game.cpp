// KoGame: defaults of the virtual operations, the ten event entry points, the fatal stop and the collection
// point that follows every call into the framework.
#include "host/core/game.h"

#include <cstdlib>

#include "runtime/errors.h"

KoGame* KoGame::_game = nullptr;

KoGame::KoGame() { _game = this; }

KoGame::~KoGame() {
  if (_game == this) _game = nullptr;
}

bool KoGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }
void KoGame::OpenUrl(String) {}
void KoGame::SetMouseVisible(bool) {}
void KoGame::SetDeviceWindow(int, int, int) {}
Array<KoDisplayMode*> KoGame::GetDisplayModes() { return Array<KoDisplayMode*>(); }
KoDisplayMode* KoGame::GetDesktopMode() { return nullptr; }
void KoGame::SetSwapInterval(int) {}
unsigned char* KoGame::LoadImageData(String, int*, int*, int*) { return nullptr; }
unsigned char* KoGame::LoadAudioData(String, int*, int*, int*, int*) { return nullptr; }

void KoGame::Die(ThrowableObject*) {
  koPrint(String("Tarsil Runtime Error : Uncaught Tarsil Exception"));
  koExit(-1);
}

void KoGame::gc_collect() {
  gc_mark(_delegate);
  ::gc_collect();
}

// -------------------------------------------------------------------------------------------------------------
// Event entry points: guard, state change, delegate call under the exception handler, collection step.

namespace {
// Entries nest when the game calls back into the host: re-opening the window from an update releases the held
// keys through KeyEvent. Only the outermost entry is a collection point, since inside it the game may still
// hold objects in locals.
int entry_depth = 0;

}  // namespace

template <class Call>
void KoGame::forward(KoGame* game, KoGameDelegate* delegate, Call call) {
  ++entry_depth;
  game->EnteringGame();
  try {
    if (delegate) call(delegate);
  } catch (ThrowableObject* exception) {
    game->Die(exception);
  } catch (...) {
    --entry_depth;
    throw;
  }
  game->LeftGame();
  if (--entry_depth == 0) game->gc_collect();
}

void KoGame::StartGame() {
  if (_started) return;
  _started = true;
  forward(this, _delegate, [](KoGameDelegate* d) { d->StartGame(); });
}

void KoGame::SuspendGame() {
  if (!_started || _suspended) return;
  _suspended = true;
  forward(this, _delegate, [](KoGameDelegate* d) { d->SuspendGame(); });
}

void KoGame::ResumeGame() {
  if (!_started || !_suspended) return;
  _suspended = false;
  forward(this, _delegate, [](KoGameDelegate* d) { d->ResumeGame(); });
}

void KoGame::UpdateGame() {
  if (!_started || _suspended) return;
  forward(this, _delegate, [](KoGameDelegate* d) { d->UpdateGame(); });
}

void KoGame::RenderGame() {
  if (!_started) return;
  forward(this, _delegate, [](KoGameDelegate* d) { d->RenderGame(); });
}

void KoGame::KeyEvent(int event, int data) {
  if (!_started) return;
  forward(this, _delegate, [=](KoGameDelegate* d) { d->KeyEvent(event, data); });
}

void KoGame::MouseEvent(int event, int data, float x, float y) {
  if (!_started) return;
  forward(this, _delegate, [=](KoGameDelegate* d) { d->MouseEvent(event, data, x, y); });
}

void KoGame::TouchEvent(int event, int data, float x, float y) {
  if (!_started) return;
  forward(this, _delegate, [=](KoGameDelegate* d) { d->TouchEvent(event, data, x, y); });
}

void KoGame::MotionEvent(int event, int data, float x, float y, float z) {
  if (!_started) return;
  forward(this, _delegate, [=](KoGameDelegate* d) { d->MotionEvent(event, data, x, y, z); });
}

void KoGame::DiscardGraphics() {
  if (!_started) return;
  forward(this, _delegate, [](KoGameDelegate* d) { d->DiscardGraphics(); });
}
