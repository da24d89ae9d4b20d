// Index range evaluation of the numeric types, identities, booleans, blobs
// and seals: the counting rule, the frame's estimate, bound recording and
// the particular rules of each member.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "basesvc.h"
#include "index_bounds_support.h"
#include "ksboolean.h"
#include "ksint64.h"
#include "ksobjid.h"
#include "kstypevl/overlap.h"

namespace {

using namespace ks::testing;

// Evaluate for tests that do not look at the flags afterwards.
float Eval(char type, KsIdxBounds* bounds, unsigned short flags, const Bytes& key, unsigned char format,
           KsIdxBounds* out = nullptr, unsigned count = 1) {
  return Evaluate(type, bounds, flags, key, format, out, count);
}

TEST(Overlap, CountsTheSelectedPartOfTheRange) {
  struct Case {
    unsigned short flags;
    double keyLow, keyHigh, low, high, unit, selected;
  };
  // clang-format off
  const Case cases[] = {
      {EQ, 50, 50, 1, 100, 1, 1}, {LT, 50, 50, 1, 100, 1, 49}, {GT, 50, 50, 1, 100, 1, 50},
      {GE, 50, 50, 1, 100, 1, 51}, {NE, 50, 50, 1, 100, 1, 99}, {7, 50, 50, 1, 100, 1, 100},
      {0, 50, 50, 1, 100, 1, 0},
      // A key beyond the range lies one unit outside it.
      {LT, 500, 500, 1, 100, 1, 100}, {GT, -7, -7, 1, 100, 1, 100}, {LT, 0, 0, 1, 100, 1, 0},
      {EQ, 500, 500, 1, 100, 1, 0}, {GT, 100, 100, 1, 100, 1, 0},
      // A key range (a key with wildcards), and a unit of its own.
      {EQ, 20, 29, 1, 100, 1, 10}, {LT, 20, 29, 1, 100, 1, 19}, {GT, 20, 29, 1, 100, 1, 71},
      {EQ, 90, 120, 1, 100, 1, 11}, {EQ, 256, 256, 0, 1280, 128, 128}, {LT, 2000, 2000, 0, 1280, 128, 1408},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(ks::evaluate::Overlap(c.flags, c.keyLow, c.keyHigh, c.low, c.high, c.unit), c.selected)
        << "flags " << c.flags << " key " << c.keyLow << ".." << c.keyHigh;
  }
}

TEST(Overlap, MeaninglessDifferencesCountAsTheLargestDouble) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ks::evaluate::Overlap(EQ, nan, nan, 0, 10, 1), DBL_MAX);
  EXPECT_EQ(ks::evaluate::Overlap(GT, 5, 5, 0, inf, 1), DBL_MAX);
  EXPECT_EQ(ks::evaluate::Overlap(LT, 5, 5, -inf, 10, 1), DBL_MAX);
}

// Every member of the numeric frame that can hold the numbers 0 to 500, as
// the stored value of a number.
struct Member {
  char type;
  const char* name;
  Bytes (*stored)(long long value, unsigned char format);
};

// The stored form of a number as a T, through the Store slot of `stored`.
template <class T, char stored>
Bytes Primitive(long long value, unsigned char format) {
  return StoredOf(stored, static_cast<T>(value), format);
}

Bytes Int64(long long v, unsigned char f) {
  return StoredOf(KsINT64_T, KsInt64(v), f);
}
Bytes Seal(long long v, unsigned char f) {
  return StoredOf(KsSEAL_T, KsSeal(0, static_cast<uint16_t>(v >> 16), static_cast<uint16_t>(v)), f);
}
// With H = 0 the object number is L.
Bytes ObjId(long long v, unsigned char f) {
  return StoredOf(KsOBJID_T, KsObjId(9, static_cast<uint32_t>(v), 0), f);
}

