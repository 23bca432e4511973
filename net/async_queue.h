// c_AsyncQueue: a ring of 256 operations executed one after another on one worker thread and completed, in the
// same order, on the main thread.
//
// Ring: outstanding operations are the slots m_done .. m_put - 1 (modulo 256); those before m_next have been
// executed. At most 255 may be outstanding: queuing one more is the fatal error "AsyncQueue queue overflow!".
// Indices have one writer each: m_put and m_done the main thread, m_next the worker. m_put and m_next are
// atomics: a slot is filled before m_put passes it (release) and the worker reads it only after seeing that
// (acquire); an operation's results are written before m_next passes it (release) and the main thread reads
// them only after seeing that (acquire). A completed slot is cleared so the ring holds nothing it is done with.
// The worker runs per burst: it ends when it catches up, and the update restarts it if an operation was
// queued just as it was ending. Completions happen only in p_UpdateAsyncEvents, never in p_Enqueue, and each
// update completes only what had been executed when it began, so a socket that never stops delivering data
// cannot keep one update from returning.
#pragma once

#include <atomic>

#include "net/async_event.h"
#include "net/async_ops.h"
#include "runtime/thread.h"

class c_AsyncQueue : public c_Thread, public c_IAsyncEventSource {
 public:
  static constexpr int kSlots = 256;

  Ref<c_Socket> m_socket;  // passed to every operation; set once, before the worker first starts
  Array<c_AsyncOp*> m_ops;
  std::atomic<int> m_put{0};   // next free slot (main thread writes)
  int m_done = 0;              // next operation to complete (main thread only)
  std::atomic<int> m_next{0};  // next operation to execute (worker writes)

  c_AsyncQueue* m_new(c_Socket* socket);
  void mark() override;

  void p_Enqueue(c_AsyncOp* op);
  void Run__UNSAFE__() override;
  void p_UpdateAsyncEvents() override;
  bool p_IsIdle();     // every queued operation has been executed
  bool p_IsDrained();  // every queued operation has been completed

 private:
  void StartWorker();  // on a thread; where none can start, here and now
};
