// The asynchronous queue and the event-source registry: completion order, completions only during updates,
// queuing from a handler, overflow at 256, the reentrancy guard and double registration.
#include <gtest/gtest.h>

#include "net/async_queue.h"
#include "tests/net/net_test_support.h"

namespace {

std::vector<int> completed;  // ids in completion order (main thread)

// Records its completion; optionally holds the worker until `gate` opens, and queues a follow-up (id + 100)
// on `followUp` when it completes.
struct c_RecordingOp : c_AsyncOp {
  int m_id = 0;
  std::atomic<bool>* m_gate = nullptr;
  bool m_executed = false;  // written by the worker, read when completing
  Ref<c_AsyncQueue> m_followUp;

  c_RecordingOp* m_new(int id, std::atomic<bool>* gate = nullptr) {
    m_id = id;
    m_gate = gate;
    return this;
  }
  void mark() override {
    c_AsyncOp::mark();
    gc_mark(m_followUp);
  }
  void p_Execute__UNSAFE__(c_Socket*) override {
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (m_gate && !*m_gate && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
    m_executed = true;
  }
  void p_Complete(c_Socket*) override {
    completed.push_back(m_executed ? m_id : -1);
    if (m_followUp) m_followUp->p_Enqueue((new c_RecordingOp)->m_new(m_id + 100));
  }
};

// Records its updates; optionally calls the update from inside its own.
struct c_RecordingSource : Object, c_IAsyncEventSource {
  int m_id = 0;
  bool m_nest = false;
  void p_UpdateAsyncEvents() override {
    completed.push_back(m_id);
    if (m_nest) ko_asyncevent_UpdateAsyncEvents();
  }
};

c_AsyncQueue* NewQueue() { return Keep((new c_AsyncQueue)->m_new(nullptr)); }

// Updates the queue until `count` operations have completed in all.
bool UpdateUntilCompleted(c_AsyncQueue* queue, size_t count) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (completed.size() < count && std::chrono::steady_clock::now() < limit) {
    queue->p_UpdateAsyncEvents();
    CollectEverything();
  }
  return completed.size() == count;
}

class AsyncQueue : public testing::Test {
 protected:
  void SetUp() override { completed.clear(); }
};

TEST_F(AsyncQueue, CompletesInQueueOrderOnlyDuringUpdates) {
  c_AsyncQueue* queue = NewQueue();
  std::atomic<bool> gate{false};
  for (int id = 0; id < 3; ++id) queue->p_Enqueue((new c_RecordingOp)->m_new(id, id == 0 ? &gate : nullptr));
  queue->p_UpdateAsyncEvents();  // the first is held on the worker: nothing is finished
  EXPECT_TRUE(completed.empty());
  gate = true;
  ASSERT_TRUE(UpdateUntilCompleted(queue, 3));
  EXPECT_EQ(completed, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(queue->p_IsDrained());
  EXPECT_EQ(queue->m_ops[0], nullptr);  // completed slots hold nothing
}

TEST_F(AsyncQueue, OperationQueuedByAHandlerCompletesInALaterUpdate) {
  c_AsyncQueue* queue = NewQueue();
  auto* first = (new c_RecordingOp)->m_new(1);
  first->m_followUp = queue;
  queue->p_Enqueue(first);
  ASSERT_TRUE(UpdateUntilCompleted(queue, 1));  // that update stops at what was finished when it began
  ASSERT_TRUE(UpdateUntilCompleted(queue, 2));
  EXPECT_EQ(completed, (std::vector<int>{1, 101}));
}

TEST_F(AsyncQueue, HoldsTwoHundredFiftyFiveOutstandingOperations) {
  c_AsyncQueue* queue = NewQueue();
  std::atomic<bool> gate{false};
  for (int id = 0; id < 255; ++id) queue->p_Enqueue((new c_RecordingOp)->m_new(id, &gate));
  gate = true;
  ASSERT_TRUE(UpdateUntilCompleted(queue, 255));
  EXPECT_EQ(completed.back(), 254);
}

TEST_F(AsyncQueue, SourcesUpdateInRegistrationOrderAndANestedUpdateDoesNothing) {
  auto* first = Keep(new c_RecordingSource);
  auto* second = Keep(new c_RecordingSource);
  first->m_id = 1;
  first->m_nest = true;
  second->m_id = 2;
  ko_asyncevent_AddAsyncEventSource(first);
  ko_asyncevent_AddAsyncEventSource(second);
  ko_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(completed, (std::vector<int>{1, 2}));
  ko_asyncevent_RemoveAsyncEventSource(first);
  ko_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(completed, (std::vector<int>{1, 2, 2}));
  ko_asyncevent_RemoveAsyncEventSource(second);
}

TEST(AsyncQueueDeathTest, OverflowAndDoubleRegistrationAreFatal) {
  static std::atomic<bool> closed{false};
  EXPECT_FATAL(
      {
        c_AsyncQueue* queue = NewQueue();
        for (int id = 0; id < 256; ++id) queue->p_Enqueue((new c_RecordingOp)->m_new(id, &closed));
      },
      "AsyncQueue queue overflow!");
  auto* source = Keep(new c_RecordingSource);
  EXPECT_FATAL(
      {
        ko_asyncevent_AddAsyncEventSource(source);
        ko_asyncevent_AddAsyncEventSource(source);
      },
      "Async event source is already active");
}

}  // namespace
