// Fuzz target: the HTTP client's response reader, fed arbitrary bytes split into reads at arbitrary points,
// then the end of the stream. No socket and no thread: the bytes go straight to p_TakeResponseBytes through
// tests/net/response_feeder.h, which checks the readers' contract on every read and poisons the read buffer
// beyond the bytes given, so the sanitizers catch any look outside them.
//
// Input: byte 0 sets up the run. Its low 7 bits pick the read buffer: 0x7F the real one of
// c_HttpRequest::kReadBufferSize bytes, any other value v a small one of 4 + v bytes, where lines longer than
// the buffer, kept-back character starts and full buffers are all within reach of short inputs. Its high bit
// starts the stream with "HTTP/": the reader compares the status line upper-cased, in UTF-16, which gives
// the mutator no hint to find those bytes itself, and without them 15 s from an empty corpus never reached
// the body.
// The rest is a sequence of pieces, each introduced by a control byte c. c < 0x80: the next c + 1 input
// bytes are one read. c >= 0x80: one read of ((c & 0x7F) + 1) x 128 copies of the next byte, so that the head
// limit is within reach too. A run offers at most kMaxFedBytes, and stops once the body fills the buffer
// kBodyReads times (kMaxDelivery bytes at most): a longer body only repeats the same turns, at a cost per
// read (the body limit, megabytes, is left to the unit tests).
//
// Besides the crash checks, the outcome may not depend on how the network split the bytes: the same stream
// fed in reads as long as the buffer and kMaxDelivery allow must give the same status, text and byte count,
// and the text must be the body decoded in one piece. http_response_seeds/ holds a few inputs of this form.
//
// One request is reused for every run (p_BeginResponse starts it afresh), and so is one buffer of each
// size: building a request costs more than reading a short response.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "net/text_codec.h"
#include "runtime/ref.h"
#include "tests/net/response_feeder.h"

namespace {

constexpr size_t kMaxFedBytes = c_HttpRequest::kMaxHeadBytes + 2 * c_HttpRequest::kReadBufferSize;
constexpr int kBodyReads = 4;        // full reads: enough for characters cut off at either end of one
constexpr int kMaxDelivery = 512;    // bytes: a longer piece goes in several deliveries
constexpr int kSmallestBuffer = 4;   // bytes: a kept-back character start (3) and room for one more
constexpr uint8_t kBufferBits = 0x7F;
constexpr uint8_t kRealBuffer = 0x7F;  // the value of kBufferBits that picks the real buffer
constexpr uint8_t kStatusPrefixBit = 0x80;

class c_CountingHandler : public Object, public c_IOnHttpRequestComplete {
 public:
  int m_calls = 0;
  void p_OnHttpRequestComplete(c_HttpRequest*) override { ++m_calls; }
};

struct Outcome {
  int status;
  String text;
  int bytesReceived;
};

struct Stream {
  std::vector<unsigned char> bytes;
  std::vector<size_t> pieceEnds;  // offsets in `bytes` where one read ends
};

GlobalRef<c_CountingHandler> g_handler;
GlobalRef<c_HttpRequest> g_request;
GlobalRef<c_DataBuffer> g_buffers[kBufferBits + 1];  // by the value of the buffer bits

c_DataBuffer* BufferFor(uint8_t setup) {
  int index = setup & kBufferBits;
  if (!g_buffers[index]) {
    int size = index == kRealBuffer ? c_HttpRequest::kReadBufferSize : kSmallestBuffer + index;
    g_buffers[index] = (new c_DataBuffer)->m_new(size);
  }
  return g_buffers[index];
}

// Builds the stream in `stream`, whose vectors keep their capacity from run to run.
void PiecesOf(uint8_t setup, const uint8_t* data, size_t size, Stream& stream) {
  static constexpr unsigned char kStatusPrefix[] = {'H', 'T', 'T', 'P', '/'};
  stream.bytes.clear();
  stream.pieceEnds.clear();
  if (setup & kStatusPrefixBit) stream.bytes.assign(std::begin(kStatusPrefix), std::end(kStatusPrefix));
  for (size_t i = 0; i < size && stream.bytes.size() < kMaxFedBytes;) {
    uint8_t control = data[i++];
    if (control < 0x80) {
      size_t length = std::min<size_t>(control + 1u, size - i);
      stream.bytes.insert(stream.bytes.end(), data + i, data + i + length);
      i += length;
    } else if (i < size) {
      stream.bytes.insert(stream.bytes.end(), ((control & 0x7Fu) + 1u) * 128u, data[i++]);
    }
    stream.pieceEnds.push_back(stream.bytes.size());
  }
  if (stream.pieceEnds.empty()) stream.pieceEnds.push_back(stream.bytes.size());  // the prefix on its own
}

// Reads stream bytes [0, pieceEnds.back()) as one response, each piece one delivery (a long one several),
// and finishes it. Once the body holds `bodyBound` bytes it offers no more; `offered` receives the count it
// offered.
Outcome Read(c_DataBuffer* buffer, const Stream& stream, const std::vector<size_t>& pieceEnds, int bodyBound,
             size_t* offered) {
  c_HttpRequest* request = g_request;
  request->m_readBuffer = buffer;
  request->p_BeginResponse();
  g_handler->m_calls = 0;
  *offered = 0;
  bool reading = true;
  for (size_t end : pieceEnds) {
    // A long piece goes in several deliveries, so that the body stops near the bound.
    while (reading && *offered < end && request->m_bytesReceived < bodyBound) {
      size_t count = std::min<size_t>(end - *offered, kMaxDelivery);
      reading = FeedResponseBytes(request, stream.bytes.data() + *offered, static_cast<int>(count));
      *offered += count;
    }
  }
  FinishResponse(request);
  if (g_handler->m_calls != 1) std::abort();
  if (request->m_status != -1 && !request->m_responseChunks) std::abort();        // a status comes with a body
  if (request->m_responseText.Length() > request->m_bytesReceived) std::abort();  // one unit per byte at most
  return {request->m_status, request->m_responseText, request->m_bytesReceived};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (!g_request) {
    g_handler = new c_CountingHandler;
    g_request = (new c_HttpRequest)->m_new2(String("GET"), String("http://h/"), g_handler);
  }
  c_DataBuffer* buffer = BufferFor(data[0]);
  static Stream stream;
  PiecesOf(data[0], data + 1, size - 1, stream);
  int bodyBound = std::min(kBodyReads * buffer->length, kMaxDelivery);
  size_t offered = 0;
  Outcome split = Read(buffer, stream, stream.pieceEnds, bodyBound, &offered);
  Outcome whole = Read(buffer, stream, {offered}, INT_MAX, &offered);
  if (split.status != whole.status || split.bytesReceived != whole.bytesReceived) std::abort();
  if (split.text != whole.text) std::abort();
  if (split.status != -1) {
    // Below the body limit every byte offered after the head is body, and all of it was delivered.
    const unsigned char* body = stream.bytes.data() + offered - split.bytesReceived;
    if (split.text != ko_codec_DecodeUtf8Stream(body, split.bytesReceived)) std::abort();
  }
  // A run frees all it allocates (else libFuzzer runs it again, looking for a leak): the request lets go of
  // this run's texts, and two full cycles free its objects, since those the write barrier marked during the
  // run outlive the first.
  g_request->p_BeginResponse();
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(gc_free_bytes);
  return 0;
}
