// Comparison and hashing of the fixed-size layouts through the type manager:
// orders, the three forms, array exhaustion, and exact hash values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "kstypcmp.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned char kMemory = 8, kLittle = 1, kBig = 2;

// Stores values of a type into a stored form through the type manager.
template <class T>
std::vector<unsigned char> Stored(char type, std::vector<T> values, unsigned char format) {
  KsTypeMgr mgr;
  std::vector<unsigned char> bytes(mgr.DiskLenGet(type, nullptr, format, values.size()));
  mgr.Store(type, bytes.data(), values.data(), format, values.size());
  return bytes;
}

template <class T>
int CompareInAllForms(char type, T a, T b) {
  KsTypeMgr mgr;
  const int memory = mgr.Cmp(type, &a, &b, 0, 1, kMemory);
  for (unsigned char format : {kLittle, kBig}) {
    auto sa = Stored<T>(type, {a}, format), sb = Stored<T>(type, {b}, format);
    EXPECT_EQ(mgr.Cmp(type, sa.data(), sb.data(), 0, 1, format), memory)
        << "type " << int(type) << " format " << int(format);
  }
  return memory;
}

TEST(PrimitiveCompare, SignednessPerLayout) {
  EXPECT_EQ(CompareInAllForms<int16_t>(Ks2B_T, -1, 1), -1);
  EXPECT_EQ(CompareInAllForms<uint16_t>(KsU2B_T, 0xFFFF, 1), 1);
  EXPECT_EQ(CompareInAllForms<int8_t>(Ks1B_T, -1, 1), -1);
  EXPECT_EQ(CompareInAllForms<uint8_t>(KsU1B_T, 0xFF, 1), 1);
  EXPECT_EQ(CompareInAllForms<int32_t>(Ks4B_T, INT32_MIN, INT32_MAX), -1);
  EXPECT_EQ(CompareInAllForms<uint32_t>(KsU4B_T, 0x80000000u, 0x7FFFFFFFu), 1);
  EXPECT_EQ(CompareInAllForms<uint32_t>(KsBLOCKID_T, 7, 7), 0);
  EXPECT_EQ(CompareInAllForms<int>(KsINT_T, -5, 3), -1);
  EXPECT_EQ(CompareInAllForms<int>(KsENUM_T, 3, -5), 1);
  EXPECT_EQ(CompareInAllForms<unsigned>(KsUNSIGNED_T, 0xFFFFFFFFu, 3), 1);
  EXPECT_EQ(CompareInAllForms<int64_t>(Ks8B_T, INT64_MIN, 1), -1);
  EXPECT_EQ(CompareInAllForms<int64_t>(Ks8B_T, 0x100000000, 0xFFFFFFFF), 1) << "high words decide";
  EXPECT_EQ(CompareInAllForms<uint64_t>(KsU8B_T, ~uint64_t{0}, 1), 1);
}

TEST(PrimitiveCompare, FloatOrderPutsNaNFirst) {
  using D = std::numeric_limits<double>;
  const double nan = D::quiet_NaN(), inf = D::infinity();
  struct Case {
    double a, b;
    int expected;
  };
  const Case cases[] = {
      {nan, -inf, -1},       {nan, nan, 0},  {-D::signaling_NaN(), nan, 0},
      {-inf, -D::max(), -1}, {-0.0, 0.0, 0}, {inf, inf, 0},
      {D::max(), inf, -1},   {1.5, -2.0, 1}, {D::denorm_min(), 0.0, 1},
      {inf, nan, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareInAllForms<double>(KsDOUBLE_T, c.a, c.b), c.expected) << c.a << " " << c.b;
  }
  using F = std::numeric_limits<float>;
  const float fnan = F::quiet_NaN(), finf = F::infinity();
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, fnan, -finf), -1);
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, -fnan, fnan), 0);
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, -finf, F::lowest()), -1);
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, F::max(), finf), -1);
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, -0.0f, 0.0f), 0);
  EXPECT_EQ(CompareInAllForms<float>(KsFLOAT_T, F::denorm_min(), 0.0f), 1);
  KsTypeMgr mgr;
  float x = -1.0f, y = 0.5f;
  EXPECT_EQ(mgr.Cmp(D_INTERVAL_T, &x, &y, 0, 1, kMemory), -1);
}

TEST(PrimitiveCompare, StoredShortsReadTheFormatsByteOrder) {
  unsigned char a[2] = {0x01, 0x00}, b[2] = {0x00, 0x01};
  int status = 0;
  EXPECT_EQ(ShortCompare(kBig, 0, a, 0, b, 0, 1, status), 1) << "256 against 1";
  EXPECT_EQ(ShortCompare(kLittle, 0, a, 0, b, 0, 1, status), -1) << "1 against 256";
  EXPECT_EQ(ShortCompare(7, 0, a, 0, b, 0, 1, status), -1) << "other formats read little-endian";
}

