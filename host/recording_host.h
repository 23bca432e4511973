// The recording host: a host class (the program's, or a test's on the fakes) with a recorder put in front of
// its entry points and readings. The game and the framework see the same host as ever.
//
// KoRecordingGame<Host> passes everything through and tells its recorder where each call into the game begins
// and ends and what each reading from outside returned. A call is recorded only when the host would deliver it
// (a render before the start is not). Keys released because the window is made anew (full screen, from an
// update) are a reading of that update.
#pragma once

#include "host/glfw_game.h"
#include "host/replay_recorder.h"
#include "host/replay_values.h"

template <class Host>
class KoRecordingGame : public Host {
 public:
  explicit KoRecordingGame(ReplayRecorder& recorder) : recorder_(recorder) {}

  int Millisecs() override { return Number(ReadingKind::Clock, Host::Millisecs()); }
  int GetDeviceWidth() override { return Number(ReadingKind::Width, Host::GetDeviceWidth()); }
  int GetDeviceHeight() override { return Number(ReadingKind::Height, Host::GetDeviceHeight()); }
  bool Fullscreen() override { return Number(ReadingKind::Fullscreen, Host::Fullscreen() ? 1 : 0) != 0; }
  bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) override {
    bool present = Host::PollJoystick(port, x, y, z, buttons);
    recorder_.NoteJoystick(port, replay_values::Joystick(present, x, y, z, buttons));
    return present;
  }
  String LoadState() override {
    String state = Host::LoadState();
    recorder_.NoteList(ReadingKind::SavedState, replay_values::Units(state));
    return state;
  }
  KoDisplayMode* GetDesktopMode() override {
    KoDisplayMode* mode = Host::GetDesktopMode();
    recorder_.NoteList(ReadingKind::DesktopMode, replay_values::Mode(mode));
    return mode;
  }
  Array<KoDisplayMode*> GetDisplayModes() override {
    Array<KoDisplayMode*> modes = Host::GetDisplayModes();
    recorder_.NoteList(ReadingKind::DisplayModes, replay_values::Modes(modes));
    return modes;
  }
  void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
                     bool fullscreen) override {
    std::vector<std::int32_t> released;
    released_ = &released;
    Host::SetGlfwWindow(width, height, red, green, blue, alpha, depth, stencil, fullscreen);
    released_ = nullptr;
    recorder_.NoteList(ReadingKind::ReleasedKeys, released);
  }

  void StartGame() override { Call(!this->Started(), Plain(RecordType::Start), [&] { Host::StartGame(); }); }
  void SuspendGame() override {
    Call(this->Started() && !this->Suspended(), Plain(RecordType::Suspend), [&] { Host::SuspendGame(); });
  }
  void ResumeGame() override {
    Call(this->Started() && this->Suspended(), Plain(RecordType::Resume), [&] { Host::ResumeGame(); });
  }
  void UpdateGame() override {
    Call(this->Started() && !this->Suspended(), Plain(RecordType::Update), [&] { Host::UpdateGame(); });
  }
  void RenderGame() override { Call(this->Started(), Plain(RecordType::Render), [&] { Host::RenderGame(); }); }
  void DiscardGraphics() override {
    Call(this->Started(), Plain(RecordType::DiscardGraphics), [&] { Host::DiscardGraphics(); });
  }
  void KeyEvent(int event, int data) override {
    if (released_ && event == c_KoGameEvent::KeyUp) released_->push_back(data);
    Call(this->Started() && !released_, Input(InputEntry::Key, event, data, 0, 0, 0),
         [&] { Host::KeyEvent(event, data); });
  }
  void MouseEvent(int event, int data, float x, float y) override {
    Call(this->Started(), Input(InputEntry::Mouse, event, data, x, y, 0), [&] { Host::MouseEvent(event, data, x, y); });
  }
  void TouchEvent(int event, int data, float x, float y) override {
    Call(this->Started(), Input(InputEntry::Touch, event, data, x, y, 0), [&] { Host::TouchEvent(event, data, x, y); });
  }
  void MotionEvent(int event, int data, float x, float y, float z) override {
    Call(this->Started(), Input(InputEntry::Motion, event, data, x, y, z),
         [&] { Host::MotionEvent(event, data, x, y, z); });
  }

 private:
  static ReplayRecord Plain(RecordType type) {
    ReplayRecord record;
    record.type = type;
    return record;
  }
  static ReplayRecord Input(InputEntry entry, int event, int data, float x, float y, float z) {
    ReplayRecord record;
    record.type = RecordType::Input;
    record.entry = entry;
    record.event = event;
    record.data = data;
    record.x = x;
    record.y = y;
    record.z = z;
    return record;
  }
  int Number(ReadingKind kind, int value) {
    recorder_.NoteNumber(kind, value);
    return value;
  }
  // Calls nested in another are part of it; `delivered`: the host's guard lets the call through.
  template <class Forward>
  void Call(bool delivered, const ReplayRecord& record, Forward forward) {
    if (!delivered) return forward();
    recorder_.Enter(record);
    forward();
    recorder_.Leave();
  }

  ReplayRecorder& recorder_;
  std::vector<std::int32_t>* released_ = nullptr;  // collecting the keys a window change releases
};
