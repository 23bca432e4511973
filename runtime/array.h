// Array<T>: a fixed-length array held by reference; its representation is a collected object.
//
// Invariants: assigning or copying an Array shares the representation (nothing is copied) and runs the write
// barrier on it, so an Array stored in a field or global is always visible to the collector. Elements of
// object-pointer type are stored as Ref<U>, so storing into an element also runs the barrier. Every empty
// array of one element type shares the permanent static Array<T>::nullRep (colour 3: never listed or freed).
// There is no bounds test on element access; callers keep indices within 0 .. Length() - 1.
// Element types are either plain values, which hold no collected references (numbers, enums, String), or
// markable ones, which the representation's mark() passes to gc_mark (object pointers, arrays); any other
// element type is refused at compile time, since its references would be invisible to the collector.
#pragma once

#include <new>
#include <type_traits>

#include "runtime/gc.h"
#include "runtime/ref.h"
#include "runtime/string.h"

template <class T>
struct array_element {
  using type = T;
};
template <class U>
struct array_element<U*> {
  using type = Ref<U>;
};

template <class E>
concept gc_markable = requires(const E& element) { gc_mark(element); };
template <class E>
concept gc_plain_value = std::is_arithmetic_v<E> || std::is_enum_v<E> || std::is_same_v<E, String>;
template <class T>
concept array_element_type = gc_markable<typename array_element<T>::type> ||
                             gc_plain_value<typename array_element<T>::type>;

template <class T>
class Array;
template <class T>
void gc_mark(const Array<T>& array);

template <class T>
class Array {
  static_assert(array_element_type<T>, "an element of this type would hide its references from the collector");

 public:
  using Element = typename array_element<T>::type;

  struct Rep : gc_object {
    int length;

    constexpr explicit Rep(gc_permanent_t) : gc_object(gc_permanent), length(0) {}
    explicit Rep(int count) : length(count) {
      for (int i = 0; i < length; ++i) new (&data()[i]) Element();
    }
    ~Rep() override {
      for (int i = 0; i < length; ++i) data()[i].~Element();
    }
    Element* data() { return reinterpret_cast<Element*>(reinterpret_cast<char*>(this) + kDataOffset); }
    void mark() override {
      if constexpr (gc_markable<Element>) {
        for (int i = 0; i < length; ++i) gc_mark(data()[i]);
      }
    }
  };
  static constexpr std::size_t kDataOffset = (sizeof(Rep) + alignof(Element) - 1) / alignof(Element) * alignof(Element);
  static inline constinit Rep nullRep{gc_permanent};

  Array() : rep_(&nullRep) {}
  explicit Array(int length) : rep_(&nullRep) {
    if (length > 0) rep_ = new (kDataOffset - sizeof(Rep) + sizeof(Element) * length) Rep(length);
  }
  Array(const T* values, int length) : Array(length) {
    for (int i = 0; i < length; ++i) (*this)[i] = values[i];
  }
  Array(const Array& other) : rep_(&nullRep) { gc_assign(rep_, other.rep_); }
  Array& operator=(const Array& other) {
    gc_assign(rep_, other.rep_);
    return *this;
  }

  int Length() const { return rep_->length; }
  Element& operator[](int index) const { return rep_->data()[index]; }
  Element* begin() const { return rep_->data(); }
  Element* end() const { return rep_->data() + rep_->length; }
  bool SharesRep(const Array& other) const { return rep_ == other.rep_; }
  Rep* rep() const { return rep_; }

  // A new array of `length` elements holding this one's first elements (the rest zero).
  Array Resized(int length) const {
    Array grown(length);
    for (int i = 0; i < length && i < Length(); ++i) grown[i] = (*this)[i];
    return grown;
  }

 private:
  Rep* rep_;
};

template <class T>
void gc_mark(const Array<T>& array) {
  gc_mark(static_cast<gc_object*>(array.rep()));
}

// A module global holding an array: a collector root for as long as the program runs.
template <class T>
class GlobalArray : public Array<T>, private gc_root {
 public:
  GlobalArray() = default;
  GlobalArray(const GlobalArray&) = delete;
  GlobalArray& operator=(const Array<T>& other) {
    Array<T>::operator=(other);
    return *this;
  }
  GlobalArray& operator=(const GlobalArray& other) { return *this = static_cast<const Array<T>&>(other); }

 private:
  void mark_root() override { gc_mark(static_cast<const Array<T>&>(*this)); }
  gc_object* root_object() const override { return this->rep(); }
};
