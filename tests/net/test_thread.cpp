// Worker threads: one worker per start, the result hand-over, restarting, the running thread's own lifetime,
// and private string copies.
#include <gtest/gtest.h>

#include "runtime/thread.h"
#include "tests/net/net_test_support.h"

namespace {

// Counts its runs and holds the worker until released; then writes a value and hands over m_resultToSet.
struct c_GatedThread : c_Thread {
  std::atomic<int> m_runs{0};
  std::atomic<bool> m_released{false};
  Object* m_resultToSet = nullptr;  // set before Start
  int m_value = 0;                  // written by the worker, read once IsRunning() is false

  void Run__UNSAFE__() override {
    ++m_runs;
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (!m_released && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
    m_value = 42;
    if (m_resultToSet) SetResult(m_resultToSet);
  }
};

bool WaitUntilFinished(KoThread* thread) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (thread->IsRunning() && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
  return !thread->IsRunning();
}

TEST(Thread, StartWhileRunningChangesNothing) {
  auto* thread = Keep(new c_GatedThread);
  auto* marker = Keep(new Object);
  EXPECT_FALSE(thread->IsRunning());  // never started
  thread->Start();
  EXPECT_TRUE(thread->IsRunning());
  thread->SetResult(marker);
  thread->Start();
  EXPECT_EQ(thread->Result(), marker);  // not cleared
  thread->m_released = true;
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->m_runs, 1);
}

TEST(Thread, HandsOverItsResultAndRestartsWithAClearedOne) {
  auto* thread = Keep(new c_GatedThread);
  thread->m_resultToSet = Keep(new Object);
  thread->m_released = true;
  thread->Start();
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->m_value, 42);
  EXPECT_EQ(thread->Result(), thread->m_resultToSet);

  thread->m_resultToSet = nullptr;
  thread->Start();
  ASSERT_TRUE(WaitUntilFinished(thread));
  EXPECT_EQ(thread->Result(), nullptr);
  EXPECT_EQ(thread->m_runs, 2);
}

TEST(Thread, RunningThreadOutlivesCollectionsWithoutOtherReferences) {
  auto* thread = new c_GatedThread;  // deliberately not kept: only the running worker holds it
  thread->Start();
  for (int i = 0; i < 3; ++i) CollectEverything();
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
