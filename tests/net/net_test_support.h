// Shared pieces of the networking tests: the update pump, collector roots for test objects, fatal-stop
// checks, and loopback servers (threads on 127.0.0.1) that answer with scripted bytes. Every wait is bounded
// by kWaitLimit, so a fault fails a test instead of hanging the suite. The servers' system calls are in
// net_test_system.h; what only POSIX systems can set up (a full descriptor table, a full listen queue) is in
// net_test_posix.h.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/name_lookup.h"
#include "runtime/object.h"
#include "tests/net/net_test_system.h"
#include "tests/support/exit_status.h"

// The longest a test waits for what must happen: passing tests never wait it out, so it is generous, for a
// loaded machine and for wine, whose loopback and threads are slower.
inline constexpr auto kWaitLimit = std::chrono::seconds(30);
inline constexpr auto kTricklePause = std::chrono::milliseconds(20);  // far below any read timeout a test sets

// A full collection that destroys the garbage at once, so an object freed by mistake is gone right away.
void CollectEverything();
// One update as the game runs it (asynchronous event update, collection with the heap checker on), then a
// short sleep. PumpUntil repeats it until `done`; false if that took longer than kWaitLimit.
void PumpOnce();
bool PumpUntil(const std::function<bool()>& done);

void KeepObject(Object* object);  // a collector root until the end of the current test
template <class T>
T* Keep(T* object) {
  KeepObject(object);
  return object;
}

// A death test of a fatal stop, its report sent to standard error (RouteFatalReportToStderr).
#define EXPECT_FATAL(statement, message) \
  EXPECT_EXIT(                           \
      {                                  \
        RouteFatalReportToStderr();      \
        statement;                       \
      },                                 \
      ExitedMinusOne(), message)

struct ServerStep {
  // Reset: an abortive close (the peer sees -1). Trickle: the bytes one at a time, kTricklePause apart, over
  // and over until the client goes.
  enum Kind { Send, WaitForRelease, SendForever, Reset, Trickle } kind;
  std::string bytes;
};
inline ServerStep Send(std::string bytes) { return {ServerStep::Send, std::move(bytes)}; }
inline ServerStep WaitForRelease() { return {ServerStep::WaitForRelease, {}}; }
inline ServerStep SendForever(std::string bytes) { return {ServerStep::SendForever, std::move(bytes)}; }
inline ServerStep Reset() { return {ServerStep::Reset, {}}; }
inline ServerStep Trickle(std::string bytes) { return {ServerStep::Trickle, std::move(bytes)}; }

// Accepts one connection, reads the request head (through the empty line) and `bodyBytes` more, plays its
// steps and closes the connection.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::vector<ServerStep> steps, int bodyBytes = 0);
  ~LoopbackServer();
  int Port() const { return port_; }
  std::string Url(const std::string& path = "/") const { return "http://localhost:" + std::to_string(port_) + path; }
  std::string Request();                // what the client sent, once the server has read it
  void Release() { released_ = true; }  // lets a WaitForRelease step go on

 private:
  void Serve(std::vector<ServerStep> steps, int bodyBytes);

  SocketHandle listener_ = kNoSocket;
  int port_ = 0;
  std::atomic<bool> stop_{false}, released_{false}, requestRead_{false};
  std::string request_;  // written before requestRead_ is set
  std::thread thread_;
};

// A port on 127.0.0.1 that refuses connections (bound, not listening) while the object lives.
struct RefusingPort {
  RefusingPort();
  ~RefusingPort();
  int Port() const { return port_; }
  SocketHandle socket_ = kNoSocket;
  int port_ = 0;
};

// While the object lives, the sockets' resolver holds every lookup of kHeldName until the object goes (the
// lookup then finds nothing); other names go to the system's resolver. Going, it waits (within kWaitLimit)
// until every held lookup has returned, so a lookup that was given up on finishes inside the test.
class HeldResolver {
 public:
  static constexpr const char* kHeldName = "held.test";
  HeldResolver();
  ~HeldResolver();

 private:
  struct Gate;
  std::shared_ptr<Gate> gate_;  // shared with the resolver's copies, which may outlive this object
  NameResolver previous_;
};