const Member kMembers[] = {
    {Ks2B_T, "o_2b", Primitive<int16_t, Ks2B_T>},
    {KsU2B_T, "o_u2b", Primitive<uint16_t, KsU2B_T>},
    {Ks4B_T, "o_4b", Primitive<int32_t, Ks4B_T>},
    {KsU4B_T, "o_u4b", Primitive<uint32_t, KsU4B_T>},
    {KsBLOCKID_T, "BlockId", Primitive<uint32_t, KsBLOCKID_T>},
    {KsINT_T, "int", Primitive<int, KsINT_T>},
    {KsENUM_T, "enum", Primitive<int, KsENUM_T>},
    {KsUNSIGNED_T, "unsigned", Primitive<unsigned, KsUNSIGNED_T>},
    {KsDOUBLE_T, "o_double", Primitive<double, KsDOUBLE_T>},
    {KsFLOAT_T, "o_float", Primitive<float, KsFLOAT_T>},
    {D_INTERVAL_T, "d_Interval", Primitive<float, KsFLOAT_T>},
    {Ks8B_T, "o_8b", Primitive<int64_t, Ks8B_T>},
    {KsU8B_T, "o_u8b", Primitive<uint64_t, KsU8B_T>},
    {KsINT64_T, "KsInt64", Int64},
    {KsSEAL_T, "KsSeal", Seal},
    {KsOBJID_T, "KsObjId", ObjId},
};

// The worked example: an index with bounds 1 and 100.
TEST(NumericFrame, EveryMemberEstimatesTheShareOfAnIntegerRange) {
  for (const Member& m : kMembers) ExpectWorkedExample(m.type, m.name, m.stored);
}

// The middle of each layout's whole range, read with its signedness.
TEST(NumericFrame, LayoutsKeepTheirSignedness) {
  struct Case {
    char type;
    Bytes low, high, key;
    unsigned char format;
  };
  const Case cases[] = {
      {Ks1B_T, {0x80}, {0x7F}, {0x00}, 1},  // -128 .. 127
      {KsU1B_T, {0x00}, {0xFF}, {0x80}, 1},
      {Ks2B_T, {0x80, 0x00}, {0x7F, 0xFF}, {0x00, 0x00}, 2},
      {KsU2B_T, {0x00, 0x00}, {0xFF, 0xFF}, {0x80, 0x00}, 2},
      {KsUNSIGNED_T, {0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFF}, {0x80, 0, 0, 0}, 2},
      {Ks4B_T, {0x80, 0, 0, 0}, {0x7F, 0xFF, 0xFF, 0xFF}, {0, 0, 0, 0}, 2},
  };
  for (const Case& c : cases) {
    CurrentBounds bounds(c.low, c.high);
    EXPECT_FLOAT_EQ(Eval(c.type, &bounds, LT, c.key, c.format), 0.5f) << int(c.type);
  }
}

// Without current bounds the count is 0, even where the zero-count rule
// would raise it; the key is recorded all the same, as the comparison closes
// each bound.
TEST(NumericFrame, WithoutBoundsEveryMemberButObjIdReturnsZeroAndRecordsTheKey) {
  struct Case {
    unsigned short flags;
    bool low, high;
  };
  const Case cases[] = {{EQ, true, true},  {LT, false, true}, {GT, true, false}, {NE, false, false},
                        {LE, false, true}, {GE, true, false}, {0, true, true}};
  for (const Member& m : kMembers) {
    if (m.type == KsOBJID_T) continue;
    const Bytes key = m.stored(0x0102, 2);
    for (const Case& c : cases) {
      RecordedBounds out;
      EXPECT_EQ(Eval(m.type, nullptr, c.flags, key, 2, &out), 0.0f) << m.name << " " << c.flags;
      EXPECT_EQ(out.Low(), c.low ? key : Bytes{}) << m.name << " " << c.flags;
      EXPECT_EQ(out.High(), c.high ? key : Bytes{}) << m.name << " " << c.flags;
    }
  }
}

// KsObjId counts against 0..0 when the index has no bounds: a key above 0
// selects the whole of that one-unit range for less-than.
TEST(NumericFrame, ObjIdWithoutBoundsCountsAgainstZero) {
  struct Case {
    unsigned short flags;
    uint32_t low;
    float estimate;
  };
  const Case cases[] = {{LT, 5, 1.0f}, {EQ, 5, 0.0f}, {GT, 5, 0.0f},
                        {EQ, 0, 1.0f}, {GT, 0, 0.0f}, {NE, 5, 1.0f}};
  for (const Case& c : cases) {
    EXPECT_EQ(Eval(KsOBJID_T, nullptr, c.flags, StoredOf(KsOBJID_T, KsObjId(1, c.low, 0), 1), 1), c.estimate)
        << c.flags << " " << c.low;
  }
}

