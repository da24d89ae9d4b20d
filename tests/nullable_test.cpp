// The nullable primitive types through the type manager: stored bytes in
// both orders and in the value-first form, null ordering and hashing, text
// of nulls, generated values, and a round trip of every nullable id.
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "basesvc.h"
#include "ksnullable.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr unsigned char kLittle = 1, kBig = 2, kValueFirst = 8;
constexpr unsigned kNullHash = 0xFEFE7575u;

template <class T>
KsNullable<T> Number(T value) {
  KsNullable<T> element{};
  element.value = value;
  element.isNull = 0;
  return element;
}

template <class T>
KsNullable<T> Null() {
  KsNullable<T> element{};
  element.isNull = 1;
  return element;
}

template <class T, size_t N>
Bytes Stored(char type, KsNullable<T> (&elements)[N], unsigned char format) {
  KsTypeMgr mgr;
  Bytes out(N * 16, 0xEE);
  const unsigned size = mgr.Store(type, out.data(), elements, format, N);
  EXPECT_EQ(size, mgr.DiskLenGet(type, elements, format, N));
  out.resize(size);
  return out;
}

// Restores the default null print string when a test has changed it.
struct NullPrintStringGuard {
  ~NullPrintStringGuard() { KsTypeMgr::SetNullPrintString(KsString("{NULL}")); }
};

TEST(NullableStorage, GoldenBytesInBothOrdersAndValueFirst) {
  KsNull_short shorts[] = {Number<int16_t>(258), Null<int16_t>()};
  EXPECT_EQ(Stored(KsNULL_2B_T, shorts, kBig), (Bytes{0x00, 0x01, 0x02, 0x01, 0x00, 0x00}));
  EXPECT_EQ(Stored(KsNULL_2B_T, shorts, kLittle), (Bytes{0x00, 0x02, 0x01, 0x01, 0x00, 0x00}));
  EXPECT_EQ(Stored(KsNULL_2B_T, shorts, kValueFirst), (Bytes{0x02, 0x01, 0x00, 0x00, 0x00, 0x01}));

  KsNull_int ints[] = {Number(0x01020304)};
  EXPECT_EQ(Stored(KsNULL_INT_T, ints, kBig), (Bytes{0x00, 0x01, 0x02, 0x03, 0x04}));
  EXPECT_EQ(Stored(KsNULL_INT_T, ints, kLittle), (Bytes{0x00, 0x04, 0x03, 0x02, 0x01}));
  EXPECT_EQ(Stored(KsNULL_INT_T, ints, kValueFirst), (Bytes{0x04, 0x03, 0x02, 0x01, 0x00}));

  KsNull_char chars[] = {Number<int8_t>(-1), Null<int8_t>()};
  EXPECT_EQ(Stored(KsNULL_1B_T, chars, kBig), (Bytes{0x00, 0xFF, 0x01, 0x00}));
  EXPECT_EQ(Stored(KsNULL_1B_T, chars, kValueFirst), (Bytes{0xFF, 0x00, 0x00, 0x01}));

  KsNull_double doubles[] = {Number(1.0)};
  EXPECT_EQ(Stored(KsNULL_DOUBLE_T, doubles, kBig), (Bytes{0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Stored(KsNULL_DOUBLE_T, doubles, kValueFirst), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x00}));

  KsNull_float floats[] = {Number(1.5f)};
  EXPECT_EQ(Stored(KsNULL_FLOAT_T, floats, kBig), (Bytes{0x00, 0x3F, 0xC0, 0x00, 0x00}));

  // KsInt64 keeps its own stored form: the low word, then the high word,
  // each in the byte order.
  KsNull_KsInt64 wide[] = {Number(KsInt64(2u, 1))};
  EXPECT_EQ(Stored(KsNULL_KSINT64_T, wide, kBig), (Bytes{0x00, 0, 0, 0, 2, 0, 0, 0, 1}));
  EXPECT_EQ(Stored(KsNULL_KSINT64_T, wide, kValueFirst), (Bytes{2, 0, 0, 0, 1, 0, 0, 0, 0x00}));

  KsNull_8b eight[] = {Number<int64_t>(-2), Null<int64_t>()};
  EXPECT_EQ(Stored(KsNULL_8B_T, eight, kBig),
            (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}));

  // Format 8 writes packed elements, not the memory form.
  KsNull_int pair[] = {Number(5), Number(-1)};
  EXPECT_EQ(Stored(KsNULL_INT_T, pair, kValueFirst), (Bytes{5, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0}));
  // A null element stores the value it holds, and any non-zero flag as 1;
  // only Load ignores the value bytes of a null.
  KsNull_short held[] = {Number<int16_t>(5)};
  held[0].isNull = 7;
  EXPECT_EQ(Stored(KsNULL_2B_T, held, kBig), (Bytes{0x01, 0x00, 0x05}));
}

