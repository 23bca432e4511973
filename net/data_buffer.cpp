// Data buffers: allocation and loading, clipped byte transfers, string encoding and decoding.
#include "net/data_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/core/game.h"
#include "net/text_codec.h"
#include "runtime/errors.h"

namespace {

unsigned char* load_file(const String& path, int* length) {
  if (!KoGame::_game) return nullptr;
  return KoGame::_game->LoadData(path, length);
}

}  // namespace

int ko_databuffer_Clip(int address, int count, int limit) {
  if (address < 0 || address > limit || count <= 0) return 0;
  return std::min(count, limit - address);
}

// -------------------------------------------------------------------------------------------------------------
// KoDataBuffer

KoDataBuffer::~KoDataBuffer() { Discard(); }

bool KoDataBuffer::_New(int size, void* memory) {
  if (data || size < 0) return false;
  if (!memory) memory = std::malloc(size > 0 ? size : 1);  // malloc(0) may give null, which means "no data"
  if (!memory) return false;
  data = static_cast<unsigned char*>(memory);
  length = size;
  return true;
}

bool KoDataBuffer::_Load(const String& path) {
  if (data) return false;
  int size = 0;
  unsigned char* bytes = load_file(path, &size);
  if (!bytes) return false;
  data = bytes;
  length = size;
  return true;
}

void KoDataBuffer::_LoadAsync(const String& path, KoThread* thread) {
  if (data) return;
  int size = 0;
  unsigned char* bytes = load_file(path, &size);
  if (!bytes) return;
  data = bytes;
  length = size;
  thread->SetResult(this);
}

void KoDataBuffer::Discard() {
  std::free(data);
  data = nullptr;
  length = 0;
}

// -------------------------------------------------------------------------------------------------------------
// c_DataBuffer: bytes

c_DataBuffer* c_DataBuffer::m_new(int size) {
  if (!_New(size)) koError(String("Allocate DataBuffer failed"));
  return this;
}

c_DataBuffer* c_DataBuffer::m_Load(const String& path) {
  auto* buffer = new c_DataBuffer;
  return buffer->_Load(path) ? buffer : nullptr;
}

void c_DataBuffer::p_PokeBytes(int address, Array<int> bytes, int offset, int count) {
  int n = ko_databuffer_Clip(address, count, length);
  n = std::min(n, ko_databuffer_Clip(offset, count, bytes.Length()));
  for (int i = 0; i < n; ++i) data[address + i] = static_cast<unsigned char>(bytes[offset + i]);
}

void c_DataBuffer::p_PeekBytes(int address, Array<int> bytes, int offset, int count) {
  int n = ko_databuffer_Clip(address, count, length);
  n = std::min(n, ko_databuffer_Clip(offset, count, bytes.Length()));
  for (int i = 0; i < n; ++i) bytes[offset + i] = static_cast<signed char>(data[address + i]);
}

Array<int> c_DataBuffer::p_PeekBytes2(int address, int count) {
  Array<int> bytes(ko_databuffer_Clip(address, count, length));
  p_PeekBytes(address, bytes, 0, bytes.Length());
  return bytes;
}

void c_DataBuffer::p_CopyBytes(int address, c_DataBuffer* destination, int destAddress, int count) {
  if (!destination) return;
  int n = ko_databuffer_Clip(address, count, length);
  n = std::min(n, ko_databuffer_Clip(destAddress, count, destination->length));
  if (n > 0) std::memmove(destination->data + destAddress, data + address, n);  // overlap-safe in one buffer
}

// -------------------------------------------------------------------------------------------------------------
// c_DataBuffer: strings

int c_DataBuffer::p_PokeString(int address, const String& text, const String& encoding) {
  std::string bytes = ko_codec_Encode(text, ko_codec_Encoding(encoding));
  int size = static_cast<int>(bytes.size());
  int n = ko_databuffer_Clip(address, size, length);
  if (n > 0) std::memcpy(data + address, bytes.data(), n);
  return size;
}

String c_DataBuffer::p_PeekString(int address, int count, const String& encoding) {
  TextEncoding decoding = ko_codec_Encoding(encoding);
  int n = ko_databuffer_Clip(address, count, length);
  return n > 0 ? ko_codec_Decode(data + address, n, decoding) : String();
}

String c_DataBuffer::p_PeekString2(int address, const String& encoding) {
  int count = address >= 0 && address <= length ? length - address : 0;  // no overflow on hostile addresses
  return p_PeekString(address, count, encoding);
}
