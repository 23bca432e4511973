// The HTTP client: the request head on the wire, responses from scripted loopback servers (ordinary, hostile,
// slow, endless, reset), a refused port, bodies split anywhere, and the parser fed directly at every split
// and truncation point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/http_request.h"
#include "tests/net/net_test_support.h"
#include "tests/net/response_feeder.h"

namespace {

using namespace std::string_literals;

class c_HttpRecorder : public Object, public c_IOnHttpRequestComplete {
 public:
  int m_calls = 0;
  void p_OnHttpRequestComplete(c_HttpRequest*) override { ++m_calls; }
};

std::u16string Text(const String& text) { return std::u16string(text.Data(), text.Length()); }

struct Exchange {
  c_HttpRequest* request;
  c_HttpRecorder* recorder;
};

Exchange Start(const std::string& method, const std::string& url) {
  auto* recorder = Keep(new c_HttpRecorder);
  auto* request = Keep((new c_HttpRequest)->m_new2(String(method.c_str()), String(url.c_str()), recorder));
  return {request, recorder};
}

// Pumps until the handler ran, then a few more updates in which it must not run again.
void Complete(const Exchange& exchange) {
  ASSERT_TRUE(PumpUntil([&] { return exchange.recorder->m_calls > 0; }));
  for (int i = 0; i < 10; ++i) PumpOnce();
  EXPECT_EQ(exchange.recorder->m_calls, 1);
}

Exchange Get(const std::string& url) {
  Exchange exchange = Start("GET", url);
  exchange.request->p_Send();
  Complete(exchange);
  return exchange;
}

TEST(HttpRequest, SendsExactlyTheGetHead) {
  LoopbackServer server({SendBytes("HTTP/1.0 204 No Content\r\n\r\n")});
  Exchange get = Get(server.Url("/p.php?a=1"));
  EXPECT_EQ(server.Request(), "GET /p.php?a=1 HTTP/1.0\r\nHost: localhost\r\n\r\n");
  EXPECT_EQ(get.request->p_Status(), 204);
}

TEST(HttpRequest, SendsAHeadLongerThanTheWriteBufferWhole) {
  LoopbackServer server({SendBytes("HTTP/1.0 200 OK\r\n\r\n")});
  std::string path = "/" + std::string(5000, 'p');
  Get(server.Url(path));
  EXPECT_EQ(server.Request(), "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n");
}

TEST(HttpRequest, SendsTheBodyAfterTheHead) {
  LoopbackServer server({SendBytes("HTTP/1.0 201 Created\r\n\r\nok")}, 4);
  Exchange post = Start("POST", server.Url("/submit"));
  post.request->p_Send2(String(u"h\u00e9!"), String("text/plain"), String("utf8"));
  Complete(post);
  EXPECT_EQ(server.Request(),
            "POST /submit HTTP/1.0\r\nHost: localhost\r\nContent-Type: text/plain\r\nContent-Length: 4\r\n\r\n"
            "h\xc3\xa9!");
  EXPECT_EQ(post.request->p_Status(), 201);
  EXPECT_EQ(Text(post.request->p_ResponseText()), u"ok");
}

TEST(HttpRequest, AnswersFromScriptedServers) {
  const std::string longLine(20000, 'a');
  struct Case {
    const char* label;
    std::string response;
    int status;
    std::u16string text;
  } cases[] = {
      {"status, header and body", "HTTP/1.1 200 OK\r\nServer: t\r\n\r\nhello", 200, u"hello"},
      {"lower-case status line", "http/1.0 404 x\r\n\r\n", 404, u""},
      {"bare line feeds", "HTTP/1.0 201 Created\nA: b\n\nbody", 201, u"body"},
      {"UTF-8 body", "HTTP/1.0 200 OK\r\n\r\nh\xe2\x82\xac!", 200, u"h\u20ac!"},
      {"no status line", "hello there world\r\n\r\nbody", -1, u""},
      {"two-word status line", "HTTP/1.0 200\r\n\r\nbody", -1, u""},
      {"blank line first", "\r\nHTTP/1.0 200 OK\r\n\r\n", -1, u""},
      {"closed mid-head", "HTTP/1.0 200 OK\r\nContent-", -1, u""},
      {"closed at once", "", -1, u""},
      {"head line longer than the read buffer", "HTTP/1.0 200 OK\r\nX: " + longLine + "\r\n\r\nx", -1, u""},
      {"status code beyond int", "HTTP/1.0 99999999999 Big\r\n\r\n", 2147483647, u""},
      {"NUL bytes", "HTTP/1.0 200 OK\r\nX: \0\0\r\n\r\na\0b"s, 200, std::u16string(u"a\0b", 3)},
      {"invalid UTF-8 body", "HTTP/1.0 200 OK\r\n\r\n\xff\xfeok", 200, u"\u00ff\u00feok"},
      {"body cut inside a character", "HTTP/1.0 200 OK\r\n\r\nab\xe2\x82", 200, u"ab\u00e2\u0082"},
  };
  for (const Case& c : cases) {
    LoopbackServer server({SendBytes(c.response)});
    Exchange get = Get(server.Url());
    EXPECT_EQ(get.request->p_Status(), c.status) << c.label;
    EXPECT_EQ(Text(get.request->p_ResponseText()), c.text) << c.label;
  }
}

TEST(HttpRequest, ReadsABodyLargerThanTheReadBuffer) {
  std::string body(100000, 'x');
  body += "\xc3\xa9";
  LoopbackServer server({SendBytes("HTTP/1.0 200 OK\r\n\r\n" + body)});
  Exchange get = Get(server.Url());
  EXPECT_EQ(get.request->m_bytesReceived, static_cast<int>(body.size()));
  EXPECT_EQ(Text(get.request->p_ResponseText()), std::u16string(100000, u'x') + u"\u00e9");
}

TEST(HttpRequest, GameKeepsUpdatingWhileAResponseIsSlow) {
  LoopbackServer server({SendBytes("HTTP/1.0 200 OK\r\n\r\nfirst h\xc3"), WaitForRelease(), SendBytes("\xa9 last")});
  Exchange get = Start("GET", server.Url());
  get.request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return get.request->m_bytesReceived == 8; }));
  for (int i = 0; i < 20; ++i) PumpOnce();  // each update returns while the request is in flight
  EXPECT_EQ(get.recorder->m_calls, 0);
  server.Release();
  Complete(get);
  EXPECT_EQ(Text(get.request->p_ResponseText()), u"first h\u00e9 last");  // the split character is whole
}