TEST(NullableStorage, LoadTakesOnlyFlagByteOneAsNull) {
  KsTypeMgr mgr;
  // Flag 2 with 258, flag 1 with 258, flag 0 with 7, big-endian.
  const Bytes stored = {0x02, 0x01, 0x02, 0x01, 0x01, 0x02, 0x00, 0x00, 0x07};
  KsNull_short loaded[3] = {Number<int16_t>(99), Number<int16_t>(99), Null<int16_t>()};
  EXPECT_EQ(mgr.Load(KsNULL_2B_T, loaded, const_cast<unsigned char*>(stored.data()), kBig, 3), 9u);
  EXPECT_EQ((std::array<int, 6>{loaded[0].isNull, loaded[0].value, loaded[1].isNull, loaded[1].value,
                                loaded[2].isNull, loaded[2].value}),
            (std::array<int, 6>{0, 258, 1, 0, 0, 7}));
}

TEST(NullableStorage, TranslateWithBit8IsTheMemoryForm) {
  KsTypeMgr mgr;
  KsNull_int from[] = {Number(3), Null<int>()}, to[2] = {Number(9), Number(9)};
  EXPECT_EQ(mgr.Translate(KsNULL_INT_T, to, kValueFirst, 0, from, kValueFirst, 0, 2), 16u);
  EXPECT_EQ(to[0].value, 3);
  EXPECT_EQ(to[1].isNull, 1);
  // Between stored forms the bytes travel as they are, zero-padded.
  const Bytes stored = {0x00, 1, 2, 3, 4};
  Bytes padded(8, 0xEE);
  EXPECT_EQ(mgr.Translate(KsNULL_INT_T, padded.data(), kBig, 8, const_cast<unsigned char*>(stored.data()),
                          kLittle, 5, 1),
            5u);
  EXPECT_EQ(padded, (Bytes{0x00, 1, 2, 3, 4, 0, 0, 0}));
}

TEST(NullableOrder, NullsSortFirstThenTheBaseOrder) {
  KsTypeMgr mgr;
  struct Case {
    KsNull_long a, b;
    int expected;
  };
  const Case cases[] = {
      {Null<int32_t>(), Number(-5), -1}, {Null<int32_t>(), Null<int32_t>(), 0},
      {Number(-5), Null<int32_t>(), 1},  {Number(-5), Number(3), -1},
      {Number(3), Number(3), 0},         {Number(INT32_MIN), Null<int32_t>(), 1},
  };
  for (const Case& c : cases) {
    KsNull_long a[] = {c.a}, b[] = {c.b};
    EXPECT_EQ(mgr.Cmp(KsNULL_4B_T, a, b, 0, 1, kValueFirst), c.expected);
    // The stored forms order the same way.
    for (unsigned char format : {kLittle, kBig}) {
      Bytes sa = Stored(KsNULL_4B_T, a, format), sb = Stored(KsNULL_4B_T, b, format);
      EXPECT_EQ(mgr.Cmp(KsNULL_4B_T, sa.data(), sb.data(), 0, 1, format), c.expected);
    }
  }
  // Unsigned members order unsigned; a null is still below 0.
  KsNull_ulong big[] = {Number(0xFFFFFFFFu)}, one[] = {Number(1u)}, none[] = {Null<uint32_t>()};
  EXPECT_EQ(mgr.Cmp(KsNULL_U4B_T, big, one, 0, 1, kValueFirst), 1);
  EXPECT_EQ(mgr.Cmp(KsNULL_U4B_T, none, one, 0, 1, kValueFirst), -1);
}

