// Sockets: protocol names and state flags, asynchronous connect / send / receive on loopback, ignored calls,
// closing, the server and datagram paths of KoSocket and name resolution (a connect interrupted by signals:
// test_socket_posix.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "net/socket.h"
#include "tests/net/net_test_support.h"

namespace {

struct c_SocketRecorder : Object, c_IOnConnectComplete, c_IOnSendComplete, c_IOnReceiveComplete {
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

c_DataBuffer* NewBuffer(const char* text) {
  auto* buffer = Keep((new c_DataBuffer)->m_new(static_cast<int>(std::strlen(text))));
  buffer->p_PokeString(0, String(text), String("ascii"));
  return buffer;
}

bool Registered(c_Socket* socket) {
  for (int i = 0; i < ko_asyncevent__sourceCount; ++i) {
    if (ko_asyncevent__sources[i] == static_cast<c_IAsyncEventSource*>(socket)) return true;
  }
  return false;
}

c_Socket* ConnectTo(const char* host, int port, c_SocketRecorder* recorder) {
  c_Socket* socket = NewSocket("stream");
  socket->p_ConnectAsync(String(host), port, recorder);
  EXPECT_TRUE(PumpUntil([&] { return recorder->m_connects == 1; }));
  return socket;
}

TEST(Socket, ProtocolNamesOpenUnconnectedSockets) {
  for (const char* name : {"stream", "server", "datagram"}) {
    c_Socket* socket = NewSocket(name);
    EXPECT_EQ(socket->m_state, c_Socket::kOpen) << name;
    EXPECT_TRUE(Registered(socket)) << name;
    socket->p_SendAsync(NewBuffer("x"), 0, 1, nullptr);  // not connected: ignored
    socket->p_ReceiveAsync(NewBuffer("x"), 0, 1, nullptr);
    EXPECT_EQ(socket->m_writeQueue->m_put + socket->m_readQueue->m_put, 0) << name;
    socket->p_Close();
  }
}

TEST(SocketDeathTest, OtherProtocolNamesAreFatal) {
  EXPECT_FATAL(NewSocket("STREAM"), "Illegal socket protocol");
  EXPECT_FATAL(NewSocket(""), "Illegal socket protocol");
}

TEST(Socket, ConnectsSendsAndReceivesInOrder) {
  LoopbackServer server({Send("abc")});
  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* socket = ConnectTo("127.0.0.1", server.Port(), recorder);
  EXPECT_TRUE(recorder->m_connected);
  EXPECT_EQ(socket->m_state, c_Socket::kOpen | c_Socket::kBound | c_Socket::kConnected);

  socket->p_SendAsync(NewBuffer("\r\n\r\n"), 0, 4, recorder);
  c_DataBuffer* in = NewBuffer("...");
  for (int i = 0; i < 3; ++i) socket->p_ReceiveAsync(in, i, 1, recorder);  // one byte each
  socket->p_ReceiveAsync(in, 0, 3, recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->m_received.size() == 4 && recorder->m_sent.size() == 1; }));
  EXPECT_EQ(recorder->m_sent, std::vector<int>{4});
  EXPECT_EQ(recorder->m_received, (std::vector<int>{1, 1, 1, 0}));  // 0: the server closed
  EXPECT_EQ(in->p_PeekString2(0, String("ascii")), String("abc"));
  EXPECT_EQ(server.Request(), "\r\n\r\n");
  socket->p_Close();
}

TEST(Socket, ClosingIgnoresLaterCallsAndReleasesTheSocket) {
  LoopbackServer server({WaitForRelease()});
  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* socket = ConnectTo("127.0.0.1", server.Port(), recorder);
  c_DataBuffer* buffer = NewBuffer("........");
  socket->p_ReceiveAsync(buffer, 0, 8, recorder);  // blocks on the worker: the server sends nothing

  socket->p_Close();
  EXPECT_EQ(socket->m_state, 0);
  socket->p_ConnectAsync(String("127.0.0.1"), server.Port(), recorder);
  socket->p_SendAsync(buffer, 0, 8, recorder);
  socket->p_ReceiveAsync(buffer, 0, 8, recorder);
  ASSERT_TRUE(PumpUntil([&] { return !Registered(socket); }));
  EXPECT_EQ(recorder->m_received.size(), 1u);  // only the receive queued before the close
  EXPECT_TRUE(recorder->m_sent.empty());
  EXPECT_EQ(recorder->m_connects, 2) << "a connect the closed socket refuses still completes";
  EXPECT_FALSE(recorder->m_connected);
  EXPECT_EQ(socket->m_sock->sock, -1);
}

