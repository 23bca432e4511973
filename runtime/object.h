// Object: the root of every framework and game class; ThrowableObject: what runtime exceptions are thrown as.
//
// Objects are collected (gc.h): create them with new, keep references in Ref fields, GlobalRef globals or
// arrays, never delete them. A class that holds references overrides mark() and passes each one to gc_mark.
// Runtime exceptions are thrown as ThrowableObject* and caught by the host around every call into the game.
#pragma once

#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/ref.h"
#include "runtime/string.h"

class Object : public gc_object {
 public:
  virtual bool Equals(Object* other);  // identity
  virtual int Compare(Object* other);  // a consistent, arbitrary order: the difference of the addresses
  virtual String debug();              // what the debugger shows for the object
};

class ThrowableObject : public Object {};