TEST(NullableOrder, FloatingMembersPutNullBeforeNaNBeforeMinusInfinity) {
  KsTypeMgr mgr;
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  KsNull_double null[] = {Null<double>()}, notANumber[] = {Number(nan)}, minusInf[] = {Number(-inf)},
                zero[] = {Number(0.0)}, minusZero[] = {Number(-0.0)};
  EXPECT_EQ(mgr.Cmp(KsNULL_DOUBLE_T, null, notANumber, 0, 1, kValueFirst), -1);
  EXPECT_EQ(mgr.Cmp(KsNULL_DOUBLE_T, notANumber, minusInf, 0, 1, kValueFirst), -1);
  EXPECT_EQ(mgr.Cmp(KsNULL_DOUBLE_T, minusZero, zero, 0, 1, kValueFirst), 0);
  Bytes a = Stored(KsNULL_DOUBLE_T, notANumber, kBig), b = Stored(KsNULL_DOUBLE_T, null, kBig);
  EXPECT_EQ(mgr.Cmp(KsNULL_DOUBLE_T, a.data(), b.data(), 0, 1, kBig), 1);
}

TEST(NullableOrder, Format1CompareStepsBasePlusOneBytesPerElement) {
  KsTypeMgr mgr;
  // Two packed little-endian elements each: flag, then the value.
  Bytes a = {0, 1, 0, 0, 0, 0, 5, 0, 0, 0};
  Bytes b = {0, 1, 0, 0, 0, 0, 7, 0, 0, 0};
  int status = -1;
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 10, a.data(), 10, b.data(), 0, 2, kLittle, status), -1);
  EXPECT_EQ(status, 0);
  // The hash steps the same way: equal to the memory form of the values.
  KsNull_int memory[] = {Number(1), Number(5)};
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 10, a.data(), 2, kLittle, status),
            mgr.Hash(KsNULL_INT_T, 0, memory, 2, kValueFirst, status));
}

TEST(NullableOrder, ArrayThatRunsOutReportsStatus2101) {
  KsTypeMgr mgr;
  KsNull_int a[] = {Number(1), Number(2), Number(3)};
  int status = 0;
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 8, a, 0, a, 0, 3, kValueFirst, status), 0);
  EXPECT_EQ(status, 2101);
  // A length that cuts a stored element short reads nothing beyond it.
  Bytes stored = Stored(KsNULL_INT_T, a, kBig);
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 7, stored.data(), 7, stored.data(), 0, 3, kBig, status), 0);
  EXPECT_EQ(status, 2101);
}

TEST(NullableOrder, MemoryFlagOtherThanOneIsANumberToCompareAndHash) {
  // Compare and hash read elements as Load does (a flag byte of exactly 1
  // is null), while IsNull answers the flag byte itself.
  KsTypeMgr mgr;
  KsNull_int two[] = {Number(5)}, zero[] = {Number(5)}, null[] = {Null<int>()};
  two[0].isNull = 2;
  EXPECT_EQ(mgr.IsNullValue(KsNULL_INT_T, two), 2);
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, two, zero, 0, 1, kValueFirst), 0);
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, two, null, 0, 1, kValueFirst), 1);
  int status = 0;
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, two, 1, kValueFirst, status), 5u * 1103515245u);
  EXPECT_EQ(Stored(KsNULL_INT_T, two, kBig), (Bytes{0x01, 0, 0, 0, 5})) << "stored, the element becomes null";
}

