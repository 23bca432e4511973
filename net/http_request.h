// c_HttpRequest: one plain HTTP/1.0 request over a stream socket, driven by asynchronous socket operations so
// that it never blocks the game. All of it runs on the main thread (completions arrive during the asynchronous
// event update); only the socket operations themselves run on workers.
//
// Phases (m_phase): Idle -> Opened (p_Open) -> Connecting (p_Send) -> ReadingHead (connected; head sent) ->
// ReadingBody (status line accepted) -> Finished. Finish happens exactly once per opened request: it closes the
// socket, joins the body and calls the completion handler. Every request finishes, within m_timeoutMillis of
// p_Send (and the update after): a socket that cannot be opened fails its connect, and the connect (name lookup
// included) and every read give up at that deadline, whatever the server or the resolver does.
// Completions of an older socket, or arriving after the finish, are ignored.
// Buffers: the request head is encoded into m_writeBuffer (4096 bytes, replaced by a larger one for a longer
// head, so the send never reaches past the buffer). Responses are read into m_readBuffer (16384 bytes): its
// first m_readFill bytes are kept from the previous read (an unfinished head line, or the first bytes of a
// UTF-8 sequence cut off between reads) and every receive fills the rest, so no read ever goes past the end.
// Bounds on what a server can make us keep: a head line must fit the read buffer, the whole head kMaxHeadBytes
// and the body kMaxBodyBytes; beyond them the request finishes with what it has. Below those bounds the
// status and text do not depend on how the network splits the response into reads.
#pragma once

#include "net/socket.h"
#include "net/string_stack.h"
#include "net/url.h"

class c_HttpRequest;

class c_IOnHttpRequestComplete {
 public:
  virtual ~c_IOnHttpRequestComplete() = default;
  virtual void p_OnHttpRequestComplete(c_HttpRequest* request) = 0;
};

enum class HttpPhase { Idle, Opened, Connecting, ReadingHead, ReadingBody, Finished };

class c_HttpRequest : public Object,
                      public c_IOnConnectComplete,
                      public c_IOnSendComplete,
                      public c_IOnReceiveComplete {
 public:
  static constexpr int kWriteBufferSize = 4096;    // bytes; holds any ordinary request head
  static constexpr int kReadBufferSize = 16384;    // bytes; the longest head line we accept
  static constexpr int kMaxHeadBytes = 64 * 1024;  // no real server sends more head than this
  static constexpr int kMaxBodyBytes = 4 << 20;    // far beyond what a game fetches; stops an endless sender
  static constexpr int kStop = -1;                 // from the readers: the response is complete
  static constexpr int kDefaultTimeoutMillis = 30000;  // a request not done in this time is taken as failed

  String m_method;
  Ref<c_Url> m_url;
  Ref<c_IOnHttpRequestComplete> m_onComplete;
  Ref<c_DataBuffer> m_bodyBuffer;
  int m_bodyLength = 0;                 // bytes of body still to send
  int m_status = -1;                    // -1 until a status line has been accepted
  Ref<c_StringStack> m_responseChunks;  // exists once the head is complete
  String m_responseText;
  int m_bytesReceived = 0;     // body bytes
  Ref<c_StringStack> m_lines;  // request lines to send; then the received head lines
  Ref<c_Socket> m_socket;
  Ref<c_DataBuffer> m_writeBuffer;
  Ref<c_DataBuffer> m_readBuffer;
  HttpPhase m_phase = HttpPhase::Idle;
  int m_readFill = 0;   // bytes kept at the start of m_readBuffer for the next read
  int m_headBytes = 0;  // head bytes read so far
  int m_timeoutMillis = kDefaultTimeoutMillis;  // longest time from p_Send to the finish; below 0: no bound

  c_HttpRequest();
  c_HttpRequest* m_new2(const String& method, const String& url, c_IOnHttpRequestComplete* handler);
  void mark() override;

  void p_Open(const String& method, const String& url, c_IOnHttpRequestComplete* handler);
  void p_Send();
  void p_Send2(const String& data, const String& mimeType, const String& encoding);
  int p_Status() { return m_status; }
  String p_ResponseText() { return m_responseText; }

  void p_OnConnectComplete(bool connected, c_Socket* source) override;
  void p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;
  void p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) override;

  // Response reading (http_response.cpp), also driven directly by the fuzz target.
  void p_BeginResponse();  // the head is sent: the next bytes are a new response
  // Takes `count` bytes that a receive put at `offset` (== m_readFill) of m_readBuffer. Returns the offset for
  // the next receive, always below the buffer size, or kStop when the request is to finish.
  int p_TakeResponseBytes(int offset, int count);
  void p_Finish();

 private:
  void p_ClearResponse();
  int p_EncodeHead();
  void p_ReceiveAt(int offset);
  int p_ReadHead(int scanFrom, int end);
  bool p_AcceptStatusLine();
  int p_ReadBody(int from, int end);
};
