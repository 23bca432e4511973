// The update pump, the test roots and the loopback servers.
#include "tests/net/net_test_support.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "net/async_event.h"

namespace {

GlobalArray<Object*> ko_nettest__kept;
int ko_nettest__keptCount = 0;

struct ForgetKeptObjects : testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    ko_nettest__kept = Array<Object*>();
    ko_nettest__keptCount = 0;
  }
};

bool send_all(SocketHandle socket, const std::string& bytes) { return SendAll(socket, bytes.data(), bytes.size()); }

void trickle(SocketHandle fd, const std::string& bytes, const std::atomic<bool>& stop) {
  for (size_t i = 0; !stop && send_all(fd, bytes.substr(i % bytes.size(), 1)); ++i) {
    std::this_thread::sleep_for(kTricklePause);
  }
}

void wait_until(const std::atomic<bool>& flag) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (!flag && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The request head and `bodyBytes` more, or what came before the client stopped sending.
std::string read_request(SocketHandle fd, int bodyBytes) {
  std::string bytes;
  char block[4096];
  for (size_t end; (end = bytes.find("\r\n\r\n")) == std::string::npos || bytes.size() < end + 4 + bodyBytes;) {
    long n = ReceiveWithin(fd, block, sizeof block);
    if (n <= 0) break;
    bytes.append(block, n);
  }
  return bytes;
}

}  // namespace

void KeepObject(Object* object) {
  if (ko_nettest__keptCount == ko_nettest__kept.Length()) {
    ko_nettest__kept = ko_nettest__kept.Resized(2 * ko_nettest__keptCount + 10);
  }
  ko_nettest__kept[ko_nettest__keptCount++] = object;
}

void CollectEverything() {
  gc_collect_all();
  gc_flush_free(gc_free_bytes);
}

void PumpOnce() {
  ko_asyncevent_UpdateAsyncEvents();
  CollectEverything();
  std::this_thread::sleep_for(std::chrono::microseconds(200));
}

bool PumpUntil(const std::function<bool()>& done) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    PumpOnce();
  }
  return true;
}

LoopbackServer::LoopbackServer(std::vector<ServerStep> steps, int bodyBytes) {
  listener_ = BindLoopback(&port_);
  ListenOn(listener_, 4);
  thread_ = std::thread(&LoopbackServer::Serve, this, std::move(steps), bodyBytes);
}

LoopbackServer::~LoopbackServer() {
  stop_ = released_ = true;  // a server still waiting for its client stops within a slice of its wait
  thread_.join();
  CloseSocket(listener_);
}

std::string LoopbackServer::Request() {
  wait_until(requestRead_);
  return requestRead_ ? request_ : std::string();
}

void LoopbackServer::Serve(std::vector<ServerStep> steps, int bodyBytes) {
  SocketHandle connection = kNoSocket;
  const auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (connection == kNoSocket && !stop_ && std::chrono::steady_clock::now() < limit) {
    connection = AcceptWithin(listener_, 20);
  }
  if (connection == kNoSocket) return;
  request_ = read_request(connection, bodyBytes);
  requestRead_ = true;
  bool open = true;
  for (size_t i = 0; open && i < steps.size(); ++i) {
    const ServerStep& step = steps[i];
    if (step.kind == ServerStep::Send) open = send_all(connection, step.bytes);
    if (step.kind == ServerStep::WaitForRelease) wait_until(released_);
    if (step.kind == ServerStep::SendForever) {
      while (!stop_ && send_all(connection, step.bytes)) {
      }
    }
    if (step.kind == ServerStep::Trickle) {
      trickle(connection, step.bytes, stop_);
      open = false;
    }
    if (step.kind == ServerStep::Reset) {
      ResetOnClose(connection);
      open = false;
    }
  }
  CloseSocket(connection);
}

RefusingPort::RefusingPort() { socket_ = BindLoopback(&port_); }
RefusingPort::~RefusingPort() { CloseSocket(socket_); }

struct HeldResolver::Gate {
  std::mutex lock;
  std::condition_variable changed;
  bool released = false;
  int holding = 0;  // lookups being held
};

HeldResolver::HeldResolver() : gate_(std::make_shared<Gate>()) {
  previous_ = ko_socket_SetNameResolver([gate = gate_](const std::string& name, uint32_t* address) {
    if (name != kHeldName) return ko_socket_SystemResolver(name, address);
    std::unique_lock<std::mutex> hold(gate->lock);
    ++gate->holding;
    gate->changed.wait(hold, [&] { return gate->released; });
    --gate->holding;
    gate->changed.notify_all();
    return false;
  });
}

HeldResolver::~HeldResolver() {
  ko_socket_SetNameResolver(previous_);
  std::unique_lock<std::mutex> hold(gate_->lock);
  gate_->released = true;
  gate_->changed.notify_all();
  gate_->changed.wait_for(hold, kWaitLimit, [&] { return gate_->holding == 0; });
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // the suite runs worker threads
  testing::UnitTest::GetInstance()->listeners().Append(new ForgetKeptObjects);
  gc_set_checking(true);
  return RUN_ALL_TESTS();
}
