// Index range evaluation of the nullable types: the null-aware counting
// rule, the frame over each base type, nulls in keys and bounds, and what
// the floating and 64-bit members keep of their base types' rules.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "index_bounds_support.h"
#include "ksint64.h"
#include "ksnullable.h"
#include "kstypevl/null_aware_overlap.h"

namespace {

using ks::evaluate::NullableNumber;
using ks::evaluate::NullAwareOverlap;
using namespace ks::testing;

constexpr unsigned short ALL = 7;

// A value of a nullable type: an integer, a floating number or null.
struct Key {
  Key(long long n) : integer(n), real(static_cast<double>(n)) {}  // NOLINT: integers read as keys
  Key(double r, bool null) : real(r), isNull(null) {}
  long long integer = 0;
  double real = 0;
  bool isNull = false;
};
const Key kNull{0.0, true};

NullableNumber N(double value) {
  return {value, false};
}
const NullableNumber kNullNumber{0, true};

TEST(NullAwareOverlap, CountsNumbersAsOverlapAndNullsByFixedShares) {
  struct Case {
    unsigned short flags;
    NullableNumber key, low, high;
    double selected;
  };
  // clang-format off
  const Case cases[] = {
      // Three numbers: the shared rule, a key beyond the range included.
      {EQ, N(50), N(1), N(100), 1}, {LT, N(50), N(1), N(100), 49}, {GT, N(50), N(1), N(100), 50},
      {NE, N(50), N(1), N(100), 99}, {LT, N(500), N(1), N(100), 100}, {EQ, N(500), N(1), N(100), 0},
      // A null low bound: half for either side whatever the key, a tenth
      // for equality.
      {EQ, N(50), kNullNumber, N(100), 0.1}, {LT, N(50), kNullNumber, N(100), 0.5},
      {GT, N(50), kNullNumber, N(100), 0.5}, {NE, N(50), kNullNumber, N(100), 1.0},
      {LE, N(50), kNullNumber, N(100), 0.6}, {ALL, N(50), kNullNumber, N(100), 1.1},
      {LT, N(500), kNullNumber, N(100), 0.5}, {GT, N(500), kNullNumber, N(100), 0.5},
      // A null key is never less than anything; greater-than takes half.
      {LT, kNullNumber, N(1), N(100), 0}, {EQ, kNullNumber, N(1), N(100), 0},
      {GT, kNullNumber, N(1), N(100), 0.5}, {NE, kNullNumber, N(1), N(100), 0.5},
      // A null key against an index that starts at nulls.
      {EQ, kNullNumber, kNullNumber, N(100), 0.001}, {GE, kNullNumber, kNullNumber, N(100), 0.501},
      {LT, kNullNumber, kNullNumber, N(100), 0},
      // An index of nulls only: only a null key equals anything.
      {EQ, kNullNumber, kNullNumber, kNullNumber, 0.001}, {ALL, kNullNumber, kNullNumber, kNullNumber, 0.001},
      {ALL, N(5), kNullNumber, kNullNumber, 0}, {GT, kNullNumber, kNullNumber, kNullNumber, 0},
      // A null high bound above a number (no sorted index has one) selects
      // nothing at all.
      {ALL, N(5), N(1), kNullNumber, 0}, {EQ, kNullNumber, N(1), kNullNumber, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(NullAwareOverlap(c.flags, c.key, c.low, c.high), c.selected)
        << "flags " << c.flags << " key " << (c.key.isNull ? "null" : "") << c.key.value << " low "
        << (c.low.isNull ? "null" : "") << c.low.value << " high " << (c.high.isNull ? "null" : "")
        << c.high.value;
  }
}

// Every nullable type, its elements stored with the type's own Store slot.
struct Member {
  char type;
  const char* name;
  Bytes (*stored)(const Key& key, unsigned char format);
  unsigned elementSize;  // stored: the base value and the flag byte
};

template <class T, char type>
Bytes Stored(const Key& key, unsigned char format) {
  KsNullable<T> element{};
  element.isNull = key.isNull ? 1 : 0;
  if constexpr (std::is_floating_point_v<T>) {
    if (!key.isNull) element.value = static_cast<T>(key.real);
  } else {
    if (!key.isNull) element.value = static_cast<T>(key.integer);
  }
  return StoredOf(type, element, format);
}

const Member kMembers[] = {
    {KsNULL_1B_T, "KsNull_char", Stored<int8_t, KsNULL_1B_T>, 2},
    {KsNULL_U1B_T, "KsNull_uchar", Stored<uint8_t, KsNULL_U1B_T>, 2},
    {KsNULL_2B_T, "KsNull_short", Stored<int16_t, KsNULL_2B_T>, 3},
    {KsNULL_U2B_T, "KsNull_ushort", Stored<uint16_t, KsNULL_U2B_T>, 3},
    {KsNULL_INT_T, "KsNull_int", Stored<int, KsNULL_INT_T>, 5},
    {KsNULL_UNSIGNED_T, "KsNull_unsigned", Stored<unsigned, KsNULL_UNSIGNED_T>, 5},
    {KsNULL_4B_T, "KsNull_long", Stored<int32_t, KsNULL_4B_T>, 5},
    {KsNULL_U4B_T, "KsNull_ulong", Stored<uint32_t, KsNULL_U4B_T>, 5},
    {KsNULL_FLOAT_T, "KsNull_float", Stored<float, KsNULL_FLOAT_T>, 5},
    {KsNULL_DOUBLE_T, "KsNull_double", Stored<double, KsNULL_DOUBLE_T>, 9},
    {KsNULL_KSINT64_T, "KsNull_KsInt64", Stored<KsInt64, KsNULL_KSINT64_T>, 9},
    {KsNULL_8B_T, "KsNull_8b", Stored<int64_t, KsNULL_8B_T>, 9},
    {KsNULL_U8B_T, "KsNull_u8b", Stored<uint64_t, KsNULL_U8B_T>, 9},
};

const Member& kNullShort = kMembers[2];
const Member& kNullInt = kMembers[4];
const Member& kNullDouble = kMembers[9];

// With numbers only, every member measures as its base type: the worked
// example of an index with bounds 1 and 100, in both flag positions (the
// flag byte first in formats 1 and 2, last in the memory form 8).
TEST(NullableEvaluator, NumbersEstimateAsTheBaseType) {
  for (const Member& m : kMembers) {
    ExpectWorkedExample(m.type, m.name, [&](long long v, unsigned char f) { return m.stored(v, f); });
  }
}

// A null low bound holds the value 0: the range is 0 to the high bound, and
// the fixed shares are counted over it.
TEST(NullableEvaluator, NullLowBoundMeasuresFixedSharesFromZero) {
  struct Case {
    unsigned short flags;
    Key key;
    double selected;
  };
  const Case cases[] = {{EQ, 50, 0.1},  {LT, 50, 0.5},      {GT, 50, 0.5},
                        {NE, 50, 1.0},  {EQ, kNull, 0.001}, {GT, kNull, 0.5},
                        {LT, kNull, 0}, {GE, kNull, 0.501}, {LT, 120, 0.5}};
  for (const Member& m : kMembers) {
    CurrentBounds bounds(m.stored(kNull, 2), m.stored(99, 2));
    for (const Case& c : cases) {
      unsigned short flags = c.flags;
      EXPECT_FLOAT_EQ(Evaluate(m.type, &bounds, flags, m.stored(c.key, 2), 2),
                      static_cast<float>(c.selected / 100))
          << m.name << " flags " << c.flags << " key " << (c.key.isNull ? "null" : "") << c.key.real;
    }
  }
}

// The range from the null's 0 to a negative high bound has a negative or no
// width: the estimate follows the division as it stands.
TEST(NullableEvaluator, NullLowBoundBelowANegativeHighBoundGivesNegativeOrInfiniteEstimates) {
  unsigned short flags = EQ;
  CurrentBounds toMinusFive(kNullInt.stored(kNull, 1), kNullInt.stored(-5, 1));
  EXPECT_FLOAT_EQ(Evaluate(KsNULL_INT_T, &toMinusFive, flags, kNullInt.stored(3, 1), 1), -0.025f);
  flags = LT;
  CurrentBounds toMinusOne(kNullInt.stored(kNull, 1), kNullInt.stored(-1, 1));
  EXPECT_EQ(Evaluate(KsNULL_INT_T, &toMinusOne, flags, kNullInt.stored(3, 1), 1),
            std::numeric_limits<float>::infinity());
}

// An index of nulls only has the width 1 (0 to 0): a null key equal to it
// estimates 0.001, anything else 0.
TEST(NullableEvaluator, IndexOfNullsOnlyMatchesOnlyANullKeyByEquality) {
  struct Case {
    unsigned short flags;
    Key key;
    float estimate;
  };
  const Case cases[] = {{EQ, kNull, 0.001f}, {GE, kNull, 0.001f}, {GT, kNull, 0.0f},
                        {LT, 5, 0.0f},       {EQ, 0, 0.0f},       {ALL, 5, 0.0f}};
  for (const Member& m : kMembers) {
    CurrentBounds bounds(m.stored(kNull, 1), m.stored(kNull, 1));
    for (const Case& c : cases) {
      unsigned short flags = c.flags;
      EXPECT_FLOAT_EQ(Evaluate(m.type, &bounds, flags, m.stored(c.key, 1), 1), c.estimate)
          << m.name << " flags " << c.flags;
    }
  }
}

// Without current bounds the count is 0 for every member, the 64-bit ones
// included (no zero-count rule without bounds), and the key is recorded as
// whole stored elements.
TEST(NullableEvaluator, WithoutBoundsReturnsZeroAndRecordsTheKey) {
  for (const Member& m : kMembers) {
    for (const Key& key : {Key(0), kNull}) {
      for (unsigned short comparison : {EQ, LT, GT, NE}) {
        unsigned short flags = comparison;
        RecordedBounds out;
        const Bytes stored = m.stored(key, 2);
        EXPECT_EQ(Evaluate(m.type, nullptr, flags, stored, 2, &out), 0.0f) << m.name << " " << comparison;
        EXPECT_EQ(out.Low(), (comparison & LT) ? Bytes{} : stored) << m.name;
        EXPECT_EQ(out.High(), (comparison & GT) ? Bytes{} : stored) << m.name;
      }
    }
  }
}

// Recorded bounds hold count elements of the base's stored size plus one
// flag byte each, whatever the format.
TEST(NullableEvaluator, RecordsCountElementsWithTheirFlagBytes) {
  const Bytes key(64, 0x11);
  for (const Member& m : kMembers) {
    for (unsigned char format : {1, 8}) {
      RecordedBounds out;
      unsigned short flags = EQ;
      Evaluate(m.type, nullptr, flags, key, format, &out, 3);
      EXPECT_EQ(out.Low(), Bytes(3 * m.elementSize, 0x11)) << m.name;
      EXPECT_EQ(out.High(), Bytes(3 * m.elementSize, 0x11)) << m.name;
    }
  }
}

// As the family's Load reads it: only a flag byte of exactly 1 is null, and
// the flag byte comes first unless the format has bit 8.
TEST(NullableEvaluator, OnlyAFlagByteOfOneIsNull) {
  struct Case {
    Bytes key;
    unsigned char format;
    float estimate;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x32}, 2, 0.01f},                                  // 50
      {{0x02, 0x00, 0x32}, 2, 0.01f},                                  // still 50
      {{0x01, 0x00, 0x32}, 2, 0.0f},                                   // null, whatever the value bytes say
      {{0x32, 0x00, 0x00}, 8, 0.01f},                                  // memory form: value, then flag
      {{0x32, 0x00, 0x01}, 8, 0.0f},  {{0xFF, 0x32, 0x00}, 1, 0.01f},  // flag 0xFF: 50, little-endian
  };
  for (const Case& c : cases) {
    unsigned short flags = EQ;
    CurrentBounds bounds(kNullShort.stored(1, c.format), kNullShort.stored(100, c.format));
    EXPECT_FLOAT_EQ(Evaluate(KsNULL_2B_T, &bounds, flags, c.key, c.format), c.estimate)
        << int(c.key[0]) << " format " << int(c.format);
  }
}

