// KoGlfwGame: the host on our GLFW 2 interface, and KoTarsilGame, which adds the program's entry. What differs by
// platform (the window's opening, full screen, the loop, the browser) it asks of the platform (platform.h).
//
// Owns the one window and the frame loop (Run): one render per pass, a sleep until the next update is due,
// the event pump, the focus check (losing focus suspends the game, regaining it resumes it), then at most four
// fixed-rate updates, dropping any further backlog. Main thread only; GLFW callbacks run inside the event
// pump and reach the game through the static _glfwGame.
#pragma once

#include <vector>

#include "host/core/game.h"

// Counts window openings; each opening is a new OpenGL context, so textures made under an older value are gone.
extern int glfwGraphicsSeq;

class KoGlfwGame : public KoGame {
 public:
  KoGlfwGame();
  ~KoGlfwGame() override;

  static KoGlfwGame* _glfwGame;

  void SetUpdateRate(int hertz) override;
  int Millisecs() override;
  bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz, Array<bool> buttons) override;
  void OpenUrl(String url) override;
  bool HasTouchScreen() override;
  void SetMouseVisible(bool visible) override;
  int GetDeviceWidth() override;
  int GetDeviceHeight() override;
  void SetDeviceWindow(int width, int height, int flags) override;
  bool Fullscreen() override;
  int GraphicsSeq() override { return glfwGraphicsSeq; }
  Array<KoDisplayMode*> GetDisplayModes() override;
  KoDisplayMode* GetDesktopMode() override;
  void SetSwapInterval(int interval) override;
  String PathToFilePath(String path) override;
  // media_loads.cpp, with the decoders of host/media
  unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override;
  unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) override;
  std::unique_ptr<KoAudioStream> OpenAudioStream(String path) override;

  virtual void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                             bool fullscreen);
  virtual KoGlfwVideoMode* GetGlfwDesktopMode();
  virtual Array<KoGlfwVideoMode*> GetGlfwVideoModes();
  virtual void Run();  // Open, then Frame while the window is open
  void Open();         // the first window, then StartGame
  void Frame();        // one render, the event pump and focus check, the updates due

  // The event pump with the focus check (one pass of Run's steps 3 and 4).
  void UpdateEvents();
  // The window left full screen without being asked (a browser does on Escape).
  void LeftFullscreen();

  // Key translation tables: GLFW 2 key number -> framework key code (0: ignored), key code -> character.
  static int TransKey(int glfwKey);
  static int KeyToChar(int keyCode);

  // The program directory from an executable's path: backslashes become "/", cut before the last "/".
  static String ProgramDirectory(String executablePath);

 protected:
  static void OnKey(int key, int action);
  static void OnChar(int character, int action);
  static void OnMouseButton(int button, int action);
  static void OnMousePos(int x, int y);
  static int OnWindowClose();

  void RunDueUpdates();
  void ReleaseHeldKeys();
  // The keys held now (framework key codes), which a window change releases.
  virtual std::vector<int> HeldKeys();
  void ListenToInput();  // a new window's input goes to the callbacks above, keys repeating
  [[noreturn]] static void EndWithoutWindow();
  const String& BaseDir();  // a reference: workers map paths too, and must not touch the cache's count

  double _updatePeriod = 0;  // seconds per update
  double _nextUpdate = 0;    // due time of the next update on the glfwGetTime clock; 0: not scheduled
  String _baseDir;
  String _internalDir;
  int _swapInterval = 1;  // applied at every window opening; negative: leave the driver's default
};

class KoTarsilGame : public KoGlfwGame {
 public:
  // `makeGame`, if given, makes the game object once GLFW has started (a replay session's, for one).
  static int Main(int argc, const char** argv, KoGlfwGame& (*makeGame)() = nullptr);
};

// The command line passed to Main.
extern int argc;
extern const char** argv;

// Defined by the program: initialise every module global, and create the application object.
int koInit();
int koMain();
