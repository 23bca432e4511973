// The HTTP client against scripted loopback servers (ordinary, hostile, slow, endless, reset, silent) and a
// refused port (a port that never accepts and a socket that cannot be opened: test_http_posix.cpp); and its
// response reader fed directly, split and truncated at every point.
#include <gtest/gtest.h>

#include "tests/net/http_test_support.h"
#include "tests/net/response_feeder.h"

namespace {

using namespace std::string_literals;

c_HttpRequest* Get(const std::string& url) {
  c_HttpRequest* request = Start(url);
  request->p_Send();
  Complete(request);
  return request;
}

TEST(HttpRequest, SendsTheHeadAndBodyExactly) {
  c_HttpRequest* request = nullptr;
  LoopbackServer get({Send("HTTP/1.0 204 No Content\r\n\r\n")});
  EXPECT_EQ(Get(get.Url("/p.php?a=1"))->p_Status(), 204);
  EXPECT_EQ(get.Request(), "GET /p.php?a=1 HTTP/1.0\r\nHost: localhost\r\n\r\n");

  LoopbackServer longHead({Send("HTTP/1.0 200 OK\r\n\r\n")});
  std::string path = "/" + std::string(5000, 'p');  // more than the 4096-byte write buffer
  Get(longHead.Url(path));
  EXPECT_EQ(longHead.Request(), "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n");

  LoopbackServer injected({Send("HTTP/1.0 200 OK\r\n\r\n")});
  Get(injected.Url("/a b\r\nX-Evil: 1"));
  EXPECT_EQ(injected.Request(), "GET /a%20b%0D%0AX-Evil:%201 HTTP/1.0\r\nHost: localhost\r\n\r\n")
      << "a URL cannot add header lines";

  // The head goes out as "ascii", the low 8 bits of each unit: wide units must not become CR, LF or a space.
  const String wide(u"\u010D\u010AX-Evil:\u01201");
  LoopbackServer wideUrl({Send("HTTP/1.0 200 OK\r\n\r\n")});
  request = Start(String(wideUrl.Url("/").c_str()) + wide);
  request->p_Send();
  Complete(request);
  EXPECT_EQ(wideUrl.Request(), "GET /%C4%8D%C4%8AX-Evil:%C4%A01 HTTP/1.0\r\nHost: localhost\r\n\r\n");

  LoopbackServer wideHeader({Send("HTTP/1.0 200 OK\r\n\r\n")});
  request = Start(wideHeader.Url("/submit"), "POST");
  request->p_Send2(String(), String("text/plain") + wide, String("utf8"));  // a header and no body
  Complete(request);
  EXPECT_EQ(wideHeader.Request(),
            "POST /submit HTTP/1.0\r\nHost: localhost\r\nContent-Type: text/plain%C4%8D%C4%8AX-Evil:%C4%A01\r\n"
            "Content-Length: 0\r\n\r\n");

  LoopbackServer post({Send("HTTP/1.0 201 Created\r\n\r\nok")}, 4);
  request = Start(post.Url("/submit"), "POST");
  request->p_Send2(String(u"h\u00e9!"), String("text/plain"), String("utf8"));
  Complete(request);
  EXPECT_EQ(post.Request(),
            "POST /submit HTTP/1.0\r\nHost: localhost\r\nContent-Type: text/plain\r\n"
            "Content-Length: 4\r\n\r\nh\xc3\xa9!");
  EXPECT_EQ(request->p_Status(), 201);
  EXPECT_EQ(Text(request), u"ok");
}

TEST(HttpRequest, AnswersFromScriptedServers) {
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
      {"body larger than the read buffer", "HTTP/1.0 200 OK\r\n\r\n" + std::string(40000, 'x') + "\xc3\xa9", 200,
       std::u16string(40000, u'x') + u"\u00e9"},
      {"no status line", "hello there world\r\n\r\nbody", -1, u""},
      {"two-word status line", "HTTP/1.0 200\r\n\r\nbody", -1, u""},
      {"blank line first", "\r\nHTTP/1.0 200 OK\r\n\r\n", -1, u""},
      {"closed mid-head", "HTTP/1.0 200 OK\r\nContent-", -1, u""},
      {"closed at once", "", -1, u""},
      {"head line longer than the read buffer", "HTTP/1.0 200 OK\r\nX: " + std::string(20000, 'a') + "\r\n\r\nx", -1,
       u""},
      {"status code beyond int", "HTTP/1.0 99999999999 Big\r\n\r\n", 2147483647, u""},
      {"NUL bytes", "HTTP/1.0 200 OK\r\nX: \0\0\r\n\r\na\0b"s, 200, u"a\0b"s},
      {"invalid UTF-8 body", "HTTP/1.0 200 OK\r\n\r\n\xff\xfeok", 200, u"\u00ff\u00feok"},
      {"body cut inside a character", "HTTP/1.0 200 OK\r\n\r\nab\xe2\x82", 200, u"ab\u00e2\u0082"},
  };
  for (const Case& c : cases) {
    LoopbackServer server({Send(c.response)});
    c_HttpRequest* request = Get(server.Url());
    EXPECT_EQ(request->p_Status(), c.status) << c.label;
    EXPECT_EQ(Text(request), c.text) << c.label;
  }
  RefusingPort refusing;
  c_HttpRequest* refused = Get("http://127.0.0.1:" + std::to_string(refusing.Port()) + "/");
  EXPECT_EQ(refused->p_Status(), -1);
  EXPECT_EQ(Text(refused), u"");
}

