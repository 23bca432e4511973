// KoDataBuffer: a fixed-size block of raw bytes; c_DataBuffer: byte, copy and string access to it.
//
// Bounds: every transfer is clipped to the buffer (and to the array or destination on the other side); a
// negative or too large address, offset or count transfers nothing. Nothing is ever read or written outside
// `data[0 .. length)`. Reads of bytes give signed values -128..127; writes keep the low 8 bits.
// Threads: buffers are created, loaded, resized and freed on the main thread. A socket operation on a worker
// may read or write the bytes of a buffer while it is outstanding; the owner leaves the buffer alone until the
// operation completes. _LoadAsync is the one operation meant to run on a worker (inside Run__UNSAFE__).
#pragma once

#include "runtime/object.h"
#include "runtime/thread.h"

class KoDataBuffer : public Object {
 public:
  unsigned char* data = nullptr;  // owned; released with free
  int length = 0;                 // bytes

  ~KoDataBuffer() override;

  // Adopts `memory` (length bytes from malloc) or allocates length bytes; false if the buffer has data.
  bool _New(int length, void* memory = nullptr);
  bool _Load(const String& path);  // the whole file through the host; false if it has data or loading fails
  // The same load on a worker thread (pass a private copy of the path); on success this buffer becomes the
  // result of `thread`.
  void _LoadAsync(const String& path, KoThread* thread);
  void Discard();
};

class c_DataBuffer : public KoDataBuffer {
 public:
  c_DataBuffer* m_new(int length);  // fatal "Allocate DataBuffer failed" if it already has data
  static c_DataBuffer* m_Load(const String& path);

  int p_Length() { return length; }
  void p_PokeBytes(int address, Array<int> bytes, int offset, int count);
  void p_PeekBytes(int address, Array<int> bytes, int offset, int count);
  Array<int> p_PeekBytes2(int address, int count);
  void p_CopyBytes(int address, c_DataBuffer* destination, int destAddress, int count);
  int p_PokeString(int address, const String& text, const String& encoding);  // the whole encoded size
  String p_PeekString(int address, int count, const String& encoding);
  String p_PeekString2(int address, const String& encoding);
};

// The number of bytes a transfer of `count` bytes at `address` may move within `limit` bytes: 0 when the
// address lies outside 0..limit or count is not positive.
int ko_databuffer_Clip(int address, int count, int limit);
