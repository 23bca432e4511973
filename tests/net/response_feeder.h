// Feeds response bytes to a c_HttpRequest the way its receives would deliver them, without a socket: each
// piece goes to the offset the request asked for, clipped to the room it left, and the rest follows in the
// next "receive". Used by the parser tests and the fuzz target. Checks the readers' contract on the way:
// under AddressSanitizer the read buffer beyond the bytes a reader was given is poisoned while it runs, so a
// look at a stale byte is caught even though it lies inside the buffer.
#pragma once

#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#else  // a compiler without the sanitizers' header (mingw's): nothing is poisoned, as in an unsanitized build
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "net/http_request.h"

// Runs `read` while only the first `valid` bytes of the request's read buffer may be touched.
template <class Read>
void WithinReadBytes(c_HttpRequest* request, int valid, Read read) {
  unsigned char* data = request->m_readBuffer->data;
  int length = request->m_readBuffer->length;
  ASAN_POISON_MEMORY_REGION(data + valid, length - valid);
  read();
  ASAN_UNPOISON_MEMORY_REGION(data, length);
}

// The end of the stream: finishes the request (a no-op when it already finished).
inline void FinishResponse(c_HttpRequest* request) {
  WithinReadBytes(request, request->m_readFill, [&] { request->p_Finish(); });
}

// Delivers `size` bytes; false once the request has stopped reading (it is then finished).
inline bool FeedResponseBytes(c_HttpRequest* request, const unsigned char* bytes, int size) {
  while (size > 0) {
    int offset = request->m_readFill;
    int room = request->m_readBuffer->length - offset;
    if (offset < 0 || room <= 0) std::abort();  // the readers promised room for at least one byte
    int count = std::min(size, room);
    std::memcpy(request->m_readBuffer->data + offset, bytes, count);
    int next = 0;
    WithinReadBytes(request, offset + count, [&] { next = request->p_TakeResponseBytes(offset, count); });
    if (next == c_HttpRequest::kStop) {
      FinishResponse(request);
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