// Current bounds too short for one element with its flag byte describe no
// range.
TEST(NullableEvaluator, BoundsWithoutTheirFlagByteCountAsAbsent) {
  unsigned short flags = LE;
  CurrentBounds bounds(StoredOf(KsINT_T, 1, 2), StoredOf(KsINT_T, 100, 2));
  EXPECT_EQ(Evaluate(KsNULL_INT_T, &bounds, flags, kNullInt.stored(50, 2), 2), 0.0f);
}

// The floating members keep the floor of their base type, for the shares
// of nulls as for numbers.
TEST(NullableEvaluator, FloatingMembersKeepTheFloor) {
  struct Case {
    Key low, high, key;
    unsigned short flags;
    float estimate;
  };
  const Case cases[] = {
      {Key(0.0, false), Key(1e30, false), Key(5.0, false), EQ, 1.1920928955078125e-7f},
      {Key(0.0, false), Key(1e30, false), Key(2e30, false), EQ, 0.0f},  // empty stays 0
      {kNull, Key(1e30, false), kNull, EQ, 1.1920928955078125e-7f},     // 0.001 over 1e30
      {kNull, Key(1e30, false), kNull, LT, 0.0f},
      {kNull, Key(3.0, false), Key(1.5, false), LT, 0.125f},  // 0.5 over 0..3
  };
  for (const Member& m : {kMembers[8], kMembers[9]}) {
    for (const Case& c : cases) {
      unsigned short flags = c.flags;
      CurrentBounds bounds(m.stored(c.low, 2), m.stored(c.high, 2));
      EXPECT_EQ(Evaluate(m.type, &bounds, flags, m.stored(c.key, 2), 2), c.estimate)
          << m.name << " key " << c.key.real << " flags " << c.flags;
    }
  }
}

