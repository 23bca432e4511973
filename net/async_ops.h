// Asynchronous socket operations: executed on a queue's worker thread, completed on the main thread.
//
// Threads: p_Execute__UNSAFE__ runs on the worker and touches only the operation's own plain fields, the socket
// handle and the bytes of the operation's buffer. The String it needs (the connect host) is a private copy made
// on the main thread when the operation is built, and the worker only reads its code units. p_Complete runs on
// the main thread during the asynchronous event update and calls the handler.
// The owner leaves an operation's buffer alone until the operation completes.
#pragma once

#include "net/data_buffer.h"
#include "net/ko_socket.h"

class c_Socket;

class c_IOnConnectComplete {
 public:
  virtual ~c_IOnConnectComplete() = default;
  virtual void p_OnConnectComplete(bool connected, c_Socket* source) = 0;
};

class c_IOnSendComplete {
 public:
  virtual ~c_IOnSendComplete() = default;
  virtual void p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

class c_IOnReceiveComplete {
 public:
  virtual ~c_IOnReceiveComplete() = default;
  virtual void p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

class c_AsyncOp : public Object {
 public:
  virtual void p_Execute__UNSAFE__(c_Socket* source) = 0;  // worker thread
  virtual void p_Complete(c_Socket* source) = 0;           // main thread
};

class c_AsyncConnectOp : public c_AsyncOp {
 public:
  Ref<KoSocket> m_socket;  // null: a connect the socket refused, which fails without trying
  String m_host;  // private copy: the worker reads it while the caller's String lives on
  int m_port = 0;
  Ref<c_IOnConnectComplete> m_handler;
  bool m_result = false;

  c_AsyncConnectOp* m_new(KoSocket* socket, const String& host, int port, c_IOnConnectComplete* handler);
  void mark() override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void p_Complete(c_Socket* source) override;
};

class c_AsyncSocketIoOp : public c_AsyncOp {
 public:
  Ref<KoSocket> m_socket;
  Ref<c_DataBuffer> m_buffer;
  int m_offset = 0;
  int m_count = 0;  // bytes asked for; after execution the bytes moved, 0 at end of stream, or -1

  void mark() override;

 protected:
  void p_Init(KoSocket* socket, c_DataBuffer* buffer, int offset, int count);
};

class c_AsyncSendOp : public c_AsyncSocketIoOp {
 public:
  Ref<c_IOnSendComplete> m_handler;

  c_AsyncSendOp* m_new(KoSocket* socket, c_DataBuffer* buffer, int offset, int count, c_IOnSendComplete* handler);
  void mark() override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void p_Complete(c_Socket* source) override;
};

class c_AsyncReceiveOp : public c_AsyncSocketIoOp {
 public:
  Ref<c_IOnReceiveComplete> m_handler;

  c_AsyncReceiveOp* m_new(KoSocket* socket, c_DataBuffer* buffer, int offset, int count, c_IOnReceiveComplete* handler);
  void mark() override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void p_Complete(c_Socket* source) override;
};
