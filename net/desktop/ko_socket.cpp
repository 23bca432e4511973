// KoSocket and the system's name resolver on POSIX sockets. System calls interrupted by a signal are retried, except connect: an interrupted
// connect goes on in the background, so it is waited for like one that is still in progress.
#include "net/ko_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "net/name_lookup.h"
#include "net/system_endpoint.h"

namespace {

using Deadline = std::chrono::steady_clock::time_point;

template <class Call>
auto retry(Call call) {
  decltype(call()) result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
}

// Waits until `events` are ready on `sock`, no later than `deadline`; false at the deadline or on an error.
bool wait_ready(int sock, short events, Deadline deadline) {
  if (sock < 0) {  // poll would skip it and sleep out the whole wait
    errno = EBADF;
    return false;
  }
  for (;;) {
    int left = -1;
    if (deadline != kNoDeadline) {
      auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (remaining.count() <= 0) {  // even with bytes waiting: a trickle must not outlast the deadline
        errno = ETIMEDOUT;
        return false;
      }
      left = static_cast<int>(std::min<long long>(remaining.count(), INT_MAX));
    }
    pollfd ready{sock, events, 0};
    int n = ::poll(&ready, 1, left);
    if (n > 0) return true;  // an error or hang-up counts too: the call that follows reports it
    if (n < 0 && errno != EINTR) return false;
  }
}

// Connects without blocking, then waits for the connection until `deadline`: the only way to bound a connect,
// and the same wait serves a connect that a signal interrupted.
bool connect_within(int sock, const sockaddr_in& address, Deadline deadline) {
  int flags = ::fcntl(sock, F_GETFL);
  if (flags < 0 || ::fcntl(sock, F_SETFL, flags | O_NONBLOCK) != 0) return false;
  bool connected = ::connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (!connected && (errno == EINPROGRESS || errno == EINTR) && wait_ready(sock, POLLOUT, deadline)) {
    int error = 0;
    socklen_t size = sizeof error;
    connected = ::getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  bool blocking = ::fcntl(sock, F_SETFL, flags) == 0;  // sends and receives block as before
  return connected && blocking;
}

}  // namespace

KoSocket::~KoSocket() {
  Close();
  if (acceptedSock >= 0) ::close(acceptedSock);
}

bool KoSocket::Open(int kind) {
  if (sock >= 0 || kind <= 0) return false;
  if (kind == kProtocolStream || kind == kProtocolServer) {
    sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    int on = 1;
    if (sock >= 0) setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // requests are small writes
  } else if (kind == kProtocolDatagram) {
    sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  }
  if (sock < 0) return false;
  protocol = kind;
  return true;
}

int KoSocket::Close() {
  if (sock >= 0) ::close(sock);
  sock = -1;
  return 0;
}

void KoSocket::Shutdown() {
  if (sock >= 0) ::shutdown(sock, SHUT_RDWR);
}

bool KoSocket::Bind(const String& host, int port) {
  Ipv4Endpoint endpoint;
  bool resolved = ko_socket_Resolve(host, port, &endpoint);
  bool everyInterface = host.Length() == 0 && port >= 0 && port <= 65535;  // INADDR_ANY is meant here
  if (!resolved && !everyInterface) return false;
  const sockaddr_in address = SystemAddress(endpoint);
  return ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool KoSocket::Connect(const String& host, int port) {
  Ipv4Endpoint endpoint;
  // Never connect to 0.0.0.0 (this machine) when the name was not found.
  if (!ko_socket_ResolveBefore(host, port, &endpoint, deadline)) return false;
  return connect_within(sock, SystemAddress(endpoint), deadline);
}

bool KoSocket::Listen(int backlog) { return ::listen(sock, backlog) == 0; }

bool KoSocket::Accept() {
  if (acceptedSock >= 0) ::close(acceptedSock);  // an accepted connection nobody took over
  acceptedSock = retry([&] { return ::accept4(sock, nullptr, nullptr, SOCK_CLOEXEC); });
  return acceptedSock >= 0;
}

KoSocket* KoSocket::Accepted() {
  if (acceptedSock < 0) return nullptr;
  auto* accepted = new KoSocket;
  accepted->sock = acceptedSock;
  accepted->protocol = kProtocolStream;
  acceptedSock = -1;  // handed over: one owner per handle, closed once
  return accepted;
}

int KoSocket::Send(KoDataBuffer* buffer, int offset, int count) {
  if (!ClipTransfer(buffer, offset, &count)) return -1;
  int sent = 0;
  while (sent < count) {  // a blocking send may still stop short (a signal); the rest must follow in order
    ssize_t n = retry([&] { return ::send(sock, buffer->data + offset + sent, count - sent, MSG_NOSIGNAL); });
    if (n < 0) return sent > 0 ? sent : -1;
    sent += static_cast<int>(n);
  }
  return sent;
}

int KoSocket::Receive(KoDataBuffer* buffer, int offset, int count) {
  if (!ClipTransfer(buffer, offset, &count)) return -1;
  if (deadline != kNoDeadline && !wait_ready(sock, POLLIN, deadline)) return -1;
  return static_cast<int>(retry([&] { return ::recv(sock, buffer->data + offset, count, 0); }));
}

int KoSocket::SendTo(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!ClipTransfer(buffer, offset, &count) || !address) return -1;
  const sockaddr_in to = SystemAddress(address->endpoint);
  return static_cast<int>(retry([&] {
    return ::sendto(sock, buffer->data + offset, count, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to),
                    sizeof to);
  }));
}

int KoSocket::ReceiveFrom(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!ClipTransfer(buffer, offset, &count) || !address) return -1;
  sockaddr_in from{};
  socklen_t size = sizeof from;
  auto n = retry(
      [&] { return ::recvfrom(sock, buffer->data + offset, count, 0, reinterpret_cast<sockaddr*>(&from), &size); });
  if (n >= 0) address->Set(EndpointOf(from));
  return static_cast<int>(n);
}

void KoSocket::GetLocalAddress(KoSocketAddress* address) {
  sockaddr_in local{};
  socklen_t size = sizeof local;
  if (::getsockname(sock, reinterpret_cast<sockaddr*>(&local), &size) == 0) address->Set(EndpointOf(local));
}

void KoSocket::GetRemoteAddress(KoSocketAddress* address) {
  sockaddr_in remote{};
  socklen_t size = sizeof remote;
  if (::getpeername(sock, reinterpret_cast<sockaddr*>(&remote), &size) == 0) address->Set(EndpointOf(remote));
}

bool ko_socket_SystemResolver(const std::string& name, uint32_t* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;  // one entry per address, not one per socket type
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  return true;
}