// Where key and bounds are numbers, a nullable double measures infinite
// bounds and NaN keys as o_double does: an infinite or meaningless
// difference counts as the largest double.
TEST(NullableEvaluator, NullableDoubleMeasuresInfiniteRangesAsItsBase) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double key;
    unsigned short flags;
    float estimate;
  };
  const Case cases[] = {{5, GT, 1.0f}, {5, LT, 1.0f}, {nan, EQ, 1.0f}, {5, EQ, 1.1920928955078125e-7f}};
  for (const Case& c : cases) {
    CurrentBounds nullable(kNullDouble.stored(Key(-inf, false), 1), kNullDouble.stored(Key(inf, false), 1));
    CurrentBounds base(StoredOf(KsDOUBLE_T, -inf, 1), StoredOf(KsDOUBLE_T, inf, 1));
    unsigned short flags = c.flags;
    EXPECT_EQ(Evaluate(KsNULL_DOUBLE_T, &nullable, flags, kNullDouble.stored(Key(c.key, false), 1), 1),
              c.estimate)
        << c.key << " " << c.flags;
    flags = c.flags;
    EXPECT_EQ(Evaluate(KsDOUBLE_T, &base, flags, StoredOf(KsDOUBLE_T, c.key, 1), 1), c.estimate) << c.key;
  }
}

