// c_StringStack: a growable stack of strings (the HTTP client's request lines, header lines and body pieces).
// Main thread only. Growth: a full array is replaced by one of 2 x length + 10 entries.
#pragma once

#include "runtime/object.h"

class c_StringStack : public Object {
 public:
  Array<String> m_data;
  int m_length = 0;

  c_StringStack* m_new() { return this; }
  void mark() override;

  void p_Push(const String& value);
  int p_Length() { return m_length; }
  String p_Get(int index);  // the empty string outside 0 .. length - 1
  void p_Clear();
  Array<String> p_ToArray();               // exactly m_length entries
  String p_Join(const String& separator);  // the entries with separator between consecutive ones
};