TEST(HttpRequest, RefusedConnectionCompletesWithoutStatus) {
  RefusingPort port;
  Exchange get = Get("http://127.0.0.1:" + std::to_string(port.Port()) + "/");
  EXPECT_EQ(get.request->p_Status(), -1);
  EXPECT_EQ(Text(get.request->p_ResponseText()), u"");
}

TEST(HttpRequest, ConnectionResetKeepsWhatArrived) {
  LoopbackServer server({SendBytes("HTTP/1.0 200 OK\r\n\r\npart"), WaitForRelease(), ResetConnection()});
  Exchange get = Start("GET", server.Url());
  get.request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return get.request->m_bytesReceived == 4; }));
  server.Release();
  Complete(get);
  EXPECT_EQ(get.request->p_Status(), 200);
  EXPECT_EQ(Text(get.request->p_ResponseText()), u"part");

  LoopbackServer resetting({ResetConnection()});
  Exchange early = Get(resetting.Url());
  EXPECT_EQ(early.request->p_Status(), -1);
}

TEST(HttpRequest, EndlessServersAreCutOff) {
  LoopbackServer endlessBody({SendBytes("HTTP/1.0 200 OK\r\n\r\n"), SendForever(std::string(8192, 'z'))});
  Exchange body = Get(endlessBody.Url());
  EXPECT_EQ(body.request->p_Status(), 200);
  EXPECT_GT(body.request->m_bytesReceived, c_HttpRequest::kMaxBodyBytes);
  EXPECT_EQ(body.request->p_ResponseText().Length(), body.request->m_bytesReceived);

  LoopbackServer endlessHead({SendBytes("HTTP/1.0 200 OK\r\n"), SendForever("X-Filler: 0123456789\r\n")});
  Exchange head = Get(endlessHead.Url());
  EXPECT_EQ(head.request->p_Status(), -1);
}

TEST(HttpRequest, CanBeOpenedAgainForASecondRequest) {
  LoopbackServer first({SendBytes("HTTP/1.0 200 OK\r\n\r\none")});
  LoopbackServer second({SendBytes("HTTP/1.0 202 OK\r\n\r\ntwo")});
  Exchange get = Get(first.Url());
  get.request->p_Open(String("GET"), String(second.Url().c_str()), get.recorder);
  get.request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return get.recorder->m_calls == 2; }));
  EXPECT_EQ(get.request->p_Status(), 202);
  EXPECT_EQ(Text(get.request->p_ResponseText()), u"two");
}

