// Shared pieces of the host tests: a host on the fake window layer and a delegate that records what reaches it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/core/glfw_game.h"
#include "tests/fakes/fake_glfw2.h"

// Everything the delegate received, one line per call ("update", "key 1 432", ...).
extern std::vector<std::string> delegateLog;

class RecordingDelegate : public KoGameDelegate {
 public:
  std::function<void()> onUpdate, onRender;
  void StartGame() override { delegateLog.push_back("start"); }
  void SuspendGame() override { delegateLog.push_back("suspend"); }
  void ResumeGame() override { delegateLog.push_back("resume"); }
  void UpdateGame() override {
    delegateLog.push_back("update");
    if (onUpdate) onUpdate();
  }
  void RenderGame() override {
    delegateLog.push_back("render");
    if (onRender) onRender();
  }
  void KeyEvent(int event, int data) override {
    delegateLog.push_back("key " + std::to_string(event) + " " + std::to_string(data));
  }
  void MouseEvent(int event, int data, float x, float y) override {
    delegateLog.push_back("mouse " + std::to_string(event) + " " + std::to_string(data) + " " +
                          std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
  }
};

// A fresh fake window system and a host game with a recording delegate.
struct HostFixture {
  HostFixture() {
    fake_glfw::reset();
    delegateLog.clear();
    delegate = new RecordingDelegate;
    game.SetDelegate(delegate);
  }
  KoGlfwGame game;
  RecordingDelegate* delegate;

  // Lines of the delegate's log, in order, that equal one of `kinds`.
  static std::vector<std::string> logOf(const std::vector<std::string>& kinds);
};
