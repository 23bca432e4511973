// Fuzz target: arbitrary response bytes, split into reads at arbitrary points, fed to the HTTP client's
// response reading; then the finish. The readers' contract is checked on every read (tests/net/
// response_feeder.h) and the sanitizers catch any access outside the buffers.
//
// Input: a sequence of pieces, each introduced by a control byte c. c < 0x80: the next c + 1 input bytes are
// one read. c >= 0x80: one read of ((c & 0x7F) + 1) x 128 copies of the next byte, so that head lines as
// long as the 16384-byte read buffer are within reach of short inputs. A run feeds at most kMaxFedBytes: enough
// to pass the head limit, while the body limit (megabytes) is left to the unit tests, as instrumented
// decoding of that much would slow the search to a crawl.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/net/response_feeder.h"

namespace {

constexpr size_t kMaxFedBytes = c_HttpRequest::kMaxHeadBytes + 2 * c_HttpRequest::kReadBufferSize;

class c_CountingHandler : public Object, public c_IOnHttpRequestComplete {
 public:
  int m_calls = 0;
  void p_OnHttpRequestComplete(c_HttpRequest*) override { ++m_calls; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* handler = new c_CountingHandler;
  c_HttpRequest* request = NewRequestAwaitingResponse(handler);
  std::vector<unsigned char> piece;
  bool reading = true;
  size_t fed = 0;
  for (size_t i = 0; reading && i < size && fed < kMaxFedBytes;) {
    uint8_t control = data[i++];
    piece.clear();
    if (control < 0x80) {
      size_t length = std::min<size_t>(control + 1u, size - i);
      piece.assign(data + i, data + i + length);
      i += length;
    } else if (i < size) {
      piece.assign(((control & 0x7Fu) + 1u) * 128u, data[i++]);
    }
    fed += piece.size();
    reading = FeedResponseBytes(request, piece.data(), static_cast<int>(piece.size()));
  }
  request->p_Finish();  // the end of the stream; a no-op when the request already finished
  if (handler->m_calls != 1) std::abort();
  if (request->m_status != -1 && !request->m_responseChunks) std::abort();        // a status comes with a body
  if (request->m_responseText.Length() > request->m_bytesReceived) std::abort();  // one unit per byte at most
  gc_collect_all();  // nothing is held now: everything of this run becomes garbage
  gc_flush_free(gc_free_bytes);
  return 0;
}
