// Index range evaluation of KsIString and KsCaseIString: interpolation over four
// collation bytes between the index's bounds, and bounds built from the key's.
#include <gtest/gtest.h>

#include <string>

#include "index_bounds_support.h"
#include "ksistring.h"

namespace {

using namespace ks::testing;  // stored keys, current and recorded bounds

constexpr unsigned short kInexact = kWidened;
constexpr char kTypes[] = {KsISTRING_T, KsCASEISTRING_T};

// A stored value whose text already holds collation bytes (flag 0x80), as
// bounds built by the evaluators do; least significant byte first.
Bytes Folded(const Bytes& text) {
  const auto n = text.size() + 1;
  return Join(Join({0xC0, static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8)}, text), {0});
}

// A stored value of plain text, as the Store slot writes it (flag byte 0x40
// for a format without bits above its byte order).
Bytes Plain(char type, const std::string& text, unsigned char format = 1) {
  return type == KsISTRING_T ? StoredOf(type, KsIString(text.c_str()), format)
                             : StoredOf(type, KsCaseIString(text.c_str()), format);
}

TEST(IStringEvaluator, KeyStartingWithAWildcardSelectsEverythingAndRecordsNothing) {
  for (char type : kTypes) {
    for (const char* key : {"*ab", "?x", "\\a"}) {
      CurrentBounds bounds(Folded({0x41}), Folded({0xB7}));
      RecordedBounds out;
      unsigned short flags = EQ;
      EXPECT_EQ(Evaluate(type, &bounds, flags, Plain(type, key), 1, &out), 1.0f) << int{type} << key;
      EXPECT_EQ(flags, EQ | kInexact);
      EXPECT_EQ(out.low, nullptr);
      EXPECT_EQ(out.high, nullptr);
      flags = LT;
      EXPECT_EQ(Evaluate(type, nullptr, flags, Plain(type, key), 1, &out), 1.0f) << "without bounds";
    }
  }
}

// a and b fold to 0x4E 0x5A in KsIString (lower case before upper case) and
// to 0x54 0x5B in KsCaseIString; the high bound of a wildcard key ends in
// 0xFF, above every collation byte the wildcard stands for.
TEST(IStringEvaluator, BuildsBoundsFromTheFoldedTextUpToTheWildcard) {
  struct Case {
    char type;
    const char* key;
    unsigned char format;
    Bytes low, high;
  };
  const Case cases[] = {
      {KsISTRING_T, "ab*", 1, {0xC0, 3, 0, 0x4E, 0x5A, 0}, {0xC0, 4, 0, 0x4E, 0x5A, 0xFF, 0}},
      {KsCASEISTRING_T, "ab*", 1, {0xC0, 3, 0, 0x54, 0x5B, 0}, {0xC0, 4, 0, 0x54, 0x5B, 0xFF, 0}},
      {KsCASEISTRING_T, "AB", 2, {0xC0, 0, 3, 0x54, 0x5B, 0}, {0xC0, 0, 3, 0x54, 0x5B, 0}},
      // Sharp s expands to S S; the accent of e acute is dropped.
      {KsCASEISTRING_T, "\xDF\xE9", 1, {0xC0, 4, 0, 0x9D, 0x9D, 0x69, 0}, {0xC0, 4, 0, 0x9D, 0x9D, 0x69, 0}},
      {KsISTRING_T, "a?c", 1, {0xC0, 2, 0, 0x4E, 0}, {0xC0, 3, 0, 0x4E, 0xFF, 0}},
  };
  for (const Case& c : cases) {
    RecordedBounds out;
    unsigned short flags = EQ;
    Evaluate(c.type, nullptr, flags, Plain(c.type, c.key, c.format), c.format, &out);
    EXPECT_EQ(out.Low(), c.low) << c.key;
    EXPECT_EQ(out.High(), c.high) << c.key;
  }
  // A key in memory builds the same bounds.
  KsCaseIString value("ab*");
  RecordedBounds out;
  unsigned short flags = EQ;
  const auto* bytes = reinterpret_cast<unsigned char*>(&value);
  Evaluate(KsCASEISTRING_T, nullptr, flags, Bytes(bytes, bytes + sizeof value), 8, &out);
  EXPECT_EQ(out.High(), (Bytes{0xC0, 4, 0, 0x54, 0x5B, 0xFF, 0}));
  EXPECT_EQ(flags, EQ | kInexact);
}

TEST(IStringEvaluator, BoundsAlreadyRecordedAreKept) {
  for (char type : kTypes) {
    RecordedBounds out;
    unsigned short flags = LT;
    Evaluate(type, nullptr, flags, Plain(type, "m"), 1, &out);
    const Bytes high = out.High();
    flags = GT;
    Evaluate(type, nullptr, flags, Plain(type, "q"), 1, &out);
    const Bytes low = out.Low();
    ASSERT_FALSE(low.empty() || high.empty());
    flags = EQ;
    Evaluate(type, nullptr, flags, Plain(type, "z"), 1, &out);
    EXPECT_EQ(out.High(), high);
    EXPECT_EQ(out.Low(), low);
  }
}

// KsCaseIString bounds fill the minimum buffer length with zeros.
TEST(IStringEvaluator, CaseInsensitiveBoundsFillTheMinimumBuffer) {
  RecordedBounds out;
  out.minBufLen = 24;
  unsigned short flags = EQ;
  Evaluate(KsCASEISTRING_T, nullptr, flags, Plain(KsCASEISTRING_T, "ab"), 1, &out);
  ASSERT_EQ(out.lowLen, 6);
  const auto* low = static_cast<const unsigned char*>(out.low);
  EXPECT_EQ(Bytes(low + 6, low + 24), Bytes(18, 0));
}

