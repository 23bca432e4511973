// KoThread: one piece of work on its own operating-system thread; c_Thread: the framework's name for it.
//
// Threads: Start, IsRunning, Result and mark run on the main thread; Run__UNSAFE__ runs on the worker and must
// not allocate collected objects, store object references through Ref or touch a String shared with the main
// thread (KoThread::Strdup makes a private copy before the work starts).
// Hand-over: the worker stores _result (if any) and then _running = 2 with release order; the main thread reads
// _running with acquire order, so once IsRunning() is false the result and every byte the work wrote are
// visible. The worker touches nothing of the object after that store.
// Lifetime: a running thread keeps its own object alive (it is a collector root while _running is 1), so the
// work never runs on a collected object. A result object must be one the main side also keeps reachable until
// it picks it up (a worker cannot allocate one): the collector cannot see a store made behind its back.
// Each run's thread is started by koStartDetachedThread.
#pragma once

#include <atomic>

#include "runtime/object.h"

// Runs `entry(argument)` on a new thread that is detached from its start, the way every worker of the program
// starts; false when the system cannot start one. A thread made detached rather than detached once made (as
// std::thread's detach does): winpthreads, the Windows build's threads, now and then loses a thread detached
// just after it was made, which then never runs.
bool koStartDetachedThread(void* (*entry)(void*), void* argument);

class KoThread : public Object, private gc_root {
 public:
  KoThread() = default;
  void mark() override;

  // Starts the work on a thread of its own. When the system cannot start one, the program ends ("CreateThread
  // failed!") unless `startFailureEnds` is false, as on a host that has no threads at all (a web page): then
  // Start returns false, and the caller does without.
  virtual bool Start();
  static bool startFailureEnds;
  virtual bool IsRunning();
  virtual Object* Result();
  virtual void SetResult(Object* value);
  virtual void Run__UNSAFE__() {}

  // A private copy of `text` with a representation of its own (the shared empty one for an empty text).
  static String Strdup(const String& text);

 private:
  static constexpr int kNeverStarted = 0;
  static constexpr int kRunning = 1;
  static constexpr int kFinished = 2;

  static void* run(void* thread);
  void mark_root() override;
  gc_object* root_object() const override;

  std::atomic<int> _running{kNeverStarted};
  std::atomic<Object*> _result{nullptr};
};

class c_Thread : public KoThread {};
