// The system calls the networking tests' loopback servers make, on each system's sockets
// (net_test_system_posix.cpp, net_test_system_windows.cpp). A socket is the system's handle widened to an
// intptr_t (a Windows SOCKET is pointer-sized); kNoSocket stands for none. Every wait is bounded by kWaitLimit.
#pragma once

#include <cstddef>
#include <cstdint>

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

// A TCP socket bound to a free port of 127.0.0.1 (written to `port`), not yet listening.
SocketHandle BindLoopback(int* port);
void ListenOn(SocketHandle listener, int backlog);
// The next connection, or kNoSocket when none came within `milliseconds`.
SocketHandle AcceptWithin(SocketHandle listener, int milliseconds);
// Sends all of `bytes` (false when the peer went), and receives what is there (0 at the end, or when nothing
// came within kWaitLimit; negative on an error). A peer that went raises no signal.
bool SendAll(SocketHandle socket, const char* bytes, std::size_t count);
long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size);
// Makes the close that follows abortive: the peer's next read fails instead of ending.
void ResetOnClose(SocketHandle socket);
void CloseSocket(SocketHandle socket);

// A fatal stop prints its report on standard output and waits for a debugger on standard input, while a
// death test reads standard error: standard output goes to standard error, and standard input reads nothing.
void RouteFatalReportToStderr();
