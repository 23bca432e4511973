// KoGame: the one host game object, and KoGameDelegate: the receiver of its events.
//
// Every call from the host into the framework goes through one of the ten event entry points (StartGame ...
// DiscardGraphics). Each runs only under its guard (see the .cpp), forwards to the delegate under a handler
// that turns an escaping ThrowableObject into a fatal stop (Die), and ends with a collection step: the only
// places where the collector runs, because no object is held only by a local there.
// KoGame is not a collected object; it keeps the delegate alive by marking it at every collection step.
#pragma once

#include <cstdio>
#include <memory>

#include "host/core/display_mode.h"
#include "host/media/audio_stream.h"
#include "runtime/object.h"

// Event codes of KeyEvent, MouseEvent, TouchEvent and MotionEvent.
struct c_KoGameEvent {
  static constexpr int KeyDown = 1;
  static constexpr int KeyUp = 2;
  static constexpr int KeyChar = 3;
  static constexpr int MouseDown = 4;
  static constexpr int MouseUp = 5;
  static constexpr int MouseMove = 6;
  static constexpr int TouchDown = 7;
  static constexpr int TouchUp = 8;
  static constexpr int TouchMove = 9;
  static constexpr int MotionAccel = 10;
};

class KoGameDelegate : public Object {
 public:
  virtual void StartGame() {}
  virtual void SuspendGame() {}
  virtual void ResumeGame() {}
  virtual void UpdateGame() {}
  virtual void RenderGame() {}
  virtual void KeyEvent(int, int) {}
  virtual void MouseEvent(int, int, float, float) {}
  virtual void TouchEvent(int, int, float, float) {}
  virtual void MotionEvent(int, int, float, float, float) {}
  virtual void DiscardGraphics() {}
};

// The start-up ping's outcome so far: whether its answer (or its failure) has come, with the status and text.
struct KoPingOutcome {
  bool ready = false;
  int status = 0;
  String reply;
};

class KoGame {
 public:
  KoGame();
  virtual ~KoGame();
  KoGame(const KoGame&) = delete;
  KoGame& operator=(const KoGame&) = delete;

  static KoGame* _game;  // the single instance

  virtual void SetDelegate(KoGameDelegate* delegate) { _delegate = delegate; }
  virtual KoGameDelegate* Delegate() { return _delegate; }
  virtual void SetKeyboardEnabled(bool enabled) { _keyboardEnabled = enabled; }
  virtual bool KeyboardEnabled() { return _keyboardEnabled; }
  virtual void SetUpdateRate(int hertz) { _updateRate = hertz; }
  virtual int UpdateRate() { return _updateRate; }
  virtual bool Started() { return _started; }
  virtual bool Suspended() { return _suspended; }
  virtual int Millisecs() { return 0; }
  virtual void GetDate(Array<int> date);
  virtual int SaveState(String state);
  virtual String LoadState();
  virtual String LoadString(String path);
  virtual bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz, Array<bool> buttons);
  virtual void OpenUrl(String url);
  // The game's online requests go out only when this says so: a replay answers them from its file instead.
  virtual bool SendsRequests() { return true; }
  // The ping's outcome as of this update, asked once per update while the game awaits it: `live` is what the
  // real request has delivered, which the host passes through (a recording keeps it; a replay answers the
  // recorded one, so the answer lands in the update it landed in when recording).
  virtual KoPingOutcome PingOutcome(const KoPingOutcome& live) { return live; }
  // Whether the player plays with fingers on the screen (a phone's browser), which the game answers with its
  // on-screen controls.
  virtual bool HasTouchScreen() { return false; }
  virtual void SetMouseVisible(bool visible);
  virtual int GetDeviceWidth() { return 0; }
  virtual int GetDeviceHeight() { return 0; }
  virtual void SetDeviceWindow(int width, int height, int flags);  // flags 1: full screen
  virtual bool Fullscreen() { return false; }  // the window fills the screen (a browser may leave that itself)
  virtual int GraphicsSeq() { return 0; }       // counts graphics contexts made; textures belong to one
  virtual Array<KoDisplayMode*> GetDisplayModes();
  virtual KoDisplayMode* GetDesktopMode();
  virtual void SetSwapInterval(int interval);
  virtual String PathToFilePath(String path) { return path; }
  virtual std::FILE* OpenFile(String path, String mode);
  virtual unsigned char* LoadData(String path, int* length);
  virtual unsigned char* LoadImageData(String path, int* width, int* height, int* depth);
  virtual unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz);
  // A sound to be read a piece at a time (music); null when it cannot be loaded. By default a whole
  // LoadAudioData decode read in pieces (audio_stream.cpp).
  virtual std::unique_ptr<KoAudioStream> OpenAudioStream(String path);
  [[noreturn]] virtual void Die(ThrowableObject* exception);
  virtual void gc_collect();

  // Event entry points.
  virtual void StartGame();
  virtual void SuspendGame();
  virtual void ResumeGame();
  virtual void UpdateGame();
  virtual void RenderGame();
  virtual void KeyEvent(int event, int data);
  virtual void MouseEvent(int event, int data, float x, float y);
  virtual void TouchEvent(int event, int data, float x, float y);
  virtual void MotionEvent(int event, int data, float x, float y, float z);
  virtual void DiscardGraphics();

 protected:
  // Around every call an entry point lets through to the delegate, nested ones too: a host that watches what
  // the game is given (a recording) watches here, behind the entry points' own guards.
  virtual void EnteringGame() {}
  virtual void LeftGame() {}

  Ref<KoGameDelegate> _delegate;
  bool _keyboardEnabled = false;
  int _updateRate = 0;  // updates per second; 0: one update per rendered frame
  bool _started = false;
  bool _suspended = false;

 private:
  // An entry point's call into the delegate, under the exception handler, with the collection step after it.
  template <class Call>
  static void forward(KoGame* game, KoGameDelegate* delegate, Call call);
};
