// Data buffers: clipping of every transfer, signed reads, overlapping copies, string encodings and the fatal
// errors; the UTF-8 cut-off helper; loading through the host.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/game.h"
#include "net/data_buffer.h"
#include "net/text_codec.h"
#include "tests/net/net_test_support.h"

namespace {

c_DataBuffer* NewBuffer(int length, const std::vector<int>& bytes = {}) {
  auto* buffer = Keep((new c_DataBuffer)->m_new(length));
  for (int i = 0; i < length; ++i) buffer->data[i] = i < static_cast<int>(bytes.size()) ? bytes[i] : 0;
  return buffer;
}

std::vector<int> Bytes(c_DataBuffer* buffer) { return std::vector<int>(buffer->data, buffer->data + buffer->length); }

Array<int> Ints(const std::vector<int>& values) { return Array<int>(values.data(), static_cast<int>(values.size())); }

String Units(std::u16string text) { return String(text.data(), static_cast<int>(text.size())); }

TEST(DataBuffer, ByteTransfersAreClipped) {
  struct Case {
    const char* label;
    int address, offset, count;
    std::vector<int> expected;  // the 4-byte buffer after poking {1, 2, 3} from the array
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
    c_DataBuffer* buffer = NewBuffer(4);
    buffer->p_PokeBytes(c.address, Ints({1, 2, 3}), c.offset, c.count);
    EXPECT_EQ(Bytes(buffer), c.expected) << c.label;
  }
}

TEST(DataBuffer, ReadsAreSignedAndClipped) {
  c_DataBuffer* buffer = NewBuffer(3, {0xFF, 0x7F, 0x80});
  Array<int> read = buffer->p_PeekBytes2(0, 10);
  ASSERT_EQ(read.Length(), 3);
  EXPECT_EQ(read[0], -1);
  EXPECT_EQ(read[1], 127);
  EXPECT_EQ(read[2], -128);
  EXPECT_EQ(buffer->p_PeekBytes2(5, 2).Length(), 0);
  EXPECT_EQ(buffer->p_PeekBytes2(-1, 2).Length(), 0);

  Array<int> into(2);
  buffer->p_PeekBytes(1, into, 1, 5);  // one slot left in the array
  EXPECT_EQ(into[0], 0);
  EXPECT_EQ(into[1], 127);

  buffer->p_PokeBytes(0, Ints({0x1FF}), 0, 1);  // low 8 bits
  EXPECT_EQ(buffer->data[0], 0xFF);
}

TEST(DataBuffer, CopiesOverlappingRangesWithoutRepeating) {
  c_DataBuffer* right = NewBuffer(6, {1, 2, 3, 4, 5, 6});
  right->p_CopyBytes(0, right, 1, 4);
  EXPECT_EQ(Bytes(right), (std::vector<int>{1, 1, 2, 3, 4, 6}));

  c_DataBuffer* left = NewBuffer(6, {1, 2, 3, 4, 5, 6});
  left->p_CopyBytes(1, left, 0, 4);
  EXPECT_EQ(Bytes(left), (std::vector<int>{2, 3, 4, 5, 5, 6}));

  c_DataBuffer* small = NewBuffer(2);
  left->p_CopyBytes(0, small, 1, 6);  // clipped by the destination
  EXPECT_EQ(Bytes(small), (std::vector<int>{0, 2}));
  left->p_CopyBytes(0, small, -1, 6);
  left->p_CopyBytes(0, nullptr, 0, 6);
  EXPECT_EQ(Bytes(small), (std::vector<int>{0, 2}));
}

TEST(DataBuffer, PokeStringEncodesAndReportsTheWholeSize) {
  c_DataBuffer* buffer = NewBuffer(8);
  EXPECT_EQ(buffer->p_PokeString(0, Units(u"a\u00e9b"), String("utf8")), 4);
  EXPECT_EQ(Bytes(buffer), (std::vector<int>{0x61, 0xC3, 0xA9, 0x62, 0, 0, 0, 0}));
  EXPECT_EQ(buffer->p_PokeString(0, Units(u"\u20ac\u0101"), String("ascii")), 2);  // low 8 bits
  EXPECT_EQ(buffer->data[0], 0xAC);
  EXPECT_EQ(buffer->data[1], 0x01);
  EXPECT_EQ(buffer->p_PokeString(5, Units(u"\u20ac"), String("utf8")), 3);
  EXPECT_EQ(buffer->data[7], 0xAC);

  c_DataBuffer* page = NewBuffer(4096);
  EXPECT_EQ(page->p_PokeString(4090, String("0123456789"), String("ascii")), 10);
  EXPECT_EQ(page->data[4095], '5');
  EXPECT_EQ(page->p_PokeString(-3, String("xyz"), String("ascii")), 3);  // nothing written before the buffer
  EXPECT_EQ(page->data[0], 0);
}

TEST(DataBuffer, PeekStringDecodes) {
  struct Case {
    const char* label;
    std::vector<int> bytes;
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
  };
  for (const Case& c : cases) {
    c_DataBuffer* buffer = NewBuffer(static_cast<int>(c.bytes.size()), c.bytes);
    EXPECT_EQ(buffer->p_PeekString2(0, String(c.encoding)), Units(c.expected)) << c.label;
  }
  c_DataBuffer* buffer = NewBuffer(3, {0x61, 0x62, 0x63});
  EXPECT_EQ(buffer->p_PeekString(1, 99, String("ascii")), String("bc"));
  EXPECT_EQ(buffer->p_PeekString(3, 1, String("ascii")), String());
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
      {"three-byte lead alone", {0xE2}, 1},
      {"three-byte lead and one", {0xE2, 0x82}, 2},
      {"complete three-byte", {0xE2, 0x82, 0xAC}, 0},
      {"stray continuation bytes", {0x82, 0x82, 0x82}, 0},
      {"invalid lead", {0xFF}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ko_codec_Utf8CutOffTail(c.bytes.data(), static_cast<int>(c.bytes.size())), c.tail) << c.label;
  }
}

TEST(DataBufferDeathTest, EncodingNamesAreExact) {
  c_DataBuffer* buffer = NewBuffer(4);
  EXPECT_FATAL(buffer->p_PokeString(0, String("a"), String("UTF8")),
               "Tarsil Runtime Error : Invalid string encoding:UTF8");
  EXPECT_FATAL(buffer->p_PeekString(0, 0, String("latin1")), "Invalid string encoding:latin1");
}

TEST(DataBufferDeathTest, AllocatingTwiceIsFatal) {
  c_DataBuffer* buffer = NewBuffer(4);
  EXPECT_FATAL(buffer->m_new(8), "Allocate DataBuffer failed");
}

TEST(DataBuffer, LoadsWholeFilesThroughTheHost) {
  EXPECT_EQ(c_DataBuffer::m_Load(String("/tmp/none")), nullptr);  // no host object
  KoGame game;
  char path[] = "/tmp/net_tests_bufferXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "\x01\x02\xff", 3), 3);
  close(fd);

  c_DataBuffer* loaded = Keep(c_DataBuffer::m_Load(String(path)));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Bytes(loaded), (std::vector<int>{1, 2, 255}));
  EXPECT_FALSE(loaded->_Load(String(path)));  // it has data already
  loaded->Discard();
  EXPECT_EQ(loaded->length, 0);
  EXPECT_EQ(c_DataBuffer::m_Load(String(path) + String(".missing")), nullptr);
  std::remove(path);
}

}  // namespace
