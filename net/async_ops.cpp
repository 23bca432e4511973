// Connect, send and receive operations.
#include "net/async_ops.h"

#include "net/socket.h"
#include "runtime/thread.h"

// -------------------------------------------------------------------------------------------------------------
// Connect

c_AsyncConnectOp* c_AsyncConnectOp::m_new(KoSocket* socket, const String& host, int port,
                                          c_IOnConnectComplete* handler) {
  m_socket = socket;
  m_host = KoThread::Strdup(host);
  m_port = port;
  m_handler = handler;
  return this;
}

void c_AsyncConnectOp::mark() {
  c_AsyncOp::mark();
  gc_mark(m_socket);
  gc_mark(m_handler);
}

void c_AsyncConnectOp::p_Execute__UNSAFE__(c_Socket*) { m_result = m_socket && m_socket->Connect(m_host, m_port); }

void c_AsyncConnectOp::p_Complete(c_Socket* source) {
  // A socket closed while the connect was under way stays closed: its handle is about to be released.
  bool connected = m_result && source && source->p_IsOpen();
  if (connected) source->m_state |= c_Socket::kBound | c_Socket::kConnected;
  if (m_handler) m_handler->p_OnConnectComplete(connected, source);
}

// -------------------------------------------------------------------------------------------------------------
// Send and receive

void c_AsyncSocketIoOp::mark() {
  c_AsyncOp::mark();
  gc_mark(m_socket);
  gc_mark(m_buffer);
}

void c_AsyncSocketIoOp::p_Init(KoSocket* socket, c_DataBuffer* buffer, int offset, int count) {
  m_socket = socket;
  m_buffer = buffer;
  m_offset = offset;
  m_count = count;
}

c_AsyncSendOp* c_AsyncSendOp::m_new(KoSocket* socket, c_DataBuffer* buffer, int offset, int count,
                                    c_IOnSendComplete* handler) {
  p_Init(socket, buffer, offset, count);
  m_handler = handler;
  return this;
}

void c_AsyncSendOp::mark() {
  c_AsyncSocketIoOp::mark();
  gc_mark(m_handler);
}

void c_AsyncSendOp::p_Execute__UNSAFE__(c_Socket*) { m_count = m_socket->Send(m_buffer, m_offset, m_count); }

void c_AsyncSendOp::p_Complete(c_Socket* source) {
  if (m_handler) m_handler->p_OnSendComplete(m_buffer, m_offset, m_count, source);
}

c_AsyncReceiveOp* c_AsyncReceiveOp::m_new(KoSocket* socket, c_DataBuffer* buffer, int offset, int count,
                                          c_IOnReceiveComplete* handler) {
  p_Init(socket, buffer, offset, count);
  m_handler = handler;
  return this;
}

void c_AsyncReceiveOp::mark() {
  c_AsyncSocketIoOp::mark();
  gc_mark(m_handler);
}

void c_AsyncReceiveOp::p_Execute__UNSAFE__(c_Socket*) { m_count = m_socket->Receive(m_buffer, m_offset, m_count); }

void c_AsyncReceiveOp::p_Complete(c_Socket* source) {
  if (m_handler) m_handler->p_OnReceiveComplete(m_buffer, m_offset, m_count, source);
}
