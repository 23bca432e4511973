// The recording host: a host class (the program's, or a test's on the fakes) with a recorder put in front of
// its entry points and readings. The game and the framework see the same host as ever.
//
// KoRecordingGame<Host> passes everything through and tells its recorder where each call into the game begins
// and ends and what each reading from outside returned. A call is recorded only when the host would deliver it
// (a render before the start is not). Keys released because the window is made anew (full screen, from an
// update) are a reading of that update.
#pragma once

#include "host/core/glfw_game.h"
#include "host/replay/replay_recorder.h"
#include "host/replay/replay_values.h"

template <class Host>
class KoRecordingGame : public Host {
 public:
  explicit KoRecordingGame(ReplayRecorder& recorder) : recorder_(recorder) {}

  int Millisecs() override { return Number(ReadingKind::Clock, Host::Millisecs()); }
  int GetDeviceWidth() override { return Number(ReadingKind::Width, Host::GetDeviceWidth()); }
  int GetDeviceHeight() override { return Number(ReadingKind::Height, Host::GetDeviceHeight()); }
  bool Fullscreen() override { return Number(ReadingKind::Fullscreen, Host::Fullscreen() ? 1 : 0) != 0; }
  bool HasTouchScreen() override { return Number(ReadingKind::TouchScreen, Host::HasTouchScreen() ? 1 : 0) != 0; }
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
  KoPingOutcome PingOutcome(const KoPingOutcome& live) override {
    KoPingOutcome outcome = Host::PingOutcome(live);
    recorder_.NoteList(ReadingKind::PingOutcome, replay_values::Ping(outcome));
    return outcome;
  }
  std::vector<int> HeldKeys() override {
    std::vector<int> held = Host::HeldKeys();
    recorder_.NoteList(ReadingKind::ReleasedKeys, held);
    return held;
  }

  void StartGame() override { Call(Plain(RecordType::Start), [&] { Host::StartGame(); }); }
  void SuspendGame() override { Call(Plain(RecordType::Suspend), [&] { Host::SuspendGame(); }); }
  void ResumeGame() override { Call(Plain(RecordType::Resume), [&] { Host::ResumeGame(); }); }
  void UpdateGame() override { Call(Plain(RecordType::Update), [&] { Host::UpdateGame(); }); }
  void RenderGame() override { Call(Plain(RecordType::Render), [&] { Host::RenderGame(); }); }
  void DiscardGraphics() override { Call(Plain(RecordType::DiscardGraphics), [&] { Host::DiscardGraphics(); }); }
  void KeyEvent(int event, int data) override {
    Call(InputRecord(InputEntry::Key, event, data), [&] { Host::KeyEvent(event, data); });
  }
  void MouseEvent(int event, int data, float x, float y) override {
    Call(InputRecord(InputEntry::Mouse, event, data, x, y), [&] { Host::MouseEvent(event, data, x, y); });
  }
  void TouchEvent(int event, int data, float x, float y) override {
    Call(InputRecord(InputEntry::Touch, event, data, x, y), [&] { Host::TouchEvent(event, data, x, y); });
  }
  void MotionEvent(int event, int data, float x, float y, float z) override {
    Call(InputRecord(InputEntry::Motion, event, data, x, y, z), [&] { Host::MotionEvent(event, data, x, y, z); });
  }

 protected:
  void EnteringGame() override { recorder_.Enter(pending_); }
  void LeftGame() override { recorder_.Leave(); }

 private:
  static ReplayRecord Plain(RecordType type) {
    ReplayRecord record;
    record.type = type;
    return record;
  }
  int Number(ReadingKind kind, int value) {
    recorder_.NoteNumber(kind, value);
    return value;
  }
  // The call goes in through the host's entry point, whose guard decides whether the game gets it; EnteringGame
  // records it then (a call nested in another is part of that one).
  template <class Forward>
  void Call(const ReplayRecord& record, Forward forward) {
    pending_ = record;
    forward();
  }

  ReplayRecorder& recorder_;
  ReplayRecord pending_;  // the call about to go in, if its entry point lets it through
};