TEST(HttpRequest, GameKeepsUpdatingWhileAResponseIsSlow) {
  LoopbackServer server({Send("HTTP/1.0 200 OK\r\n\r\nfirst h\xc3"), WaitForRelease(), Send("\xa9 last")});
  c_HttpRequest* request = Start(server.Url());
  request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return request->m_bytesReceived == 8; }));
  for (int i = 0; i < 20; ++i) PumpOnce();  // each update returns while the request is in flight
  EXPECT_EQ(Calls(request), 0);
  server.Release();
  Complete(request);
  EXPECT_EQ(Text(request), u"first h\u00e9 last");  // the character split between reads is whole
}

TEST(HttpRequest, ConnectionResetKeepsWhatArrived) {
  LoopbackServer server({Send("HTTP/1.0 200 OK\r\n\r\npart"), WaitForRelease(), Reset()});
  c_HttpRequest* request = Start(server.Url());
  request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return request->m_bytesReceived == 4; }));
  server.Release();
  Complete(request);
  EXPECT_EQ(request->p_Status(), 200);
  EXPECT_EQ(Text(request), u"part");

  LoopbackServer resetAtOnce({Reset()});
  EXPECT_EQ(Get(resetAtOnce.Url())->p_Status(), -1);
}

TEST(HttpRequest, EndlessServersAreCutOff) {
  LoopbackServer endlessBody({Send("HTTP/1.0 200 OK\r\n\r\n"), SendForever(std::string(8192, 'z'))});
  c_HttpRequest* body = Get(endlessBody.Url());
  EXPECT_EQ(body->p_Status(), 200);
  EXPECT_GT(body->m_bytesReceived, c_HttpRequest::kMaxBodyBytes);
  EXPECT_EQ(body->p_ResponseText().Length(), body->m_bytesReceived);

  LoopbackServer endlessHead({Send("HTTP/1.0 200 OK\r\n"), SendForever("X-Filler: 0123456789\r\n")});
  EXPECT_EQ(Get(endlessHead.Url())->p_Status(), -1);
}

TEST(HttpRequest, CanBeOpenedAgainForASecondRequest) {
  LoopbackServer first({Send("HTTP/1.0 200 OK\r\n\r\none")});
  LoopbackServer second({Send("HTTP/1.0 202 OK\r\n\r\ntwo")});
  c_HttpRequest* request = Get(first.Url());
  request->p_Open(String("GET"), String(second.Url().c_str()), request->m_onComplete);
  request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return Calls(request) == 2; }));
  EXPECT_EQ(request->p_Status(), 202);
  EXPECT_EQ(Text(request), u"two");
}

// A server that stays silent after accepting, one that stalls in the body, one that sends its head a byte at a
// time (each read gets something long before the read could time out) and a name the resolver never answers
// (and a connection the server never lets through, test_http_posix.cpp): each request ends at its deadline,
// with what it had.
// Long enough for what the server sent to arrive first, under wine on a loaded machine too.
constexpr int kStalledDeadlineMillis = 1000;

