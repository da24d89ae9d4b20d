// Index range evaluation of KsIString and KsCaseIString: interpolation over
// four collation bytes between the index's bounds, and the bounds built
// from the key's collation bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "index_bounds_support.h"
#include "ksistring.h"

namespace {

using ks::testing::Bytes;
using ks::testing::CurrentBounds;
using ks::testing::Evaluate;
using ks::testing::RecordedBounds;

constexpr unsigned short EQ = 1, LT = 2, GT = 4, kInexact = 8;
constexpr char kTypes[] = {KsISTRING_T, KsCASEISTRING_T};

// A stored value whose text already holds collation bytes (flag 0x80), as
// bounds built by the evaluators do; least significant byte first.
Bytes Folded(const Bytes& text) {
  const size_t length = text.size() + 1;
  Bytes record(text.size() + 4, 0);
  record[0] = 0xC0;
  record[1] = static_cast<unsigned char>(length);
  record[2] = static_cast<unsigned char>(length >> 8);
  std::copy(text.begin(), text.end(), record.begin() + 3);
  return record;
}

// A stored value of plain text, as the Store slot writes it (flag byte 0x40
// for a format without bits above its byte order).
Bytes Plain(char type, const std::string& text, unsigned char format = 1) {
  KsTypeMgr mgr;
  Bytes record(text.size() + 4);
  KsCaseIString caseInsensitive(text.c_str());
  KsIString accentInsensitive(text.c_str());
  void* value =
      type == KsISTRING_T ? static_cast<void*>(&accentInsensitive) : static_cast<void*>(&caseInsensitive);
  record.resize(mgr.Store(type, record.data(), value, format, 1));
  return record;
}

double Share(double count, double total) {
  return static_cast<float>(count / total);
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
}

TEST(IStringEvaluator, KeyInMemoryBuildsTheSameBounds) {
  KsCaseIString value("ab*");
  RecordedBounds out;
  unsigned short flags = EQ;
  ks::testing::Evaluate(KsCASEISTRING_T, nullptr, flags,
                        Bytes(reinterpret_cast<unsigned char*>(&value),
                              reinterpret_cast<unsigned char*>(&value) + sizeof value),
                        8, &out);
  EXPECT_EQ(out.High(), (Bytes{0xC0, 4, 0, 0x54, 0x5B, 0xFF, 0}));
  EXPECT_EQ(flags, EQ | kInexact);
}

TEST(IStringEvaluator, RecordsOnlyTheBoundsTheComparisonLeavesOpenAndKeepsRecordedOnes) {
  for (char type : kTypes) {
    RecordedBounds out;
    unsigned short flags = LT;
    Evaluate(type, nullptr, flags, Plain(type, "m"), 1, &out);
    EXPECT_EQ(out.low, nullptr);
    ASSERT_NE(out.high, nullptr);
    const Bytes high = out.High();
    flags = GT;
    Evaluate(type, nullptr, flags, Plain(type, "q"), 1, &out);
    ASSERT_NE(out.low, nullptr);
    flags = EQ;
    const Bytes low = out.Low();
    Evaluate(type, nullptr, flags, Plain(type, "z"), 1, &out);
    EXPECT_EQ(out.High(), high);
    EXPECT_EQ(out.Low(), low);
  }
}

// Buffers of KsCaseIString bounds are at least the minimum buffer length
// (zero beyond the record); KsIString bounds are sized to their record.
TEST(IStringEvaluator, CaseInsensitiveBoundsFillTheMinimumBuffer) {
  RecordedBounds out;
  out.minBufLen = 24;
  unsigned short flags = EQ;
  Evaluate(KsCASEISTRING_T, nullptr, flags, Plain(KsCASEISTRING_T, "ab"), 1, &out);
  ASSERT_EQ(out.lowLen, 6);
  const auto* low = static_cast<const unsigned char*>(out.low);
  EXPECT_EQ(Bytes(low + 6, low + 24), Bytes(18, 0));
}

// The length field counts the whole text; the record stops at 254 bytes,
// the longest the length fields of a bound describe, for both types.
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
      const size_t length = key.size() == 300 ? 301 : 302;
      EXPECT_EQ(high[1] | high[2] << 8, static_cast<int>(length));
      EXPECT_EQ(high[253], out.Low()[253]) << "the cut keeps text, not the 0xFF marker";
    }
  }
}

