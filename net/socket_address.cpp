// Host name resolution and the IPv4 address object.
#include "net/socket_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <cstring>
#include <string>

bool ko_socket_Resolve(const String& host, int port, sockaddr_in* address) {
  std::memset(address, 0, sizeof *address);
  address->sin_family = AF_INET;
  address->sin_port = htons(static_cast<uint16_t>(port));
  address->sin_addr.s_addr = htonl(INADDR_ANY);
  if (host.Length() < 1 || host.Length() > kMaxHostLength || port < 0 || port > 65535) return false;

  std::string name(host.Length(), '\0');
  for (int i = 0; i < host.Length(); ++i) name[i] = static_cast<char>(host.Data()[i]);  // low 8 bits
  if (name.find('\0') != std::string::npos) return false;  // a NUL would make the lookup see another name

  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;  // one entry per address, not one per socket type
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  address->sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

KoSocketAddress::KoSocketAddress() { addr.sin_family = AF_INET; }

void KoSocketAddress::Set(const String& host, int newPort) {
  ko_socket_Resolve(host, newPort, &addr);
  valid = false;
}

void KoSocketAddress::Set(const KoSocketAddress* other) {
  addr = other->addr;
  valid = false;
}

void KoSocketAddress::Set(const sockaddr_in& raw) {
  addr = raw;
  valid = false;
}

void KoSocketAddress::Validate() {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&addr.sin_addr.s_addr);
  hostText = String(int{bytes[0]}) + String(".") + String(int{bytes[1]}) + String(".") + String(int{bytes[2]}) +
             String(".") + String(int{bytes[3]});
  port = ntohs(addr.sin_port);
  valid = true;
}

String KoSocketAddress::Host() {
  if (!valid) Validate();
  return hostText;
}

int KoSocketAddress::Port() {
  if (!valid) Validate();
  return port;
}
