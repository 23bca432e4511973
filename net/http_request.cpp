// c_HttpRequest: opening, sending the head and body, the socket callbacks and the finish. Reading the
// response is in http_response.cpp.
#include "net/http_request.h"

#include <chrono>
#include <string>

#include "runtime/utf8.h"

c_HttpRequest::c_HttpRequest() {
  m_writeBuffer = (new c_DataBuffer)->m_new(kWriteBufferSize);
  m_readBuffer = (new c_DataBuffer)->m_new(kReadBufferSize);
  m_lines = (new c_StringStack)->m_new();
}

c_HttpRequest* c_HttpRequest::m_new2(const String& method, const String& url, c_IOnHttpRequestComplete* handler) {
  p_Open(method, url, handler);
  return this;
}

void c_HttpRequest::mark() {
  Object::mark();
  gc_mark(m_url);
  gc_mark(m_onComplete);
  gc_mark(m_bodyBuffer);
  gc_mark(m_responseChunks);
  gc_mark(m_lines);
  gc_mark(m_socket);
  gc_mark(m_writeBuffer);
  gc_mark(m_readBuffer);
}

namespace {
// Text taken from a URL or a caller, percent-encoded so that it can never end the request line or a header line
// early and smuggle in header lines of its own. Wide units matter as much as control characters: the head is
// written as "ascii", which keeps each unit's low 8 bits, so U+010D U+010A would otherwise go out as CR LF.
String header_safe(const String& text) {
  const std::string safe = PercentEncodedUtf8(text);
  return String::FromUtf8(safe.data(), static_cast<int>(safe.size()));
}
}  // namespace

void c_HttpRequest::p_Open(const String& method, const String& url, c_IOnHttpRequestComplete* handler) {
  if (m_socket && m_phase != HttpPhase::Finished) m_socket->p_Close();  // abandon the request in flight
  m_socket = nullptr;
  m_method = method;
  m_url = (new c_Url)->m_new(url, String("http"), 80);
  m_onComplete = handler;
  m_bodyBuffer = nullptr;
  m_bodyLength = 0;
  p_ClearResponse();
  m_lines->p_Clear();
  m_lines->p_Push(header_safe(method) + String(" ") + header_safe(m_url->p_FullPath()) + String(" HTTP/1.0"));
  m_lines->p_Push(String("Host: ") + header_safe(m_url->p_Domain()));
  m_phase = HttpPhase::Opened;
}

void c_HttpRequest::p_Send2(const String& data, const String& mimeType, const String& encoding) {
  if (m_phase != HttpPhase::Opened) return;
  m_bodyBuffer = (new c_DataBuffer)->m_new(3 * data.Length());  // the longest encoding: 3 bytes per unit
  m_bodyLength = m_bodyBuffer->p_PokeString(0, data, encoding);
  if (mimeType.Length() > 0) m_lines->p_Push(String("Content-Type: ") + header_safe(mimeType));
  m_lines->p_Push(String("Content-Length: ") + String(m_bodyLength));
  p_Send();
}

void c_HttpRequest::p_Send() {
  if (m_phase != HttpPhase::Opened) return;
  // Opened here rather than by c_Socket::m_new, for which a failed open is fatal: a request whose socket cannot
  // be opened (no descriptor left) completes as a failed connection instead.
  auto* handle = new KoSocket;
  bool opened = handle->Open(kProtocolStream);
  if (m_timeoutMillis >= 0) {
    handle->deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeoutMillis);
  }
  m_socket = (new c_Socket)->m_new2(handle, kProtocolStream, opened ? c_Socket::kOpen : 0);
  m_phase = HttpPhase::Connecting;
  m_socket->p_ConnectAsync(m_url->p_Domain(), m_url->p_Port(), this);
}

// Joins the request lines into the head (ending in an empty line) and writes it into the write buffer,
// replacing the buffer when the head is longer; returns the head's size in bytes.
int c_HttpRequest::p_EncodeHead() {
  m_lines->p_Push(String());
  m_lines->p_Push(String());
  String head = m_lines->p_Join(String("\r\n"));
  m_lines->p_Clear();
  if (head.Length() > m_writeBuffer->length) m_writeBuffer = (new c_DataBuffer)->m_new(head.Length());
  return m_writeBuffer->p_PokeString(0, head, String("ascii"));
}

void c_HttpRequest::p_OnConnectComplete(bool connected, c_Socket* source) {
  if (source != m_socket || m_phase != HttpPhase::Connecting) return;
  if (!connected) return p_Finish();
  m_socket->p_SendAsync(m_writeBuffer, 0, p_EncodeHead(), this);
  p_BeginResponse();
  p_ReceiveAt(0);
}

void c_HttpRequest::p_OnSendComplete(c_DataBuffer*, int, int, c_Socket* source) {
  if (source != m_socket || m_phase == HttpPhase::Finished) return;
  // The body follows the head on the same queue, so it goes out after it.
  if (m_bodyLength != 0 && m_socket->p_IsConnected()) m_socket->p_SendAsync(m_bodyBuffer, 0, m_bodyLength, this);
  m_bodyLength = 0;
}

void c_HttpRequest::p_OnReceiveComplete(c_DataBuffer*, int offset, int count, c_Socket* source) {
  if (source != m_socket) return;
  if (m_phase != HttpPhase::ReadingHead && m_phase != HttpPhase::ReadingBody) return;
  if (count <= 0) return p_Finish();  // 0: the server closed the connection; -1: the connection failed
  int next = p_TakeResponseBytes(offset, count);
  if (next == kStop) return p_Finish();
  p_ReceiveAt(next);
}

void c_HttpRequest::p_ReceiveAt(int offset) {
  if (!m_socket || !m_socket->p_IsConnected()) return p_Finish();  // no receive would ever complete
  m_socket->p_ReceiveAsync(m_readBuffer, offset, m_readBuffer->length - offset, this);
}