// H = 1, L = 0 is the number 65535, the same as H = 0, L = 65535.
TEST(NumericFrame, ObjIdWeighsTheHighPartBy65535) {
  CurrentBounds bounds(StoredOf(KsOBJID_T, KsObjId(0, 0, 0), 2),
                       StoredOf(KsOBJID_T, KsObjId(0, 131069, 0), 2));
  EXPECT_FLOAT_EQ(Eval(KsOBJID_T, &bounds, LT, StoredOf(KsOBJID_T, KsObjId(0, 0, 1), 2), 2), 0.5f);
  EXPECT_FLOAT_EQ(Eval(KsOBJID_T, &bounds, LT, StoredOf(KsOBJID_T, KsObjId(0, 65535, 0), 2), 2), 0.5f);
}

TEST(NumericFrame, FloatingSelectionsNeverEstimateBelowTheFloor) {
  struct Case {
    double low, high, key;
    unsigned short flags;
    float estimate;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {0, 1e30, 5, EQ, 1.1920928955078125e-7f},    // 1e-30 raised to the floor
      {0, 1e30, 2e30, EQ, 0.0f},                   // an empty selection stays 0
      {0, 1e30, 1e29, LT, 0.1f},                   // above the floor, unchanged
      {-inf, inf, 5, EQ, 1.1920928955078125e-7f},  // the width of an infinite range is the largest double
      {0, 3, 1.5, LT, 0.375f},                     // fractional keys count fractionally
  };
  for (const Case& c : cases) {
    CurrentBounds bounds(StoredOf(KsDOUBLE_T, c.low, 2), StoredOf(KsDOUBLE_T, c.high, 2));
    EXPECT_EQ(Eval(KsDOUBLE_T, &bounds, c.flags, StoredOf(KsDOUBLE_T, c.key, 2), 2), c.estimate)
        << c.low << ".." << c.high << " key " << c.key;
  }
  CurrentBounds floats(StoredOf(KsFLOAT_T, 0.0f, 1), StoredOf(KsFLOAT_T, 1e30f, 1));
  EXPECT_EQ(Eval(D_INTERVAL_T, &floats, EQ, StoredOf(KsFLOAT_T, 5.0f, 1), 1), 1.1920928955078125e-7f);
}

// 2^62, 2^62 + 1 and 2^62 + 10 are one double: the count of less-than
// 2^62 + 1 comes out 0, is raised to 1, and over a range of width 1 gives 1.0.
TEST(NumericFrame, ZeroCountRuleRaisesMergedSixtyFourBitKeys) {
  const long long base = 1LL << 62;
  struct Case {
    long long low, high, key;
    unsigned short flags;
    float estimate;
  };
  const Case cases[] = {
      {base, base + 10, base + 1, LT, 1.0f},
      // Exactly, the key lies below the range and only less-than could reach
      // it: the selection is empty.
      {base + 5, base + 10, base + 1, LT, 0.0f},
      {base, base + 10, base + 20, GT, 0.0f},
      // Equality is counted on the merged doubles: one unit, not raised.
      {base, base + 10, base + 20, EQ, 1.0f},
      // Exactly inside the range: raised, although less-than its low bound
      // selects nothing.
      {base, base + 10, base, LT, 1.0f},
  };
  const uint64_t shift = uint64_t{1} << 63;  // for o_u8b, the same case above the signed range
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key base + " << c.key - base);
    CurrentBounds int64Bounds(StoredOf(KsINT64_T, KsInt64(c.low), 2),
                              StoredOf(KsINT64_T, KsInt64(c.high), 2));
    EXPECT_EQ(Eval(KsINT64_T, &int64Bounds, c.flags, StoredOf(KsINT64_T, KsInt64(c.key), 2), 2), c.estimate);
    CurrentBounds o8bBounds(StoredOf(Ks8B_T, int64_t{c.low}, 1), StoredOf(Ks8B_T, int64_t{c.high}, 1));
    EXPECT_EQ(Eval(Ks8B_T, &o8bBounds, c.flags, StoredOf(Ks8B_T, int64_t{c.key}, 1), 1), c.estimate);
    CurrentBounds u8bBounds(StoredOf(KsU8B_T, c.low + shift, 2), StoredOf(KsU8B_T, c.high + shift, 2));
    EXPECT_EQ(Eval(KsU8B_T, &u8bBounds, c.flags, StoredOf(KsU8B_T, c.key + shift, 2), 2), c.estimate);
  }
}

