// c_App and the ko_app_* module functions.
#include "framework/app/app.h"

#include "runtime/errors.h"

GlobalRef<c_App> ko_app__app;
GlobalRef<c_GameDelegate> ko_app__delegate;
KoGame* ko_app__game = nullptr;
int ko_app__updateRate = 0;
int ko_app__devWidth = 0, ko_app__devHeight = 0;
GlobalArray<c_DisplayMode*> ko_app__displayModes;
GlobalRef<c_DisplayMode> ko_app__desktopMode;

void ko_app__InitGlobals() {
  ko_app__app = nullptr;
  ko_app__delegate = nullptr;
  ko_app__game = KoGame::_game;
  ko_app__updateRate = 0;
  ko_app__devWidth = ko_app__devHeight = 0;
  ko_app__displayModes = Array<c_DisplayMode*>();
  ko_app__desktopMode = nullptr;
}

c_App* c_App::m_new() {
  if (ko_app__app) koError(String("App has already been created"));
  ko_app__app = this;
  ko_app__delegate = (new c_GameDelegate)->m_new();
  ko_app__game->SetDelegate(ko_app__delegate);
  return this;
}

int c_App::p_OnClose() { return ko_app_EndApp(); }
int c_App::p_OnBack() { return ko_app_EndApp(); }

int ko_app_SetUpdateRate(int hertz) {
  ko_app__updateRate = hertz;
  ko_app__game->SetUpdateRate(hertz);
  return 0;
}

int ko_app_Millisecs() { return ko_app__game->Millisecs(); }

// The difference modulo 2^32, read as signed: right for readings less than about 24.8 days apart, however the
// clock wrapped between them (a plain subtraction would overflow there).
int ko_app_MillisecsDiff(int later, int earlier) {
  return static_cast<int>(static_cast<unsigned>(later) - static_cast<unsigned>(earlier));
}

int ko_app_SetDeviceWindow(int width, int height, int flags) {
  ko_app__game->SetDeviceWindow(width, height, flags);
  return 0;
}

bool ko_app_Fullscreen() { return ko_app__game->Fullscreen(); }

int ko_app_DeviceWidth() { return ko_app__devWidth; }
int ko_app_DeviceHeight() { return ko_app__devHeight; }
String ko_app_LoadState() { return ko_app__game->LoadState(); }

int ko_app_SaveState(String state) {
  ko_app__game->SaveState(state);
  return 0;
}

// The runtime treats an empty error as a request to exit: status 0.
int ko_app_EndApp() {
  koError(String());
}

int ko_app_ValidateDeviceWindow(bool) {
  int width = ko_app__game->GetDeviceWidth();
  int height = ko_app__game->GetDeviceHeight();
  if (width != ko_app__devWidth || height != ko_app__devHeight) {
    ko_app__devWidth = width;
    ko_app__devHeight = height;
  }
  return 0;
}

// The distinct sizes of the host's modes (other depths and rates of one size are dropped; the first keeps its
// place), and the desktop size, or the window's if the host knows no desktop.
int ko_app_EnumDisplayModes() {
  Array<KoDisplayMode*> modes = ko_app__game->GetDisplayModes();
  c_IntMap* seen = (new c_IntMap)->m_new();
  c_Stack* distinct = (new c_Stack)->m_new();
  for (int i = 0; i < modes.Length(); ++i) {
    KoDisplayMode* mode = modes[i];
    int key = mode->width << 16 | mode->height;
    if (seen->p_Contains(key)) continue;
    c_DisplayMode* entry = (new c_DisplayMode)->m_new(mode->width, mode->height);
    seen->p_Insert(key, entry);
    distinct->p_Push(entry);
  }
  ko_app__displayModes = distinct->p_ToArray();
  KoDisplayMode* desktop = ko_app__game->GetDesktopMode();
  ko_app__desktopMode = desktop ? (new c_DisplayMode)->m_new(desktop->width, desktop->height)
                                : (new c_DisplayMode)->m_new(ko_app__devWidth, ko_app__devHeight);
  return 0;
}

Array<c_DisplayMode*> ko_app_DisplayModes() { return ko_app__displayModes; }
c_DisplayMode* ko_app_DesktopMode() { return ko_app__desktopMode; }
