// The loopback servers' system calls on POSIX sockets (net_test_system.h).
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/net/net_test_support.h"
#include "tests/net/net_test_system.h"

namespace {

bool ready(SocketHandle socket, short events, int milliseconds = std::chrono::milliseconds(kWaitLimit).count()) {
  pollfd entry{static_cast<int>(socket), events, 0};
  return poll(&entry, 1, milliseconds) == 1;
}

}  // namespace

SocketHandle BindLoopback(int* port) {
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

void ListenOn(SocketHandle listener, int backlog) { listen(static_cast<int>(listener), backlog); }

SocketHandle AcceptWithin(SocketHandle listener, int milliseconds) {
  return ready(listener, POLLIN, milliseconds) ? accept(static_cast<int>(listener), nullptr, nullptr) : kNoSocket;
}

bool SendAll(SocketHandle socket, const char* bytes, std::size_t count) {
  for (std::size_t sent = 0; sent < count;) {
    ssize_t n = ready(socket, POLLOUT) ? send(static_cast<int>(socket), bytes + sent, count - sent, MSG_NOSIGNAL) : -1;
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size) {
  return ready(socket, POLLIN) ? recv(static_cast<int>(socket), buffer, size, 0) : 0;
}

void ResetOnClose(SocketHandle socket) {
  linger abort{1, 0};
  setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

void CloseSocket(SocketHandle socket) { close(static_cast<int>(socket)); }

void RouteFatalReportToStderr() {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  if (!std::freopen("/dev/null", "r", stdin)) std::abort();
}