// Bounds 54 54 54 54 to 54 54 B7 B7 span 0x6363 + 1 = 25444 steps of the
// first four bytes. The key 54 54 5B (three bytes) reaches up to 54 54 5B FF.
TEST(IStringEvaluator, InterpolatesOverTheFirstFourBytes) {
  const double total = 25444;
  struct Case {
    unsigned short flags;
    double count;
  };
  const Case cases[] = {{EQ, 0x5BFF - 0x5B00 + 1},
                        {LT, 0x5B00 - 0x5454 + 1},
                        {GT, total - (0x5BFF - 0x5454 + 1)},
                        {LT | EQ, (0x5B00 - 0x5454 + 1) + (0x5BFF - 0x5B00 + 1)},
                        {LT | GT, total - 256 + 1}};
  for (char type : kTypes) {
    for (const Case& c : cases) {
      CurrentBounds bounds(Folded({0x54, 0x54, 0x54, 0x54}), Folded({0x54, 0x54, 0xB7, 0xB7}));
      unsigned short flags = c.flags;
      EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, Folded({0x54, 0x54, 0x5B}), 1), Share(c.count, total))
          << int{type} << " flags " << c.flags;
      EXPECT_EQ(flags, c.flags) << "a key without wildcard is exact";
    }
  }
}

// KsCaseIString skips the bytes that both bounds and a four-byte key share;
// KsIString always reads the first four.
TEST(IStringEvaluator, CaseInsensitiveKeySkipsTheCommonPrefix) {
  CurrentBounds bounds(Folded({0x54, 0x54, 0x54, 0x54}), Folded({0x54, 0x54, 0xB7, 0xB7}));
  const Bytes key = Folded({0x54, 0x54, 0x5B, 0x54});
  unsigned short flags = LT;
  EXPECT_FLOAT_EQ(Evaluate(KsCASEISTRING_T, &bounds, flags, key, 1),
                  Share(0x07000000 + 1.0, 0x63630000 + 1.0));
  EXPECT_FLOAT_EQ(Evaluate(KsISTRING_T, &bounds, flags, key, 1), Share(0x0700 + 1, 0x6363 + 1));
}

TEST(IStringEvaluator, CommonPrefixSkipStopsAfterFourBytes) {
  CurrentBounds bounds(Folded({0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x41}),
                       Folded({0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0xB7}));
  unsigned short flags = LT;
  // Six shared bytes, four skipped: 54 54 61 00 within 54 54 41 00 .. 54 54 B7 00.
  EXPECT_FLOAT_EQ(
      Evaluate(KsCASEISTRING_T, &bounds, flags, Folded({0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x61}), 1),
      Share(0x2000 + 1, 0x7600 + 1));
}

TEST(IStringEvaluator, ShortKeyWithoutWildcardCoversTheKeysItStarts) {
  CurrentBounds bounds(Folded({0x41}), Folded({0xB7}));
  unsigned short flags = EQ;
  EXPECT_FLOAT_EQ(Evaluate(KsISTRING_T, &bounds, flags, Folded({0x54}), 1),
                  Share(0xFF0000 + 1, 0x76000000 + 1.0));
  EXPECT_EQ(flags, EQ);
}

// The clamps put a key above the range one step past the high bound, so
// less-than counts one step more than the whole range and equal counts one.
TEST(IStringEvaluator, KeyAboveTheRangeCountsOneStepBeyondIt) {
  const double total = 0x01010101 + 1;
  for (char type : kTypes) {
    CurrentBounds bounds(Folded({0x41, 0x41, 0x41, 0x41}), Folded({0x42, 0x42, 0x42, 0x42}));
    const Bytes key = Folded({0x50, 0x50, 0x50, 0x50});
    unsigned short flags = LT;
    EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, key, 1), Share(total + 1, total));
    flags = EQ;
    EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, key, 1), Share(1, total));
    flags = GT;
    EXPECT_EQ(Evaluate(type, &bounds, flags, key, 1), 0.0f);
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
