// c_Socket: the framework socket. Creates a system socket for a protocol name, tracks its state and offers
// asynchronous connect, send and receive through two queues: connects and receives share the read queue (so
// a receive queued after a connect runs once the connect is done), sends have the write queue.
//
// State flags: 1 open, 2 bound, 4 connected, 8 listening. Calls not allowed in the current state are ignored.
// Main thread only. Closing: p_Close clears the state at once and shuts the connection down, which ends any
// send or receive still blocked on a worker; the handle itself is closed only when both queues are idle, so
// no worker ever uses a handle number the system may already have given to another socket. Once every
// operation has completed, the socket leaves the event-source registry and can be collected.
#pragma once

#include "net/async_queue.h"

class c_Socket : public Object, public c_IAsyncEventSource {
 public:
  static constexpr int kOpen = 1;
  static constexpr int kBound = 2;
  static constexpr int kConnected = 4;
  static constexpr int kListening = 8;

  Ref<KoSocket> m_sock;
  int m_protocol = 0;
  int m_state = 0;
  Ref<c_AsyncQueue> m_readQueue;
  Ref<c_AsyncQueue> m_writeQueue;
  bool m_closing = false;     // p_Close was called; the handle and registration are released when idle
  bool m_registered = false;  // in the event-source registry

  c_Socket* m_new(const String& protocol);  // "stream", "server" or "datagram"
  c_Socket* m_new2(KoSocket* socket, int protocol, int state);
  void mark() override;

  void p_Start();
  bool p_IsOpen() { return m_state & kOpen; }
  bool p_IsConnected() { return m_state & kConnected; }
  bool p_IsListening() { return m_state & kListening; }
  void p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* handler);
  void p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* handler);
  void p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* handler);
  void p_Close();
  void p_UpdateAsyncEvents() override;

 private:
  void p_ReleaseWhenIdle();
};

// The protocol number of a protocol name; 0 for any other name.
int ko_socket_ProtocolNumber(const String& name);
