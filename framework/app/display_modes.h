// The screen's distinct display sizes, listed once at start: c_DisplayMode, the growable c_Stack that collects
// them and the ordered c_IntMap (a red-black tree) that drops duplicates.
//
// Invariants of the tree: every node is red (-1) or black (1); the root is black; a red node has no red
// child; every path from a node down to a leaf passes the same number of black nodes. So a search visits at
// most 2 log2(n + 1) nodes.
#pragma once

#include "runtime/object.h"

class c_DisplayMode : public Object {
 public:
  c_DisplayMode* m_new(int width, int height) {
    m_width = width, m_height = height;
    return this;
  }
  int m_width = 0, m_height = 0;  // device pixels
};

class c_Stack : public Object {
 public:
  c_Stack* m_new() { return this; }
  c_Stack* m_new2(Array<c_DisplayMode*> data);  // a stack holding a copy of `data`
  void p_Push(c_DisplayMode* mode);
  void p_Push2(Array<c_DisplayMode*> values, int offset, int count);
  void p_Push3(Array<c_DisplayMode*> values);
  Array<c_DisplayMode*> p_ToArray();
  int p_Length() { return m_length; }
  void mark() override { gc_mark(m_data); }

  Array<c_DisplayMode*> m_data;
  int m_length = 0;
};

class c_Node : public Object {
 public:
  c_Node* m_new(int key, c_DisplayMode* value, int color, c_Node* parent);
  void mark() override;

  int m_key = 0;
  Ref<c_Node> m_right, m_left;
  Ref<c_DisplayMode> m_value;
  int m_color = 0;  // -1 red, 1 black
  Ref<c_Node> m_parent;
};

class c_Map : public Object {
 public:
  c_Map* m_new() { return this; }
  virtual int p_Compare(int a, int b) = 0;
  c_Node* p_FindNode(int key);
  bool p_Contains(int key) { return p_FindNode(key) != nullptr; }
  bool p_Set(int key, c_DisplayMode* value);     // false if the key existed (its value is replaced)
  bool p_Insert(int key, c_DisplayMode* value) { return p_Set(key, value); }
  c_DisplayMode* p_Get(int key);
  void mark() override { gc_mark(m_root); }

  Ref<c_Node> m_root;

 protected:
  void p_RotateLeft(c_Node* node);
  void p_RotateRight(c_Node* node);
  void p_InsertFixup(c_Node* node);
};

class c_IntMap : public c_Map {
 public:
  c_IntMap* m_new() { return this; }
  int p_Compare(int a, int b) override { return a - b; }
};