// -------------------------------------------------------------------------------------------------------------
// The response parser fed directly

const std::string kHead = "HTTP/1.1 200 OK\r\nA: b\r\n\r\n";
const std::string kResponse = kHead + "h\xc3\xa9llo";

bool Feed(c_HttpRequest* request, const std::string& bytes) {
  return FeedResponseBytes(request, reinterpret_cast<const unsigned char*>(bytes.data()),
                           static_cast<int>(bytes.size()));
}

TEST(HttpResponse, AnySplitGivesTheSameResponse) {
  auto* recorder = Keep(new c_HttpRecorder);
  for (size_t split = 0; split <= kResponse.size(); ++split) {
    c_HttpRequest* request = NewRequestAwaitingResponse(recorder);
    Feed(request, kResponse.substr(0, split));
    Feed(request, kResponse.substr(split));
    request->p_Finish();
    EXPECT_EQ(request->p_Status(), 200) << split;
    EXPECT_EQ(Text(request->p_ResponseText()), u"h\u00e9llo") << split;
  }
  c_HttpRequest* request = NewRequestAwaitingResponse(recorder);
  for (char byte : kResponse) Feed(request, std::string(1, byte));
  request->p_Finish();
  EXPECT_EQ(Text(request->p_ResponseText()), u"h\u00e9llo");
}

// The text after 0 .. 6 bytes of the body "h\xc3\xa9llo": a lone lead byte is kept as the byte itself.
const std::u16string kTextAfterBodyBytes[] = {u"",         u"h",         u"h\u00c3",   u"h\u00e9",
                                              u"h\u00e9l", u"h\u00e9ll", u"h\u00e9llo"};

TEST(HttpResponse, TruncationAtEveryLength) {
  auto* recorder = Keep(new c_HttpRecorder);
  for (size_t length = 0; length <= kResponse.size(); ++length) {
    c_HttpRequest* request = NewRequestAwaitingResponse(recorder);
    Feed(request, kResponse.substr(0, length));
    request->p_Finish();
    bool headComplete = length >= kHead.size();
    EXPECT_EQ(request->p_Status(), headComplete ? 200 : -1) << length;
    size_t bodyBytes = headComplete ? length - kHead.size() : 0;
    EXPECT_EQ(Text(request->p_ResponseText()), kTextAfterBodyBytes[bodyBytes]) << length;
  }
}

TEST(HttpResponse, HeadLinesUpToTheReadBufferAreAccepted) {
  auto* recorder = Keep(new c_HttpRecorder);
  const int buffer = c_HttpRequest::kReadBufferSize;
  c_HttpRequest* fits = NewRequestAwaitingResponse(recorder);
  EXPECT_TRUE(Feed(fits, "HTTP/1.0 200 OK\r\nX: " + std::string(buffer - 4, 'a') + "\n\r\nok"));
  fits->p_Finish();
  EXPECT_EQ(fits->p_Status(), 200);
  EXPECT_EQ(Text(fits->p_ResponseText()), u"ok");

  c_HttpRequest* tooLong = NewRequestAwaitingResponse(recorder);
  EXPECT_FALSE(Feed(tooLong, "HTTP/1.0 200 OK\r\nX: " + std::string(buffer, 'a')));
  EXPECT_EQ(tooLong->p_Status(), -1);
}

TEST(HttpResponse, AReceiveErrorFinishesOnce) {
  auto* recorder = Keep(new c_HttpRecorder);
  c_HttpRequest* request = Keep(NewRequestAwaitingResponse(recorder));
  request->m_socket = Keep((new c_Socket)->m_new(String("stream")));
  Feed(request, "HTTP/1.0 200 OK\r\n\r\nab");
  request->p_OnReceiveComplete(request->m_readBuffer, request->m_readFill, -1, request->m_socket);
  request->p_OnReceiveComplete(request->m_readBuffer, request->m_readFill, -1, request->m_socket);
  request->p_OnReceiveComplete(request->m_readBuffer, request->m_readFill, 0, request->m_socket);
  EXPECT_EQ(recorder->m_calls, 1);
  EXPECT_EQ(request->p_Status(), 200);
  EXPECT_EQ(Text(request->p_ResponseText()), u"ab");
  EXPECT_EQ(request->m_socket->m_state, 0);
}

}  // namespace
