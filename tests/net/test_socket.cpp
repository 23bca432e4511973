// Sockets: protocol names and state flags, asynchronous connect / send / receive on loopback, ignored calls,
// closing, the server and datagram paths of KoSocket, and name resolution.
#include <gtest/gtest.h>

#include <vector>

#include "net/socket.h"
#include "tests/net/net_test_support.h"

namespace {

class c_SocketRecorder : public Object,
                         public c_IOnConnectComplete,
                         public c_IOnSendComplete,
                         public c_IOnReceiveComplete {
 public:
  int m_connects = 0;
  bool m_connected = false;
  std::vector<int> m_sent, m_received;  // counts reported by the completions

  void p_OnConnectComplete(bool connected, c_Socket*) override {
    ++m_connects;
    m_connected = connected;
  }
  void p_OnSendComplete(c_DataBuffer*, int, int count, c_Socket*) override { m_sent.push_back(count); }
  void p_OnReceiveComplete(c_DataBuffer*, int, int count, c_Socket*) override { m_received.push_back(count); }
};

c_Socket* NewSocket(const char* protocol) { return Keep((new c_Socket)->m_new(String(protocol))); }

bool Registered(c_Socket* socket) {
  for (int i = 0; i < ko_asyncevent__sourceCount; ++i) {
    if (ko_asyncevent__sources[i] == static_cast<c_IAsyncEventSource*>(socket)) return true;
  }
  return false;
}

c_Socket* ConnectTo(int port, c_SocketRecorder* recorder) {
  c_Socket* socket = NewSocket("stream");
  socket->p_ConnectAsync(String("127.0.0.1"), port, recorder);
  EXPECT_TRUE(PumpUntil([&] { return recorder->m_connects == 1; }));
  return socket;
}

TEST(Socket, ProtocolNamesOpenSockets) {
  for (const char* name : {"stream", "server", "datagram"}) {
    c_Socket* socket = NewSocket(name);
    EXPECT_EQ(socket->m_state, c_Socket::kOpen) << name;
    EXPECT_FALSE(socket->p_IsConnected()) << name;
    EXPECT_GE(socket->m_sock->sock, 0) << name;
    EXPECT_TRUE(Registered(socket)) << name;
    socket->p_Close();
  }
}

TEST(SocketDeathTest, OtherProtocolNamesAreFatal) {
  EXPECT_FATAL(NewSocket("STREAM"), "Illegal socket protocol");
  EXPECT_FATAL(NewSocket(""), "Illegal socket protocol");
}

TEST(Socket, SendAndReceiveBeforeConnectingAreIgnored) {
  auto* recorder = Keep(new c_SocketRecorder);
  auto* buffer = Keep((new c_DataBuffer)->m_new(8));
  c_Socket* socket = NewSocket("stream");
  socket->p_SendAsync(buffer, 0, 8, recorder);
  socket->p_ReceiveAsync(buffer, 0, 8, recorder);
  EXPECT_EQ(socket->m_writeQueue->m_put.load(), 0);
  EXPECT_EQ(socket->m_readQueue->m_put.load(), 0);
  socket->p_Close();
}

TEST(Socket, ConnectsSendsAndReceivesOnLoopback) {
  LoopbackServer server({SendBytes("abc")});
  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* socket = ConnectTo(server.Port(), recorder);
  EXPECT_TRUE(recorder->m_connected);
  EXPECT_EQ(socket->m_state, c_Socket::kOpen | c_Socket::kBound | c_Socket::kConnected);

  auto* head = Keep((new c_DataBuffer)->m_new(4));
  head->p_PokeString(0, String("\r\n\r\n"), String("ascii"));
  socket->p_SendAsync(head, 0, 4, recorder);
  auto* in = Keep((new c_DataBuffer)->m_new(3));
  for (int i = 0; i < 3; ++i) socket->p_ReceiveAsync(in, i, 1, recorder);  // one byte each, in order
  ASSERT_TRUE(PumpUntil([&] { return recorder->m_received.size() == 3 && recorder->m_sent.size() == 1; }));
  EXPECT_EQ(recorder->m_sent, std::vector<int>{4});
  EXPECT_EQ(recorder->m_received, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(in->p_PeekString2(0, String("ascii")), String("abc"));
  EXPECT_EQ(server.Request(), "\r\n\r\n");

  socket->p_ReceiveAsync(in, 0, 3, recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->m_received.size() == 4; }));
  EXPECT_EQ(recorder->m_received.back(), 0);  // the server closed
  socket->p_Close();
}

