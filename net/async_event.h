// Event sources and the asynchronous event update.
//
// An event source is an object that delivers finished asynchronous work during ko_asyncevent_UpdateAsyncEvents,
// which the application calls once per update on the main thread. Sources are updated in registration order;
// a call made while an update is in progress (from inside a completion handler) returns at once. The registry
// is main-thread only. A source removed during an update leaves a hole that the update skips and closes up
// when it ends, so the order of the others never changes.
#pragma once

#include "runtime/object.h"

class c_IAsyncEventSource {
 public:
  virtual ~c_IAsyncEventSource() = default;
  virtual void p_UpdateAsyncEvents() = 0;
};

extern GlobalArray<c_IAsyncEventSource*> ko_asyncevent__sources;  // entries 0 .. count - 1, holes are null
extern int ko_asyncevent__sourceCount;
extern GlobalRef<c_IAsyncEventSource> ko_asyncevent__current;  // the source being updated; null outside

// Registers a source; fatal error "Async event source is already active" if it is registered already.
void ko_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source);
// Unregisters a source (nothing happens if it is not registered).
void ko_asyncevent_RemoveAsyncEventSource(c_IAsyncEventSource* source);
int ko_asyncevent_UpdateAsyncEvents();  // always 0
