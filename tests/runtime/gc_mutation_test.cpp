// The collector under a randomised mutation workload: objects are allocated, linked and unlinked between
// collection points, and after every step the heap checker verifies the marking invariant while a shadow
// model verifies that nothing reachable was destroyed and that everything unreachable eventually is.
#include <gtest/gtest.h>

#include <random>
#include <unordered_set>
#include <vector>

#include "runtime/array.h"
#include "runtime/object.h"

namespace {

constexpr int kAlive = 0x5eed5eed;
int liveNodes = 0;

struct Node : Object {
  int magic = kAlive;
  char payload[200] = {};  // makes full collections come round every few thousand allocations
  Ref<Node> left, right;
  Array<Node*> extra;
  Node() { ++liveNodes; }
  ~Node() override {
    magic = 0;
    --liveNodes;
  }
  void mark() override {
    gc_mark(left);
    gc_mark(right);
    gc_mark(extra);
  }
};

GlobalArray<Node*> roots;

// Every node reachable from the roots in discovery order (so the workload does not depend on addresses),
// checking that none was destroyed.
std::vector<Node*> reachable() {
  std::unordered_set<Node*> seen;
  std::vector<Node*> found, stack;
  for (int i = 0; i < roots.Length(); ++i) stack.push_back(roots[i]);
  while (!stack.empty()) {
    Node* node = stack.back();
    stack.pop_back();
    if (!node || !seen.insert(node).second) continue;
    found.push_back(node);
    EXPECT_EQ(node->magic, kAlive) << "a reachable node was destroyed";
    stack.push_back(node->left);
    stack.push_back(node->right);
    for (int i = 0; i < node->extra.Length(); ++i) stack.push_back(node->extra[i]);
  }
  return found;
}

// A random reachable node, or null.
Node* pick(const std::vector<Node*>& nodes, std::mt19937& random) {
  if (nodes.empty()) return nullptr;
  return nodes[random() % nodes.size()];
}

// One mutation between collection points; `nodes` holds what was reachable at the last point plus new ones.
void mutate(std::vector<Node*>& nodes, std::mt19937& random) {
  Node* target = pick(nodes, random);
  switch (random() % 7) {
    case 0:
    case 1: {
      Node* fresh = new Node;
      nodes.push_back(fresh);
      if (random() % 2) fresh->left = pick(nodes, random);
      if (target && random() % 2) (random() % 2 ? target->left : target->right) = fresh;
      else roots[random() % roots.Length()] = fresh;
      break;
    }
    case 2:
      roots[random() % roots.Length()] = pick(nodes, random);
      break;
    case 3:
      if (target) (random() % 2 ? target->left : target->right) = pick(nodes, random);
      break;
    case 4:
      if (target) target->extra = Array<Node*>(1 + random() % 4);
      break;
    case 5:
      if (target && target->extra.Length()) target->extra[random() % target->extra.Length()] = pick(nodes, random);
      break;
    case 6:
      if (target) target->left = target->right = nullptr;
      break;
  }
}

TEST(CollectorMutation, InvariantHoldsAndOnlyGarbageIsReclaimed) {
  roots = Array<Node*>(8);
  gc_set_checking(true);
  std::mt19937 random(1234);
  int fullCollections = 0;
  for (int step = 0; step < 4000; ++step) {
    std::vector<Node*> nodes = reachable();
    for (int k = 0; k < 8; ++k) mutate(nodes, random);
    if (random() % 200 == 0) gc_ext_malloced(9 * 1024 * 1024);  // a big load now and then
    int markbit = gc_markbit;
    gc_collect();  // a collection point: the locals above are dropped before the next step reads anything
    fullCollections += gc_markbit != markbit;
  }
  gc_set_checking(false);
  EXPECT_GE(fullCollections, 20) << "the workload must go through many full collections";

  roots = Array<Node*>(8);
  gc_collect_all();
  gc_collect_all();
  gc_flush_free(1 << 30);
  EXPECT_EQ(liveNodes, 0) << "every unreachable node is destroyed in the end";
}

}  // namespace
