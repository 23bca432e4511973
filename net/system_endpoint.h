// What every platform's socket file (net/<platform>/ko_socket.cpp) does alike: the range of a buffer a transfer
// may use, and an endpoint in the system's IPv4 address and back. Included only by those files, after their
// system's socket headers, which declare sockaddr_in and AF_INET: no system header is included here.
#pragma once

#include "net/ko_socket.h"

// The range of `buffer` a transfer may use, or false when offset and count leave no valid range.
inline bool ClipTransfer(KoDataBuffer* buffer, int offset, int* count) {
  if (!buffer || !buffer->data || offset < 0 || offset > buffer->length || *count < 0) return false;
  if (*count > buffer->length - offset) *count = buffer->length - offset;
  return true;
}

// The system's address for an endpoint, and back: both keep the network's byte order.
inline sockaddr_in SystemAddress(const Ipv4Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = endpoint.port;
  address.sin_addr.s_addr = endpoint.address;
  return address;
}

inline Ipv4Endpoint EndpointOf(const sockaddr_in& address) {
  Ipv4Endpoint endpoint;
  endpoint.port = address.sin_port;
  endpoint.address = address.sin_addr.s_addr;
  return endpoint;
}
