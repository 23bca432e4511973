// Name lookup for the sockets: which resolver turns a host name into an IPv4 address, and lookups bounded by a
// deadline.
//
// Resolver: the system's unless a test puts another in its place (to hold a lookup for as long as it likes).
// The slot is guarded by a lock, and each lookup takes a copy of the resolver before it starts, so a swap
// never pulls a resolver out from under a lookup that is running it.
// Deadline: a bounded lookup runs the resolver on a thread of its own and waits for it until the deadline. A
// lookup still running then is abandoned, not cancelled (the system's resolver cannot be): its thread owns
// its copies of the name and of the resolver and a share of the answer, touches nothing else, and ends
// whenever the resolver returns. Threads: any thread may look names up.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "net/socket_address.h"
#include "runtime/string.h"

using LookupDeadline = std::chrono::steady_clock::time_point;
inline constexpr LookupDeadline kNoDeadline = LookupDeadline::max();

// Finds the IPv4 address of `name` (network byte order); false when there is none.
using NameResolver = std::function<bool(const std::string& name, uint32_t* address)>;

bool ko_socket_SystemResolver(const std::string& name, uint32_t* address);
// Puts `resolver` in the slot and returns the one it replaces.
NameResolver ko_socket_SetNameResolver(NameResolver resolver);
// Looks `name` up with the current resolver; false when it is not found, or not found before `deadline`.
bool ko_socket_LookUp(const std::string& name, uint32_t* address, LookupDeadline deadline);
// ko_socket_Resolve (socket_address.h), giving up at `deadline`.
bool ko_socket_ResolveBefore(const String& host, int port, Ipv4Endpoint* endpoint, LookupDeadline deadline);
