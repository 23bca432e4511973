// Object references that the collector can see.
//
// Ref<T> is the type of every object-reference field of a collected object: storing into it runs the write
// barrier (gc_assign), so a marked holder never ends up pointing at an unmarked object. The holder's mark()
// passes each Ref to gc_mark. GlobalRef<T> is the same for module globals and registers itself as a root.
// Locals hold plain pointers: nothing is collected in the middle of a host call.
#pragma once

#include "runtime/gc.h"

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(T* value) { gc_assign(pointer_, value); }  // NOLINT: implicit by design, a Ref stands in for a T*
  Ref(const Ref& other) { gc_assign(pointer_, other.pointer_); }
  Ref& operator=(T* value) {
    gc_assign(pointer_, value);
    return *this;
  }
  Ref& operator=(const Ref& other) { return *this = other.pointer_; }

  operator T*() const { return pointer_; }  // NOLINT
  T* operator->() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  T* get() const { return pointer_; }

 private:
  T* pointer_ = nullptr;
};

template <class T>
void gc_mark(const Ref<T>& reference) {
  if (reference) gc_mark(gc_object_of(reference.get()));
}

// A module global holding an object reference: a collector root for as long as the program runs.
template <class T>
class GlobalRef : public Ref<T>, private gc_root {
 public:
  GlobalRef() = default;
  GlobalRef(const GlobalRef&) = delete;
  using Ref<T>::operator=;
  GlobalRef& operator=(const GlobalRef& other) {
    Ref<T>::operator=(other.get());
    return *this;
  }

 private:
  void mark_root() override { gc_mark(static_cast<const Ref<T>&>(*this)); }
  gc_object* root_object() const override { return this->get() ? gc_object_of(this->get()) : nullptr; }
};
