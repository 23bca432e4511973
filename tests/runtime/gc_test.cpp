// The collector: reachability through roots, fields and arrays of arrays, deferred destruction, block reuse,
// the external-bytes trigger, the colour flip and the permanent empty arrays.
#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/object.h"

namespace {

int destroyed = 0;

struct Probe : Object {
  ~Probe() override { ++destroyed; }
  Ref<Probe> next;
  Array<Probe*> children;
  void mark() override {
    gc_mark(next);
    gc_mark(children);
  }
};

GlobalRef<Probe> held;

// Finishes the current cycle twice, so everything unreachable is on the free list, then destroys it all.
void collect_everything() {
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(1 << 30);
}

class Collector : public ::testing::Test {
 protected:
  void SetUp() override {
    held = nullptr;
    collect_everything();
    destroyed = 0;
    gc_set_checking(true);
  }
  void TearDown() override { gc_set_checking(false); }
};

TEST_F(Collector, AnObjectOnlyInALocalIsFreedAfterTheNextFullCollection) {
  new Probe;  // stored nowhere
  gc_collect();
  EXPECT_EQ(destroyed, 0) << "nothing is reclaimed before a full collection";
  gc_collect_all();
  EXPECT_EQ(destroyed, 0) << "destruction is deferred to later allocations";
  EXPECT_GT(gc_free_bytes, 0);
  gc_flush_free(gc_free_bytes);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(Collector, ObjectsReachableFromAGlobalSurviveAnyNumberOfCollections) {
  held = new Probe;
  held->next = new Probe;
  held->children = Array<Probe*>(3);
  held->children[2] = new Probe;
  for (int i = 0; i < 5; ++i) collect_everything();
  EXPECT_EQ(destroyed, 0);
  held->children[2] = nullptr;
  collect_everything();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(Collector, AllocationDestroysPendingGarbageOfAtLeastItsOwnSize) {
  for (int i = 0; i < 4; ++i) new Probe;
  gc_collect_all();
  gc_collect_all();
  int pending = gc_free_bytes;
  held = new Probe;
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(gc_free_bytes, pending - held->gc_size());
}

TEST_F(Collector, ASmallBlockIsReusedForTheNextAllocationOfItsSize) {
  Probe* first = new Probe;
  void* block = first;
  ASSERT_LE(first->gc_size(), gc_cache_max_size);
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(1 << 30);
  held = new Probe;
  EXPECT_EQ(static_cast<void*>(held.get()), block);
}

TEST_F(Collector, FullCollectionFlipsTheMarkBitAndClearsMarkedBytes) {
  held = new Probe;
  int markbit = gc_markbit;
  gc_collect_all();
  EXPECT_NE(gc_markbit, markbit);
  EXPECT_EQ(gc_marked_bytes, 0);
  EXPECT_EQ(held->gc_colour(), gc_markbit ^ 1) << "roots are greyed right after the flip";
}

TEST_F(Collector, LoadedExternalBytesTriggerAFullCollectionWithoutAllocation) {
  int markbit = gc_markbit;
  gc_ext_malloced(3 * 1024 * 1024);  // an image
  gc_collect();
  EXPECT_EQ(gc_markbit, markbit) << "3 MB alone stays below the threshold";
  gc_ext_malloced(6 * 1024 * 1024);  // a sound
  gc_collect();
  EXPECT_NE(gc_markbit, markbit);
  EXPECT_EQ(gc_ext_new_bytes.load(), 0);
}

TEST_F(Collector, IncrementalStepsMarkInProportionToAllocation) {
  held = new Probe;
  Probe* tail = held;
  for (int i = 0; i < 1000; ++i) tail = tail->next = new Probe;
  gc_collect_all();  // every probe is now unmarked and the root is queued
  gc_new_bytes = 0;
  gc_collect();
  EXPECT_EQ(gc_marked_bytes, 0) << "no allocation, no marking work";
  for (int i = 0; i < 10; ++i) new Probe;
  gc_collect();
  EXPECT_GT(gc_marked_bytes, 0);
  EXPECT_LT(gc_marked_bytes, 1000 * held->gc_size());
}

TEST_F(Collector, SharedEmptyArraysAreNeverListedOrFreed) {
  GlobalArray<int> empty;
  empty = Array<int>(0);
  collect_everything();
  EXPECT_EQ(empty.rep(), &Array<int>::nullRep);
  EXPECT_EQ(Array<int>::nullRep.gc_colour(), 3);
  EXPECT_FALSE(gc_is_object(&Array<int>::nullRep));
  EXPECT_EQ(Array<Probe*>().Length(), 0);
}

TEST_F(Collector, AssigningOneGlobalArrayToAnotherKeepsBothRoots) {
  GlobalArray<Probe*> first;
  GlobalArray<Probe*> second;
  second = first;  // shares the array; each global stays registered
  first = Array<Probe*>(1);
  first[0] = new Probe;
  second = Array<Probe*>();
  collect_everything();
  EXPECT_EQ(destroyed, 0) << "the first global still holds its probe";
}

TEST_F(Collector, TheCheckerNoticesAMissingBarrier) {
  held = new Probe;
  gc_collect_all();
  gc_collect_all();
  new Probe;  // allocation gives the next step a marking budget
  gc_collect();  // the root is marked and scanned: black
  ASSERT_EQ(held->gc_colour(), gc_markbit ^ 1);
  Probe* white = new Probe;
  // Store around the barrier, as code that forgot it would.
  *reinterpret_cast<Probe**>(&held->next) = white;
  gc_set_checking(false);
  EXPECT_FALSE(gc_check_heap(false));
  held->next = white;  // the barrier repairs it
  EXPECT_TRUE(gc_check_heap(false));
}

TEST_F(Collector, AnArrayOfArraysKeepsItsInnerArraysAndTheirObjects) {
  GlobalArray<Array<Probe*>> rows;
  rows = Array<Array<Probe*>>(2);
  rows[1] = Array<Probe*>(3);
  rows[1][2] = new Probe;
  for (int i = 0; i < 3; ++i) collect_everything();
  EXPECT_EQ(destroyed, 0);
  ASSERT_EQ(rows[1].Length(), 3);
  rows[1] = Array<Probe*>();
  collect_everything();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(Collector, TheDebuggerAcceptsOnlyLiveObjectAddresses) {
  held = new Probe;
  EXPECT_TRUE(gc_is_object(held.get()));
  int onStack = 0;
  EXPECT_FALSE(gc_is_object(&onStack));
}

}  // namespace