TEST(Socket, ClosingStopsEverythingAndReleasesTheSocket) {
  LoopbackServer server({WaitForRelease()});
  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* socket = ConnectTo(server.Port(), recorder);
  auto* buffer = Keep((new c_DataBuffer)->m_new(8));
  socket->p_ReceiveAsync(buffer, 0, 8, recorder);  // blocks on the worker: the server sends nothing

  socket->p_Close();
  EXPECT_EQ(socket->m_state, 0);
  socket->p_ConnectAsync(String("127.0.0.1"), server.Port(), recorder);
  socket->p_SendAsync(buffer, 0, 8, recorder);
  socket->p_ReceiveAsync(buffer, 0, 8, recorder);
  ASSERT_TRUE(PumpUntil([&] { return !Registered(socket); }));
  EXPECT_EQ(recorder->m_received.size(), 1u);  // only the receive queued before the close
  EXPECT_EQ(recorder->m_sent.size(), 0u);
  EXPECT_EQ(recorder->m_connects, 1);
  EXPECT_EQ(socket->m_sock->sock, -1);
}

TEST(Socket, ConnectFailsForARefusedPortAndAnUnknownHost) {
  RefusingPort refusing;
  auto* refused = Keep(new c_SocketRecorder);
  c_Socket* socket = ConnectTo(refusing.Port(), refused);
  EXPECT_FALSE(refused->m_connected);
  EXPECT_EQ(socket->m_state, c_Socket::kOpen);

  auto* unknown = Keep(new c_SocketRecorder);
  c_Socket* lost = NewSocket("stream");
  lost->p_ConnectAsync(String("no-such-host.invalid"), refusing.Port(), unknown);
  ASSERT_TRUE(PumpUntil([&] { return unknown->m_connects == 1; }));
  EXPECT_FALSE(unknown->m_connected);

  auto* address = Keep(new KoSocketAddress);
  address->Set(String("no-such-host.invalid"), 80);
  EXPECT_EQ(address->Host(), String("0.0.0.0"));
  address->Set(String("localhost"), 8080);
  EXPECT_EQ(address->Host(), String("127.0.0.1"));
  EXPECT_EQ(address->Port(), 8080);
  socket->p_Close();
  lost->p_Close();
}

TEST(Socket, ServerAcceptsAndWrapsAConnection) {
  auto* listener = Keep(new KoSocket);
  ASSERT_TRUE(listener->Open(kProtocolServer));
  ASSERT_TRUE(listener->Bind(String("127.0.0.1"), 0));
  ASSERT_TRUE(listener->Listen(1));
  auto* local = Keep(new KoSocketAddress);
  listener->GetLocalAddress(local);

  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* client = ConnectTo(local->Port(), recorder);
  ASSERT_TRUE(listener->Accept());  // the connection is already waiting
  KoSocket* accepted = listener->Accepted();
  ASSERT_NE(accepted, nullptr);
  EXPECT_EQ(listener->Accepted(), nullptr);  // handed over once
  c_Socket* served = Keep((new c_Socket)->m_new2(accepted, kProtocolStream, c_Socket::kOpen | c_Socket::kConnected));

  auto* out = Keep((new c_DataBuffer)->m_new(4));
  out->p_PokeString(0, String("ping"), String("ascii"));
  served->p_SendAsync(out, 0, 4, recorder);
  auto* in = Keep((new c_DataBuffer)->m_new(4));
  client->p_ReceiveAsync(in, 0, 4, recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->m_received.size() == 1; }));
  EXPECT_EQ(in->p_PeekString(0, recorder->m_received[0], String("ascii")),
            String("ping").Slice(0, recorder->m_received[0]));

  auto* remote = Keep(new KoSocketAddress);
  accepted->GetRemoteAddress(remote);
  EXPECT_EQ(remote->Host(), String("127.0.0.1"));
  client->p_Close();
  served->p_Close();
  listener->Close();
}

TEST(Socket, DatagramsCarryTheirSender) {
  auto* a = Keep(new KoSocket);
  auto* b = Keep(new KoSocket);
  ASSERT_TRUE(a->Open(kProtocolDatagram) && b->Open(kProtocolDatagram));
  ASSERT_TRUE(a->Bind(String("127.0.0.1"), 0) && b->Bind(String("127.0.0.1"), 0));
  auto* to = Keep(new KoSocketAddress);
  auto* from = Keep(new KoSocketAddress);
  auto* aAddress = Keep(new KoSocketAddress);
  b->GetLocalAddress(to);
  a->GetLocalAddress(aAddress);

  auto* buffer = Keep((new c_DataBuffer)->m_new(8));
  buffer->p_PokeString(0, String("hi"), String("ascii"));
  EXPECT_EQ(a->SendTo(buffer, 0, 2, to), 2);
  EXPECT_EQ(b->ReceiveFrom(buffer, 4, 8, from), 2);  // clipped to the 4 bytes left
  EXPECT_EQ(buffer->p_PeekString(4, 2, String("ascii")), String("hi"));
  EXPECT_EQ(from->Port(), aAddress->Port());
  EXPECT_EQ(a->SendTo(buffer, 9, 1, to), -1);  // offset outside the buffer
  a->Close();
  b->Close();
}

}  // namespace