// The length field counts the whole text; the record stops at 254 bytes.
TEST(IStringEvaluator, LongKeysBuildBoundsCutAt254Bytes) {
  const std::string text(300, 'x');
  for (char type : kTypes) {
    for (const std::string& key : {text, text + "*"}) {
      RecordedBounds out;
      unsigned short flags = EQ;
      Evaluate(type, nullptr, flags, Plain(type, key), 1, &out);
      ASSERT_EQ(out.lowLen, 254);
      ASSERT_EQ(out.highLen, 254);
      const Bytes high = out.High();
      EXPECT_EQ(high[1] | high[2] << 8, key.size() == 300 ? 301 : 302);
      EXPECT_EQ(high[253], out.Low()[253]) << "the cut keeps text, not the 0xFF marker";
    }
  }
}

// Estimates as count / total steps of four collation bytes: 54 54 54 54 ..
// 54 54 B7 B7 span 0x6363 + 1; the key 54 54 5B reaches up to 54 54 5B FF.
// KsCaseIString skips up to four bytes that bounds and key share; a key above
// the range is clamped one step past it. Keys without wildcard are exact.
TEST(IStringEvaluator, InterpolatesOverFourCollationBytes) {
  struct Case {
    const char* what;
    char type;  // 0: both types
    Bytes low, high, key;
    unsigned short flags;
    double count, total;
  };
  const Bytes low4 = {0x54, 0x54, 0x54, 0x54}, high4 = {0x54, 0x54, 0xB7, 0xB7}, key3 = {0x54, 0x54, 0x5B};
  const Bytes key4 = {0x54, 0x54, 0x5B, 0x54}, low = {0x41, 0x41, 0x41, 0x41},
              high = {0x42, 0x42, 0x42, 0x42};
  const Bytes six = {0x54, 0x54, 0x54, 0x54, 0x54, 0x54}, above = {0x50, 0x50, 0x50, 0x50};
  const double span = 25444, all = 0x01010101 + 1;
  constexpr char I = KsISTRING_T, C = KsCASEISTRING_T;
  const Case cases[] = {
      {"equal", 0, low4, high4, key3, EQ, 0x5BFF - 0x5B00 + 1, span},
      {"less", 0, low4, high4, key3, LT, 0x5B00 - 0x5454 + 1, span},
      {"greater", 0, low4, high4, key3, GT, span - (0x5BFF - 0x5454 + 1), span},
      {"less or equal", 0, low4, high4, key3, LT | EQ, (0x5B00 - 0x5454 + 1) + (0x5BFF - 0x5B00 + 1), span},
      {"not equal", 0, low4, high4, key3, LT | GT, span - 256 + 1, span},
      {"common prefix skipped", C, low4, high4, key4, LT, 0x07000000 + 1.0, 0x63630000 + 1.0},
      {"first four bytes read", I, low4, high4, key4, LT, 0x0700 + 1, 0x6363 + 1},
      // Six shared bytes, four skipped: 54 54 61 00 within 54 54 41 00 .. 54 54 B7 00.
      {"skip stops after four", C, Join(six, {0x41}), Join(six, {0xB7}), Join(six, {0x61}), LT, 0x2001,
       0x7601},
      {"short key covers the keys it starts", I, {0x41}, {0xB7}, {0x54}, EQ, 0xFF0000 + 1, 0x76000000 + 1.0},
      {"less than a key above", 0, low, high, above, LT, all + 1, all},
      {"equal to a key above", 0, low, high, above, EQ, 1, all},
      {"greater than a key above", 0, low, high, above, GT, 0, all},
  };
  for (const Case& c : cases) {
    for (char type : kTypes) {
      if (c.type != 0 && c.type != type) continue;
      CurrentBounds bounds(Folded(c.low), Folded(c.high));
      unsigned short flags = c.flags;
      EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, Folded(c.key), 1), static_cast<float>(c.count / c.total))
          << int{type} << " " << c.what;
      EXPECT_EQ(flags, c.flags) << int{type} << " " << c.what;
    }
  }
}

TEST(IStringEvaluator, WithoutCurrentBoundsTheCountIsZeroAndBoundsAreStillBuilt) {
  for (char type : kTypes) {
    for (unsigned short comparison : {EQ, LT, GT, static_cast<unsigned short>(LT | GT)}) {
      RecordedBounds out;
      unsigned short flags = comparison;
      EXPECT_EQ(Evaluate(type, nullptr, flags, Plain(type, "abc"), 1, &out), 0.0f) << comparison;
      EXPECT_EQ(out.low != nullptr, (comparison & LT) == 0);
      EXPECT_EQ(out.high != nullptr, (comparison & GT) == 0);
    }
  }
}

// Wildcards cannot be switched off: 0x0010 goes with the other bits that the
// mask 0x800F drops, before the key is read.
TEST(IStringEvaluator, FlagsKeepTheComparisonTheInexactBitAndBit15) {
  struct Case {
    unsigned short in;
    const char* key;
    unsigned short out;
  };
  const Case cases[] = {{0x0033, "ab", 0x0003},
                        {0x8001, "ab", 0x8001},
                        {0x0011, "a*", 0x0009},
                        {0x0009, "ab", 0x0009},
                        {0x1240, "ab", 0x0000}};
  for (char type : kTypes) {
    for (const Case& c : cases) {
      unsigned short flags = c.in;
      Evaluate(type, nullptr, flags, Plain(type, c.key), 1);
      EXPECT_EQ(flags, c.out) << int{type} << " " << c.key;
    }
  }
}

}  // namespace
