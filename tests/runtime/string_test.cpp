// String: conversions, sharing rules and the Slice / Split / Join / Replace edge cases.
#include <gtest/gtest.h>

#include <climits>

#include <cstdio>

#include "runtime/array.h"
#include "runtime/string.h"

namespace {

std::string narrow(const String& text) { return text.ToCString().c_str(); }

TEST(StringConversion, NumbersFollowTheRuntimeFormatting) {
  EXPECT_EQ(narrow(String(7)), "7");
  EXPECT_EQ(narrow(String(-12)), "-12");
  EXPECT_EQ(narrow(String(3.0f)), "3.0");
  EXPECT_EQ(narrow(String(0.5f)), "0.5");
  EXPECT_EQ(narrow(String(1.5f)), "1.5");
  EXPECT_EQ(narrow(String(-2.0f)), "-2.0");
  EXPECT_EQ(narrow(String(-0.0f)), "-0.0");
  EXPECT_EQ(narrow(String(0.1f)), "0.10000000149011612");
  EXPECT_EQ(narrow(String(1e20f)), "1.0000000200408773e+20");
}

TEST(StringConversion, NarrowBytesAreSignExtendedAndNarrowingKeepsTheLowByte) {
  String text("\xE9");
  ASSERT_EQ(text.Length(), 1);
  EXPECT_EQ(text[0], 0xFFE9);
  EXPECT_EQ(static_cast<unsigned char>(text.ToCString().c_str()[0]), 0xE9);
  EXPECT_EQ(String("42abc").ToInt(), 42);
  EXPECT_EQ(String("x").ToInt(), 0);
  EXPECT_EQ(String(" \t-17 ").ToInt(), -17);
  EXPECT_EQ(String("99999999999").ToInt(), INT_MAX) << "saturated, where atoi is undefined";
  EXPECT_EQ(String("-2147483648").ToInt(), INT_MIN);
  EXPECT_EQ(String("-99999999999999999999999").ToInt(), INT_MIN);
}

TEST(StringSharing, EmptyOperandsAndWholeSlicesShareTheRepresentation) {
  String a("a");
  EXPECT_TRUE((a + String()).SharesRep(a));
  EXPECT_TRUE((String() + a).SharesRep(a));
  String abc("abcdef");
  EXPECT_TRUE(abc.Slice(0, 99).SharesRep(abc));
  EXPECT_TRUE(abc.Replace(String("x"), String("y")).SharesRep(abc));
  EXPECT_TRUE(String() == String());
  EXPECT_TRUE(String().SharesRep(String(u"", 0)));
}

TEST(StringSlice, IndicesAreClampedAndCountedFromTheEnd) {
  String text("abcdef");
  EXPECT_EQ(narrow(text.Slice(-2, 6)), "ef");
  EXPECT_EQ(narrow(text.Slice(1, -1)), "bcde");
  EXPECT_EQ(text.Slice(4, 2).Length(), 0);
  EXPECT_EQ(narrow(text.Slice(-99, 2)), "ab");
  EXPECT_EQ(text.Slice(7, 9).Length(), 0);
  EXPECT_EQ(text.Slice(2, -99).Length(), 0);
}

TEST(StringSplit, SeparatorsEmptyPiecesAndNoMatch) {
  Array<String> pieces = String("a,,b").Split(String(","));
  ASSERT_EQ(pieces.Length(), 3);
  EXPECT_EQ(narrow(pieces[0]), "a");
  EXPECT_EQ(pieces[1].Length(), 0);
  EXPECT_EQ(narrow(pieces[2]), "b");

  Array<String> comma = String(",").Split(String(","));
  ASSERT_EQ(comma.Length(), 2);
  EXPECT_EQ(comma[0].Length() + comma[1].Length(), 0);

  Array<String> units = String("abc").Split(String());
  ASSERT_EQ(units.Length(), 3);
  EXPECT_EQ(narrow(units[2]), "c");
  EXPECT_EQ(String().Split(String()).Length(), 0);

  String whole("no separator");
  Array<String> single = whole.Split(String(";"));
  ASSERT_EQ(single.Length(), 1);
  EXPECT_TRUE(single[0].SharesRep(whole));

  Array<String> overlapping = String("aaaa").Split(String("aa"));
  EXPECT_EQ(overlapping.Length(), 3);
}

TEST(StringJoinReplace, PiecesSeparatorsAndNonOverlappingMatches) {
  String only("only");
  Array<String> one(&only, 1);
  EXPECT_TRUE(String(", ").Join(one).SharesRep(only));
  EXPECT_EQ(String(", ").Join(Array<String>()).Length(), 0);
  String parts[] = {String("a"), String(), String("c")};
  EXPECT_EQ(narrow(String("-").Join(Array<String>(parts, 3))), "a--c");

  EXPECT_EQ(narrow(String("aaa").Replace(String("aa"), String("b"))), "ba");
  EXPECT_EQ(narrow(String("a.b.c").Replace(String("."), String("::"))), "a::b::c");
  EXPECT_EQ(narrow(String("abc").Replace(String("b"), String())), "ac");
  String unchanged("abc");
  EXPECT_TRUE(unchanged.Replace(String(), String("x")).SharesRep(unchanged));
}

TEST(StringSearch, FindCaseAndTrim) {
  String text("Hello, World");
  EXPECT_EQ(text.Find(String("o")), 4);
  EXPECT_EQ(text.Find(String("o"), 5), 8);
  EXPECT_EQ(text.FindLast(String("o")), 8);
  EXPECT_EQ(text.Find(String("z")), -1);
  EXPECT_TRUE(text.StartsWith(String("Hell")));
  EXPECT_TRUE(text.EndsWith(String("World")));
  EXPECT_FALSE(String("ab").EndsWith(String("abc")));
  EXPECT_EQ(narrow(String("http/1.0 x").ToUpper()), "HTTP/1.0 X");
  EXPECT_EQ(narrow(String(" \t x y \r\n").Trim()), "x y");
  EXPECT_EQ(String("   ").Trim().Length(), 0);
}

TEST(StringLoad, FromUtf8FallsBackToLatin1) {
  String text = String::FromUtf8("\xC3\xA9", 2);
  ASSERT_EQ(text.Length(), 1);
  EXPECT_EQ(text[0], 0xE9);
  String latin = String::FromUtf8("\xE9x", 2);
  ASSERT_EQ(latin.Length(), 2);
  EXPECT_EQ(latin[0], 0xE9);
}

}  // namespace
