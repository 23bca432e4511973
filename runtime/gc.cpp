// The collector's lists, allocation, marking, sweeping and the heap checker. See gc.h for the colours and
// the invariant this file keeps.
#include "runtime/gc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

#include "runtime/errors.h"

int gc_markbit = 1;
gc_link gc_unmarked_list{&gc_unmarked_list, &gc_unmarked_list};
gc_link gc_queued_list{&gc_queued_list, &gc_queued_list};
gc_link gc_marked_list{&gc_marked_list, &gc_marked_list};
gc_link gc_free_list{&gc_free_list, &gc_free_list};
int gc_new_bytes = 0;
std::atomic<int> gc_ext_new_bytes{0};
int gc_alloced_bytes = 0;
int gc_marked_bytes = 0;
int gc_free_bytes = 0;
gc_visitor_fn gc_visitor = nullptr;

namespace {

// ---------------------------------------------------------------------------------------------------------
// Lists

bool list_empty(const gc_link& list) { return list.succ == &list; }

void unlink(gc_link* node) {
  node->pred->succ = node->succ;
  node->succ->pred = node->pred;
  node->succ = node->pred = nullptr;
}

void append(gc_link& list, gc_link* node) {
  node->pred = list.pred;
  node->succ = &list;
  list.pred->succ = node;
  list.pred = node;
}

// Moves the whole content of `from` to the tail of `to`; `from` becomes empty. Constant time.
void splice_all(gc_link& from, gc_link& to) {
  if (list_empty(from)) return;
  from.succ->pred = to.pred;
  to.pred->succ = from.succ;
  from.pred->succ = &to;
  to.pred = from.pred;
  from.succ = from.pred = &from;
}

gc_object* first(gc_link& list) { return static_cast<gc_object*>(list.succ); }

void clear_list(gc_link& list) { list.succ = list.pred = &list; }

// ---------------------------------------------------------------------------------------------------------
// Blocks: a free-block stack per size class 8..56, the heap for anything larger.

struct free_block {
  free_block* next;
};
free_block* gc_cache[gc_cache_max_size / 8 + 1];

int round_size(std::size_t size) { return static_cast<int>((size + 7) & ~std::size_t{7}); }

void* take_block(int size) {
  if (size <= gc_cache_max_size && gc_cache[size / 8]) {
    free_block* block = gc_cache[size / 8];
    gc_cache[size / 8] = block->next;
    return block;
  }
  void* block = std::malloc(size);
  if (!block) {
    std::fputs("gc: out of memory\n", stderr);
    std::abort();
  }
  return block;
}

void release_block(void* block, int size) {
  if (size <= gc_cache_max_size) {
    auto* freed = static_cast<free_block*>(block);
    freed->next = gc_cache[size / 8];
    gc_cache[size / 8] = freed;
  } else {
    std::free(block);
  }
}

// operator new hands the block's size to the gc_object constructor through this small stack, keyed by address,
// because `new A(new B)` allocates A, then allocates and constructs B, and only then constructs A.
struct pending_alloc {
  void* block;
  int size;
};
pending_alloc pending[64];
int pending_count = 0;

void push_pending(void* block, int size) {
  if (pending_count == 64) {
    std::fputs("gc: allocations nested too deeply\n", stderr);
    std::abort();
  }
  pending[pending_count++] = {block, size};
}

// Removes and returns the size recorded for `block`, or -1 if it has none.
int pop_pending(void* block) {
  for (int i = pending_count - 1; i >= 0; --i) {
    if (pending[i].block != block) continue;
    int size = pending[i].size;
    for (int j = i; j < pending_count - 1; ++j) pending[j] = pending[j + 1];
    --pending_count;
    return size;
  }
  return -1;
}

// The destructor records what operator delete needs, since the object is gone by the time it runs.
struct dying_object {
  void* block = nullptr;
  int size = 0;
  bool onFreeList = false;  // false when undoing an allocation whose constructor failed
} dying;

// Destroys the first object of the free list (its deleting destructor returns the block).
void destroy_first_free() {
  gc_object* object = first(gc_free_list);
  unlink(object);
  delete object;
}

// ---------------------------------------------------------------------------------------------------------
// Marking and sweeping

// Scans queued objects, oldest first, while fewer than `budget` bytes are marked this cycle.
void mark_queued(int64_t budget) {
  while (gc_marked_bytes < budget && !list_empty(gc_queued_list)) {
    gc_object* object = first(gc_queued_list);
    unlink(object);
    append(gc_marked_list, object);
    gc_marked_bytes += object->gc_size();
    object->mark();
  }
}

// Steps 1.2 to 1.5 of a full collection: finish marking, sweep by splicing, flip the colours, grey the roots.
void full_cycle() {
  mark_queued(INT64_MAX);
  if (gc_marked_bytes != gc_alloced_bytes) gc_free_bytes += gc_alloced_bytes - gc_marked_bytes;
  splice_all(gc_unmarked_list, gc_free_list);
  splice_all(gc_marked_list, gc_unmarked_list);
  gc_alloced_bytes = gc_marked_bytes;
  gc_marked_bytes = 0;
  gc_markbit ^= 1;
  gc_mark();
  gc_new_bytes = 0;
}

bool checking = false;
gc_root* roots = nullptr;

}  // namespace

