// The update pump, the test roots and the loopback servers.
#include "tests/net/net_test_support.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "net/async_event.h"

namespace {

GlobalArray<Object*> ko_nettest__kept;
int ko_nettest__keptCount = 0;

class ForgetKeptObjects : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    ko_nettest__kept = Array<Object*>();
    ko_nettest__keptCount = 0;
  }
};

int listen_on_loopback(int* port, bool listening) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) return close(fd), -1;
  if (listening && listen(fd, 4) != 0) return close(fd), -1;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  *port = ntohs(address.sin_port);
  return fd;
}

// Waits up to kWaitLimit for `fd` to become readable (or writable); false on time-out.
bool wait_for(int fd, short events) {
  pollfd entry{fd, events, 0};
  return poll(&entry, 1, static_cast<int>(std::chrono::milliseconds(kWaitLimit).count())) == 1;
}

bool send_all(int fd, const std::string& bytes) {
  for (size_t sent = 0; sent < bytes.size();) {
    ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

}  // namespace

void KeepObject(Object* object) {
  if (ko_nettest__keptCount == ko_nettest__kept.Length()) {
    ko_nettest__kept = ko_nettest__kept.Resized(2 * ko_nettest__keptCount + 10);
  }
  ko_nettest__kept[ko_nettest__keptCount++] = object;
}

void RouteFatalReportToStderr() {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  if (!std::freopen("/dev/null", "r", stdin)) std::abort();
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

ServerStep SendBytes(std::string bytes) { return {ServerStep::Send, std::move(bytes)}; }
ServerStep WaitForRelease() { return {ServerStep::WaitForRelease, {}}; }
ServerStep SendForever(std::string bytes) { return {ServerStep::SendForever, std::move(bytes)}; }
ServerStep ResetConnection() { return {ServerStep::Reset, {}}; }

// -------------------------------------------------------------------------------------------------------------
// LoopbackServer

LoopbackServer::LoopbackServer(std::vector<ServerStep> steps, int bodyBytes) {
  listener_ = listen_on_loopback(&port_, true);
  thread_ = std::thread(&LoopbackServer::Serve, this, std::move(steps), bodyBytes);
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  Release();
  if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);  // wakes a server still waiting for its client
  thread_.join();
  if (listener_ >= 0) close(listener_);
}

std::string LoopbackServer::Url(const std::string& pathAndQuery) const {
  return "http://localhost:" + std::to_string(port_) + pathAndQuery;
}

std::string LoopbackServer::Request() {
  Wait([this] { return requestRead_; });
  std::lock_guard<std::mutex> lock(mutex_);
  return request_;
}

void LoopbackServer::Release() {
  std::lock_guard<std::mutex> lock(mutex_);
  released_ = true;
  changed_.notify_all();
}

bool LoopbackServer::Wait(const std::function<bool()>& ready) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, kWaitLimit, ready);
}

void LoopbackServer::ReadRequest(int connection, int bodyBytes) {
  std::string bytes;
  char block[4096];
  size_t headEnd;
  while ((headEnd = bytes.find("\r\n\r\n")) == std::string::npos || bytes.size() < headEnd + 4 + bodyBytes) {
    if (!wait_for(connection, POLLIN)) break;
    ssize_t n = recv(connection, block, sizeof block, 0);
    if (n <= 0) break;
    bytes.append(block, n);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  request_ = bytes;
  requestRead_ = true;
  changed_.notify_all();
}

void LoopbackServer::Serve(std::vector<ServerStep> steps, int bodyBytes) {
  if (listener_ < 0 || !wait_for(listener_, POLLIN)) return;
  int connection = accept(listener_, nullptr, nullptr);
  if (connection < 0) return;
  ReadRequest(connection, bodyBytes);
  for (const ServerStep& step : steps) {
    if (stop_) break;
    if (step.kind == ServerStep::Send && !send_all(connection, step.bytes)) break;
    if (step.kind == ServerStep::WaitForRelease) Wait([this] { return released_; });
    while (step.kind == ServerStep::SendForever && !stop_ && wait_for(connection, POLLOUT) &&
           send_all(connection, step.bytes)) {
    }
    if (step.kind == ServerStep::Reset) {
      linger abort{1, 0};
      setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
      break;
    }
  }
  close(connection);
}

// -------------------------------------------------------------------------------------------------------------
// RefusingPort: bound but not listening, so connections are refused and the port is not reused meanwhile.

RefusingPort::RefusingPort() { socket_ = listen_on_loopback(&port_, false); }
RefusingPort::~RefusingPort() {
  if (socket_ >= 0) close(socket_);
}

// -------------------------------------------------------------------------------------------------------------

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // the suite runs worker threads
  testing::UnitTest::GetInstance()->listeners().Append(new ForgetKeptObjects);
  gc_set_checking(true);
  return RUN_ALL_TESTS();
}
