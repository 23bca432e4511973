// KoSocket in a web page: a page cannot open sockets of the system (the toolchain's emulation speaks to a
// WebSocket server that plain web servers are not), so every socket fails to open, every call on one fails
// at once and no name is found. Requests complete through their callbacks with their failure, and nothing ever
// waits.
#include "net/ko_socket.h"
#include "net/name_lookup.h"

KoSocket::~KoSocket() = default;

bool KoSocket::Open(int) { return false; }
int KoSocket::Close() {
  sock = -1;
  return 0;
}
void KoSocket::Shutdown() {}
bool KoSocket::Bind(const String&, int) { return false; }
bool KoSocket::Connect(const String&, int) { return false; }
bool KoSocket::Listen(int) { return false; }
bool KoSocket::Accept() { return false; }
KoSocket* KoSocket::Accepted() { return nullptr; }
int KoSocket::Send(KoDataBuffer*, int, int) { return -1; }
int KoSocket::Receive(KoDataBuffer*, int, int) { return -1; }
int KoSocket::SendTo(KoDataBuffer*, int, int, KoSocketAddress*) { return -1; }
int KoSocket::ReceiveFrom(KoDataBuffer*, int, int, KoSocketAddress*) { return -1; }
void KoSocket::GetLocalAddress(KoSocketAddress*) {}
void KoSocket::GetRemoteAddress(KoSocketAddress*) {}

bool ko_socket_SystemResolver(const std::string&, uint32_t*) { return false; }