TEST(NullableOrder, LongArraysGiveTheResultsOfTheElementWalk) {
  KsTypeMgr mgr;
  constexpr unsigned kLong = 700;
  std::vector<KsNull_int> a(kLong), b(kLong);
  for (unsigned i = 0; i < kLong; ++i) a[i] = b[i] = i % 7 == 0 ? Null<int>() : Number(static_cast<int>(i));
  // Nulls whose value bytes differ are still equal.
  a[14].value = 1234;
  Bytes stored(kLong * 5);
  mgr.Store(KsNULL_INT_T, stored.data(), a.data(), kBig, kLong);
  int status = -1;
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 0, a.data(), 0, b.data(), 0, kLong, kValueFirst, status), 0);
  EXPECT_EQ(status, 0);
  b[600].value = 1;
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 0, a.data(), 0, b.data(), 0, kLong, kValueFirst, status), 1);
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 300 * 8, a.data(), 0, b.data(), 0, kLong, kValueFirst, status), 0);
  EXPECT_EQ(status, 2101);
  // A length that ends right after a block still ends the walk there.
  EXPECT_EQ(mgr.Cmp(KsNULL_INT_T, 256 * 8, a.data(), 256 * 8, b.data(), 0, kLong, kValueFirst, status), 0);
  EXPECT_EQ(status, 2101);
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 256 * 8, a.data(), kLong, kValueFirst, status),
            mgr.Hash(KsNULL_INT_T, 256 * 5, stored.data(), kLong, kBig, status));
  EXPECT_EQ(status, 2101);
  // The memory-form hash agrees with the stored form's, walked element by
  // element.
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, a.data(), kLong, kValueFirst, status),
            mgr.Hash(KsNULL_INT_T, 0, stored.data(), kLong, kBig, status));
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 302 * 8 + 3, a.data(), kLong, kValueFirst, status),
            mgr.Hash(KsNULL_INT_T, 303 * 5, stored.data(), kLong, kBig, status));
  EXPECT_EQ(status, 2101);
}

TEST(NullableHash, NullsFoldTheirConstantAndNothingIsMultipliedAfterwards) {
  KsTypeMgr mgr;
  int status = -1;
  KsNull_int oneNull[] = {Null<int>()}, twoNulls[] = {Null<int>(), Null<int>()};
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, oneNull, 1, kValueFirst, status), kNullHash);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, twoNulls, 2, kValueFirst, status), 0u);
  KsNull_int one[] = {Number(1)}, mixed[] = {Number(1), Null<int>()};
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, one, 1, kValueFirst, status), 1103515245u);
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, mixed, 2, kValueFirst, status), 1103515245u ^ kNullHash);
  // Each number hashes as its base type hashes one value.
  KsNull_double d[] = {Number(1.0)};
  double plain = 1.0;
  EXPECT_EQ(mgr.Hash(KsNULL_DOUBLE_T, 0, d, 1, kValueFirst, status),
            mgr.Hash(KsDOUBLE_T, 0, &plain, 1, kValueFirst, status));
  // Stored forms hash like the memory form.
  Bytes stored = Stored(KsNULL_INT_T, mixed, kBig);
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 0, stored.data(), 2, kBig, status), 1103515245u ^ kNullHash);
  EXPECT_EQ(mgr.Hash(KsNULL_INT_T, 5, stored.data(), 2, kBig, status), 1103515245u);
  EXPECT_EQ(status, 2101);
}

