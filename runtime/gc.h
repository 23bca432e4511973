// The object collector: incremental mark-and-sweep over four intrusive lists.
//
// Every framework and game object derives from gc_object and is owned by the collector; nothing deletes one
// explicitly. The header starts every object's block (Object comes first among a class's bases), since the
// allocator and the object meet by the block's address; the compiler refuses other layouts (gc_header_first).
// Colours live in the low two bits of `flags` (the size, a multiple of 8, is in the rest):
//   colour == gc_markbit        unmarked ("white"): not reached in this cycle, including every new object
//   colour == gc_markbit ^ 1    marked: on the queued list (references still to scan) or the marked list
//   colour == 3                 permanent: a static object (the shared empty arrays), never listed or freed
// Lists: gc_unmarked_list (white), gc_queued_list (grey, FIFO), gc_marked_list (black), gc_free_list
// (unreachable, destroyed a few at a time by later allocations, oldest first).
//
// Invariant between collection points: no object on the marked list refers to an unmarked object, and every
// root refers to a marked or permanent object. The write barrier keeps it: every reference stored into a
// field, a global or an array element is marked when stored. References are stored only through Ref<T>,
// GlobalRef<T> and Array<T> (ref.h, array.h), whose assignments run the barrier, so no other code calls it.
//
// Collection happens only at collection points (after each host call into the game), when no object is held
// only by a local variable. Main thread only, except gc_ext_malloced, which worker threads may call.
#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>

struct gc_link {
  gc_link* succ;
  gc_link* pred;
};

struct gc_permanent_t {};
inline constexpr gc_permanent_t gc_permanent{};

struct gc_object : gc_link {
  int flags;  // size in bytes (multiple of 8) | colour in bits 0..1

  gc_object();                               // a block from operator new: joins the unmarked list
  constexpr explicit gc_object(gc_permanent_t) : gc_link{nullptr, nullptr}, flags(3) {}  // static, colour 3
  gc_object(const gc_object&) = delete;
  gc_object& operator=(const gc_object&) = delete;
  virtual ~gc_object();
  virtual void mark() {}                      // marks the objects this one references

  int gc_size() const { return flags & ~7; }
  int gc_colour() const { return flags & 3; }

  static void* operator new(std::size_t size);
  static void* operator new(std::size_t size, std::size_t extraBytes);  // variable-length representations
  static void operator delete(void* block);
  static void operator delete(void* block, std::size_t extraBytes);
};

// Collector state (one module).
extern int gc_markbit;
extern gc_link gc_unmarked_list, gc_queued_list, gc_marked_list, gc_free_list;
extern int gc_new_bytes;
extern std::atomic<int> gc_ext_new_bytes;
extern int gc_alloced_bytes;
extern int gc_marked_bytes;
extern int gc_free_bytes;

inline constexpr int gc_full_collection_bytes = 8 * 1024 * 1024;  // allocation between full collections
inline constexpr int gc_cache_max_size = 56;                         // largest block size with a free-block stack
inline constexpr std::size_t gc_max_object_size = 0x7FFFFFF8;        // bytes: the largest block an int size holds

void* gc_object_alloc(int size);
void gc_object_free(gc_object* object);
void gc_init1();
void gc_init2();
void gc_collect();
void gc_collect_all();
void gc_flush_free(int bytes);
void gc_ext_malloced(int bytes);

// Moves a white object to the tail of the queued list (slow path of the barrier).
void gc_queue_object(gc_object* object);

// Check mode and heap walking, for tests: while a visitor is installed, gc_mark reports each reference to it
// instead of marking, which lets the checker enumerate an object's references through its own mark().
using gc_visitor_fn = void (*)(gc_object* referent);
extern gc_visitor_fn gc_visitor;

inline void gc_mark(gc_object* object) {
  if (!object) return;
  if (gc_visitor) return gc_visitor(object);
  if (object->gc_colour() == gc_markbit) gc_queue_object(object);
}

// True when a T's collector header starts the object. The allocator hands the block to the gc_object constructor
// by the block's address, so a class whose header sits further in (an interface listed before Object among its
// bases) cannot be collected. offsetof on a class with virtual functions is an extension of g++ and clang, exact
// for non-virtual bases; a virtual base holding the header is refused by offsetof itself. The member measured is
// the header's list link `succ`, a name no collected class uses for a member of its own (clang takes no
// qualified name here).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
template <class T>
inline constexpr bool gc_header_first = __builtin_offsetof(T, succ) == __builtin_offsetof(gc_object, succ);
#pragma GCC diagnostic pop

// The object behind a possibly interface-typed pointer (interfaces do not derive from gc_object). Every
// reference the collector sees (Ref, GlobalRef, Array elements) passes through here, so this is where a class
// with its header out of place is refused, at compile time.
template <class T>
gc_object* gc_object_of(T* pointer) {
  if constexpr (std::is_base_of_v<gc_object, T>) {
    static_assert(gc_header_first<T>, "a collected class must list Object first among its bases");
    return pointer;
  } else {
    return dynamic_cast<gc_object*>(pointer);
  }
}

// The write barrier: marks the stored object (fast colour test inline), then stores it.
template <class T>
void gc_assign(T*& slot, T* value) {
  if (value) {
    gc_object* object = gc_object_of(value);
    if (object && object->gc_colour() == gc_markbit) gc_queue_object(object);
  }
  slot = value;
}

// Roots: module globals that hold object or array references register here (GlobalRef, GlobalArray).
struct gc_root {
  gc_root* next;
  virtual void mark_root() = 0;
  virtual gc_object* root_object() const = 0;

 protected:
  gc_root();
  // A root's link belongs to the registry: copying it from another root would splice the list.
  gc_root(const gc_root&) = delete;
  gc_root& operator=(const gc_root&) = delete;
  ~gc_root();
};
void gc_mark();  // marks every registered root

// True when `address` is an object currently on one of the collector's lists (a slow walk, for the debugger).
bool gc_is_object(const void* address);

// Check mode: after every collection step, walk the heap and abort with a report if the marking invariant,
// the list colours or the byte counts are broken.
void gc_set_checking(bool on);
bool gc_check_heap(bool abortOnError = true);
