// Feeds response bytes to a c_HttpRequest the way its receives would deliver them, without a socket: each
// piece goes to the offset the request asked for, clipped to the room it left, and the rest follows in the
// next "receive". Used by the parser tests and the fuzz target. Checks the readers' contract on the way.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "net/http_request.h"

// Delivers `size` bytes; false once the request has stopped reading (it is then finished).
inline bool FeedResponseBytes(c_HttpRequest* request, const unsigned char* bytes, int size) {
  while (size > 0) {
    int offset = request->m_readFill;
    int room = request->m_readBuffer->length - offset;
    if (offset < 0 || room <= 0) std::abort();  // the readers promised room for at least one byte
    int count = std::min(size, room);
    std::memcpy(request->m_readBuffer->data + offset, bytes, count);
    int next = request->p_TakeResponseBytes(offset, count);
    if (next == c_HttpRequest::kStop) {
      request->p_Finish();
      return false;
    }
    if (next != request->m_readFill) std::abort();
    bytes += count;
    size -= count;
  }
  return true;
}

// A request (GET of http://h/ with `handler`) that has sent its head and waits for the response.
inline c_HttpRequest* NewRequestAwaitingResponse(c_IOnHttpRequestComplete* handler) {
  auto* request = (new c_HttpRequest)->m_new2(String("GET"), String("http://h/"), handler);
  request->p_BeginResponse();
  return request;
}
