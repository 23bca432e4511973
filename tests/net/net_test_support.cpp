// The update pump, the test roots and the loopback servers.
#include "tests/net/net_test_support.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

int bind_loopback(int* port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  *port = ntohs(address.sin_port);
  return fd;
}

bool ready(int fd, short events) {
  pollfd entry{fd, events, 0};
  return poll(&entry, 1, std::chrono::milliseconds(kWaitLimit).count()) == 1;
}

bool send_all(int fd, const std::string& bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    ssize_t n = ready(fd, POLLOUT) ? send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL) : -1;
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

void trickle(int fd, const std::string& bytes, const std::atomic<bool>& stop) {
  for (size_t i = 0; !stop && send_all(fd, bytes.substr(i % bytes.size(), 1)); ++i) {
    std::this_thread::sleep_for(kTricklePause);
  }
}

void wait_until(const std::atomic<bool>& flag) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (!flag && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The request head and `bodyBytes` more, or what came before the client stopped sending.
std::string read_request(int fd, int bodyBytes) {
  std::string bytes;
  char block[4096];
  for (size_t end; (end = bytes.find("\r\n\r\n")) == std::string::npos || bytes.size() < end + 4 + bodyBytes;) {
    ssize_t n = ready(fd, POLLIN) ? recv(fd, block, sizeof block, 0) : 0;
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

void RouteFatalReportToStderr() {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  if (!std::freopen("/dev/null", "r", stdin)) std::abort();
}

LoopbackServer::LoopbackServer(std::vector<ServerStep> steps, int bodyBytes) {
  listener_ = bind_loopback(&port_);
  listen(listener_, 4);
  thread_ = std::thread(&LoopbackServer::Serve, this, std::move(steps), bodyBytes);
}

LoopbackServer::~LoopbackServer() {
  stop_ = released_ = true;
  shutdown(listener_, SHUT_RDWR);  // wakes a server still waiting for its client
  thread_.join();
  close(listener_);
}

std::string LoopbackServer::Request() {
  wait_until(requestRead_);
  return requestRead_ ? request_ : std::string();
}

void LoopbackServer::Serve(std::vector<ServerStep> steps, int bodyBytes) {
  int connection = ready(listener_, POLLIN) ? accept(listener_, nullptr, nullptr) : -1;
  if (connection < 0) return;
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
      linger abort{1, 0};
      setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
      open = false;
    }
  }
  close(connection);
}

NoFreeDescriptors::NoFreeDescriptors() {
  getrlimit(RLIMIT_NOFILE, &saved_);
  int lowestFree = dup(0);
  close(lowestFree);
  rlimit exhausted{static_cast<rlim_t>(lowestFree), saved_.rlim_max};
  setrlimit(RLIMIT_NOFILE, &exhausted);
}

NoFreeDescriptors::~NoFreeDescriptors() { setrlimit(RLIMIT_NOFILE, &saved_); }

FullPort::FullPort() {
  listener_ = bind_loopback(&port_);
  listen(listener_, 0);  // a backlog of 0 still queues one connection
  ahead_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port_));
  connect(ahead_, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

FullPort::~FullPort() {
  close(ahead_);
  close(listener_);
}

bool FullPort::AcceptOne() {
  int accepted = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (accepted >= 0) close(accepted);
  return accepted >= 0;
}

RefusingPort::RefusingPort() { socket_ = bind_loopback(&port_); }
RefusingPort::~RefusingPort() { close(socket_); }

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