TEST(NullableText, NullsPrintAndScanThroughTheNullPrintString) {
  KsTypeMgr mgr;
  NullPrintStringGuard guard;
  KsNull_double null[] = {Null<double>()};
  KsString out;
  mgr.PrintToKsString(KsNULL_DOUBLE_T, out, null);
  EXPECT_STREQ(out.StrGet(), "{NULL}");

  KsTypeMgr::SetNullPrintString(KsString("<nil>"));
  KsNull_int values[] = {Number(1), Null<int>(), Number(-3)};
  KsString list;
  mgr.PrintToKsString(KsNULL_INT_T, list, values, nullptr, 3);
  EXPECT_STREQ(list.StrGet(), "1,<nil>,-3");

  struct Scan {
    const char* text;
    int isNull;
    int value;
  };
  // Letter case counts: "<NIL>" is neither null nor a number.
  const Scan scans[] = {{"<nil>", 1, 0}, {"<nil> and more", 1, 0}, {"", 1, 0},   {"42", 0, 42},
                        {"<NIL>", 0, 0}, {"{NULL}", 0, 0},         {"abc", 0, 0}};
  for (const Scan& s : scans) {
    SCOPED_TRACE(s.text);
    KsNull_int element = Number(77);
    KsString text(s.text);
    EXPECT_EQ(mgr.ScanFromKsString(KsNULL_INT_T, &element, text), &element);
    EXPECT_EQ(element.isNull, s.isNull);
    EXPECT_EQ(element.value, s.value);
  }
  KsString text("5");
  EXPECT_EQ(mgr.ScanFromKsString(KsNULL_INT_T, nullptr, text), nullptr);
}

TEST(NullableText, KsInt64MemberKeepsItsScanFailureValue) {
  // The KsInt64 scan defines a text that does not fit as -1; the family
  // leaves the base scan's result as it is.
  KsTypeMgr mgr;
  KsNull_KsInt64 element = Null<KsInt64>();
  KsString text("abc");
  mgr.ScanFromKsString(KsNULL_KSINT64_T, &element, text);
  EXPECT_EQ(element.isNull, 0);
  EXPECT_EQ(element.value.Get8b(), -1);
  KsString number("0x10");
  mgr.ScanFromKsString(KsNULL_KSINT64_T, &element, number);
  EXPECT_EQ(element.value.Get8b(), 16);
}

TEST(NullableText, ConversionRecordsCarryNullsAsNullStrings) {
  KsTypeMgr mgr;
  KsNull_ushort values[] = {Number<uint16_t>(65535), Null<uint16_t>()};
  KsTypeConvertData* record = mgr.ConvertTo(KsNULL_U2B_T, values, 2);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "65535");
  EXPECT_EQ(record->GetString(1)->IsNullValue(), 1);
  // Three asked of a record of two: the missing text gives a null too.
  auto* back = static_cast<KsNull_ushort*>(mgr.ConvertFrom(KsNULL_U2B_T, record, 3));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ((std::array<int, 4>{back[0].isNull, back[0].value, back[1].isNull, back[2].isNull}),
            (std::array<int, 4>{0, 65535, 1, 1}));
  mgr.Delete(KsNULL_U2B_T, back, 3);
  delete record;
}

// One row per member: a number in the middle, the top of its range and the
// starting value that a null becomes.
template <class T>
void CheckGenerator(char type, T middle, T top, T start) {
  KsTypeMgr mgr;
  SCOPED_TRACE(static_cast<int>(type));
  KsNullable<T> element = Number(middle);
  EXPECT_EQ(mgr.GetValue(type, &element, 1, kValueFirst, 'N'), 0);
  EXPECT_EQ(element.isNull, 0);
  EXPECT_TRUE(element.value > middle);

  element = Number(top);
  EXPECT_EQ(mgr.GetValue(type, &element, 1, kValueFirst, 'M'), 2091);
  EXPECT_EQ(std::memcmp(&element.value, &top, sizeof top), 0);
  EXPECT_EQ(element.isNull, 0);

  element = Null<T>();
  EXPECT_EQ(mgr.GetValue(type, &element, 1, kValueFirst, 'M'), 0);
  EXPECT_EQ(element.isNull, 0);
  EXPECT_EQ(std::memcmp(&element.value, &start, sizeof start), 0);

  // Only 'M' and 'N', and only on the memory form.
  const KsGetValueFunc slot = KsCurrentTypeTable()[static_cast<int>(type)]->getValue;
  for (unsigned char op : {'O', '\2', 'X'}) EXPECT_EQ(slot(&element, 1, kValueFirst, op), -2999);
}

