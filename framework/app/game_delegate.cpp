// c_GameDelegate: the framework's side of every host event.
#include "framework/app/app.h"
#include "framework/graphics/graphics.h"

void c_GameDelegate::StartGame() {
  m_graphics = new gxtkGraphics;
  ko_graphics_SetGraphicsDevice(m_graphics);
  ko_graphics_SetFont(nullptr, 32);
  ko_app_ValidateDeviceWindow(false);
  ko_app_EnumDisplayModes();
  ko_app__app->p_OnCreate();
}

// The application hears of a suspension before the audio stops, and of a resumption after it restarted.
void c_GameDelegate::SuspendGame() { ko_app__app->p_OnSuspend(); }

void c_GameDelegate::ResumeGame() { ko_app__app->p_OnResume(); }

void c_GameDelegate::UpdateGame() {
  ko_app_ValidateDeviceWindow(true);
  ko_app__app->p_OnUpdate();
}

void c_GameDelegate::RenderGame() {
  ko_app_ValidateDeviceWindow(true);
  m_graphics->BeginRender();
  ko_graphics_BeginRender();
  ko_app__app->p_OnRender();
  ko_graphics_EndRender();
  m_graphics->EndRender();
}

void c_GameDelegate::KeyEvent(int event, int data) {
  if (event != c_KoGameEvent::KeyDown) return;
  // Checked on every key-down of these keys, also when the key is already down.
  if (data == 432) ko_app__app->p_OnClose();
  if (data == 416) ko_app__app->p_OnBack();
}

void c_GameDelegate::MouseEvent(int, int, float, float) {}
void c_GameDelegate::TouchEvent(int, int, float, float) {}
void c_GameDelegate::MotionEvent(int, int, float, float, float) {}
void c_GameDelegate::DiscardGraphics() { m_graphics->DiscardGraphics(); }

void c_GameDelegate::mark() { gc_mark(m_graphics); }
