// c_GameDelegate: the framework's side of every host event.
#include "framework/app/app.h"
#include "framework/audio/audio.h"
#include "framework/graphics/graphics.h"
#include "host/core/key_codes.h"

void c_GameDelegate::StartGame() {
  m_graphics = new gxtkGraphics;
  ko_graphics_SetGraphicsDevice(m_graphics);
  ko_graphics_SetFont(nullptr, 32);
  m_audio = new gxtkAudio;
  ko_audio_SetAudioDevice(m_audio);
  m_input = (new c_InputDevice)->m_new();
  ko_input_SetInputDevice(m_input);
  ko_app_ValidateDeviceWindow(false);
  ko_app_EnumDisplayModes();
  ko_app__app->p_OnCreate();
}

// The application hears of a suspension before the audio stops, and of a resumption after it restarted.
void c_GameDelegate::SuspendGame() {
  ko_app__app->p_OnSuspend();
  m_audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
  m_audio->Resume();
  ko_app__app->p_OnResume();
}

// The music's queue is topped up before the application's update, which may be a long one (loading).
void c_GameDelegate::UpdateGame() {
  m_audio->UpdateMusic();
  ko_app_ValidateDeviceWindow(true);
  m_input->p_BeginUpdate();
  ko_app__app->p_OnUpdate();
  m_input->p_EndUpdate();
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
  m_input->p_KeyEvent(event, data);
  if (event != c_KoGameEvent::KeyDown) return;
  // Checked on every key-down of these keys, also when the key is already down.
  if (data == keycode::kClose) ko_app__app->p_OnClose();
  if (data == keycode::kBack) ko_app__app->p_OnBack();
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) { m_input->p_MouseEvent(event, data, x, y); }

void c_GameDelegate::TouchEvent(int event, int data, float x, float y) { m_input->p_TouchEvent(event, data, x, y); }

void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
  m_input->p_MotionEvent(event, data, x, y, z);
}

void c_GameDelegate::DiscardGraphics() { m_graphics->DiscardGraphics(); }

void c_GameDelegate::mark() {
  gc_mark(m_graphics);
  gc_mark(m_audio);
  gc_mark(m_input);
}