TEST(Socket, ConnectFailsForARefusedPortAndAnUnknownHost) {
  RefusingPort refusing;
  auto* refused = Keep(new c_SocketRecorder);
  EXPECT_EQ(ConnectTo("127.0.0.1", refusing.Port(), refused)->m_state, c_Socket::kOpen);
  EXPECT_FALSE(refused->m_connected);
  auto* unknown = Keep(new c_SocketRecorder);
  ConnectTo("no-such-host.invalid", refusing.Port(), unknown);
  EXPECT_FALSE(unknown->m_connected);

  auto* address = Keep(new KoSocketAddress);
  address->Set(String("no-such-host.invalid"), 80);
  EXPECT_EQ(address->Host(), String("0.0.0.0"));
  address->Set(String("localhost"), 8080);
  EXPECT_EQ(address->Host(), String("127.0.0.1"));
  EXPECT_EQ(address->Port(), 8080);
}

TEST(Socket, ServerAcceptsAndWrapsAConnection) {
  auto* listener = Keep(new KoSocket);
  auto* address = Keep(new KoSocketAddress);
  ASSERT_TRUE(listener->Open(kProtocolServer) && listener->Bind(String("127.0.0.1"), 0) && listener->Listen(1));
  listener->GetLocalAddress(address);
  auto* recorder = Keep(new c_SocketRecorder);
  c_Socket* client = ConnectTo("127.0.0.1", address->Port(), recorder);

  ASSERT_TRUE(listener->Accept());  // the connection is already waiting
  KoSocket* accepted = listener->Accepted();
  EXPECT_EQ(listener->Accepted(), nullptr);  // handed over once
  auto* served = Keep((new c_Socket)->m_new2(accepted, kProtocolStream, c_Socket::kOpen | c_Socket::kConnected));
  served->p_SendAsync(NewBuffer("p"), 0, 1, recorder);
  c_DataBuffer* in = NewBuffer("-");
  client->p_ReceiveAsync(in, 0, 1, recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->m_received.size() == 1; }));
  EXPECT_EQ(in->p_PeekString2(0, String("ascii")), String("p"));
  accepted->GetRemoteAddress(address);
  EXPECT_EQ(address->Host(), String("127.0.0.1"));
  client->p_Close();
  served->p_Close();
}

TEST(Socket, DatagramsCarryTheirSender) {
  auto* a = Keep(new KoSocket);
  auto* b = Keep(new KoSocket);
  ASSERT_TRUE(a->Open(kProtocolDatagram) && b->Open(kProtocolDatagram));
  ASSERT_TRUE(a->Bind(String("127.0.0.1"), 0) && b->Bind(String("127.0.0.1"), 0));
  auto* to = Keep(new KoSocketAddress);
  auto* from = Keep(new KoSocketAddress);
  b->GetLocalAddress(to);
  c_DataBuffer* buffer = NewBuffer("hi....");
  EXPECT_EQ(a->SendTo(buffer, 0, 2, to), 2);
  EXPECT_EQ(b->ReceiveFrom(buffer, 4, 8, from), 2);  // room for 2 bytes at offset 4
  EXPECT_EQ(buffer->p_PeekString2(0, String("ascii")), String("hi..hi"));
  a->GetLocalAddress(to);
  EXPECT_EQ(from->Port(), to->Port());
  EXPECT_EQ(a->SendTo(buffer, 7, 1, to), -1);  // offset outside the buffer
}

}  // namespace
