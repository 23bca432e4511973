// Host name resolution and the IPv4 address object.
#include "net/socket_address.h"

#include <cstring>
#include <string>

#include "net/name_lookup.h"

namespace {

// The network's byte order is the most significant byte first, whatever the machine's.
std::uint16_t network_port(int port) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(port >> 8), static_cast<unsigned char>(port)};
  std::uint16_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

int host_port(std::uint16_t port) {
  unsigned char bytes[2];
  std::memcpy(bytes, &port, sizeof bytes);
  return bytes[0] << 8 | bytes[1];
}

}  // namespace

bool ko_socket_Resolve(const String& host, int port, Ipv4Endpoint* endpoint) {
  return ko_socket_ResolveBefore(host, port, endpoint, kNoDeadline);
}

bool ko_socket_ResolveBefore(const String& host, int port, Ipv4Endpoint* endpoint, LookupDeadline deadline) {
  endpoint->address = 0;
  endpoint->port = network_port(port);
  if (host.Length() < 1 || host.Length() > kMaxHostLength || port < 0 || port > 65535) return false;

  std::string name(host.Length(), '\0');
  for (int i = 0; i < host.Length(); ++i) name[i] = static_cast<char>(host.Data()[i]);  // low 8 bits
  if (name.find('\0') != std::string::npos) return false;  // a NUL would make the lookup see another name

  uint32_t found = 0;
  if (!ko_socket_LookUp(name, &found, deadline)) return false;
  endpoint->address = found;
  return true;
}

KoSocketAddress::KoSocketAddress() = default;

void KoSocketAddress::Set(const String& host, int newPort) {
  ko_socket_Resolve(host, newPort, &endpoint);
  valid = false;
}

void KoSocketAddress::Set(const KoSocketAddress* other) {
  endpoint = other->endpoint;
  valid = false;
}

void KoSocketAddress::Set(const Ipv4Endpoint& raw) {
  endpoint = raw;
  valid = false;
}

void KoSocketAddress::Validate() {
  unsigned char bytes[4];
  std::memcpy(bytes, &endpoint.address, sizeof bytes);
  hostText = String(int{bytes[0]}) + String(".") + String(int{bytes[1]}) + String(".") + String(int{bytes[2]}) +
             String(".") + String(int{bytes[3]});
  port = host_port(endpoint.port);
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
