// The loopback servers' system calls on Winsock (net_test_system.h). The sockets start once, here, since a
// test's server may make its socket before the code under test makes any.
#include <winsock2.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/net/net_test_support.h"
#include "tests/net/net_test_system.h"

namespace {

SOCKET native(SocketHandle socket) { return static_cast<SOCKET>(socket); }

bool ready(SocketHandle socket, short events, int milliseconds = std::chrono::milliseconds(kWaitLimit).count()) {
  WSAPOLLFD entry{native(socket), events, 0};
  return WSAPoll(&entry, 1, milliseconds) == 1;
}

void StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) std::abort();
}

}  // namespace

SocketHandle BindLoopback(int* port) {
  StartSockets();
  SOCKET created = socket(AF_INET, SOCK_STREAM, 0);
  SetHandleInformation(reinterpret_cast<HANDLE>(created), HANDLE_FLAG_INHERIT, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof address;
  bind(created, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(created, reinterpret_cast<sockaddr*>(&address), &size);
  *port = ntohs(address.sin_port);
  return static_cast<SocketHandle>(created);
}

void ListenOn(SocketHandle listener, int backlog) { listen(native(listener), backlog); }

SocketHandle AcceptWithin(SocketHandle listener, int milliseconds) {
  if (!ready(listener, POLLRDNORM, milliseconds)) return kNoSocket;
  SOCKET accepted = accept(native(listener), nullptr, nullptr);
  return accepted == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(accepted);
}

bool SendAll(SocketHandle socket, const char* bytes, std::size_t count) {
  for (std::size_t sent = 0; sent < count;) {
    int n = ready(socket, POLLWRNORM) ? send(native(socket), bytes + sent, static_cast<int>(count - sent), 0) : -1;
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size) {
  return ready(socket, POLLRDNORM) ? recv(native(socket), buffer, static_cast<int>(size), 0) : 0;
}

void ResetOnClose(SocketHandle socket) {
  linger abort{1, 0};
  setsockopt(native(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
}

void CloseSocket(SocketHandle socket) { closesocket(native(socket)); }

void RouteFatalReportToStderr() {
  std::fflush(stdout);
  _dup2(_fileno(stderr), _fileno(stdout));
  if (!std::freopen("NUL", "r", stdin)) std::abort();
}
