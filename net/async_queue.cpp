// c_AsyncQueue: queuing, the worker's loop and delivery of completions. See async_queue.h for the ring rules.
#include "net/async_queue.h"

#include "net/socket.h"
#include "runtime/errors.h"

c_AsyncQueue* c_AsyncQueue::m_new(c_Socket* socket) {
  m_socket = socket;
  m_ops = Array<c_AsyncOp*>(kSlots);
  return this;
}

void c_AsyncQueue::mark() {
  c_Thread::mark();
  gc_mark(m_socket);
  gc_mark(m_ops);
}

void c_AsyncQueue::p_Enqueue(c_AsyncOp* op) {
  int put = m_put.load(std::memory_order_relaxed);
  m_ops[put] = op;
  put = (put + 1) % kSlots;
  if (put == m_done) koError(String("AsyncQueue queue overflow!"));
  m_put.store(put, std::memory_order_release);
  StartWorker();
}

// Without threads (a web page) the work runs here at once. Such a host has no sockets either: each call fails at
// once, so nothing waits, and each operation completes with its failure in a later update, as it would from a
// worker.
void c_AsyncQueue::StartWorker() {
  if (!Start()) Run__UNSAFE__();
}

void c_AsyncQueue::Run__UNSAFE__() {
  int next = m_next.load(std::memory_order_relaxed);
  while (next != m_put.load(std::memory_order_acquire)) {
    c_AsyncOp* op = m_ops[next];
    op->p_Execute__UNSAFE__(m_socket);
    next = (next + 1) % kSlots;
    m_next.store(next, std::memory_order_release);
  }
}

void c_AsyncQueue::p_UpdateAsyncEvents() {
  if (!p_IsIdle()) StartWorker();  // queued just as the worker was ending; does nothing while it runs
  int executed = m_next.load(std::memory_order_acquire);
  while (m_done != executed) {
    c_AsyncOp* op = m_ops[m_done];
    m_ops[m_done] = nullptr;
    m_done = (m_done + 1) % kSlots;
    op->p_Complete(m_socket);  // may queue more: they complete in a later update
  }
}

bool c_AsyncQueue::p_IsIdle() {
  return m_next.load(std::memory_order_acquire) == m_put.load(std::memory_order_relaxed);
}

bool c_AsyncQueue::p_IsDrained() { return m_done == m_put.load(std::memory_order_relaxed); }