// -------------------------------------------------------------------------------------------------------------
// Objects

gc_object::gc_object() : gc_link{nullptr, nullptr} {
  int size = pop_pending(this);
  if (size < 0) {
    // Also where a class's header is not at the start of its block, if the compile-time check was bypassed.
    std::fputs("gc: collected object constructed outside operator new\n", stderr);
    std::abort();
  }
  flags = size | gc_markbit;
  append(gc_unmarked_list, this);
  gc_alloced_bytes += size;
}

gc_object::~gc_object() {
  if (gc_colour() == 3) return;
  dying = {this, gc_size(), succ == nullptr};
  if (succ) {  // still listed: only when a constructor failed after this base was built
    unlink(this);
    gc_alloced_bytes -= gc_size();
  }
}

void* gc_object::operator new(std::size_t size) {
  // Sizes and byte counts are ints. A block that does not fit one (a huge array) is a fatal error: the
  // new-expression cannot return null to its caller, and cutting the size would hand out a short block.
  if (size > gc_max_object_size) dbg_error("Object too large to allocate");
  void* block = gc_object_alloc(static_cast<int>(size));
  push_pending(block, round_size(size));
  return block;
}

void* gc_object::operator new(std::size_t size, std::size_t extraBytes) {
  return operator new(size + extraBytes);
}

void gc_object::operator delete(void* block) {
  int neverBuilt = pop_pending(block);
  if (neverBuilt >= 0) return release_block(block, neverBuilt);
  if (dying.block != block) {
    std::fputs("gc: delete of an object the collector did not destroy\n", stderr);
    std::abort();
  }
  dying.block = nullptr;
  if (dying.onFreeList) {
    gc_object_free(static_cast<gc_object*>(block));
  } else {
    release_block(block, dying.size);
  }
}

void gc_object::operator delete(void* block, std::size_t) { operator delete(block); }

void* gc_object_alloc(int size) {
  size = round_size(size);
  gc_new_bytes += size;
  int target = gc_free_bytes - size;
  if (target < 0) target = 0;
  while (gc_free_bytes > target && !list_empty(gc_free_list)) destroy_first_free();
  return take_block(size);
}

// Called from operator delete, after the destructor recorded the size.
void gc_object_free(gc_object* object) {
  gc_free_bytes -= dying.size;
  release_block(object, dying.size);
}

void gc_flush_free(int bytes) {
  int target = gc_free_bytes - bytes;
  if (target < 0) target = 0;
  while (gc_free_bytes > target && !list_empty(gc_free_list)) destroy_first_free();
}

void gc_ext_malloced(int bytes) { gc_ext_new_bytes.fetch_add(bytes, std::memory_order_relaxed); }

void gc_queue_object(gc_object* object) {
  unlink(object);
  append(gc_queued_list, object);
  object->flags ^= 1;
}

// -------------------------------------------------------------------------------------------------------------
// Roots and collection points

gc_root::gc_root() : next(roots) { roots = this; }

gc_root::~gc_root() {
  for (gc_root** link = &roots; *link; link = &(*link)->next) {
    if (*link != this) continue;
    *link = next;
    return;
  }
}

void gc_mark() {
  for (gc_root* root = roots; root; root = root->next) root->mark_root();
}

void gc_init1() {
  clear_list(gc_unmarked_list);
  clear_list(gc_queued_list);
  clear_list(gc_marked_list);
  clear_list(gc_free_list);
}

void gc_init2() { gc_mark(); }

