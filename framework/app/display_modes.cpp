// c_Stack, the red-black tree behind c_IntMap, and the enumeration of the screen's display modes.
#include "framework/app/display_modes.h"

#include "framework/app/app.h"

// -------------------------------------------------------------------------------------------------------------
// Stack

c_Stack* c_Stack::m_new2(Array<c_DisplayMode*> data) {
  p_Push3(data);
  return this;
}

void c_Stack::p_Push(c_DisplayMode* mode) {
  if (m_length == m_data.Length()) m_data = m_data.Resized(m_length * 2 + 10);
  m_data[m_length++] = mode;
}

void c_Stack::p_Push2(Array<c_DisplayMode*> values, int offset, int count) {
  for (int i = 0; i < count; ++i) p_Push(values[offset + i]);
}

void c_Stack::p_Push3(Array<c_DisplayMode*> values) { p_Push2(values, 0, values.Length()); }

Array<c_DisplayMode*> c_Stack::p_ToArray() {
  Array<c_DisplayMode*> exact(m_length);
  for (int i = 0; i < m_length; ++i) exact[i] = m_data[i];
  return exact;
}

// -------------------------------------------------------------------------------------------------------------
// Red-black tree

namespace {
constexpr int kRed = -1, kBlack = 1;
}

c_Node* c_Node::m_new(int key, c_DisplayMode* value, int color, c_Node* parent) {
  m_key = key, m_value = value, m_color = color, m_parent = parent;
  return this;
}

void c_Node::mark() {
  gc_mark(m_right);
  gc_mark(m_left);
  gc_mark(m_value);
  gc_mark(m_parent);
}

c_Node* c_Map::p_FindNode(int key) {
  c_Node* node = m_root;
  while (node) {
    int order = p_Compare(key, node->m_key);
    if (order == 0) return node;
    node = order > 0 ? node->m_right : node->m_left;
  }
  return nullptr;
}

c_DisplayMode* c_Map::p_Get(int key) {
  c_Node* node = p_FindNode(key);
  return node ? node->m_value.get() : nullptr;
}

bool c_Map::p_Set(int key, c_DisplayMode* value) {
  c_Node* parent = nullptr;
  int order = 0;
  for (c_Node* node = m_root; node;) {
    parent = node;
    order = p_Compare(key, node->m_key);
    if (order == 0) {
      node->m_value = value;
      return false;
    }
    node = order > 0 ? node->m_right : node->m_left;
  }
  c_Node* fresh = (new c_Node)->m_new(key, value, kRed, parent);
  if (!parent) {
    m_root = fresh;
  } else if (order > 0) {
    parent->m_right = fresh;
  } else {
    parent->m_left = fresh;
  }
  p_InsertFixup(fresh);
  return true;
}

void c_Map::p_RotateLeft(c_Node* node) {
  c_Node* child = node->m_right;
  node->m_right = child->m_left;
  if (child->m_left) child->m_left->m_parent = node;
  child->m_parent = node->m_parent;
  if (!node->m_parent) {
    m_root = child;
  } else if (node == node->m_parent->m_left) {
    node->m_parent->m_left = child;
  } else {
    node->m_parent->m_right = child;
  }
  child->m_left = node;
  node->m_parent = child;
}

void c_Map::p_RotateRight(c_Node* node) {
  c_Node* child = node->m_left;
  node->m_left = child->m_right;
  if (child->m_right) child->m_right->m_parent = node;
  child->m_parent = node->m_parent;
  if (!node->m_parent) {
    m_root = child;
  } else if (node == node->m_parent->m_right) {
    node->m_parent->m_right = child;
  } else {
    node->m_parent->m_left = child;
  }
  child->m_right = node;
  node->m_parent = child;
}

// Restores the red-black rules after inserting the red `node`: while its parent is red, recolour when the
// uncle is red too, otherwise rotate the grandparent.
void c_Map::p_InsertFixup(c_Node* node) {
  while (node->m_parent && node->m_parent->m_color == kRed) {
    c_Node* parent = node->m_parent;
    c_Node* grandparent = parent->m_parent;
    bool parentIsLeft = parent == grandparent->m_left;
    c_Node* uncle = parentIsLeft ? grandparent->m_right : grandparent->m_left;
    if (uncle && uncle->m_color == kRed) {
      parent->m_color = uncle->m_color = kBlack;
      grandparent->m_color = kRed;
      node = grandparent;
      continue;
    }
    if (node == (parentIsLeft ? parent->m_right : parent->m_left)) {
      node = parent;
      parentIsLeft ? p_RotateLeft(node) : p_RotateRight(node);
      parent = node->m_parent;
    }
    parent->m_color = kBlack;
    grandparent->m_color = kRed;
    parentIsLeft ? p_RotateRight(grandparent) : p_RotateLeft(grandparent);
  }
  m_root->m_color = kBlack;
}
