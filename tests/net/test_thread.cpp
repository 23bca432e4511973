// Worker threads: start, the running state, the result hand-over, restarting, and private string copies.
#include <gtest/gtest.h>

#include "runtime/thread.h"
#include "tests/net/net_test_support.h"

namespace {

// Counts its runs and, if told to, holds the worker until released; then hands over a value and a result.
class c_GatedThread : public c_Thread {
 public:
  std::atomic<int> m_runs{0};
  std::atomic<bool> m_released{false};
  Object* m_resultToSet = nullptr;  // set by the main thread before Start
  int m_value = 0;                  // written by the worker, read after IsRunning() is false

  void Run__UNSAFE__() override {
    ++m_runs;
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!m_released.load() && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
    m_value = 42;
    if (m_resultToSet) SetResult(m_resultToSet);
  }
};

bool WaitUntilFinished(KoThread* thread) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (thread->IsRunning()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::yield();
  }
  return true;
}

TEST(Thread, RunsOnceWhileRunningAndHandsOverItsResult) {
  auto* thread = Keep(new c_GatedThread);
  auto* result = Keep(new Object);
  thread->m_resultToSet = result;
  EXPECT_FALSE(thread->IsRunning());  // never started

  thread->Start();
  EXPECT_TRUE(thread->IsRunning());
  thread->Start();  // already running: no second worker
  thread->m_released = true;
  ASSERT_TRUE(WaitUntilFinished(thread));

  EXPECT_EQ(thread->m_runs.load(), 1);
  EXPECT_EQ(thread->m_value, 42);
  EXPECT_EQ(thread->Result(), result);
}

TEST(Thread, StartWhileRunningKeepsTheResult) {
  auto* thread = Keep(new c_GatedThread);
  auto* marker = Keep(new Object);
  thread->Start();
  thread->SetResult(marker);
  thread->Start();
  EXPECT_EQ(thread->Result(), marker);
  thread->m_released = true;
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->m_runs.load(), 1);
}

TEST(Thread, RestartClearsTheResultAndRunsAgain) {
  auto* thread = Keep(new c_GatedThread);
  thread->m_released = true;
  thread->SetResult(Keep(new Object));
  thread->Start();
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->Result(), nullptr);  // cleared by Start; this work sets none
  thread->Start();
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->m_runs.load(), 2);
}

TEST(Thread, RunningThreadOutlivesCollectionsWithoutOtherReferences) {
  auto* thread = new c_GatedThread;  // deliberately not kept: only the running worker holds it
  thread->Start();
  CollectEverything();
  CollectEverything();
  CollectEverything();
  EXPECT_TRUE(gc_is_object(thread));
  thread->m_released = true;  // the worker touches the object after the collections
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->m_value, 42);
}

TEST(Thread, StrdupMakesAPrivateCopy) {
  String source("abc");
  String copy = KoThread::Strdup(source);
  EXPECT_EQ(copy, source);
  EXPECT_FALSE(copy.SharesRep(source));
  EXPECT_TRUE(KoThread::Strdup(String()).SharesRep(String()));  // the uncounted empty representation
}

}  // namespace
