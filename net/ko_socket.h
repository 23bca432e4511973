// KoSocket: one IPv4 socket of the system (TCP client, TCP server or UDP).
//
// Threads: Open, Close, Bind, Listen, Accepted and the address queries run on the main thread. Connect, Send
// and Receive are also called on an asynchronous queue's worker (net/async_queue.h); they read `sock` and the
// buffer's bytes only, and the main thread never changes `sock` while such an operation is outstanding
// (c_Socket delays the real close until its queues are idle).
// Waiting: Connect (its name lookup included) and Receive give up at `deadline` and fail then as any other
// network failure does, however the other side or the resolver dribbles; with no deadline (the default) they
// wait as long as the system does. A lookup given up on is left to finish on its own (net/name_lookup.h).
// Bounds: Send, Receive, SendTo and ReceiveFrom clip offset and count to the buffer; a range outside it
// transfers nothing and gives -1. Sends never raise SIGPIPE: a closed peer is an ordinary -1.
#pragma once

#include <atomic>
#include <chrono>

#include "net/data_buffer.h"
#include "net/socket_address.h"

inline constexpr int kProtocolStream = 1;    // TCP client
inline constexpr int kProtocolServer = 2;    // TCP, for listening
inline constexpr int kProtocolDatagram = 3;  // UDP

class KoSocket : public Object {
 public:
  int sock = -1;  // system handle; -1 when closed
  int protocol = 0;
  int acceptedSock = -1;  // the last accepted connection, until Accepted() hands it over
  // When Connect and Receive give up; the latest time there is: never. Set before queuing them.
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
  // Set by Shutdown, which may run while a worker waits on this socket: for a platform whose shutdown does not
  // wake a blocked receive (Windows sockets under wine), the wait looks here.
  std::atomic<bool> shutDown{false};

  ~KoSocket() override;

  bool Open(int protocol);
  int Close();
  void Shutdown();  // ends both directions and so wakes a worker blocked on the socket; it stays open
  bool Bind(const String& host, int port);     // an empty host binds to every interface
  bool Connect(const String& host, int port);  // blocking; fails when the host cannot be resolved
  bool Listen(int backlog);
  bool Accept();         // blocking
  KoSocket* Accepted();  // a socket object owning the accepted connection, or null
  // Bytes sent (all of them, unless an error cut the send short) or -1.
  int Send(KoDataBuffer* buffer, int offset, int count);
  // Bytes received, 0 at the end of the stream, -1 on error.
  int Receive(KoDataBuffer* buffer, int offset, int count);
  int SendTo(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address);
  int ReceiveFrom(KoDataBuffer* buffer, int offset, int count, KoSocketAddress* address);  // stores the sender
  void GetLocalAddress(KoSocketAddress* address);
  void GetRemoteAddress(KoSocketAddress* address);
};
