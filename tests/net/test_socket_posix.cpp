// A socket's connect interrupted by POSIX signals.
#include <gtest/gtest.h>

#include <pthread.h>

#include <atomic>
#include <csignal>
#include <thread>

#include "net/socket.h"
#include "tests/net/net_test_posix.h"

namespace {

// A signal that lands while a connect is pending must not turn it into a failure: the connect carries on and
// is waited for. The connect stays pending until the port's queue has room (about a second).
TEST(Socket, AConnectInterruptedBySignalsStillConnects) {
  struct sigaction interrupting{}, previous{};
  interrupting.sa_handler = [](int) {};  // no SA_RESTART: each signal interrupts the call it lands in
  sigaction(SIGUSR1, &interrupting, &previous);
  FullPort full;
  auto* pending = Keep(new KoSocket);
  ASSERT_TRUE(pending->Open(kProtocolStream));
  pending->deadline = std::chrono::steady_clock::now() + kWaitLimit;
  std::atomic<bool> done{false};
  bool connected = false;
  pthread_t connecting = pthread_self();
  std::atomic<bool> started{false};
  std::thread worker([&] {
    connecting = pthread_self();
    started = true;
    connected = pending->Connect(String("127.0.0.1"), full.Port());
    done = true;
  });
  while (!started) std::this_thread::yield();
  for (int i = 0; !done && i < 2000; ++i) {  // at most 10 s of signals, one every 5 ms
    pthread_kill(connecting, SIGUSR1);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (i == 40) {
      EXPECT_TRUE(full.AcceptOne());  // after 200 ms of signals, the queue has room again
    }
  }
  worker.join();
  sigaction(SIGUSR1, &previous, nullptr);
  EXPECT_TRUE(connected);
}

}  // namespace
