// Host name resolution and the IPv4 address object.
#include "net/socket_address.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <cstring>
#include <string>

#include "net/name_lookup.h"

bool ko_socket_Resolve(const String& host, int port, sockaddr_in* address) {
  return ko_socket_ResolveBefore(host, port, address, kNoDeadline);
}

bool ko_socket_ResolveBefore(const String& host, int port, sockaddr_in* address, LookupDeadline deadline) {
  std::memset(address, 0, sizeof *address);
  address->sin_family = AF_INET;
  address->sin_port = htons(static_cast<uint16_t>(port));
  address->sin_addr.s_addr = htonl(INADDR_ANY);
  if (host.Length() < 1 || host.Length() > kMaxHostLength || port < 0 || port > 65535) return false;

  std::string name(host.Length(), '\0');
  for (int i = 0; i < host.Length(); ++i) name[i] = static_cast<char>(host.Data()[i]);  // low 8 bits
  if (name.find('\0') != std::string::npos) return false;  // a NUL would make the lookup see another name

  uint32_t found = 0;
  if (!ko_socket_LookUp(name, &found, deadline)) return false;
  address->sin_addr.s_addr = found;
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