TEST(HttpRequest, ARequestEndsAtItsDeadline) {
  struct Case {
    const char* label;
    std::vector<ServerStep> steps;
    int status;
    std::u16string text;
  } cases[] = {{"silent after accepting", {WaitForRelease()}, -1, u""},
               {"stalled in the body", {Send("HTTP/1.0 200 OK\r\n\r\nhal"), WaitForRelease()}, 200, u"hal"},
               {"head trickling in", {Send("HTTP/1.0 200 OK\r\nX-Slow: "), Trickle("a")}, -1, u""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    LoopbackServer server(c.steps);
    c_HttpRequest* request = Start(server.Url());
    request->m_timeoutMillis = kStalledDeadlineMillis;
    request->p_Send();
    Complete(request);
    EXPECT_EQ(request->p_Status(), c.status);
    EXPECT_EQ(Text(request), c.text);
    server.Release();
  }

  HeldResolver resolver;
  c_HttpRequest* request = Start("http://" + std::string(HeldResolver::kHeldName) + "/");
  request->m_timeoutMillis = kStalledDeadlineMillis;
  request->p_Send();
  Complete(request);
  EXPECT_EQ(request->p_Status(), -1);
}

// -------------------------------------------------------------------------------------------------------------
// The response reader fed directly

const std::string kHead = "HTTP/1.1 200 OK\r\nA: b\r\n\r\n";
const std::string kResponse = kHead + "h\xc3\xa9llo";
// The text after 0 .. 6 bytes of that body: a lead byte left alone at the end stands for itself.
const std::u16string kTextAfterBodyBytes[] = {u"",         u"h",         u"h\u00c3",   u"h\u00e9",
                                              u"h\u00e9l", u"h\u00e9ll", u"h\u00e9llo"};

bool Feed(c_HttpRequest* request, const std::string& bytes) {
  return FeedResponseBytes(request, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

c_HttpRequest* Fed(const std::vector<std::string>& reads) {
  c_HttpRequest* request = NewRequestAwaitingResponse(nullptr);
  for (const std::string& bytes : reads) Feed(request, bytes);
  FinishResponse(request);
  return request;
}

TEST(HttpResponse, AnySplitAndTruncationAtEveryLength) {
  for (size_t at = 0; at <= kResponse.size(); ++at) {
    c_HttpRequest* split = Fed({kResponse.substr(0, at), kResponse.substr(at)});
    EXPECT_EQ(split->p_Status(), 200) << at;
    EXPECT_EQ(Text(split), u"h\u00e9llo") << at;

    c_HttpRequest* truncated = Fed({kResponse.substr(0, at)});
    bool headComplete = at >= kHead.size();
    EXPECT_EQ(truncated->p_Status(), headComplete ? 200 : -1) << at;
    EXPECT_EQ(Text(truncated), kTextAfterBodyBytes[headComplete ? at - kHead.size() : 0]) << at;
  }
  std::vector<std::string> bytes;
  for (char byte : kResponse) bytes.emplace_back(1, byte);
  EXPECT_EQ(Text(Fed(bytes)), u"h\u00e9llo");
}

TEST(HttpResponse, AStrayByteReadsTheSameWhereverTheReadsSplit) {
  // A byte that begins no sequence stands for itself and leaves the characters around it whole, wherever the
  // network splits the body: a read holding it must not be taken byte by byte as a whole.
  const std::string response = kHead + "h\xc3\xa9\xff!\xe2\x82\xac\xc3";
  for (size_t at = 0; at <= response.size(); ++at) {
    EXPECT_EQ(Text(Fed({response.substr(0, at), response.substr(at)})), u"h\u00e9\u00ff!\u20ac\u00c3") << at;
  }
}

TEST(HttpResponse, BeginningAgainForgetsTheLastResponse) {
  c_HttpRequest* request = Fed({kResponse});
  request->p_BeginResponse();
  Feed(request, "HTTP/1.0 404 Not Found\r\n");
  FinishResponse(request);
  EXPECT_EQ(request->p_Status(), -1);
  EXPECT_EQ(Text(request), u"");
}

TEST(HttpResponse, HeadLinesUpToTheReadBufferAreAccepted) {
  const int buffer = c_HttpRequest::kReadBufferSize;
  c_HttpRequest* fits = Fed({"HTTP/1.0 200 OK\r\nX: " + std::string(buffer - 4, 'a') + "\n\r\nok"});
  EXPECT_EQ(fits->p_Status(), 200);
  EXPECT_EQ(Text(fits), u"ok");
  c_HttpRequest* tooLong = NewRequestAwaitingResponse(nullptr);
  EXPECT_FALSE(Feed(tooLong, "HTTP/1.0 200 OK\r\nX: " + std::string(buffer, 'a')));
  EXPECT_EQ(tooLong->p_Status(), -1);
}

TEST(HttpResponse, AReceiveErrorFinishesOnce) {
  auto* recorder = Keep(new c_HttpRecorder);
  c_HttpRequest* request = Keep(NewRequestAwaitingResponse(recorder));
  request->m_socket = (new c_Socket)->m_new(String("stream"));
  Feed(request, "HTTP/1.0 200 OK\r\n\r\nab");
  for (int count : {-1, -1, 0}) {
    request->p_OnReceiveComplete(request->m_readBuffer, request->m_readFill, count, request->m_socket);
  }
  EXPECT_EQ(recorder->m_calls, 1);
  EXPECT_EQ(request->p_Status(), 200);
  EXPECT_EQ(Text(request), u"ab");
  EXPECT_EQ(request->m_socket->m_state, 0);
}

}  // namespace