// The 64-bit members keep the zero-count rule of their base types where key
// and bounds are numbers (2^62, 2^62 + 1 and 2^62 + 10 are one double), and
// not where a null takes part: a null has no exact value, and its count
// stands as the null-aware rule gives it.
TEST(NullableEvaluator, ZeroCountRuleAppliesOnlyBetweenNumbers) {
  const long long base = 1LL << 62;
  struct Case {
    Key low, high, key;
    unsigned short flags;
    float estimate;
  };
  const Case cases[] = {
      {base, base + 10, base + 1, LT, 1.0f},  // raised from 0, as KsInt64
      {base + 5, base + 10, base + 1, LT, 0.0f},
      {base, base + 10, base + 20, GT, 0.0f},
      // Null keys inside a range of numbers: the base rule would raise these
      // counts of 0 to 1 (the null's 0 lies inside -5..10).
      {-5, 10, kNull, LT, 0.0f},
      {-5, 10, kNull, EQ, 0.0f},
  };
  for (const Member& m : {kMembers[10], kMembers[11], kMembers[12]}) {
    for (const Case& c : cases) {
      if (m.type == KsNULL_U8B_T && c.low.integer < 0) continue;
      unsigned short flags = c.flags;
      CurrentBounds bounds(m.stored(c.low, 2), m.stored(c.high, 2));
      EXPECT_EQ(Evaluate(m.type, &bounds, flags, m.stored(c.key, 2), 2), c.estimate)
          << m.name << " flags " << c.flags << " key " << (c.key.isNull ? "null" : "number");
    }
  }
}

}  // namespace