TEST(NullableGenerator, NullsStartAndNumbersStepUntilTheTopOfTheirRange) {
  const float fnan = -std::numeric_limits<float>::quiet_NaN();
  const double dnan = -std::numeric_limits<double>::quiet_NaN();
  CheckGenerator<int8_t>(KsNULL_1B_T, 5, 127, -128);
  CheckGenerator<uint8_t>(KsNULL_U1B_T, 5, 255, 0);
  CheckGenerator<int16_t>(KsNULL_2B_T, 5, 32767, -32768);
  CheckGenerator<uint16_t>(KsNULL_U2B_T, 5, 65535, 0);
  CheckGenerator<int>(KsNULL_INT_T, 5, INT_MAX, INT_MIN);
  CheckGenerator<unsigned>(KsNULL_UNSIGNED_T, 5, UINT_MAX, 0);
  CheckGenerator<int32_t>(KsNULL_4B_T, 5, INT32_MAX, INT32_MIN);
  CheckGenerator<uint32_t>(KsNULL_U4B_T, 5, UINT32_MAX, 0);
  CheckGenerator<float>(KsNULL_FLOAT_T, 1.0f, FLT_MAX, fnan);
  CheckGenerator<double>(KsNULL_DOUBLE_T, 1.0, DBL_MAX, dnan);
  CheckGenerator<KsInt64>(KsNULL_KSINT64_T, KsInt64(5), KsInt64(9223372036854775807LL), KsInt64(0));
  CheckGenerator<int64_t>(KsNULL_8B_T, 5, INT64_MAX, INT64_MIN);
  CheckGenerator<uint64_t>(KsNULL_U8B_T, 5, UINT64_MAX, 0);
}

TEST(NullableGenerator, StoredValuesStepThroughTheTypeManager) {
  KsTypeMgr mgr;
  constexpr unsigned char kStoredKey = 0x81;
  KsNull_ushort values[] = {Null<uint16_t>()};
  Bytes stored = Stored(KsNULL_U2B_T, values, kStoredKey);
  EXPECT_EQ(stored, (Bytes{0x01, 0x00, 0x00}));
  EXPECT_EQ(mgr.GetValue(KsNULL_U2B_T, stored.data(), 1, kStoredKey, 'N'), 0);
  EXPECT_EQ(stored, (Bytes{0x00, 0x00, 0x00}));
  EXPECT_EQ(mgr.GetValue(KsNULL_U2B_T, stored.data(), 1, kStoredKey, 'N'), 0);
  EXPECT_EQ(stored, (Bytes{0x00, 0x01, 0x00}));
  // The slot itself refuses a stored form.
  EXPECT_EQ(KsCurrentTypeTable()[KsNULL_U2B_T]->getValue(values, 1, kBig, 'N'), -2999);
}

struct Member {
  char type;
  unsigned storedValueSize;
};
const Member kMembers[] = {
    {KsNULL_1B_T, 1},       {KsNULL_U1B_T, 1}, {KsNULL_2B_T, 2},  {KsNULL_U2B_T, 2},   {KsNULL_INT_T, 4},
    {KsNULL_UNSIGNED_T, 4}, {KsNULL_4B_T, 4},  {KsNULL_U4B_T, 4}, {KsNULL_FLOAT_T, 4}, {KsNULL_DOUBLE_T, 8},
    {KsNULL_KSINT64_T, 8},  {KsNULL_8B_T, 8},  {KsNULL_U8B_T, 8},
};

std::string Text(KsTypeMgr& mgr, char type, void* values, unsigned count) {
  KsString out;
  mgr.PrintToKsString(type, out, values, nullptr, count);
  return out.StrGet();
}

