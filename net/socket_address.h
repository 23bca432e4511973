// KoSocketAddress: one IPv4 address and port; ko_socket_Resolve: host text to address.
//
// Resolution asks the sockets' resolver (net/name_lookup.h: the system's getaddrinfo for IPv4, safe on worker
// threads, unless a test put another in its place). It reads the host's code units in place and never copies
// the String, so a worker may resolve a private copy of a host text without touching a reference count. An
// address that could not be resolved is 0.0.0.0 (INADDR_ANY).
#pragma once

#include <cstdint>

#include "runtime/object.h"

inline constexpr int kMaxHostLength = 1023;  // longer host texts are not looked up

// One IPv4 address and port in the network's byte order, as the system's socket addresses hold them: each
// platform's socket file (net/<platform>/ko_socket.cpp) copies them in and out of its own address type, so no
// system header reaches the files that include this one.
struct Ipv4Endpoint {
  std::uint32_t address = 0;  // 0: 0.0.0.0, any address
  std::uint16_t port = 0;
};

// Fills `endpoint` for host and port. True only when the host was found and the port is 0..65535; otherwise
// the address is 0.0.0.0 with the port's low 16 bits.
bool ko_socket_Resolve(const String& host, int port, Ipv4Endpoint* endpoint);

class KoSocketAddress : public Object {
 public:
  Ipv4Endpoint endpoint;
  bool valid = false;  // hostText and port are up to date with the endpoint
  String hostText;     // dotted address
  int port = 0;        // host order

  KoSocketAddress();
  void Set(const String& host, int port);
  void Set(const KoSocketAddress* other);
  void Set(const Ipv4Endpoint& raw);
  void Validate();
  String Host();
  int Port();
};
