// Types the collector cannot handle, each refused by the compiler: the runtime tests compile this file once per
// case and expect the refusal's message. Built without a case, it must compile cleanly.
#include "runtime/object.h"

struct Listener {
  virtual ~Listener() = default;
};

#ifdef LISTENER_BEFORE_OBJECT
// The collector header would not start the object.
struct ListenerFirst : Listener, Object {};
GlobalRef<ListenerFirst> held;
void hold() { held = new ListenerFirst; }
#endif

#ifdef ELEMENT_WITH_HIDDEN_REFERENCE
// Elements holding a reference without a gc_mark of their own.
struct Holder {
  Ref<Object> object;
};
Array<Holder> holders;
#endif

struct ObjectFirst : Object, Listener {};
GlobalRef<ObjectFirst> accepted;
GlobalArray<Array<ObjectFirst*>> acceptedRows;

int main() {}
