// Shared pieces of the networking tests: the update pump, collector roots for test objects, and a loopback
// server thread that answers with scripted bytes.
//
// The pump does what the game does each update (asynchronous event update, then a full collection step with
// the heap checker on), so a missing mark() or barrier shows up as a freed object. Test objects that must live
// across pumps are kept through Keep(), a collector root cleared after every test.
// Every wait is bounded (kWaitLimit) so that a fault fails a test instead of hanging the suite.
#pragma once

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/object.h"

inline constexpr auto kWaitLimit = std::chrono::seconds(10);

// A full collection that also destroys all garbage at once, so a wrongly freed object is gone right away
// (and no garbage waits on the free list across flips, which the heap checker does not expect).
void CollectEverything();
// One update pass: the asynchronous event update, a full collection, a short sleep.
void PumpOnce();
// Pumps until `done` holds; false if it did not within kWaitLimit.
bool PumpUntil(const std::function<bool()>& done);

// Keeps `object` alive until the end of the current test; returns it.
void KeepObject(Object* object);
template <class T>
T* Keep(T* object) {
  KeepObject(object);
  return object;
}

// A fatal stop prints its report on standard output and then waits for a debugger on standard input; a death
// test sees only standard error. This sends the report there and gives the stop no debugger.
void RouteFatalReportToStderr();
#define EXPECT_FATAL(statement, message) \
  EXPECT_EXIT(                           \
      {                                  \
        RouteFatalReportToStderr();      \
        statement;                       \
      },                                 \
      testing::ExitedWithCode(255), message)

// A step of a loopback server's answer.
struct ServerStep {
  enum Kind { Send, WaitForRelease, SendForever, Reset } kind;
  std::string bytes;
};
ServerStep SendBytes(std::string bytes);
ServerStep WaitForRelease();
ServerStep SendForever(std::string bytes);  // until the client goes away
ServerStep ResetConnection();               // an abortive close: the client's receive fails

// Listens on 127.0.0.1 (a port of the system's choice), accepts one connection, reads the request head
// (through the empty line) and `bodyBytes` more, then plays its steps and closes the connection.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::vector<ServerStep> steps, int bodyBytes = 0);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& pathAndQuery = "/") const;  // http://localhost:PORT...
  std::string Request();  // what the client sent (waits until the server has read it)
  void Release();         // lets a WaitForRelease step go on

 private:
  void Serve(std::vector<ServerStep> steps, int bodyBytes);
  void ReadRequest(int connection, int bodyBytes);
  bool Wait(const std::function<bool()>& ready);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string request_;
  bool requestRead_ = false;
  bool released_ = false;
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens, for as long as the object lives.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  int Port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};
