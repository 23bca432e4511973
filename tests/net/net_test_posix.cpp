// The POSIX set-ups of the networking tests (net_test_posix.h).
#include "tests/net/net_test_posix.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

NoFreeDescriptors::NoFreeDescriptors() {
  getrlimit(RLIMIT_NOFILE, &saved_);
  int lowestFree = dup(0);
  close(lowestFree);
  rlimit exhausted{static_cast<rlim_t>(lowestFree), saved_.rlim_max};
  setrlimit(RLIMIT_NOFILE, &exhausted);
}

NoFreeDescriptors::~NoFreeDescriptors() { setrlimit(RLIMIT_NOFILE, &saved_); }

FullPort::FullPort() {
  listener_ = BindLoopback(&port_);
  ListenOn(listener_, 0);  // a backlog of 0 still queues one connection
  ahead_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port_));
  connect(ahead_, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

FullPort::~FullPort() {
  close(ahead_);
  CloseSocket(listener_);
}

bool FullPort::AcceptOne() {
  int accepted = accept4(static_cast<int>(listener_), nullptr, nullptr, SOCK_CLOEXEC);
  if (accepted >= 0) close(accepted);
  return accepted >= 0;
}
