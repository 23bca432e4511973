// KoSocket and the system's name resolver on Windows sockets. The sockets interface is started once, version 1.1
// (0x0101) as the game always asked for, by the first socket or lookup; it is never stopped, since sockets may
// live until the process ends. Handles are kept in the int `sock` with -1 for none: Windows' socket handles
// fit in 32 bits, and INVALID_SOCKET becomes -1. Deadlines bound connects and receives as on Linux: a
// non-blocking connect, then select.
#include <winsock2.h>

#include <algorithm>
#include <chrono>
#include <climits>

#include "net/ko_socket.h"
#include "net/name_lookup.h"
#include "net/system_endpoint.h"

namespace {

using Deadline = std::chrono::steady_clock::time_point;
constexpr auto kReceiveSlice = std::chrono::milliseconds(100);  // how soon a waiting receive sees a shutdown

bool start_sockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(0x0101, &data) == 0;
  }();
  return started;
}

SOCKET handle(int sock) { return static_cast<SOCKET>(static_cast<unsigned>(sock)); }

int stored(SOCKET sock) { return sock == INVALID_SOCKET ? -1 : static_cast<int>(sock); }

// Waits until `sock` can be read (or, for `writing`, written) no later than `deadline`; false at the deadline or
// on an error. A failed connect shows in the exception set.
bool wait_ready(int sock, bool writing, Deadline deadline) {
  if (sock < 0) return false;
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(handle(sock), &ready);
  FD_SET(handle(sock), &failed);
  timeval wait{};
  timeval* bound = nullptr;
  if (deadline != kNoDeadline) {
    auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (remaining.count() <= 0) return false;  // even with bytes waiting: a trickle must not outlast the deadline
    const long long milliseconds = std::min<long long>(remaining.count(), INT_MAX);
    wait.tv_sec = static_cast<long>(milliseconds / 1000);
    wait.tv_usec = static_cast<long>(milliseconds % 1000 * 1000);
    bound = &wait;
  }
  const int n = select(0, writing ? nullptr : &ready, writing ? &ready : nullptr, &failed, bound);
  return n > 0 && FD_ISSET(handle(sock), &ready);
}

bool set_blocking(int sock, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  return ioctlsocket(handle(sock), FIONBIO, &nonBlocking) == 0;
}

