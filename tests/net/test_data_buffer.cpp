// Data buffers: clipping of every transfer, signed reads, overlapping copies, string encodings, the fatal
// errors, the UTF-8 cut-off helper, and loading through the host.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "host/core/game.h"
#include "net/data_buffer.h"
#include "net/text_codec.h"
#include "tests/net/net_test_support.h"

namespace {

using Bytes = std::vector<int>;

c_DataBuffer* NewBuffer(const Bytes& bytes) {
  auto* buffer = Keep((new c_DataBuffer)->m_new(static_cast<int>(bytes.size())));
  for (size_t i = 0; i < bytes.size(); ++i) buffer->data[i] = bytes[i];
  return buffer;
}

Bytes Contents(c_DataBuffer* buffer) { return Bytes(buffer->data, buffer->data + buffer->length); }
Array<int> Ints(const Bytes& values) { return Array<int>(values.data(), static_cast<int>(values.size())); }
String Units(const std::u16string& text) { return String(text.data(), static_cast<int>(text.size())); }

TEST(DataBuffer, ByteTransfersAreClipped) {
  struct Case {
    const char* label;
    int address, offset, count;
    Bytes expected;  // the 4-byte buffer after poking {1, 2, 3} from the array
  } cases[] = {
      {"whole array", 0, 0, 3, {1, 2, 3, 0}},
      {"clipped by the buffer end", 2, 0, 3, {0, 0, 1, 2}},
      {"clipped by the array end", 0, 1, 9, {2, 3, 0, 0}},
      {"address at the end", 4, 0, 3, {0, 0, 0, 0}},
      {"address past the end", 9, 0, 3, {0, 0, 0, 0}},
      {"negative address", -1, 0, 3, {0, 0, 0, 0}},
      {"negative offset", 0, -2, 3, {0, 0, 0, 0}},
      {"negative count", 0, 0, -1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    c_DataBuffer* buffer = NewBuffer({0, 0, 0, 0});
    buffer->p_PokeBytes(c.address, Ints({1, 2, 3}), c.offset, c.count);
    EXPECT_EQ(Contents(buffer), c.expected) << c.label;
  }
  c_DataBuffer* buffer = NewBuffer({0xFF, 0x7F, 0x80});
  EXPECT_EQ(buffer->p_PeekBytes2(0, 10).Length(), 3);
  EXPECT_EQ(buffer->p_PeekBytes2(5, 2).Length() + buffer->p_PeekBytes2(-1, 2).Length(), 0);
  Array<int> into(2);
  buffer->p_PeekBytes(0, into, 1, 5);  // one slot left in the array
  EXPECT_EQ(into[0], 0);
  EXPECT_EQ(into[1], -1);  // signed
  EXPECT_EQ(buffer->p_PeekBytes2(1, 2)[1], -128);
  buffer->p_PokeBytes(0, Ints({0x17F}), 0, 1);  // low 8 bits
  EXPECT_EQ(buffer->data[0], 0x7F);
}

TEST(DataBuffer, CopiesOverlappingRangesWithoutRepeating) {
  c_DataBuffer* right = NewBuffer({1, 2, 3, 4, 5, 6});
  right->p_CopyBytes(0, right, 1, 4);
  EXPECT_EQ(Contents(right), (Bytes{1, 1, 2, 3, 4, 6}));
  c_DataBuffer* left = NewBuffer({1, 2, 3, 4, 5, 6});
  left->p_CopyBytes(1, left, 0, 4);
  EXPECT_EQ(Contents(left), (Bytes{2, 3, 4, 5, 5, 6}));
  c_DataBuffer* small = NewBuffer({0, 0});
  left->p_CopyBytes(0, small, 1, 6);  // clipped by the destination
  left->p_CopyBytes(0, small, -1, 6);
  left->p_CopyBytes(0, nullptr, 0, 6);
  EXPECT_EQ(Contents(small), (Bytes{0, 2}));
}

TEST(DataBuffer, PokeStringWritesWhatFitsAndReturnsTheWholeSize) {
  c_DataBuffer* buffer = NewBuffer(Bytes(8));
  EXPECT_EQ(buffer->p_PokeString(0, Units(u"a\u00e9b"), String("utf8")), 4);
  EXPECT_EQ(Contents(buffer), (Bytes{0x61, 0xC3, 0xA9, 0x62, 0, 0, 0, 0}));
  EXPECT_EQ(buffer->p_PokeString(5, Units(u"\u20ac\u0101"), String("utf8")), 5);
  EXPECT_EQ(Contents(buffer), (Bytes{0x61, 0xC3, 0xA9, 0x62, 0, 0xE2, 0x82, 0xAC}));
  EXPECT_EQ(buffer->p_PokeString(0, Units(u"\u20ac"), String("ascii")), 1);  // low 8 bits
  EXPECT_EQ(buffer->data[0], 0xAC);

  c_DataBuffer* page = NewBuffer(Bytes(4096));
  EXPECT_EQ(page->p_PokeString(4090, String("0123456789"), String("ascii")), 10);
  EXPECT_EQ(page->data[4095], '5');
  EXPECT_EQ(page->p_PokeString(-3, String("xyz"), String("ascii")), 3);  // nothing before the buffer
  EXPECT_EQ(page->data[0], 0);
}

TEST(DataBuffer, PeekStringDecodes) {
  struct Case {
    const char* label;
    Bytes bytes;
    const char* encoding;
    std::u16string expected;
  } cases[] = {
      {"three-byte sequence", {0xE2, 0x82, 0xAC}, "utf8", u"\u20ac"},
      {"two-byte sequence", {0x61, 0xC3, 0xA9}, "utf8", u"a\u00e9"},
      {"bad lead byte falls back to bytes", {0x61, 0xFF, 0x62}, "utf8", u"a\u00ffb"},
      {"four-byte lead falls back", {0xF0, 0x9F, 0x98, 0x80}, "utf8", u"\u00f0\u009f\u0098\u0080"},
      {"bad continuation falls back", {0xC3, 0x41}, "utf8", u"\u00c3A"},
      {"cut-off sequence falls back", {0x61, 0xE2, 0x82}, "utf8", u"a\u00e2\u0082"},
      {"NUL byte", {0x61, 0x00, 0x62}, "utf8", std::u16string(u"a\0b", 3)},
      {"ascii keeps high bytes", {0xE9, 0x41}, "ascii", u"\u00e9A"},
      {"empty", {}, "utf8", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewBuffer(c.bytes)->p_PeekString2(0, String(c.encoding)), Units(c.expected)) << c.label;
  }
  c_DataBuffer* buffer = NewBuffer({0x61, 0x62, 0x63});
  EXPECT_EQ(buffer->p_PeekString(1, 99, String("ascii")), String("bc"));
  EXPECT_EQ(buffer->p_PeekString(-1, 2, String("ascii")), String());
  EXPECT_EQ(buffer->p_PeekString2(-2147483647 - 1, String("ascii")), String());
}

TEST(DataBuffer, Utf8CutOffTailFindsAnUnfinishedSequence) {
  struct Case {
    const char* label;
    std::vector<unsigned char> bytes;
    int tail;
  } cases[] = {
      {"empty", {}, 0},
      {"ascii", {'a'}, 0},
      {"complete two-byte", {0xC3, 0xA9}, 0},
      {"two-byte lead alone", {'a', 0xC3}, 1},
      {"three-byte lead and one", {0xE2, 0x82}, 2},
      {"complete three-byte", {0xE2, 0x82, 0xAC}, 0},
      {"stray continuation bytes", {0x82, 0x82, 0x82}, 0},
      {"invalid lead", {0xFF}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ko_codec_Utf8CutOffTail(c.bytes.data(), static_cast<int>(c.bytes.size())), c.tail) << c.label;
  }
}

TEST(DataBufferDeathTest, FatalErrorsHaveExactTexts) {
  c_DataBuffer* buffer = NewBuffer(Bytes(4));
  EXPECT_FATAL(buffer->p_PokeString(0, String("a"), String("UTF8")),
               "Tarsil Runtime Error : Invalid string encoding:UTF8");
  EXPECT_FATAL(buffer->p_PeekString(0, 0, String("latin1")), "Invalid string encoding:latin1");
  EXPECT_FATAL(buffer->m_new(8), "Allocate DataBuffer failed");
}

TEST(DataBuffer, LoadsWholeFilesThroughTheHost) {
  EXPECT_EQ(c_DataBuffer::m_Load(String("/dev/null")), nullptr);  // no host object
  KoGame game;
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("net_tests_buffer" + std::to_string(std::random_device()()))).generic_string();
  std::ofstream(path, std::ios::binary) << "\x01\x02\xff";
  c_DataBuffer* loaded = Keep(c_DataBuffer::m_Load(String(path.c_str())));
  std::remove(path.c_str());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Contents(loaded), (Bytes{1, 2, 255}));
  EXPECT_FALSE(loaded->_Load(String("/dev/null")));  // it has data already
  EXPECT_EQ(c_DataBuffer::m_Load(String(path.c_str())), nullptr);
}

}  // namespace
