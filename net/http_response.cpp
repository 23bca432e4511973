// c_HttpRequest: reading the response head and body out of the read buffer, and the finish.
//
// Contract of the readers: they look only at m_readBuffer[0 .. end), where end = m_readFill + the bytes of the
// last receive; they either stop the request (kStop) or move what must be kept to the start of the buffer and
// return where the next receive goes, which always leaves room for at least one byte.
#include <cstring>

#include "net/http_request.h"
#include "net/text_codec.h"

void c_HttpRequest::p_BeginResponse() {
  p_ClearResponse();
  m_lines->p_Clear();  // from here on it collects the response's head lines
  m_phase = HttpPhase::ReadingHead;
}

// Nothing of an earlier response may show through in the next one.
void c_HttpRequest::p_ClearResponse() {
  m_status = -1;
  m_responseChunks = nullptr;
  m_responseText = String();
  m_bytesReceived = 0;
  m_readFill = 0;
  m_headBytes = 0;
}

int c_HttpRequest::p_TakeResponseBytes(int offset, int count) {
  if (offset != m_readFill || count <= 0 || count > m_readBuffer->length - offset) return kStop;
  int end = offset + count;
  m_readFill = 0;
  switch (m_phase) {
    case HttpPhase::ReadingHead:
      return p_ReadHead(offset, end);
    case HttpPhase::ReadingBody:
      m_bytesReceived += count;
      return p_ReadBody(0, end);
    default:
      return kStop;
  }
}

// Splits the head into lines at "\n" (bytes before `scanFrom` were scanned before and hold no "\n"). Lines
// are taken as "ascii" and trimmed; an empty one ends the head. memchr finds the line ends many bytes at a
// time, where a loop turn per byte would be the reader's largest cost on a long head.
int c_HttpRequest::p_ReadHead(int scanFrom, int end) {
  unsigned char* bytes = m_readBuffer->data;
  int lineStart = 0;
  for (int scan = scanFrom; scan < end; scan = lineStart) {
    auto* newline = static_cast<unsigned char*>(std::memchr(bytes + scan, '\n', end - scan));
    if (!newline) break;
    int lineEnd = static_cast<int>(newline - bytes);
    String line = ko_codec_Decode(bytes + lineStart, lineEnd - lineStart, TextEncoding::Ascii).Trim();
    m_headBytes += lineEnd + 1 - lineStart;
    lineStart = lineEnd + 1;
    if (m_headBytes > kMaxHeadBytes) return kStop;
    if (line.Length() > 0) {
      m_lines->p_Push(line);
      continue;
    }
    if (!p_AcceptStatusLine()) return kStop;
    m_phase = HttpPhase::ReadingBody;
    m_responseChunks = (new c_StringStack)->m_new();
    m_bytesReceived += end - lineStart;  // body bytes that came with the end of the head
    return p_ReadBody(lineStart, end);
  }
  int tail = end - lineStart;                      // an unfinished line
  if (tail >= m_readBuffer->length) return kStop;  // longer than the buffer: it can never be finished
  std::memmove(bytes, bytes + lineStart, tail);
  m_readFill = tail;
  return tail;
}

// The first head line must read "HTTP/..." (in any case), a status code and at least one more word, words
// being what lies between single spaces. Only the first two spaces are looked for: the line may be as long as
// the read buffer, and the words after the code do not matter.
bool c_HttpRequest::p_AcceptStatusLine() {
  if (m_lines->p_Length() == 0) return false;
  String line = m_lines->p_Get(0).ToUpper();
  int codeStart = line.Find(String(" ")) + 1;  // 0: no space
  int codeEnd = codeStart > 0 ? line.Find(String(" "), codeStart) : -1;
  if (codeEnd < 0 || !line.StartsWith(String("HTTP/"))) return false;
  m_status = ko_url_DecimalPrefix(line, codeStart, codeEnd);
  return true;
}

// Decodes body bytes [from, end) as UTF-8 into one chunk. The first bytes of a sequence cut off by the end of
// this read are kept back for the next one, so a character split between reads still decodes; and a byte
// that begins no sequence stands for itself alone, so the text never depends on where the reads split.
int c_HttpRequest::p_ReadBody(int from, int end) {
  unsigned char* bytes = m_readBuffer->data;
  int keep = ko_codec_Utf8CutOffTail(bytes + from, end - from);
  if (end - keep > from) m_responseChunks->p_Push(ko_codec_DecodeUtf8Stream(bytes + from, end - keep - from));
  std::memmove(bytes, bytes + end - keep, keep);
  m_readFill = keep;
  if (m_bytesReceived > kMaxBodyBytes) return kStop;
  return keep;
}

void c_HttpRequest::p_Finish() {
  if (m_phase == HttpPhase::Finished) return;
  bool hadBody = m_phase == HttpPhase::ReadingBody;
  m_phase = HttpPhase::Finished;
  if (m_socket) m_socket->p_Close();
  if (m_responseChunks) {
    // Bytes kept back for a sequence that never got finished are still part of the body.
    if (hadBody && m_readFill > 0) {
      m_responseChunks->p_Push(ko_codec_DecodeUtf8Stream(m_readBuffer->data, m_readFill));
    }
    m_readFill = 0;
    m_responseText = m_responseChunks->p_Join(String());
  }
  if (m_onComplete) m_onComplete->p_OnHttpRequestComplete(this);
}
