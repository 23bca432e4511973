// The fixture of the start-up ping's tests (ping_test.cpp, ping_posix_test.cpp): the game started with
// QUARZEL_PING_URL naming a loopback server, updated until the ping is done, its output captured.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "tests/game/game_harness.h"
#include "tests/net/net_test_support.h"
#include "tests/support/environment.h"

class Ping : public ::testing::Test {
 protected:
  void SetUp() override { testing::internal::CaptureStdout(); }
  void TearDown() override { testing::internal::GetCapturedStdout(); }
  // Starts the game with QUARZEL_PING_URL set to this address, or unset when it is empty.
  void Start(const std::string& url) {
    if (url.empty()) {
      RemoveEnvironment("QUARZEL_PING_URL");
    } else {
      SetEnvironment("QUARZEL_PING_URL", url);
    }
    game = std::make_unique<GameHarness>();
    RemoveEnvironment("QUARZEL_PING_URL");
  }
  // Updates, each followed by a short pause for the workers, until `done` (false after the wait limit).
  bool UpdateUntil(const std::function<bool()>& done) {
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      game->Update();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }
  bool UpdateUntilDone() {
    return UpdateUntil([&] { return app().m_pingDone == 1; });
  }
  std::string Output() {  // what the program printed since the last call
    std::string out = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    return out;
  }
  c_MyApp& app() { return game->app(); }
  std::unique_ptr<GameHarness> game;
};
