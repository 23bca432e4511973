// Data paths, the display-mode list and the red-black map behind it.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/app/app.h"
#include "framework/data/data_path.h"
#include "host/core/glfw_game.h"
#include "tests/fakes/fake_glfw2.h"

using fake_glfw::state;

namespace {

std::string narrow(const String& text) { return text.ToCString().c_str(); }

TEST(DataPath, AssetNamesGoIntoTheDataFolder) {
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("sfx/00.wav"))), "tarsil://data/sfx/00.wav");
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("./save.dat"))), "./save.dat");
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("/abs/file"))), "/abs/file");
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("tarsil://internal/x"))), "tarsil://internal/x");
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("http://h/x"))), "http://h/x");
  EXPECT_EQ(narrow(ko_data_FixDataPath(String("a/b:/c"))), "tarsil://data/a/b:/c");
}

class DisplayModes : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_glfw::reset();
    ko_app__InitGlobals();
    state.opened = true;
    state.width = 640, state.height = 480;
    ko_app_ValidateDeviceWindow(false);
  }
  KoGlfwGame host;
};

TEST_F(DisplayModes, DuplicateSizesAreDroppedAndTheFirstKeepsItsPlace) {
  state.modes = {{800, 600, 8, 8, 8}, {1024, 768, 8, 8, 8}, {800, 600, 5, 5, 6}, {640, 480, 8, 8, 8},
                 {1024, 768, 5, 5, 6}};
  ko_app_EnumDisplayModes();
  Array<c_DisplayMode*> modes = ko_app_DisplayModes();
  ASSERT_EQ(modes.Length(), 3);
  EXPECT_EQ(modes[0]->m_width, 800);
  EXPECT_EQ(modes[1]->m_width, 1024);
  EXPECT_EQ(modes[2]->m_height, 480);
  EXPECT_EQ(ko_app_DesktopMode()->m_width, 1280);
}

TEST_F(DisplayModes, AnEmptyListStillHasADesktop) {
  state.modes.clear();
  ko_app_EnumDisplayModes();
  EXPECT_EQ(ko_app_DisplayModes().Length(), 0);
  EXPECT_EQ(ko_app_DesktopMode()->m_height, 1024);
}

// Checks the red-black rules below `node` and returns its black height (0 for an empty subtree).
int black_height(c_Node* node, int& depth, int level = 1) {
  if (!node) return 0;
  depth = std::max(depth, level);
  if (node->m_color == -1) {
    EXPECT_TRUE(!node->m_left || node->m_left->m_color == 1) << "a red node has a red child";
    EXPECT_TRUE(!node->m_right || node->m_right->m_color == 1) << "a red node has a red child";
  }
  if (node->m_left) {
    EXPECT_EQ(node->m_left->m_parent.get(), node);
  }
  if (node->m_right) {
    EXPECT_EQ(node->m_right->m_parent.get(), node);
  }
  int left = black_height(node->m_left, depth, level + 1), right = black_height(node->m_right, depth, level + 1);
  EXPECT_EQ(left, right) << "unequal black heights under key " << node->m_key;
  return left + (node->m_color == 1);
}

TEST(IntMap, StaysBalancedAndFindsEveryKey) {
  for (int order = 0; order < 3; ++order) {
    c_IntMap* map = (new c_IntMap)->m_new();
    for (int i = 0; i < 1000; ++i) {
      int key = order == 0 ? i : order == 1 ? 1000 - i : (i * 7919) % 1000;
      c_DisplayMode* mode = (new c_DisplayMode)->m_new(key, 0);
      EXPECT_TRUE(map->p_Insert(key, mode));
    }
    int depth = 0;
    black_height(map->m_root, depth);
    EXPECT_EQ(map->m_root->m_color, 1);
    EXPECT_LE(depth, 2 * std::log2(1001.0)) << "insertion order " << order;
    for (int key = 0; key < 1000; key += 37) {
      ASSERT_TRUE(map->p_Contains(key + (order == 1)));
      EXPECT_EQ(map->p_Get(key + (order == 1))->m_width, key + (order == 1));
    }
    EXPECT_FALSE(map->p_Contains(5000));
    EXPECT_FALSE(map->p_Set(3, (new c_DisplayMode)->m_new(-3, 0))) << "an existing key is replaced";
    EXPECT_EQ(map->p_Get(3)->m_width, -3);
  }
}

TEST(Stack, GrowsAndCopiesOutExactly) {
  c_Stack* stack = (new c_Stack)->m_new();
  for (int i = 0; i < 25; ++i) stack->p_Push((new c_DisplayMode)->m_new(i, i));
  EXPECT_EQ(stack->m_data.Length(), 30) << "capacities 10, 30: twice the length plus ten";
  Array<c_DisplayMode*> items = stack->p_ToArray();
  ASSERT_EQ(items.Length(), 25);
  EXPECT_EQ(items[24]->m_width, 24);
  c_Stack* copy = (new c_Stack)->m_new2(items);
  EXPECT_EQ(copy->p_Length(), 25);
}

}  // namespace