TEST(PrimitiveCompare, ArrayWalkAndExhaustion) {
  const int32_t a[3] = {1, 2, 3}, b[3] = {1, 2, 4}, c[3] = {0, 9, 9};
  int status = -1;
  struct Case {
    const int32_t* v2;
    unsigned len1, len2, count;
    int result, status;
  };
  const Case cases[] = {
      {b, 0, 0, 3, -1, 0},    // last pair decides
      {b, 0, 0, 2, 0, 0},     // count stops before the difference
      {c, 0, 0, 3, 1, 0},     // first pair decides at once
      {b, 4, 0, 3, 0, 2101},  // first array holds one element
      {b, 0, 8, 3, 0, 2101},  // second array holds two
      {c, 4, 0, 3, 1, 2101},  // differs, and the first array ends right there
      {b, 0, 0, 0, 0, 0},     // nothing to compare
      {b, 10, 0, 3, -1, 0},   // a partial third element is read zero-padded: 3 & 0xFFFF vs 4
  };
  for (const Case& k : cases) {
    const int result = LongCompare(kMemory, k.len1, const_cast<int32_t*>(a), k.len2,
                                   const_cast<int32_t*>(k.v2), 0, k.count, status);
    EXPECT_EQ(result, k.result) << k.len1 << "/" << k.len2 << "/" << k.count;
    EXPECT_EQ(status, k.status) << k.len1 << "/" << k.len2 << "/" << k.count;
  }
}

// Long memory-form arrays are scanned for their first difference in whole
// blocks; that element is then compared by value, so -1 sorts before 1
// although its bytes are greater, wherever the difference stands.
TEST(PrimitiveCompare, LongArraysDecideAtTheFirstDifferentElementByValue) {
  constexpr unsigned kCount = 1000;
  const unsigned places[] = {0, 1, 255, 256, 257, 511, 512, 998, 999};
  for (unsigned place : places) {
    std::vector<int32_t> a(kCount, 7), b(kCount, 7);
    a[place] = -1;
    b[place] = 1;
    if (place + 1 < kCount) b[place + 1] = -5;  // later differences do not count
    int status = -1;
    EXPECT_EQ(LongCompare(kMemory, 0, a.data(), 0, b.data(), 0, kCount, status), -1) << place;
    EXPECT_EQ(LongCompare(kMemory, 0, b.data(), 0, a.data(), 0, kCount, status), 1) << place;
    EXPECT_EQ(status, 0);
    // A count that ends before the difference sees equal arrays.
    EXPECT_EQ(LongCompare(kMemory, 0, a.data(), 0, b.data(), 0, place, status), 0) << place;
    // A byte length that ends before it stops the walk there.
    EXPECT_EQ(LongCompare(kMemory, place * 4, a.data(), 0, b.data(), 0, kCount, status), place == 0 ? -1 : 0)
        << place;
  }
  std::vector<int32_t> same(kCount, 3);
  int status = -1;
  EXPECT_EQ(LongCompare(kMemory, 0, same.data(), 0, same.data(), 0, kCount, status), 0);
  EXPECT_EQ(status, 0);
}

