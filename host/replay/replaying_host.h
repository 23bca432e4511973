// The replaying host: a host class (the program's, or a test's on the fakes) that delivers the records of a
// replay file to the game through its own entry points (DeliverNext) and answers the readings made meanwhile
// from them. The game and the framework see the same host as ever.
//
// Every call that does not come from the player (the real window's keys, mouse and focus) is dropped, except F4
// and the window's close button, which stop the replay at once (through koExit, like the game's own end; but
// the viewer's stop is no difference from the recording, the game's own end before the recording's is). The
// window itself still opens and changes as the game asks. The saved state is written only when saves were
// asked for, so replaying cannot touch a player's scores; the game's online requests are not sent.
#pragma once

#include "host/core/glfw_game.h"
#include "host/core/key_codes.h"
#include "host/replay/replay_player.h"
#include "host/replay/replay_values.h"
#include "runtime/errors.h"

template <class Host>
class KoReplayingGame : public Host {
 public:
  KoReplayingGame(ReplayPlayer& player, bool writeSaves) : player_(player), writeSaves_(writeSaves) {}

  // The next record to deliver (see ReplayPlayer::Next); null at the end of the session.
  const ReplayRecord* Next() { return player_.Next(); }
  // Delivers it to the game through the host's own entry point.
  void Deliver(const ReplayRecord& record) {
    delivering_ = true;
    DeliverTo(record);
    delivering_ = false;
  }
  bool DeliverNext() {
    const ReplayRecord* record = Next();
    if (record) Deliver(*record);
    return record != nullptr;
  }

  int Millisecs() override { return Ask(ReadingKind::Clock, [&] { return Host::Millisecs(); }); }
  int GetDeviceWidth() override { return Ask(ReadingKind::Width, [&] { return Host::GetDeviceWidth(); }); }
  int GetDeviceHeight() override { return Ask(ReadingKind::Height, [&] { return Host::GetDeviceHeight(); }); }
  bool Fullscreen() override {
    return Ask(ReadingKind::Fullscreen, [&] { return Host::Fullscreen() ? 1 : 0; }) != 0;
  }
  // The recording's screen, so the game's controls are the recording's whatever this one is.
  bool HasTouchScreen() override {
    return Ask(ReadingKind::TouchScreen, [&] { return Host::HasTouchScreen() ? 1 : 0; }) != 0;
  }
  bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) override {
    if (!delivering_) return Host::PollJoystick(port, x, y, z, buttons);
    return replay_values::FillJoystick(player_.ReadJoystick(port), x, y, z, buttons);
  }
  String LoadState() override {
    if (!delivering_) return Host::LoadState();
    return replay_values::Text(player_.ReadList(ReadingKind::SavedState));
  }
  int SaveState(String state) override { return writeSaves_ ? Host::SaveState(state) : 0; }
  KoDisplayMode* GetDesktopMode() override {
    if (!delivering_) return Host::GetDesktopMode();
    return replay_values::ModeObject(player_.ReadList(ReadingKind::DesktopMode));
  }
  Array<KoDisplayMode*> GetDisplayModes() override {
    if (!delivering_) return Host::GetDisplayModes();
    return replay_values::ModeArray(player_.ReadList(ReadingKind::DisplayModes));
  }
  // The ping's answer is the recording's, in the update it came in; none is asked of the network.
  bool SendsRequests() override { return false; }
  KoPingOutcome PingOutcome(const KoPingOutcome& live) override {
    if (!delivering_) return Host::PingOutcome(live);
    return replay_values::PingOutcome(player_.ReadList(ReadingKind::PingOutcome));
  }
  // The keys the recording released here are released again; the ones held on this keyboard are not the game's.
  std::vector<int> HeldKeys() override {
    if (!delivering_) return Host::HeldKeys();
    return player_.ReadList(ReadingKind::ReleasedKeys);
  }

  void StartGame() override { Pass([&] { Host::StartGame(); }); }
  void SuspendGame() override { Pass([&] { Host::SuspendGame(); }); }
  void ResumeGame() override { Pass([&] { Host::ResumeGame(); }); }
  void UpdateGame() override { Pass([&] { Host::UpdateGame(); }); }
  void RenderGame() override { Pass([&] { Host::RenderGame(); }); }
  void DiscardGraphics() override { Pass([&] { Host::DiscardGraphics(); }); }
  void KeyEvent(int event, int data) override {
    const bool endKey = data == keycode::kF4 || data == keycode::kClose;
    if (!delivering_ && event == c_KoGameEvent::KeyDown && endKey) {
      player_.Stop();
      koExit(0);
    }
    Pass([&] { Host::KeyEvent(event, data); });
  }
  void MouseEvent(int event, int data, float x, float y) override {
    Pass([&] { Host::MouseEvent(event, data, x, y); });
  }
  void TouchEvent(int event, int data, float x, float y) override {
    Pass([&] { Host::TouchEvent(event, data, x, y); });
  }
  void MotionEvent(int event, int data, float x, float y, float z) override {
    Pass([&] { Host::MotionEvent(event, data, x, y, z); });
  }

 private:
  template <class Call>
  void Pass(Call call) {
    if (delivering_) call();
  }
  template <class Real>
  int Ask(ReadingKind kind, Real real) {
    return delivering_ ? player_.ReadNumber(kind) : real();
  }

  void DeliverTo(const ReplayRecord& record) {
    switch (record.type) {
      case RecordType::Start: Host::StartGame(); break;
      case RecordType::Suspend: Host::SuspendGame(); break;
      case RecordType::Resume: Host::ResumeGame(); break;
      case RecordType::Update: Host::UpdateGame(); break;
      case RecordType::Render: Host::RenderGame(); break;
      case RecordType::DiscardGraphics: Host::DiscardGraphics(); break;
      case RecordType::Input: DeliverInput(record); break;
      default: break;
    }
  }

  void DeliverInput(const ReplayRecord& r) {
    switch (r.entry) {
      case InputEntry::Key: Host::KeyEvent(r.event, r.data); break;
      case InputEntry::Mouse: Host::MouseEvent(r.event, r.data, r.x, r.y); break;
      case InputEntry::Touch: Host::TouchEvent(r.event, r.data, r.x, r.y); break;
      case InputEntry::Motion: Host::MotionEvent(r.event, r.data, r.x, r.y, r.z); break;
    }
  }

  ReplayPlayer& player_;
  bool writeSaves_;
  bool delivering_ = false;
};
