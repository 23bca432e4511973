// String: immutable UTF-16 text held by value, sharing a reference-counted representation.
//
// Invariants: a representation is one heap block of exactly 8 + 2 x length bytes and never changes after it is
// built; every empty string shares the static String::nullRep, which is never freed nor counted; counting is
// not atomic, so a non-empty String is never shared between threads (a worker makes a private copy first). Operations that can
// return an operand unchanged share its representation instead of allocating.
#pragma once

#include <cstdint>
#include <cstdio>

template <class T>
class Array;

class String {
 public:
  struct Rep {
    int refs;
    int length;
    char16_t data[];  // `length` code units; no terminator
  };
  static Rep nullRep;

  String() : rep_(&nullRep) {}
  String(const char16_t* data, int length);
  String(const char16_t* text);  // NOLINT: up to the terminating 0
  String(const char* text);      // NOLINT: one code unit per byte, each byte sign-extended
  explicit String(int value);
  explicit String(float value);
  String(const String& other) : rep_(other.rep_) { retain(rep_); }
  String(String&& other) noexcept : rep_(other.rep_) { other.rep_ = &nullRep; }
  ~String() { release(rep_); }
  String& operator=(const String& other);
  String& operator=(String&& other) noexcept;

  static String FromChar(int codeUnit);
  static String Load(std::FILE* file);  // whole text file, encoding detected (UTF-16 by mark, UTF-8, Latin-1)
  static String FromUtf8(const char* bytes, int length);  // UTF-8, or Latin-1 if the bytes are not valid UTF-8

  int Length() const { return rep_->length; }
  char16_t operator[](int index) const { return rep_->data[index]; }
  const char16_t* Data() const { return rep_->data; }
  bool SharesRep(const String& other) const { return rep_ == other.rep_; }

  String operator+(const String& other) const;
  String& operator+=(const String& other) { return *this = *this + other; }
  bool operator==(const String& other) const;
  bool operator!=(const String& other) const { return !(*this == other); }
  int Compare(const String& other) const;  // <0, 0, >0 by code units
  bool operator<(const String& other) const { return Compare(other) < 0; }

  String Slice(int from) const { return Slice(from, Length()); }
  String Slice(int from, int to) const;
  Array<String> Split(const String& separator) const;
  String Join(const Array<String>& pieces) const;
  String Replace(const String& find, const String& with) const;

  int Find(const String& text, int start = 0) const;  // index of the first occurrence at or after start, or -1
  int FindLast(const String& text) const;
  bool Contains(const String& text) const { return Find(text) >= 0; }
  bool StartsWith(const String& text) const;
  bool EndsWith(const String& text) const;
  String ToUpper() const;  // ASCII letters only
  String ToLower() const;
  String Trim() const;  // drops code units <= 32 at both ends

  int ToInt() const { return ToInt(0, Length()); }  // atoi of the narrow form, saturated at the int range
  int ToInt(int from, int to) const;                 // the same of code units from .. to - 1, without a copy

  // The narrow form: a NUL-terminated copy with each code unit truncated to its low 8 bits, shared by
  // reference count; the last copy frees the bytes.
  template <class C>
  class CString {
   public:
    explicit CString(const String& text);
    CString(const CString& other) : block_(other.block_) { ++block_->refs; }
    CString& operator=(const CString&) = delete;
    ~CString();
    operator const C*() const { return block_->chars; }  // NOLINT
    const C* c_str() const { return block_->chars; }

   private:
    struct Block {
      int refs;
      C chars[1];
    };
    Block* block_;
  };
  CString<char> ToCString() const { return CString<char>(*this); }

 private:
  explicit String(Rep* rep) : rep_(rep) {}
  static Rep* alloc(int length);
  // The shared empty representation is never counted, so threads may all hold empty strings.
  static void retain(Rep* rep) {
    if (rep != &nullRep) ++rep->refs;
  }
  static void release(Rep* rep);
  Rep* rep_;
};

extern template class String::CString<char>;
