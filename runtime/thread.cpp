// KoThread: starting detached workers, the running-state hand-over and the root that keeps a running
// thread's object alive. See thread.h for which side may do what.
#include "runtime/thread.h"

#include <pthread.h>

#include <cstdlib>

#include "runtime/errors.h"

void KoThread::mark() {
  Object::mark();
  gc_mark(gc_object_of(_result.load(std::memory_order_acquire)));
}

bool koStartDetachedThread(void* (*entry)(void*), void* argument) {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_t thread;
  const int failure = pthread_create(&thread, &attributes, entry, argument);
  pthread_attr_destroy(&attributes);
  return failure == 0;
}

bool KoThread::startFailureEnds = true;

bool KoThread::Start() {
  if (IsRunning()) return true;
  _result.store(nullptr, std::memory_order_relaxed);
  _running.store(kRunning, std::memory_order_relaxed);
  // From here on this object is a root; it must be marked now, since roots are greyed only at a flip.
  gc_mark(static_cast<gc_object*>(this));
  if (!koStartDetachedThread(run, this)) {
    if (startFailureEnds) {
      koPrint(String("CreateThread failed!"));
      koExit(-1);
    }
    _running.store(kNeverStarted, std::memory_order_release);  // no longer a root: nothing runs
    return false;
  }
  return true;
}

bool KoThread::IsRunning() { return _running.load(std::memory_order_acquire) == kRunning; }

Object* KoThread::Result() {
  Object* result = _result.load(std::memory_order_acquire);
  gc_mark(gc_object_of(result));  // the worker's store ran no barrier; the main side takes it over here
  return result;
}

void KoThread::SetResult(Object* value) { _result.store(value, std::memory_order_release); }

String KoThread::Strdup(const String& text) { return String(text.Data(), text.Length()); }

void* KoThread::run(void* object) {
  auto* thread = static_cast<KoThread*>(object);
  koRunWorker([](void* work) { static_cast<KoThread*>(work)->Run__UNSAFE__(); }, thread);
  thread->_running.store(kFinished, std::memory_order_release);  // last touch of the object by the worker
  return nullptr;
}

void KoThread::mark_root() {
  if (IsRunning()) gc_mark(static_cast<gc_object*>(this));
}

gc_object* KoThread::root_object() const {
  return _running.load(std::memory_order_acquire) == kRunning ? const_cast<KoThread*>(this) : nullptr;
}