// Connects without blocking, then waits for the connection until `deadline`: the only way to bound a connect.
bool connect_within(int sock, const sockaddr_in& address, Deadline deadline) {
  if (!set_blocking(sock, false)) return false;
  bool connected = connect(handle(sock), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (!connected && WSAGetLastError() == WSAEWOULDBLOCK && wait_ready(sock, true, deadline)) {
    int error = 0;
    int size = sizeof error;
    connected = getsockopt(handle(sock), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 &&
                error == 0;
  }
  const bool blocking = set_blocking(sock, true);  // sends and receives block as before
  return connected && blocking;
}

}  // namespace

KoSocket::~KoSocket() {
  Close();
  if (acceptedSock >= 0) closesocket(handle(acceptedSock));
}

bool KoSocket::Open(int kind) {
  if (sock >= 0 || kind <= 0 || !start_sockets()) return false;
  if (kind == kProtocolStream || kind == kProtocolServer) {
    sock = stored(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    BOOL on = TRUE;
    if (sock >= 0) setsockopt(handle(sock), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  } else if (kind == kProtocolDatagram) {
    sock = stored(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  }
  if (sock < 0) return false;
  protocol = kind;
  return true;
}

int KoSocket::Close() {
  if (sock >= 0) closesocket(handle(sock));
  sock = -1;
  return 0;
}

void KoSocket::Shutdown() {
  shutDown.store(true, std::memory_order_release);
  if (sock >= 0) shutdown(handle(sock), SD_BOTH);
}

bool KoSocket::Bind(const String& host, int port) {
  Ipv4Endpoint endpoint;
  bool resolved = ko_socket_Resolve(host, port, &endpoint);
  bool everyInterface = host.Length() == 0 && port >= 0 && port <= 65535;  // INADDR_ANY is meant here
  if (!resolved && !everyInterface) return false;
  const sockaddr_in address = SystemAddress(endpoint);
  return bind(handle(sock), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool KoSocket::Connect(const String& host, int port) {
  Ipv4Endpoint endpoint;
  // Never connect to 0.0.0.0 (this machine) when the name was not found.
  if (!ko_socket_ResolveBefore(host, port, &endpoint, deadline)) return false;
  return connect_within(sock, SystemAddress(endpoint), deadline);
}

bool KoSocket::Listen(int backlog) { return listen(handle(sock), backlog) == 0; }

bool KoSocket::Accept() {
  if (acceptedSock >= 0) closesocket(handle(acceptedSock));  // an accepted connection nobody took over
  acceptedSock = stored(accept(handle(sock), nullptr, nullptr));
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
  while (sent < count) {  // a blocking send may still stop short; the rest must follow in order
    const int n = send(handle(sock), reinterpret_cast<const char*>(buffer->data) + offset + sent, count - sent, 0);
    if (n < 0) return sent > 0 ? sent : -1;
    sent += n;
  }
  return sent;
}

// A blocked recv is not woken by a shutdown from another thread under every Windows sockets implementation
// (wine's is not), so a receive waits for its bytes in slices, and gives up once the socket was shut down.
int KoSocket::Receive(KoDataBuffer* buffer, int offset, int count) {
  if (!ClipTransfer(buffer, offset, &count)) return -1;
  for (;;) {
    if (shutDown.load(std::memory_order_acquire)) return -1;
    const Deadline slice = std::min(deadline, std::chrono::steady_clock::now() + kReceiveSlice);
    if (wait_ready(sock, false, slice)) break;
    const auto now = std::chrono::steady_clock::now();
    if (now < slice || now >= deadline) return -1;  // an error before the slice was out, or the deadline
  }
  return recv(handle(sock), reinterpret_cast<char*>(buffer->data) + offset, count, 0);
}

int KoSocket::SendTo(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!ClipTransfer(buffer, offset, &count) || !address) return -1;
  const sockaddr_in to = SystemAddress(address->endpoint);
  return sendto(handle(sock), reinterpret_cast<const char*>(buffer->data) + offset, count, 0,
                reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

int KoSocket::ReceiveFrom(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address) {
  if (!ClipTransfer(buffer, offset, &count) || !address) return -1;
  sockaddr_in from{};
  int size = sizeof from;
  const int n = recvfrom(handle(sock), reinterpret_cast<char*>(buffer->data) + offset, count, 0,
                         reinterpret_cast<sockaddr*>(&from), &size);
  if (n >= 0) address->Set(EndpointOf(from));
  return n;
}

void KoSocket::GetLocalAddress(KoSocketAddress* address) {
  sockaddr_in local{};
  int size = sizeof local;
  if (getsockname(handle(sock), reinterpret_cast<sockaddr*>(&local), &size) == 0) address->Set(EndpointOf(local));
}

void KoSocket::GetRemoteAddress(KoSocketAddress* address) {
  sockaddr_in remote{};
  int size = sizeof remote;
  if (getpeername(handle(sock), reinterpret_cast<sockaddr*>(&remote), &size) == 0) address->Set(EndpointOf(remote));
}

// gethostbyname answers into storage of the calling thread's own, so lookups on several threads do not meet.
bool ko_socket_SystemResolver(const std::string& name, uint32_t* address) {
  if (!start_sockets()) return false;
  const hostent* found = gethostbyname(name.c_str());
  if (!found || found->h_addrtype != AF_INET || !found->h_addr_list[0]) return false;
  *address = reinterpret_cast<const in_addr*>(found->h_addr_list[0])->s_addr;
  return true;
}