void gc_collect() {
  int64_t allocated = int64_t{gc_new_bytes} + gc_ext_new_bytes.load(std::memory_order_relaxed);
  if (allocated > gc_full_collection_bytes) {
    gc_ext_new_bytes.fetch_sub(gc_ext_new_bytes.load(std::memory_order_relaxed), std::memory_order_relaxed);
    full_cycle();
  } else {
    // Mark in proportion to allocation: by the time another 8 MiB are allocated, the live heap is marked.
    int64_t budget = gc_new_bytes + (int64_t{gc_new_bytes} * (gc_alloced_bytes - gc_new_bytes)) /
                                        gc_full_collection_bytes;
    mark_queued(budget);
  }
  if (checking) gc_check_heap();
}

void gc_collect_all() {
  full_cycle();
  if (checking) gc_check_heap();
}

// -------------------------------------------------------------------------------------------------------------
// Heap checker

namespace {

struct heap_check {
  std::unordered_set<const gc_object*> listed;
  int errors = 0;
  const gc_object* holder = nullptr;
  const char* holderList = "";
  bool holderMarked = false;  // the holder is on the marked list, so its referents must be marked

  void fail(const char* what, const void* object) {
    if (++errors <= 10) std::fprintf(stderr, "gc check: %s (%p in %s)\n", what, object, holderList);
  }

  // Walks one list: checks links and colours (colour -1: any), collects members, returns the byte total.
  int64_t walk(gc_link& list, const char* name, int colour) {
    holderList = name;
    int64_t bytes = 0;
    for (gc_link* node = list.succ; node != &list; node = node->succ) {
      if (node->succ->pred != node) return fail("broken list links", node), bytes;
      auto* object = static_cast<gc_object*>(node);
      if (colour >= 0 && object->gc_colour() != colour) fail("object of the wrong colour", object);
      listed.insert(object);
      bytes += object->gc_size();
    }
    return bytes;
  }
};

heap_check* current_check = nullptr;

bool referent_alive(const gc_object* referent) {
  return current_check->listed.count(referent) || referent->gc_colour() == 3;
}

void check_referent(gc_object* referent) {
  if (!referent_alive(referent)) return current_check->fail("reference to a freed object", current_check->holder);
  if (current_check->holderMarked && referent->gc_colour() == gc_markbit) {
    current_check->fail("marked object refers to an unmarked object", current_check->holder);
  }
}

void check_references(gc_link& list, const char* name, bool marked) {
  current_check->holderList = name;
  current_check->holderMarked = marked;
  for (gc_link* node = list.succ; node != &list; node = node->succ) {
    current_check->holder = static_cast<gc_object*>(node);
    static_cast<gc_object*>(node)->mark();
  }
}

}  // namespace

bool gc_check_heap(bool abortOnError) {
  heap_check check;
  int white = gc_markbit, black = gc_markbit ^ 1;
  int64_t unmarked = check.walk(gc_unmarked_list, "unmarked", white);
  int64_t queued = check.walk(gc_queued_list, "queued", black);
  int64_t marked = check.walk(gc_marked_list, "marked", black);
  int64_t freed = check.walk(gc_free_list, "free", -1);  // garbage keeps the colour of the flip that found it
  if (unmarked + queued + marked != gc_alloced_bytes) check.fail("allocated byte count is off", nullptr);
  if (marked != gc_marked_bytes) check.fail("marked byte count is off", nullptr);
  if (freed != gc_free_bytes) check.fail("free byte count is off", nullptr);

  current_check = &check;
  gc_visitor_fn saved = gc_visitor;
  gc_visitor = check_referent;
  check_references(gc_marked_list, "marked", true);
  check_references(gc_queued_list, "queued", false);
  check_references(gc_unmarked_list, "unmarked", false);
  check.holderList = "roots";
  for (gc_root* root = roots; root; root = root->next) {
    gc_object* object = root->root_object();
    if (!object) continue;
    if (!referent_alive(object)) check.fail("root refers to a freed object", object);
    else if (object->gc_colour() == gc_markbit) check.fail("root refers to an unmarked object", object);
  }
  gc_visitor = saved;
  current_check = nullptr;

  if (check.errors && abortOnError) std::abort();
  return check.errors == 0;
}

void gc_set_checking(bool on) { checking = on; }

bool gc_is_object(const void* address) {
  for (gc_link* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list}) {
    for (gc_link* node = list->succ; node != list; node = node->succ) {
      if (static_cast<const void*>(static_cast<gc_object*>(node)) == address) return true;
    }
  }
  return false;
}