TEST(PrimitiveCompare, KsInt64AndKsBoolean) {
  // KsInt64: low word then high word, each stored on its own.
  struct Int64 {
    uint32_t low;
    int32_t high;
  };
  const Int64 minus1{0xFFFFFFFF, -1}, one{1, 0}, big{0, 1};
  int status = 0;
  EXPECT_EQ(Int64Compare(kMemory, 0, (void*)&minus1, 0, (void*)&one, 0, 1, status), -1);
  EXPECT_EQ(Int64Compare(kMemory, 0, (void*)&big, 0, (void*)&minus1, 0, 1, status), 1);
  const unsigned char storedBig[8] = {0, 0, 0, 0, 0, 0, 0, 1};  // low word BE, high word BE
  const unsigned char storedOne[8] = {0, 0, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(Int64Compare(kBig, 0, (void*)storedBig, 0, (void*)storedOne, 0, 1, status), 1);

  // KsBoolean: null (255) < false < true; two nulls are equal.
  const uint8_t kNull = 255;
  const uint8_t order[][2] = {{kNull, 0}, {0, 1}, {kNull, 1}};
  for (auto& pair : order) {
    uint8_t a = pair[0], b = pair[1];
    EXPECT_EQ(BooleanCompare(kMemory, 0, &a, 0, &b, 0, 1, status), -1) << int(a) << " " << int(b);
    EXPECT_EQ(BooleanCompare(kBig, 0, &b, 0, &a, 0, 1, status), 1) << int(a) << " " << int(b);
  }
  uint8_t n1 = kNull, n2 = kNull;
  EXPECT_EQ(BooleanCompare(kMemory, 0, &n1, 0, &n2, 0, 1, status), 0);
}

// ---------------------------------------------------------------------------
// Hashing

constexpr uint32_t kMultiplier = 1103515245u;

template <class T>
uint32_t HashInAllForms(char type, std::vector<T> values) {
  KsTypeMgr mgr;
  int status = -1;
  const uint32_t memory = mgr.Hash(type, 0, values.data(), values.size(), kMemory, status);
  EXPECT_EQ(status, 0);
  for (unsigned char format : {kLittle, kBig}) {
    auto bytes = Stored<T>(type, values, format);
    EXPECT_EQ(mgr.Hash(type, bytes.size(), bytes.data(), values.size(), format, status), memory)
        << "type " << int(type) << " format " << int(format);
  }
  return memory;
}

TEST(PrimitiveHash, GoldenValues) {
  EXPECT_EQ(HashInAllForms<int32_t>(Ks4B_T, {1}), kMultiplier);
  EXPECT_EQ(HashInAllForms<int32_t>(Ks4B_T, {7, 7}), 0u);
  EXPECT_EQ(HashInAllForms<int32_t>(Ks4B_T, {1, 2, 4}), 7u * kMultiplier);
  EXPECT_EQ(HashInAllForms<int8_t>(Ks1B_T, {-1}), 0xFFFFFFFFu * kMultiplier) << "sign-extended";
  EXPECT_EQ(HashInAllForms<uint8_t>(KsU1B_T, {0xFF}), 0xFFu * kMultiplier) << "zero-extended";
  EXPECT_EQ(HashInAllForms<int16_t>(Ks2B_T, {-2}), 0xFFFFFFFEu * kMultiplier);
  EXPECT_EQ(HashInAllForms<uint16_t>(KsU2B_T, {0xFFFE}), 0xFFFEu * kMultiplier);
  EXPECT_EQ(HashInAllForms<int>(KsINT_T, {0x12345678}), 0x12345678u * kMultiplier);
  EXPECT_EQ(HashInAllForms<unsigned>(KsUNSIGNED_T, {0x80000000u}), 0x80000000u * kMultiplier);
  EXPECT_EQ(HashInAllForms<int64_t>(Ks8B_T, {0x100000000}), HashInAllForms<int64_t>(Ks8B_T, {0}))
      << "only the low 32 bits count";
  EXPECT_EQ(HashInAllForms<uint64_t>(KsU8B_T, {0xAAAAAAAA00000005}), 5u * kMultiplier);
  EXPECT_EQ(HashInAllForms<float>(KsFLOAT_T, {1.0f}), 0x3F800000u * kMultiplier);
  // 1.0 is 0x3FF00000_00000000: the halves XOR to 0x3FF00000.
  EXPECT_EQ(HashInAllForms<double>(KsDOUBLE_T, {1.0}), 0x3FF00000u * kMultiplier);
  EXPECT_EQ(HashInAllForms<double>(KsDOUBLE_T, {-0.0, 0.0}), 0x80000000u * kMultiplier);
}

TEST(PrimitiveHash, CountZeroAndExhaustion) {
  KsTypeMgr mgr;
  int32_t values[3] = {1, 2, 4};
  int status = -1;
  EXPECT_EQ(mgr.Hash(Ks4B_T, 0, values, 0, kMemory, status), 0u);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(mgr.Hash(Ks4B_T, 8, values, 3, kMemory, status), 3u * kMultiplier);
  EXPECT_EQ(status, 2101);
  // Byte 8 is the lowest byte of the third element (4): it is read, with the
  // bytes beyond the length taken as zero.
  EXPECT_EQ(mgr.Hash(Ks4B_T, 9, values, 3, kMemory, status), 7u * kMultiplier);
  EXPECT_EQ(status, 0);
}

TEST(PrimitiveHash, KsInt64AndKsBoolean) {
  KsTypeMgr mgr;
  int status = 0;
  const uint32_t words[2] = {0x0000FFFF, 0xFFFF0000};
  EXPECT_EQ(mgr.Hash(KsINT64_T, 0, (void*)words, 1, kMemory, status), 0xFFFFFFFFu * kMultiplier);
  const unsigned char stored[8] = {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
  EXPECT_EQ(mgr.Hash(KsINT64_T, 0, (void*)stored, 1, kBig, status), 0xFFFFFFFFu * kMultiplier);
  uint8_t booleans[2] = {1, 255};
  EXPECT_EQ(mgr.Hash(KsBOOLEAN_T, 0, booleans, 2, kMemory, status), 0xFFFFFFFEu * kMultiplier);
}

}  // namespace