// A seal converts exactly, so the zero-count rule only shows where counting
// itself gives 0: less-than the low bound counts one unit.
TEST(NumericFrame, SealLessThanItsLowBoundCountsOneUnderTheZeroCountRule) {
  auto seal = [](uint16_t low) { return StoredOf(KsSEAL_T, KsSeal(0, 0, low), 1); };
  CurrentBounds bounds(seal(10), seal(20));
  EXPECT_FLOAT_EQ(Eval(KsSEAL_T, &bounds, LT, seal(10), 1), 1.0f / 11);
  EXPECT_EQ(Eval(KsSEAL_T, &bounds, LT, seal(9), 1), 0.0f);
  EXPECT_FLOAT_EQ(Eval(KsSEAL_T, &bounds, GT, seal(20), 1), 1.0f / 11);
}

// Big-endian whatever the format: 0x800000000000 is the middle.
TEST(NumericFrame, SealNumbersSpanAllFortyEightBits) {
  CurrentBounds bounds(Bytes(6, 0), Bytes(6, 0xFF));
  for (unsigned char format : {1, 8}) {
    EXPECT_FLOAT_EQ(Eval(KsSEAL_T, &bounds, LT, Bytes{0x80, 0, 0, 0, 0, 0}, format), 0.5f) << int{format};
  }
}

TEST(BoundRecording, RecordedBoundsAreNeverReplaced) {
  RecordedBounds out;
  const Bytes first = StoredOf(Ks4B_T, int32_t{10}, 1), second = StoredOf(Ks4B_T, int32_t{20}, 1);
  Eval(Ks4B_T, nullptr, LT, first, 1, &out);   // high only
  Eval(Ks4B_T, nullptr, EQ, second, 1, &out);  // low now, high stays
  Eval(Ks4B_T, nullptr, EQ, StoredOf(Ks4B_T, int32_t{30}, 1), 1, &out);
  EXPECT_EQ(out.High(), first);
  EXPECT_EQ(out.Low(), second);
}

TEST(BoundRecording, SizeIsTheElementCountTimesTheStoredSize) {
  struct Case {
    char type;
    unsigned count;
    unsigned length;
  };
  // Seals and references record the element count, not the computed count.
  const Case cases[] = {{KsSEAL_T, 2, 12},     {KsREF_T, 1, 14},     {KsDOUBLE_T, 3, 24},
                        {KsFLOAT_T, 3, 12},    {KsINT64_T, 2, 16},   {KsOBJID_T, 1, 10},
                        {KsBOOLEAN_T, 3, 3},   {Ks1B_T, 255, 255},   {KsDATIME_T, 3, 21},
                        {D_DATE_T, 3, 12},     {D_TIME_T, 3, 18},    {D_TIMESTAMP_T, 3, 30},
                        {KsDATIME_N_T, 3, 33}, {KsTIMESPAN_T, 3, 33}};
  const Bytes key(300, 0x11);
  for (const Case& c : cases) {
    RecordedBounds out;
    Eval(c.type, nullptr, EQ, key, 1, &out, c.count);
    EXPECT_EQ(out.Low(), Bytes(c.length, 0x11)) << int(c.type);
    EXPECT_EQ(out.High(), Bytes(c.length, 0x11)) << int(c.type);
  }
}

// The 8-bit length fields cannot describe more than 255 bytes, and an empty
// key has nothing to bound: such scans stay open.
TEST(BoundRecording, BoundsTheLengthFieldsCannotDescribeAreNotRecorded) {
  const Bytes key(400, 0x22);
  for (unsigned count : {0u, 64u, 100u}) {
    RecordedBounds out;
    Eval(Ks4B_T, nullptr, EQ, key, 1, &out, count);
    EXPECT_EQ(out.low, nullptr) << count;
    EXPECT_EQ(out.high, nullptr) << count;
  }
}

