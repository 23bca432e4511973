// The start-up ping with real sockets against scripted servers on 127.0.0.1: an answer sets the flag; an
// error status, garbage and a refused port complete (as does a socket that cannot be opened,
// ping_posix_test.cpp); a silent or stalled server leaves it pending while the game updates on (until the
// client's timeout); without QUARZEL_PING_URL no socket is made at all.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "net/async_event.h"
#include "tests/game/ping_fixture.h"

namespace {

TEST_F(Ping, AnAnswerSetsTheFlag) {
  LoopbackServer server({Send("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nhello")});
  Start(server.Url("/housecall.php"));
  EXPECT_EQ(ko_Quarzel_Zeb_On_Allow, 1);
  EXPECT_EQ(app().m_pingDone, 0) << "nothing arrives before an update";
  ASSERT_TRUE(UpdateUntilDone());
  EXPECT_EQ(server.Request(), "GET /housecall.php?hello=1&gameID=415 HTTP/1.0\r\nHost: localhost\r\n\r\n");
  EXPECT_EQ(ko_Quarzel_Zeb_On_Able, 1);
  EXPECT_EQ(app().m_pingReply, String("hello"));
  std::string out = Output();
  size_t requesting = out.find("Requesting URL\n");
  EXPECT_NE(requesting, std::string::npos) << out;
  EXPECT_GT(out.find("Http GET complete! 200\n"), requesting) << out;
}

TEST_F(Ping, FailuresCompleteAndTheGameGoesOn) {
  struct Case {
    const char* label;
    std::string answer;  // empty: a refused port
    int status;
  } cases[] = {{"not found", "HTTP/1.0 404 Not Found\r\n\r\n", 404},
               {"garbage", "\x01garbage\xff\r\n\r\nmore", -1},
               {"refused", "", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    RefusingPort refusing;
    std::unique_ptr<LoopbackServer> server;
    if (!c.answer.empty()) server = std::make_unique<LoopbackServer>(std::vector<ServerStep>{Send(c.answer)});
    Start(server ? server->Url("/housecall.php") : "http://127.0.0.1:" + std::to_string(refusing.Port()) + "/");
    ASSERT_TRUE(UpdateUntilDone());
    std::string out = Output();
    EXPECT_NE(out.find("Http GET complete! " + std::to_string(c.status) + "\n"), std::string::npos) << out;
    EXPECT_EQ(ko_Quarzel_Zeb_On_Able, 0);
    EXPECT_EQ(app().m_pingReply.Length(), 0);
  }
}

TEST_F(Ping, ASilentOrStalledServerLeavesItPendingWhileTheGameUpdates) {
  struct Case {
    const char* answer;  // sent before the server stalls
    int bytes;           // of the body among them
  } cases[] = {{"", 0}, {"HTTP/1.0 200 OK\r\n\r\nhal", 3}};
  for (const Case& c : cases) {
    LoopbackServer server({Send(c.answer), WaitForRelease()});
    Start(server.Url("/housecall.php"));
    ASSERT_TRUE(UpdateUntil([&] {  // connected, and what the server sent has arrived
      HttpPhase phase = app().m_pingRequest->m_phase;
      return (phase == HttpPhase::ReadingHead || phase == HttpPhase::ReadingBody) &&
             app().m_pingRequest->m_bytesReceived == c.bytes;
    }));
    ASSERT_FALSE(server.Request().empty()) << "the server has the request";
    for (int i = 0; i < 100; ++i) {  // every update returns although no answer is complete
      game->Update();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(app().m_pingDone, 0);
    server.Release();  // the server hangs up: the ping completes with what it got
    ASSERT_TRUE(UpdateUntilDone());
  }
}

TEST_F(Ping, WithoutTheVariableNoSocketIsMade) {
  int sources = ko_asyncevent__sourceCount;
  Start("");
  game->Update(10);
  EXPECT_EQ(ko_Quarzel_Zeb_On_Allow, 0);
  EXPECT_EQ(app().m_pingRequest.get(), nullptr);
  EXPECT_EQ(ko_asyncevent__sourceCount, sources) << "every socket registers for its completions";
  EXPECT_EQ(Output().find("Requesting URL"), std::string::npos);
}

}  // namespace