TEST(NullableRoundTrip, EveryMemberThroughTheTypeManager) {
  KsTypeMgr mgr;
  for (const Member& m : kMembers) {
    char name[32];
    SCOPED_TRACE(mgr.NameGet(m.type, name));

    void* values = mgr.Create(m.type, 3);
    ASSERT_NE(values, nullptr);
    for (unsigned i = 0; i < 3; ++i)
      EXPECT_EQ(mgr.IsNullValue(m.type, mgr.GetArrayElement(m.type, values, i, 3)), 1);
    KsString seven("7"), nine("9");
    mgr.ScanFromKsString(m.type, mgr.GetArrayElement(m.type, values, 0, 3), seven);
    mgr.ScanFromKsString(m.type, mgr.GetArrayElement(m.type, values, 2, 3), nine);
    EXPECT_EQ(mgr.IsNullValue(m.type, values), 0);
    const std::string text = Text(mgr, m.type, values, 3);
    EXPECT_EQ(text, "7,{NULL},9");

    for (unsigned char format : {kLittle, kBig, kValueFirst}) {
      SCOPED_TRACE(static_cast<int>(format));
      Bytes stored(3 * (m.storedValueSize + 1) + 4, 0xEE);
      ASSERT_EQ(mgr.Store(m.type, stored.data(), values, format, 3), 3 * (m.storedValueSize + 1));
      EXPECT_EQ(mgr.DiskLenGet(m.type, nullptr, format, 3), 3 * (m.storedValueSize + 1));
      EXPECT_EQ(mgr.DiskLenGetFromMemFile(m.type, nullptr, format, 3), 3 * (m.storedValueSize + 1));
      EXPECT_EQ(stored.back(), 0xEE) << "no byte written beyond the stored size";
      void* loaded = mgr.Create(m.type, 3);
      EXPECT_EQ(mgr.Load(m.type, loaded, stored.data(), format, 3), 3 * (m.storedValueSize + 1));
      EXPECT_EQ(mgr.Cmp(m.type, values, loaded, 0, 3, kValueFirst), 0);
      EXPECT_EQ(Text(mgr, m.type, loaded, 3), text);

      mgr.Delete(m.type, loaded, 3);
      // Translate to the stored form and back (to Translate, bit 8 names
      // the memory form, so the value-first form is not a destination).
      if (format == kValueFirst) continue;
      Bytes translated(3 * (m.storedValueSize + 1));
      EXPECT_EQ(mgr.Translate(m.type, translated.data(), format, 0, values, kValueFirst, 0, 3),
                3 * (m.storedValueSize + 1));
      EXPECT_EQ(translated, Bytes(stored.begin(), stored.begin() + translated.size()));
      void* back = mgr.Create(m.type, 3);
      mgr.Translate(m.type, back, kValueFirst, 0, translated.data(), format, 0, 3);
      EXPECT_EQ(Text(mgr, m.type, back, 3), text);
      mgr.Delete(m.type, back, 3);
    }

    KsTypeConvertData* record = mgr.ConvertTo(m.type, values, 3);
    ASSERT_NE(record, nullptr);
    void* converted = mgr.ConvertFrom(m.type, record, 3);
    EXPECT_EQ(Text(mgr, m.type, converted, 3), text);
    delete record;
    mgr.Delete(m.type, converted, 3);

    void* copy = mgr.Create(m.type, 3);
    mgr.AssignmentPtrGet(m.type)(copy, values, 3, 0);
    EXPECT_EQ(Text(mgr, m.type, copy, 3), text);
    mgr.CopyPtrGet(m.type)(copy, values, 3, 1);
    EXPECT_EQ(Text(mgr, m.type, copy, 3), "7,7,7");
    mgr.Delete(m.type, copy, 3);

    EXPECT_EQ(mgr.SetNullValue(m.type, values), 0);
    EXPECT_EQ(mgr.IsNullValue(m.type, values), 1);
    void* defaults = mgr.DefaultValue(m.type, 2, 0);
    EXPECT_EQ(Text(mgr, m.type, defaults, 2), "{NULL},{NULL}");
    mgr.Delete(m.type, defaults, 2);
    mgr.Delete(m.type, values, 3);
  }
}

}  // namespace
