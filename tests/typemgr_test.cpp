// KsTypeMgr: factories, id normalisation, descriptor data, dispatch to the
// slots, exchanges, generated values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>

#include "basesvc.h"
#include "ksmodule.h"
#include "kstypcmp.h"
#include "kstypemgr.h"
#include "kstypes/primitive_getvalue.h"

namespace {

TEST(TypeMgrFactory, SelectsTableAndFactoryNumber) {
  struct Case {
    unsigned factory;
    unsigned short number;
    bool legacy;
  };
  const Case cases[] = {{0, 0, true},    {3, 3, true},  {4, 4, false},  {5, 5, false},
                        {10, 10, false}, {11, 3, true}, {12, 4, false}, {200, 4, false}};
  for (const Case& c : cases) {
    KsTypeMgr mgr(c.factory);
    EXPECT_EQ(mgr.GetFactory(), c.number) << c.factory;
    // Only the legacy table lacks null support for strings and has no id 28.
    EXPECT_EQ(mgr.SupportsNullValue(KsSTRING_T), c.legacy ? 0 : 1) << c.factory;
    EXPECT_STREQ(mgr.NameGet(KsNULL_1B_T), c.legacy ? "illegal" : "KsNull_char") << c.factory;
  }
  KsTypeMgr mgr(0);
  mgr.SetFactory(7);
  EXPECT_EQ(mgr.GetFactory(), 7);
  EXPECT_EQ(mgr.SupportsNullValue(KsSTRING_T), 1);
}

TEST(TypeMgrIds, ReservedAndOutOfTableIdsActAsIllegal) {
  KsTypeMgr mgr;
  for (int id : {46, 100, 101, 127, 47, 99, -1, -128}) {
    const char type = static_cast<char>(id);
    SCOPED_TRACE(id);
    EXPECT_STREQ(mgr.NameGet(type), "illegal");
    EXPECT_STREQ(mgr.TypeIdNameGet(type), "KsRES_T");
    EXPECT_EQ(mgr.IsFixed(type), 1);
    EXPECT_EQ(mgr.MemLenGet(type, 5), 0);
    EXPECT_EQ(mgr.Create(type, 3), nullptr);
    EXPECT_EQ(mgr.SupportsNullValue(type), 0);
    int value = 5;
    EXPECT_EQ(mgr.GetValue(type, &value, 1, 8, 'M'), KS_NOT_SUPPORTED);
  }
  EXPECT_EQ(mgr.IsValidType(46), 1);
  EXPECT_EQ(mgr.IsValidType(120), 1);
  EXPECT_EQ(mgr.IsValidType(47), 0);
  EXPECT_EQ(mgr.IsValidType(99), 0);
  EXPECT_EQ(mgr.IsValidType(-5), 0);
}

TEST(TypeMgrNames, LookupIsExactAndBounded) {
  KsTypeMgr mgr;
  for (auto [name, result, id] :
       {std::tuple{"KsString", 0, 11}, {"d_Interval", 0, 25}, {"illegal", 0, 46}, {"ksstring", 1, 47}}) {
    char type = -1;
    EXPECT_EQ(mgr.Name2KsTypeId(name, type), result) << name;
    EXPECT_EQ(type, id) << name;
  }
  char type = -1;
  EXPECT_EQ(mgr.Name2KsTypeId(nullptr, type), 1);

  KsTypeMgr legacy(0);
  EXPECT_EQ(legacy.Name2KsTypeId("o_8b", type), 1) << "id 42 is beyond the legacy table";
  EXPECT_EQ(legacy.Name2KsTypeId("KsBoolean", type), 0);
  EXPECT_EQ(type, 27);

  char buffer[16];
  EXPECT_EQ(mgr.TypeIdNameGet(KsCASEISTRING_T, buffer), buffer);
  EXPECT_STREQ(buffer, "KsCASEISTRING_T");
  EXPECT_STREQ(mgr.NameGet(Ks4B_T, buffer), "o_4b");
}

TEST(TypeMgrData, SizesAndArrayElements) {
  KsTypeMgr mgr;
  EXPECT_EQ(mgr.MemLenGet(Ks4B_T, 20000), 14464) << "80000 cut to 16 bits";
  EXPECT_EQ(mgr.MemLenGet(KsDOUBLE_T, 3), 24);
  int16_t base[4] = {};
  EXPECT_EQ(mgr.GetArrayElement(Ks2B_T, base, 3, 3), nullptr);
  EXPECT_EQ(mgr.GetArrayElement(Ks2B_T, base, 3, 0), &base[3]);
  EXPECT_EQ(mgr.GetArrayElement(Ks2B_T, base, 2, 3), &base[2]);
  EXPECT_EQ(mgr.GetArrayElement(KsRES_T, base, 2, 3), base) << "size 0";
  EXPECT_EQ(mgr.IsFixed(KsSTRING_T), 0);
  EXPECT_EQ(mgr.DiskIsNullValue(Ks4B_T, base), KS_NOT_SUPPORTED);
}

TEST(TypeMgrCapabilities, TestTheIdItself) {
  KsTypeMgr mgr;
  const int increments[] = {0, 1, 2, 5, 6, 7, 8, 9, 10, 15, 26, 42, 43};
  const int stamps[] = {12, 13, 19, 22, 23, 24, 40};
  for (int id = -128; id < 128; ++id) {
    const char type = static_cast<char>(id);
    const bool inc = std::find(std::begin(increments), std::end(increments), id) != std::end(increments);
    const bool stamp = std::find(std::begin(stamps), std::end(stamps), id) != std::end(stamps);
    EXPECT_EQ(mgr.SupportsCapability(type, 2), inc ? 1 : 0) << id;
    EXPECT_EQ(mgr.SupportsCapability(type, 3), stamp ? 1 : 0) << id;
    EXPECT_EQ(mgr.SupportsCapability(type, 4), 0) << id;
  }
  EXPECT_EQ(mgr.SupportsCapability(KsBLOCKID_T, 2), 0) << "although its generator increments";
}

TEST(TypeMgrSlots, AccessorsReturnTheDescriptorsSlots) {
  KsTypeMgr mgr;
  EXPECT_EQ(mgr.CmpFuncPtrGet(Ks4B_T), &LongCompare);
  EXPECT_EQ(mgr.CmpFuncPtrGet(KsBLOCKID_T), &DwordCompare);
  EXPECT_EQ(mgr.CmpFuncPtrGet(D_INTERVAL_T), &FloatCompare);
  EXPECT_EQ(mgr.StorePtrGet(KsINT_T), &IntStore);
  EXPECT_EQ(mgr.LoadPtrGet(KsINT_T), &IntLoad);
  EXPECT_EQ(mgr.LoadPtrGet(KsUNSIGNED_T), &UnsignedLoad);
  EXPECT_EQ(mgr.SetNullPtrGet(Ks4B_T), nullptr);
  EXPECT_NE(mgr.SetNullPtrGet(KsSTRING_T), nullptr);
  EXPECT_EQ(mgr.ComparePtrGet(Ks4B_T), nullptr);
  EXPECT_EQ(mgr.AssignmentPtrGet(Ks2B_T), mgr.AssignmentPtrGet(KsU2B_T));
  EXPECT_EQ(mgr.CopyPtrGet(Ks8B_T), mgr.CopyPtrGet(KsU8B_T));
}

TEST(TypeMgrDispatch, ForwardsArgumentsToTheSlots) {
  KsTypeMgr mgr;
  const int32_t values[3] = {1, 0x01020304, -1};
  unsigned char stored[12] = {};
  EXPECT_EQ(mgr.DiskLenGet(Ks4B_T, nullptr, 2, 3), 12u);
  EXPECT_EQ(mgr.Store(Ks4B_T, stored, const_cast<int32_t*>(values), 2, 3), 12u);
  const unsigned char golden[12] = {0, 0, 0, 1, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(std::memcmp(stored, golden, 12), 0);
  int32_t loaded[3] = {};
  EXPECT_EQ(mgr.Load(Ks4B_T, loaded, stored, 2, 3), 12u);
  EXPECT_EQ(loaded[1], 0x01020304);

  int status = 9;
  EXPECT_EQ(mgr.Cmp(Ks4B_T, 0, stored, 0, stored, 0, 3, 2, status), 0);
  EXPECT_EQ(status, 0);
  int32_t other[3] = {1, 0x01020304, 0};
  EXPECT_EQ(mgr.Cmp(Ks4B_T, const_cast<int32_t*>(values), other, 0, 3, 8), -1);
  EXPECT_EQ(mgr.Hash(Ks4B_T, 0, const_cast<int32_t*>(values), 1, 8, status), 1103515245u);

  int32_t translated[3] = {};
  EXPECT_EQ(mgr.Translate(Ks4B_T, translated, 8, 12, stored, 2, 12, 3), 12u);
  EXPECT_EQ(translated[2], -1);
  EXPECT_EQ(mgr.IsNullValue(Ks4B_T, translated), 0);

  void* created = mgr.Create(KsDOUBLE_T, 4);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(static_cast<double*>(created)[3], 0.0);
  EXPECT_EQ(mgr.Delete(KsDOUBLE_T, created, 4), nullptr);

  unsigned short flags = 1;
  EXPECT_EQ(mgr.EvalAndBound(KsRES_T, nullptr, flags, stored, 8, 1, nullptr, nullptr), 0.0f);
}

TEST(TypeMgrExchange, ReplacesSharedSlotsAndReturnsThePrevious) {
  KsTypeMgr current;
  KsTypeMgr legacy(0);
  EXPECT_STREQ(current.ExchangeFormat(Ks4B_T, nullptr), "%ld");
  EXPECT_STREQ(current.ExchangeFormat(Ks4B_T, "%x"), "%ld");
  EXPECT_STREQ(legacy.ExchangeFormat(Ks4B_T, nullptr), "%x") << "descriptors are shared by both tables";
  EXPECT_STREQ(legacy.ExchangeFormat(Ks4B_T, "%ld"), "%x");

  EXPECT_EQ(current.ExchangeKsTypeCmpFunc(Ks4B_T, &DwordCompare), &LongCompare);
  int32_t minusOne = -1, one = 1;
  EXPECT_EQ(current.Cmp(Ks4B_T, &minusOne, &one, 0, 1, 8), 1) << "unsigned order after the exchange";
  EXPECT_EQ(current.ExchangeKsTypeCmpFunc(Ks4B_T, &LongCompare), &DwordCompare);
  EXPECT_EQ(current.Cmp(Ks4B_T, &minusOne, &one, 0, 1, 8), -1);

  // A legacy manager's string descriptor is its own.
  EXPECT_STREQ(legacy.ExchangeFormat(KsSTRING_T, "%10s"), "%s");
  EXPECT_STREQ(current.ExchangeFormat(KsSTRING_T, nullptr), "%s");
  EXPECT_STREQ(legacy.ExchangeFormat(KsSTRING_T, "%s"), "%10s");

  auto* print = current.ExchangePrintToKsStringFunc(Ks4B_T, nullptr);
  EXPECT_EQ(current.ExchangePrintToKsStringFunc(Ks4B_T, nullptr), print);
  auto* scan = current.ExchangeScanFromKsStringFunc(Ks4B_T, nullptr);
  EXPECT_EQ(current.ExchangeScanFromKsStringFunc(Ks4B_T, nullptr), scan);
}

TEST(TypeMgrDefault, ContextCreatesAndDestroysTheDefaultManager) {
  KsTypeMgr* before = DefaultTypeMgr();
  ___KsTypemgrContext(1);
  KsTypeMgr* opened = DefaultTypeMgr();
  ASSERT_NE(opened, nullptr);
  EXPECT_NE(opened, before);
  EXPECT_EQ(opened->GetFactory(), 5);

  KsTypeMgr mine(4);
  EXPECT_EQ(DefaultTypeMgr(&mine), opened);
  EXPECT_EQ(DefaultTypeMgr(nullptr), &mine) << "null only queries";
  EXPECT_EQ(DefaultTypeMgr(opened), &mine);

  ___KsTypemgrContext(0);
  EXPECT_EQ(DefaultTypeMgr(), nullptr);
}

// ---------------------------------------------------------------------------
// Generated values

template <class T>
T Bits(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

TEST(TypeMgrGetValue, IntegerStartAndSuccessor) {
  KsTypeMgr mgr;
  int16_t s = 32767;
  EXPECT_EQ(mgr.GetValue(Ks2B_T, &s, 1, 8, 'M'), KS_NO_GREATER_VALUE);
  EXPECT_EQ(s, 32767);
  EXPECT_EQ(mgr.GetValue(Ks2B_T, &s, 1, 8, 'O'), 0);
  EXPECT_EQ(s, 32767);
  EXPECT_EQ(mgr.GetValue(Ks2B_T, &s, 1, 8, 2), KS_NOT_SUPPORTED) << "op 2 only through the slot";
  EXPECT_EQ(mgr.GetValue(Ks2B_T, &s, 1, 8, 'X'), KS_NOT_SUPPORTED);

  uint8_t u = 255;
  EXPECT_EQ(mgr.GetValue(KsU1B_T, &u, 1, 8, 'N'), KS_NO_GREATER_VALUE);
  int32_t l = 5;
  EXPECT_EQ(mgr.GetValue(Ks4B_T, &l, 1, 8, 'M'), 0);
  EXPECT_EQ(l, 6);
  uint32_t block = 41;
  EXPECT_EQ(mgr.GetValue(KsBLOCKID_T, &block, 1, 8, 'N'), 0);
  EXPECT_EQ(block, 42u);
  int32_t e = 1;
  EXPECT_EQ(mgr.GetValue(KsENUM_T, &e, 1, 8, 'M'), KS_NOT_SUPPORTED);

  // Op 2 (the starting value) is reserved to direct calls of the slot: the
  // signed layout starts at its minimum, the unsigned one at 0.
  struct Start {
    KsGetValueFunc signedSlot, unsignedSlot;
    unsigned size;
    uint64_t signedBits;
  };
  const Start starts[] = {{ks::CharGetValue, ks::ByteGetValue, 1, 0x80},
                          {ks::ShortGetValue, ks::WordGetValue, 2, 0x8000},
                          {ks::LongGetValue, ks::DwordGetValue, 4, 0x80000000},
                          {ks::O_8BGetValue, ks::O_U8BGetValue, 8, 0x8000000000000000}};
  for (const Start& st : starts) {
    const uint64_t mask = st.size == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * st.size)) - 1;
    for (auto [slot, bits] : {std::pair{st.signedSlot, st.signedBits}, {st.unsignedSlot, uint64_t{0}}}) {
      uint64_t value = 0x5A5A5A5A5A5A5A5A;
      EXPECT_EQ(slot(&value, 0, 8, 2), 0);
      EXPECT_EQ(value & mask, bits) << st.size;
      EXPECT_EQ(value & ~mask, 0x5A5A5A5A5A5A5A5A & ~mask) << "writes only its own bytes";
    }
  }
  unsigned char value[8] = {};
  EXPECT_EQ(ks::LongGetValue(value, 0, 1, 'M'), KS_NOT_SUPPORTED) << "memory form only";
}

TEST(TypeMgrGetValue, StoredValuesGoThroughATemporary) {
  KsTypeMgr mgr;
  unsigned char stored[4] = {0xFF, 0x01, 0x00, 0x00};  // 511 little-endian
  EXPECT_EQ(mgr.GetValue(Ks4B_T, stored, 1, 1, 'M'), 0);
  const unsigned char expected[4] = {0x00, 0x02, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(stored, expected, 4), 0);

  unsigned char full[2] = {0xFF, 0x7F};  // 32767
  EXPECT_EQ(mgr.GetValue(Ks2B_T, full, 1, 1, 'N'), KS_NO_GREATER_VALUE);
  EXPECT_EQ(full[0], 0xFF);
  EXPECT_EQ(full[1], 0x7F);

  // The stored value is loaded and stored with format & 0x81: format 2
  // becomes 0, which the stored forms read as little-endian.
  unsigned char big[4] = {0x00, 0x00, 0x01, 0xFF};
  EXPECT_EQ(mgr.GetValue(Ks4B_T, big, 1, 2, 'M'), 0);
  const unsigned char bigAfter[4] = {0x01, 0x00, 0x01, 0xFF};
  EXPECT_EQ(std::memcmp(big, bigAfter, 4), 0);

  unsigned char little[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(mgr.GetValue(Ks8B_T, little, 1, 1, 'M'), 0);
  EXPECT_EQ(Bits<int64_t>(little), int64_t{0x100000000});
}

TEST(TypeMgrGetValue, FloatingPointSuccessor) {
  using F = std::numeric_limits<float>;
  using D = std::numeric_limits<double>;
  struct Case {
    double in;
    double out;
  };
  const Case doubles[] = {
      {1.0, 1.0 + D::epsilon()},
      {-1.0, -1.0 + D::epsilon() / 2},  // the smaller unit below a power of two
      {0.0, D::min()},
      {-0.0, D::min()},
      {D::denorm_min(), D::min()},
      {-D::min(), 0.0},
      {-D::denorm_min(), 0.0},
      {D::max(), D::max()},
      {-D::infinity(), D::lowest()},
      {D::infinity(), D::lowest()},
  };
  for (const Case& c : doubles) EXPECT_EQ(ks::DoubleSuccessor(c.in), c.out) << c.in;
  EXPECT_EQ(ks::FloatSuccessor(1.0f), 1.0f + F::epsilon());
  EXPECT_EQ(ks::FloatSuccessor(-F::min()), 0.0f);
  EXPECT_EQ(ks::FloatSuccessor(F::quiet_NaN()), F::lowest());

  KsTypeMgr mgr;
  const Case edges[] = {{D::max(), D::max()}, {D::infinity(), D::infinity()}, {-D::infinity(), D::lowest()}};
  for (const Case& c : edges) {
    double d = c.in;
    EXPECT_EQ(mgr.GetValue(KsDOUBLE_T, &d, 1, 8, 'M'), c.out == c.in ? KS_NO_GREATER_VALUE : 0) << c.in;
    EXPECT_EQ(d, c.out);
  }
  double d = D::quiet_NaN();
  EXPECT_EQ(mgr.GetValue(KsDOUBLE_T, &d, 1, 8, 'M'), KS_NO_GREATER_VALUE);
  EXPECT_TRUE(std::isnan(d));
  float f = 2.5f;
  EXPECT_EQ(mgr.GetValue(KsFLOAT_T, &f, 1, 8, 'O'), KS_NOT_SUPPORTED);

  double start = 0;
  EXPECT_EQ(ks::DoubleGetValue(&start, 0, 8, 2), 0);
  EXPECT_TRUE(std::isnan(start));
  EXPECT_TRUE(std::signbit(start));
}

}  // namespace