// Current bounds that lack a buffer, or whose buffer is shorter than one
// value, describe no range: the count is 0.
TEST(NumericFrame, IncompleteCurrentBoundsCountAsAbsent) {
  const Bytes low = StoredOf(Ks4B_T, int32_t{1}, 1), high = StoredOf(Ks4B_T, int32_t{100}, 1),
              key = StoredOf(Ks4B_T, int32_t{50}, 1);
  CurrentBounds noHigh(low, high);
  noHigh.high = nullptr;
  CurrentBounds shortLow(low, high);
  shortLow.lowLen = 3;
  CurrentBounds complete(low, high);
  EXPECT_EQ(Eval(Ks4B_T, &noHigh, LT, key, 1), 0.0f);
  EXPECT_EQ(Eval(Ks4B_T, &shortLow, LT, key, 1), 0.0f);
  EXPECT_FLOAT_EQ(Eval(Ks4B_T, &complete, LT, key, 1), 0.49f);
}

// References are placed in the space of all references, (2^32 - 1)^2.
TEST(ReferenceEvaluator, MeasuresAgainstTheWholeReferenceSpace) {
  // Stored little-endian: B (4), L (4), H (2), D (2), C (2).
  auto ref = [](uint32_t low, uint16_t high, uint16_t database) {
    Bytes b(14, 0);
    for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<unsigned char>(low >> (8 * i));
    b[8] = static_cast<unsigned char>(high);
    b[9] = static_cast<unsigned char>(high >> 8);
    b[10] = static_cast<unsigned char>(database);
    b[11] = static_cast<unsigned char>(database >> 8);
    b[12] = 0x77;  // the class does not count
    return b;
  };
  const double space = 18446744065119617025.0;
  struct Case {
    unsigned short flags;
    Bytes key;
    float estimate;
  };
  const Case cases[] = {
      {LT, ref(0, 0, 0), 0.0f},
      {GT, ref(0, 0, 0), 1.0f},  // (space - 1) / space rounds to 1
      {EQ, ref(0, 0, 0), static_cast<float>(1 / space)},
      {LT, ref(0, 0, 1), static_cast<float>(65535.0 * 4294967295.0 / space)},
      {LT, ref(0, 1, 0), static_cast<float>(4294967295.0 / space)},
      {LT, ref(7, 0, 0), static_cast<float>(7 / space)},
      {7, ref(123, 4, 5), 1.0f},
  };
  CurrentBounds ignored(Bytes(14, 0), Bytes(14, 0));
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(Eval(KsREF_T, &ignored, c.flags, c.key, 1), c.estimate) << c.flags;
    EXPECT_FLOAT_EQ(Eval(KsREF_T, nullptr, c.flags, c.key, 1), c.estimate) << c.flags;
  }
}

TEST(ReferenceEvaluator, MasksTheFlagsAndRecordsFourteenBytes) {
  RecordedBounds out;
  unsigned short flags = 0x8000 | 0x0100 | 0x0010 | EQ;
  const Bytes key(14, 0x05);
  Evaluate(KsREF_T, nullptr, flags, key, 2, &out);
  EXPECT_EQ(flags, 0x8001);
  EXPECT_EQ(out.Low(), key);
  EXPECT_EQ(out.High(), key);
}

TEST(FixedAnswers, BooleanIsAThirdOfAnIndexWithBounds) {
  CurrentBounds bounds(Bytes{0}, Bytes{1});
  RecordedBounds out;
  EXPECT_EQ(Eval(KsBOOLEAN_T, &bounds, EQ, {1}, 1, &out), static_cast<float>(1.0 / 3));
  EXPECT_EQ(out.Low(), Bytes{1});
  EXPECT_EQ(out.High(), Bytes{1});
  EXPECT_EQ(Eval(KsBOOLEAN_T, nullptr, EQ, {1}, 1), 0.0f);
}

TEST(FixedAnswers, ClassIdsBlobsAndIllegalIdsRecordNothing) {
  struct Case {
    char type;
    float estimate;
  };
  const Case cases[] = {{KsCLID_T, 1.0f}, {KsBLOB_T, 1.0f}, {KsRES_T, 0.0f}, {static_cast<char>(120), 0.0f}};
  CurrentBounds bounds(Bytes(8, 0), Bytes(8, 0xFF));
  for (const Case& c : cases) {
    RecordedBounds out;
    unsigned short flags = 0x0019;
    EXPECT_EQ(Evaluate(c.type, &bounds, flags, Bytes(8, 1), 1, &out), c.estimate) << int(c.type);
    EXPECT_EQ(flags, 0x0019) << int(c.type);
    EXPECT_EQ(out.low, nullptr);
    EXPECT_EQ(out.high, nullptr);
  }
}

}  // namespace
