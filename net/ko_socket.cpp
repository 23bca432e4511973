// KoSocket on POSIX sockets. System calls interrupted by a signal are retried.
#include "net/ko_socket.h"

#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The range of `buffer` a transfer may use, or false when offset and count leave no valid range.
bool clip(KoDataBuffer* buffer, int offset, int* count) {
  if (!buffer || !buffer->data || offset < 0 || offset > buffer->length || *count < 0) return false;
  if (*count > buffer->length - offset) *count = buffer->length - offset;
  return true;
}

template <class Call>
auto retry(Call call) {
  decltype(call()) result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
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

bool KoSocket::Bind(const String& host, int port) {
  sockaddr_in address;
  bool resolved = ko_socket_Resolve(host, port, &address);
  bool everyInterface = host.Length() == 0 && port >= 0 && port <= 65535;  // INADDR_ANY is meant here
  if (!resolved && !everyInterface) return false;
  return ::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool KoSocket::Connect(const String& host, int port) {
  sockaddr_in address;
  if (!ko_socket_Resolve(host, port, &address)) return false;  // never connect to 0.0.0.0 (this machine)
  return retry([&] { return ::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address); }) == 0;
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
  if (!clip(buffer, offset, &count)) return -1;
  int sent = 0;
  while (sent < count) {  // a blocking send may still stop short (a signal); the rest must follow in order
    ssize_t n = retry([&] { return ::send(sock, buffer->data + offset + sent, count - sent, MSG_NOSIGNAL); });
    if (n < 0) return sent > 0 ? sent : -1;
    sent += static_cast<int>(n);
  }
  return sent;
}

int KoSocket::Receive(KoDataBuffer* buffer, int offset, int count) {
  if (!clip(buffer, offset, &count)) return -1;
  return static_cast<int>(retry([&] { return ::recv(sock, buffer->data + offset, count, 0); }));
}

int KoSocket::SendTo(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!clip(buffer, offset, &count) || !address) return -1;
  return static_cast<int>(retry([&] {
    return ::sendto(sock, buffer->data + offset, count, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address->addr),
                    sizeof address->addr);
  }));
}

int KoSocket::ReceiveFrom(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!clip(buffer, offset, &count) || !address) return -1;
  sockaddr_in from{};
  socklen_t size = sizeof from;
  auto n = retry(
      [&] { return ::recvfrom(sock, buffer->data + offset, count, 0, reinterpret_cast<sockaddr*>(&from), &size); });
  if (n >= 0) address->Set(from);
  return static_cast<int>(n);
}

void KoSocket::GetLocalAddress(KoSocketAddress* address) {
  sockaddr_in local{};
  socklen_t size = sizeof local;
  if (::getsockname(sock, reinterpret_cast<sockaddr*>(&local), &size) == 0) address->Set(local);
}

void KoSocket::GetRemoteAddress(KoSocketAddress* address) {
  sockaddr_in remote{};
  socklen_t size = sizeof remote;
  if (::getpeername(sock, reinterpret_cast<sockaddr*>(&remote), &size) == 0) address->Set(remote);
}
