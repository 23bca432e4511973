// c_StringStack: push, read, clear and join.
#include "net/string_stack.h"

void c_StringStack::mark() {
  Object::mark();
  gc_mark(m_data);
}

void c_StringStack::p_Push(const String& value) {
  if (m_length == m_data.Length()) m_data = m_data.Resized(2 * m_length + 10);
  m_data[m_length++] = value;
}

String c_StringStack::p_Get(int index) { return index >= 0 && index < m_length ? m_data[index] : String(); }

void c_StringStack::p_Clear() {
  for (int i = 0; i < m_length; ++i) m_data[i] = String();  // let go of the texts now, not at the next push
  m_length = 0;
}

Array<String> c_StringStack::p_ToArray() { return m_data.Resized(m_length); }

String c_StringStack::p_Join(const String& separator) { return separator.Join(p_ToArray()); }
