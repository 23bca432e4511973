// The application lifecycle: c_App, the base of the program's application, and c_GameDelegate, the
// framework's receiver of every host event; the ko_app_* functions give the application the host's services.
//
// Invariants: exactly one application exists (a second is the fatal error "App has already been created");
// the delegate creates the devices once, in StartGame, before the application's p_OnCreate; each update is
// bracketed by the input device's begin and end, each render by the renderer's begin and end. Main thread.
#pragma once

#include "framework/app/display_modes.h"
#include "framework/input/input_device.h"
#include "gxtk/graphics.h"
#include "host/core/game.h"
#include "runtime/object.h"

class gxtkAudio;

class c_App : public Object {
 public:
  c_App* m_new();
  virtual int p_OnCreate() { return 0; }
  virtual int p_OnSuspend() { return 0; }
  virtual int p_OnResume() { return 0; }
  virtual int p_OnUpdate() { return 0; }
  virtual int p_OnRender() { return 0; }
  virtual int p_OnResize() { return 0; }   // not called by this framework
  virtual int p_OnLoading() { return 0; }  // not called by this framework
  int p_OnClose();
  int p_OnBack();
};

class c_GameDelegate : public KoGameDelegate {
 public:
  c_GameDelegate* m_new() { return this; }
  void StartGame() override;
  void SuspendGame() override;
  void ResumeGame() override;
  void UpdateGame() override;
  void RenderGame() override;
  void KeyEvent(int event, int data) override;
  void MouseEvent(int event, int data, float x, float y) override;
  void TouchEvent(int event, int data, float x, float y) override;
  void MotionEvent(int event, int data, float x, float y, float z) override;
  void DiscardGraphics() override;
  void mark() override;

  Ref<gxtkGraphics> m_graphics;  // the renderer, made once in StartGame
  Ref<gxtkAudio> m_audio;
  Ref<c_InputDevice> m_input;
};

extern GlobalRef<c_App> ko_app__app;
extern GlobalRef<c_GameDelegate> ko_app__delegate;
extern KoGame* ko_app__game;
extern int ko_app__updateRate;
extern int ko_app__devWidth, ko_app__devHeight;  // device pixels, as seen at the last validation
extern GlobalArray<c_DisplayMode*> ko_app__displayModes;  // distinct sizes, in the host's order
extern GlobalRef<c_DisplayMode> ko_app__desktopMode;

void ko_app__InitGlobals();

int ko_app_SetUpdateRate(int hertz);
int ko_app_Millisecs();  // wraps after about 24.8 days: compare readings only through ko_app_MillisecsDiff
int ko_app_MillisecsDiff(int later, int earlier);  // milliseconds from `earlier` to `later`, across the wrap
int ko_app_SetDeviceWindow(int width, int height, int flags);  // flags 1: full screen
bool ko_app_Fullscreen();
int ko_app_DeviceWidth();
int ko_app_DeviceHeight();
String ko_app_LoadState();
int ko_app_SaveState(String state);
int ko_app_EndApp();
int ko_app_ValidateDeviceWindow(bool notifyApp);
int ko_app_EnumDisplayModes();
Array<c_DisplayMode*> ko_app_DisplayModes();
c_DisplayMode* ko_app_DesktopMode();
