// KoSocketAddress: one IPv4 address and port; ko_socket_Resolve: host text to address.
//
// Resolution asks the sockets' resolver (net/name_lookup.h: the system's getaddrinfo for IPv4, safe on worker
// threads, unless a test put another in its place). It reads the host's code units in place and never copies
// the String, so a worker may resolve a private copy of a host text without touching a reference count. An
// address that could not be resolved is 0.0.0.0 (INADDR_ANY).
#pragma once

#include <netinet/in.h>

#include "runtime/object.h"

inline constexpr int kMaxHostLength = 1023;  // longer host texts are not looked up

// Fills `address` (family, port in network order, IPv4 address) for host and port. True only when the host
// was found and the port is 0..65535; otherwise the address is INADDR_ANY with the port's low 16 bits.
bool ko_socket_Resolve(const String& host, int port, sockaddr_in* address);

class KoSocketAddress : public Object {
 public:
  sockaddr_in addr{};
  bool valid = false;  // hostText and port are up to date with addr
  String hostText;     // dotted address
  int port = 0;        // host order

  KoSocketAddress();
  void Set(const String& host, int port);
  void Set(const KoSocketAddress* other);
  void Set(const sockaddr_in& raw);
  void Validate();
  String Host();
  int Port();
};
