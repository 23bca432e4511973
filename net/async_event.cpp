// The event-source registry and the update that walks it.
#include "net/async_event.h"

#include "runtime/errors.h"

GlobalArray<c_IAsyncEventSource*> ko_asyncevent__sources;
int ko_asyncevent__sourceCount = 0;
GlobalRef<c_IAsyncEventSource> ko_asyncevent__current;

namespace {

int index_of(c_IAsyncEventSource* source) {
  for (int i = 0; i < ko_asyncevent__sourceCount; ++i) {
    if (ko_asyncevent__sources[i] == source) return i;
  }
  return -1;
}

// Closes the holes left by removals, keeping the order of the remaining sources.
void close_holes() {
  int kept = 0;
  for (int i = 0; i < ko_asyncevent__sourceCount; ++i) {
    c_IAsyncEventSource* source = ko_asyncevent__sources[i];
    if (source) ko_asyncevent__sources[kept++] = source;
  }
  for (int i = kept; i < ko_asyncevent__sourceCount; ++i) ko_asyncevent__sources[i] = nullptr;
  ko_asyncevent__sourceCount = kept;
}

// Clears the current source however the update is left, so a later update is not taken for a nested one.
struct CurrentSourceScope {
  ~CurrentSourceScope() { ko_asyncevent__current = nullptr; }
};

}  // namespace

void ko_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source) {
  if (index_of(source) >= 0) koError(String("Async event source is already active"));
  int count = ko_asyncevent__sourceCount;
  if (count == ko_asyncevent__sources.Length()) ko_asyncevent__sources = ko_asyncevent__sources.Resized(2 * count + 10);
  ko_asyncevent__sources[count] = source;
  ko_asyncevent__sourceCount = count + 1;
}

void ko_asyncevent_RemoveAsyncEventSource(c_IAsyncEventSource* source) {
  int index = index_of(source);
  if (index < 0) return;
  ko_asyncevent__sources[index] = nullptr;
  if (!ko_asyncevent__current) close_holes();  // during an update the walk closes them when it ends
}

int ko_asyncevent_UpdateAsyncEvents() {
  if (ko_asyncevent__current) return 0;  // called from a handler: the running update delivers everything
  {
    CurrentSourceScope scope;
    // Sources registered by a handler join this walk: the count is read on every step.
    for (int i = 0; i < ko_asyncevent__sourceCount; ++i) {
      c_IAsyncEventSource* source = ko_asyncevent__sources[i];
      if (!source) continue;
      ko_asyncevent__current = source;
      source->p_UpdateAsyncEvents();
    }
  }
  close_holes();
  return 0;
}
