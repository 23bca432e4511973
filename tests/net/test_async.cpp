// The asynchronous queue and the event-source registry: order of completions, completions only during the
// update, queuing from a handler, overflow at 256, the reentrancy guard and double registration.
#include <gtest/gtest.h>

#include <vector>

#include "net/async_queue.h"
#include "tests/net/net_test_support.h"

namespace {

std::vector<int> completed;  // ids in completion order (main thread)

// An operation that records its execution and completion; optionally holds the worker until released and
// queues a follow-up operation from its completion.
class c_RecordingOp : public c_AsyncOp {
 public:
  int m_id = 0;
  std::atomic<bool>* m_gate = nullptr;  // the worker waits until it is true
  bool m_executed = false;              // written by the worker, read after completion
  Ref<c_AsyncQueue> m_queueNext;        // queue a follow-up with id + 100 on completion
  bool m_executedWhenCompleted = false;

  c_RecordingOp* m_new(int id, std::atomic<bool>* gate = nullptr) {
    m_id = id;
    m_gate = gate;
    return this;
  }
  void mark() override {
    c_AsyncOp::mark();
    gc_mark(m_queueNext);
  }
  void p_Execute__UNSAFE__(c_Socket*) override {
    auto limit = std::chrono::steady_clock::now() + kWaitLimit;
    while (m_gate && !m_gate->load() && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
    m_executed = true;
  }
  void p_Complete(c_Socket*) override {
    m_executedWhenCompleted = m_executed;
    completed.push_back(m_id);
    if (m_queueNext) m_queueNext->p_Enqueue((new c_RecordingOp)->m_new(m_id + 100));
  }
};

// An event source that records its updates and, if told to, calls the update from inside its own.
class c_RecordingSource : public Object, public c_IAsyncEventSource {
 public:
  int m_id = 0;
  bool m_nest = false;
  void p_UpdateAsyncEvents() override {
    completed.push_back(m_id);
    if (m_nest) ko_asyncevent_UpdateAsyncEvents();
  }
};

c_AsyncQueue* NewQueue() { return Keep((new c_AsyncQueue)->m_new(nullptr)); }

bool DrainQueue(c_AsyncQueue* queue, size_t completions) {
  auto limit = std::chrono::steady_clock::now() + kWaitLimit;
  while (completed.size() < completions && std::chrono::steady_clock::now() < limit) {
    queue->p_UpdateAsyncEvents();
    CollectEverything();
  }
  return completed.size() == completions;
}

class AsyncQueue : public testing::Test {
 protected:
  void SetUp() override { completed.clear(); }
};

TEST_F(AsyncQueue, CompletesInQueueOrderOnlyDuringUpdates) {
  c_AsyncQueue* queue = NewQueue();
  std::atomic<bool> gate{false};
  std::vector<c_RecordingOp*> ops;
  for (int id = 0; id < 3; ++id) {
    ops.push_back(Keep((new c_RecordingOp)->m_new(id, id == 0 ? &gate : nullptr)));
    queue->p_Enqueue(ops.back());
  }
  queue->p_UpdateAsyncEvents();  // the first is still held on the worker: nothing to complete
  EXPECT_TRUE(completed.empty());
  gate = true;
  ASSERT_TRUE(DrainQueue(queue, 3));
  EXPECT_EQ(completed, (std::vector<int>{0, 1, 2}));
  for (c_RecordingOp* op : ops) EXPECT_TRUE(op->m_executedWhenCompleted);
  EXPECT_TRUE(queue->p_IsDrained());
  EXPECT_EQ(queue->m_ops[0], nullptr);  // completed slots hold nothing
}

TEST_F(AsyncQueue, OperationQueuedByAHandlerCompletesInALaterUpdate) {
  c_AsyncQueue* queue = NewQueue();
  auto* first = (new c_RecordingOp)->m_new(1);
  first->m_queueNext = queue;
  queue->p_Enqueue(first);
  ASSERT_TRUE(DrainQueue(queue, 1));
  EXPECT_EQ(completed, (std::vector<int>{1}));  // the follow-up waits for another update
  ASSERT_TRUE(DrainQueue(queue, 2));
  EXPECT_EQ(completed, (std::vector<int>{1, 101}));
}

TEST_F(AsyncQueue, HoldsTwoHundredFiftyFiveOutstandingOperations) {
  c_AsyncQueue* queue = NewQueue();
  std::atomic<bool> gate{false};
  for (int id = 0; id < 255; ++id) queue->p_Enqueue((new c_RecordingOp)->m_new(id, &gate));
  gate = true;
  ASSERT_TRUE(DrainQueue(queue, 255));
  EXPECT_EQ(completed.back(), 254);
}

TEST(AsyncQueueDeathTest, TheTwoHundredFiftySixthOperationIsFatal) {
  EXPECT_FATAL(
      {
        c_AsyncQueue* queue = NewQueue();
        static std::atomic<bool> gate{false};
        for (int id = 0; id < 256; ++id) queue->p_Enqueue((new c_RecordingOp)->m_new(id, &gate));
      },
      "AsyncQueue queue overflow!");
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
  EXPECT_EQ(ko_asyncevent__current, nullptr);

  ko_asyncevent_RemoveAsyncEventSource(first);
  ko_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(completed, (std::vector<int>{1, 2, 2}));
  ko_asyncevent_RemoveAsyncEventSource(second);
}

TEST(AsyncQueueDeathTest, RegisteringASourceTwiceIsFatal) {
  EXPECT_FATAL(
      {
        auto* source = Keep(new c_RecordingSource);
        ko_asyncevent_AddAsyncEventSource(source);
        ko_asyncevent_AddAsyncEventSource(source);
      },
      "Async event source is already active");
}

}  // namespace
