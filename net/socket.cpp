// c_Socket: creation, state checks, queuing of operations and the delayed release after p_Close.
#include "net/socket.h"

#include "runtime/errors.h"

int ko_socket_ProtocolNumber(const String& name) {
  if (name == String("stream")) return kProtocolStream;
  if (name == String("server")) return kProtocolServer;
  if (name == String("datagram")) return kProtocolDatagram;
  return 0;
}

c_Socket* c_Socket::m_new(const String& protocol) {
  int number = ko_socket_ProtocolNumber(protocol);
  if (number == 0) koError(String("Illegal socket protocol"));
  auto* socket = new KoSocket;
  if (!socket->Open(number)) koError(String("Socket open failed"));
  m_sock = socket;
  m_protocol = number;
  m_state = kOpen;
  p_Start();
  return this;
}

c_Socket* c_Socket::m_new2(KoSocket* socket, int protocol, int state) {
  m_sock = socket;
  m_protocol = protocol;
  m_state = state;
  p_Start();
  return this;
}

void c_Socket::mark() {
  Object::mark();
  gc_mark(m_sock);
  gc_mark(m_readQueue);
  gc_mark(m_writeQueue);
}

void c_Socket::p_Start() {
  m_readQueue = (new c_AsyncQueue)->m_new(this);
  m_writeQueue = (new c_AsyncQueue)->m_new(this);
  ko_asyncevent_AddAsyncEventSource(this);
  m_registered = true;
}

// A connect the socket's state does not allow (not open, already connected, listening) still completes, with
// false, in a later update: a caller waiting for its handler is never left waiting.
void c_Socket::p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* handler) {
  bool allowed = p_IsOpen() && !(m_state & (kConnected | kListening));
  if (!m_registered) {  // a closed socket has left the registry once idle: its completions need it again
    ko_asyncevent_AddAsyncEventSource(this);
    m_registered = true;
  }
  m_readQueue->p_Enqueue((new c_AsyncConnectOp)->m_new(allowed ? m_sock.get() : nullptr, host, port, handler));
}

void c_Socket::p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* handler) {
  if (!p_IsConnected()) return;
  m_writeQueue->p_Enqueue((new c_AsyncSendOp)->m_new(m_sock, data, offset, count, handler));
}

void c_Socket::p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* handler) {
  if (!p_IsConnected()) return;
  m_readQueue->p_Enqueue((new c_AsyncReceiveOp)->m_new(m_sock, data, offset, count, handler));
}

void c_Socket::p_Close() {
  if (!m_closing && m_sock->sock >= 0) m_sock->Shutdown();  // wakes a blocked worker
  m_state = 0;
  m_closing = true;
  p_ReleaseWhenIdle();
}

void c_Socket::p_UpdateAsyncEvents() {
  m_readQueue->p_UpdateAsyncEvents();
  m_writeQueue->p_UpdateAsyncEvents();
  p_ReleaseWhenIdle();
}

void c_Socket::p_ReleaseWhenIdle() {
  if (!m_closing) return;
  if (m_readQueue->p_IsIdle() && m_writeQueue->p_IsIdle()) m_sock->Close();
  if (m_registered && m_readQueue->p_IsDrained() && m_writeQueue->p_IsDrained()) {
    ko_asyncevent_RemoveAsyncEventSource(this);
    m_registered = false;
  }
}
