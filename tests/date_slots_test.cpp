// The type slots of the nine date and time types through KsTypeMgr: stored bytes in both byte orders,
// the orders in memory and stored form with their wildcards, hash words, conversion-record texts,
// default and generated values, time stamps, and text through the format engine.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "basesvc.h"
#include "ksclock.h"
#include "ksdate.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"
#include "ksodmg.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

namespace {

constexpr unsigned char kLittle = 1, kBig = 2, kMemory = 8;
constexpr unsigned short kNoWildcards = 0xFFFF;

using Bytes = std::vector<unsigned char>;

// The slot itself, for the generators' op 2, which KsTypeMgr refuses.
const KsTypeDescriptor& Slot(KsTypeId type) {
  return *KsCurrentTypeTable()[type];
}

const KsDate kApril15(2021, 4, 15);
const KsTime kTenTwenty(10, 20, 30);
const KsDateTime kStamp(kApril15, kTenTwenty);
const KsDateTimeN kStampN(2021, 4, 15, 10, 20, 30, 1);

// d_Time and friends take the default zone, which some tests change.
class DateSlots : public ::testing::Test {
 protected:
  void TearDown() override {
    d_Time::set_default_Time_Zone(d_Time::GMT);
    KsSetFixedClock(nullptr);
  }
  KsTypeMgr mgr;

  Bytes Stored(KsTypeId type, const void* value, unsigned char format, unsigned count = 1) {
    Bytes out(64 * count, 0xAA);
    const unsigned n =
        mgr.Store(static_cast<char>(type), out.data(), const_cast<void*>(value), format, count);
    out.resize(n);
    return out;
  }

  // One value each, compared in memory or, stored first, in the given stored form.
  int Cmp(KsTypeId type, const void* a, const void* b, unsigned char format, unsigned short flags = 0) {
    const char id = static_cast<char>(type);
    if (format == kMemory) return mgr.Cmp(id, const_cast<void*>(a), const_cast<void*>(b), flags, 1, format);
    Bytes sa = Stored(type, a, format), sb = Stored(type, b, format);
    return mgr.Cmp(id, sa.data(), sb.data(), flags, 1, format);
  }

  // A copy of the one value at made, which is then freed through the slot.
  template <class T>
  T Take(KsTypeId type, void* made) {
    const T value = *static_cast<T*>(made);
    mgr.Delete(static_cast<char>(type), made, 1);
    return value;
  }

  std::string Print(KsTypeId type, const void* value, const char* format = nullptr) {
    KsString out;
    mgr.PrintToKsString(static_cast<char>(type), out, const_cast<void*>(value), format);
    return out.StrGet();
  }
};

struct Golden {
  KsTypeId type;
  const void* value;
  Bytes little;
  Bytes big;
};

TEST_F(DateSlots, GoldenStoredBytesInBothByteOrders) {
  const KsTimeSpan span(0, 1, 2, 3, 4, 5, 6);
  const d_Date date(2021, 4, 15);
  const d_Time time(10, 20, 30.25f, 2, 0);
  const d_Timestamp stamp(date, time);
  const d_Interval interval(0, 0, 0, 1.5f);
  const Golden cases[] = {
      {KsDATE_T, &kApril15, {0xE5, 0x07, 4, 15}, {0x07, 0xE5, 4, 15}},
      {KsTIME_T, &kTenTwenty, {10, 20, 30}, {10, 20, 30}},
      {KsDATIME_T, &kStamp, {0xE5, 0x07, 4, 15, 10, 20, 30}, {0x07, 0xE5, 4, 15, 10, 20, 30}},
      {KsDATIME_N_T,
       &kStampN,
       {0xE5, 0x07, 4, 15, 10, 20, 30, 1, 0, 0, 0},
       {0x07, 0xE5, 4, 15, 10, 20, 30, 0, 0, 0, 1}},
      {KsTIMESPAN_T, &span, {0, 0, 1, 2, 3, 4, 5, 6, 0, 0, 0}, {0, 0, 1, 2, 3, 4, 5, 0, 0, 0, 6}},
      {D_DATE_T, &date, {0xE5, 0x07, 4, 15}, {0x07, 0xE5, 4, 15}},
      {D_TIME_T, &time, {2, 0, 12, 20, 30, 25}, {2, 0, 12, 20, 30, 25}},
      {D_TIMESTAMP_T,
       &stamp,
       {0xE5, 0x07, 4, 15, 2, 0, 12, 20, 30, 25},
       {0x07, 0xE5, 4, 15, 2, 0, 12, 20, 30, 25}},
      {D_INTERVAL_T, &interval, {0x00, 0x00, 0xC0, 0x3F}, {0x3F, 0xC0, 0x00, 0x00}},
  };
  for (const Golden& g : cases) {
    SCOPED_TRACE(static_cast<int>(g.type));
    EXPECT_EQ(Stored(g.type, g.value, kLittle), g.little);
    EXPECT_EQ(Stored(g.type, g.value, kBig), g.big);
    EXPECT_EQ(mgr.DiskLenGet(static_cast<char>(g.type), const_cast<void*>(g.value), kLittle, 3),
              3 * g.little.size());
  }
}

// Arrays of every id through Store, Load and Translate, in both byte orders.
TEST_F(DateSlots, StoreLoadRoundTripOfEveryId) {
  const KsDate dates[3] = {kApril15, KsDate::NullValue(), KsDate(-4713, 11, 24)};
  const KsTime times[3] = {kTenTwenty, KsTime::NullValue(), KsTime(23, 59, 59)};
  const KsDateTime stamps[3] = {kStamp, KsDateTime::NullValue(),
                                KsDateTime(KsDate(-1, -1, 3), KsTime(-1, 0, 0))};
  const KsDateTimeN nanos[3] = {kStampN, KsDateTimeN(), KsDateTimeN(0, 1, 1, 0, 0, 0, -1)};
  const KsTimeSpan spans[3] = {KsTimeSpan(-1, 0, 0, 0, 5), KsTimeSpan(),
                               KsTimeSpan(1, 2, 3, 4, 5, 6, 999999999)};
  const d_Date ddates[3] = {d_Date(2021, 4, 15), d_Date(-2, 255, 0), d_Date(1582, 10, 4)};
  const d_Time dtimes[3] = {d_Time(10, 20, 30.25f, 2, 0), d_Time(0, 0, 0.0f, -5, 30),
                            d_Time(23, 59, 59.99f, 0, 0)};
  const d_Timestamp dstamps[3] = {d_Timestamp(d_Date(2021, 4, 15), dtimes[0]),
                                  d_Timestamp(d_Date(0, 0, 0), dtimes[1]),
                                  d_Timestamp(d_Date(-32768, 1, 1), dtimes[2])};
  const d_Interval intervals[3] = {d_Interval(1, 2, 3, 4.5f), d_Interval(0, -1), d_Interval()};
  const std::pair<KsTypeId, const void*> arrays[] = {
      {KsDATE_T, dates},     {KsTIME_T, times},        {KsDATIME_T, stamps},
      {KsDATIME_N_T, nanos}, {KsTIMESPAN_T, spans},    {D_DATE_T, ddates},
      {D_TIME_T, dtimes},    {D_TIMESTAMP_T, dstamps}, {D_INTERVAL_T, intervals},
  };
  for (const auto& [type, values] : arrays) {
    SCOPED_TRACE(static_cast<int>(type));
    const char id = static_cast<char>(type);
    const unsigned size = mgr.MemLenGet(id, 1);
    for (unsigned char format : {kLittle, kBig}) {
      Bytes stored = Stored(type, values, format, 3);
      ASSERT_EQ(stored.size(), mgr.DiskLenGet(id, const_cast<void*>(values), format, 3));
      Bytes loaded(3 * size, 0);
      EXPECT_EQ(mgr.Load(id, loaded.data(), stored.data(), format, 3), stored.size());
      int status = -1;
      EXPECT_EQ(mgr.Cmp(id, 0, loaded.data(), 0, const_cast<void*>(values), kNoWildcards, 3, kMemory, status),
                0);
      EXPECT_EQ(Stored(type, loaded.data(), format, 3), stored);
      Bytes translated(stored.size(), 0);
      EXPECT_EQ(mgr.Translate(id, translated.data(), format, static_cast<unsigned>(translated.size()),
                              const_cast<void*>(values), kMemory, 0, 3),
                stored.size());
      EXPECT_EQ(translated, stored);
      Bytes back(3 * size, 0);
      EXPECT_EQ(mgr.Translate(id, back.data(), kMemory, 0, stored.data(), format, 0, 3), stored.size());
      EXPECT_EQ(Stored(type, back.data(), format, 3), stored);
    }
  }
  // Memory size 12, stored size 11.
  Bytes out(40, 0);
  EXPECT_EQ(
      mgr.Translate(KsDATIME_N_T, out.data(), kLittle, 40, const_cast<KsDateTimeN*>(nanos), kMemory, 0, 3),
      33u);
}

// Between stored forms the bytes are copied, cut or zero-padded.
TEST_F(DateSlots, TranslateBetweenStoredFormsCopiesBytes) {
  const Bytes src = {1, 2, 3, 4, 5, 6, 7};
  Bytes dst(9, 0xAA);
  EXPECT_EQ(
      mgr.Translate(KsDATIME_T, dst.data(), kBig, 9, const_cast<unsigned char*>(src.data()), kLittle, 7, 1),
      7u);
  EXPECT_EQ(dst, (Bytes{1, 2, 3, 4, 5, 6, 7, 0, 0}));
  Bytes shortDst(3, 0);
  EXPECT_EQ(mgr.Translate(KsDATIME_T, shortDst.data(), kBig, 3, const_cast<unsigned char*>(src.data()),
                          kLittle, 7, 1),
            3u);
  EXPECT_EQ(shortDst, (Bytes{1, 2, 3}));
}

// The memory order is the classes' own Compare, a field difference, as the index code expects.
TEST_F(DateSlots, MemoryCompareIsNotNormalised) {
  const KsDate june(2021, 6, 15);
  const d_Date a(2021, 4, 15), b(2021, 6, 15);
  const d_Time t1(10, 5, 0.0f), t2(10, 2, 0.0f);
  EXPECT_EQ(Cmp(KsDATE_T, &kApril15, &june, kMemory), -2);
  EXPECT_EQ(Cmp(D_DATE_T, &a, &b, kMemory), -61);
  EXPECT_EQ(Cmp(D_TIME_T, &t1, &t2, kMemory), 3);
  EXPECT_EQ(Cmp(KsDATE_T, &kApril15, &june, kBig), -1) << "the stored order answers -1 or 1";
}

// An all-ones stored field matches anything in the second operand; in the first it is a number.
TEST_F(DateSlots, StoredWildcardsSitInTheSecondOperandOnly) {
  const KsDate anyYear(-1, 4, 15);  // stored year 0xFFFF
  // Memory form: -1 on either side is a wildcard.
  EXPECT_EQ(Cmp(KsDATE_T, &kApril15, &anyYear, kMemory), 0);
  EXPECT_EQ(Cmp(KsDATE_T, &anyYear, &kApril15, kMemory), 0);
  EXPECT_EQ(Cmp(KsDATE_T, &anyYear, &kApril15, kMemory, 0x10), -2022);
  KsDateTimeN anyNanos = kStampN;
  anyNanos.nanoseconds = -1;
  const d_Date day(2021, 4, 15), anyDay(2021, 4, 255);
  // d_Time has no wildcard fields.
  const d_Time time(10, 0, 0.0f, 0, 0), anyMinute = d_Time::FromFields(0, 0, 10, -1, 0, 0);
  for (unsigned char format : {kLittle, kBig}) {
    EXPECT_EQ(Cmp(KsDATE_T, &kApril15, &anyYear, format), 0);
    EXPECT_EQ(Cmp(KsDATE_T, &kApril15, &anyYear, format, 0x10), 1);
    EXPECT_EQ(Cmp(KsDATE_T, &anyYear, &kApril15, format), -1);
    EXPECT_EQ(Cmp(KsDATIME_N_T, &kStampN, &anyNanos, format), 0);
    EXPECT_EQ(Cmp(KsDATIME_N_T, &kStampN, &anyNanos, format, 0x10), 1);
    EXPECT_EQ(Cmp(KsDATIME_N_T, &anyNanos, &kStampN, format), -1);
    EXPECT_EQ(Cmp(D_DATE_T, &day, &anyDay, format), 0);
    EXPECT_EQ(Cmp(D_DATE_T, &day, &anyDay, format, 0x10), 1);  // signed byte: 15 > -1
    EXPECT_EQ(Cmp(D_TIME_T, &time, &anyMinute, format), 1);
  }
}

// The stored d_Date year orders unsigned (-2 is 0xFFFE); memory day numbers and KsDate's year are signed.
TEST_F(DateSlots, StoredDDateYearOrdersUnsigned) {
  const d_Date minus2(-2, 1, 1), plus1(1, 1, 1);
  const KsDate k1(-2, 1, 1), k2(1, 1, 1);
  EXPECT_LT(Cmp(D_DATE_T, &minus2, &plus1, kMemory), 0);
  for (unsigned char format : {kLittle, kBig}) {
    EXPECT_EQ(Cmp(D_DATE_T, &minus2, &plus1, format, 0x10), 1);
    EXPECT_EQ(Cmp(KsDATE_T, &k1, &k2, format, 0x10), -1);
  }
}

TEST_F(DateSlots, CompareAndHashStopAtTheGivenLengths) {
  KsDateTime a[3] = {kStamp, kStamp, kStamp};
  KsDateTime b[3] = {kStamp, kStamp, KsDateTime(kApril15, KsTime(10, 20, 31))};
  int status = 0;
  EXPECT_EQ(mgr.Cmp(KsDATIME_T, 0, a, 0, b, kNoWildcards, 3, kMemory, status), -1);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(mgr.Cmp(KsDATIME_T, 16, a, 0, b, kNoWildcards, 3, kMemory, status), 0);
  EXPECT_EQ(status, 2101);
  Bytes sa = Stored(KsDATIME_T, a, kLittle, 3), sb = Stored(KsDATIME_T, b, kLittle, 3);
  EXPECT_EQ(mgr.Cmp(KsDATIME_T, 0, sa.data(), 0, sb.data(), kNoWildcards, 3, kLittle, status), -1);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(mgr.Cmp(KsDATIME_T, 14, sa.data(), 21, sb.data(), kNoWildcards, 3, kLittle, status), 0);
  EXPECT_EQ(status, 2101);
  // A length that cuts an element short reads no byte beyond it.
  EXPECT_EQ(mgr.Cmp(KsDATIME_T, 3, sa.data(), 3, sb.data(), kNoWildcards, 2, kLittle, status), 0);
  EXPECT_EQ(status, 2101);
  EXPECT_EQ(mgr.Hash(KsDATIME_T, 7, sa.data(), 3, kLittle, status), 0xF5D5053Du);
  EXPECT_EQ(status, 2101);
  EXPECT_EQ(mgr.Hash(KsDATIME_T, 0, sa.data(), 0, kLittle, status), 0u);
}

// The first pair that differs in the order decides, far behind equal runs; a wildcard does not differ.
TEST_F(DateSlots, CompareFindsTheFirstDifferenceInLongArrays) {
  constexpr unsigned kCount = 1500;
  std::vector<KsDate> dates;
  for (unsigned i = 0; i < kCount; ++i) dates.push_back(KsDate(static_cast<int>(2459000 + i)));
  for (unsigned char format : {kLittle, kBig}) {
    Bytes a = Stored(KsDATE_T, dates.data(), format, kCount);
    Bytes b = a;
    b[1000 * 4] = b[1000 * 4 + 1] = 0xFF;  // year of element 1000: any
    b[1200 * 4 + 3] += 1;                  // element 1200 later
    b[1300 * 4 + 3] -= 1;                  // element 1300 earlier
    int status = -1;
    EXPECT_EQ(mgr.Cmp(KsDATE_T, 0, a.data(), 0, b.data(), 0, kCount, format, status), -1);
    EXPECT_EQ(status, 0);
    // Swapped, the all-ones year is in the first operand: year -1 sorts first.
    EXPECT_EQ(mgr.Cmp(KsDATE_T, 0, b.data(), 0, a.data(), 0, kCount, format, status), -1);
    EXPECT_EQ(
        mgr.Cmp(KsDATE_T, 0, b.data() + 1001 * 4, 0, a.data() + 1001 * 4, 0, kCount - 1001, format, status),
        1);
    EXPECT_EQ(mgr.Cmp(KsDATE_T, 0, a.data(), 0, b.data(), 0x10, kCount, format, status), 1)
        << "year 0xFFFF is -1";
    EXPECT_EQ(mgr.Cmp(KsDATE_T, 1200 * 4, a.data(), 0, b.data(), 0, kCount, format, status), 0);
    EXPECT_EQ(status, 2101);
    EXPECT_EQ(mgr.Cmp(KsDATE_T, 0, a.data(), 0, b.data(), 0, 1200, format, status), 0);
    EXPECT_EQ(status, 0);
  }
}

// Date and clock words hash alike in memory and stored form; stored nanosecond types read the word
// at offset 6 (second byte and three nanosecond bytes), so their hashes differ.
TEST_F(DateSlots, HashWordsOfMemoryAndStoredForms) {
  const d_Date date(2021, 4, 15);
  const d_Time time(10, 20, 30.25f, 2, 0);
  const d_Timestamp stamp(date, time);
  struct Case {
    KsTypeId type;
    const void* value;
    unsigned memory, little, big;
  };
  const Case cases[] = {
      {KsDATE_T, &kApril15, 0x16594C63, 0x16594C63, 0x16594C63},
      {KsTIME_T, &kTenTwenty, 0x439FB4C6, 0x439FB4C6, 0x439FB4C6},
      {KsDATIME_T, &kStamp, 0xF5D5053D, 0xF5D5053D, 0xF5D5053D},
      {KsDATIME_N_T, &kStampN, 0xB40EB6D0, 0x3896D563, 0x9FD5053D},
      {D_DATE_T, &date, 0x16594C63, 0x16594C63, 0x16594C63},
      {D_TIME_T, &time, 0x17C130C6, 0xC6C2F905, 0xC6C2F905},
      {D_TIMESTAMP_T, &stamp, 0xD501E93D, 0x6F7759BE, 0x6F7759BE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    const char id = static_cast<char>(c.type);
    int status = -1;
    EXPECT_EQ(mgr.Hash(id, 0, const_cast<void*>(c.value), 1, kMemory, status), c.memory);
    EXPECT_EQ(status, 0);
    Bytes little = Stored(c.type, c.value, kLittle), big = Stored(c.type, c.value, kBig);
    EXPECT_EQ(mgr.Hash(id, 0, little.data(), 1, kLittle, status), c.little);
    EXPECT_EQ(mgr.Hash(id, 0, big.data(), 1, kBig, status), c.big);
  }
  KsDate two[2] = {kApril15, KsDate(2021, 6, 15)};
  int status = 0;
  EXPECT_EQ(mgr.Hash(KsDATE_T, 0, two, 2, kMemory, status), 0x8C9CDA00u);
  // d_Time's memory word takes the seconds' low 16 bits unsigned: -1 adds 0xFFFF.
  d_Time minusOne = d_Time::FromFields(0, 0, 10, 20, -1, 0);
  EXPECT_EQ(mgr.Hash(D_TIME_T, 0, &minusOne, 1, kMemory, status), 0x6F2AB193u);
}

struct TextCase {
  KsTypeId type;
  const void* value;
  const char* text;
};

// Texts of day numbers and seconds. Nanoseconds follow the dot as a plain number: 5 ns is ".5", which
// reads back as 5 ns, not half a second. The ODMG times and intervals lose their fractions of a second.
TEST_F(DateSlots, ConversionRecordTexts) {
  const KsDateTimeN fiveNanos(2021, 4, 15, 10, 20, 30, 5);
  const KsTimeSpan span(1, 2, 3, 4, 500000000);
  const d_Date date(2021, 4, 15);
  const d_Time time(10, 20, 30.75f, 0, 0);
  const d_Timestamp stamp(date, time);
  const d_Interval interval(1, 2, 3, 4.5f);
  struct Case {
    KsTypeId type;
    const void* value;
    const char* text;
    bool exact;  // the text reads back as the same value
  };
  const Case cases[] = {
      {KsDATE_T, &kApril15, "2459320", true},
      {KsTIME_T, &kTenTwenty, "37230", true},
      {KsDATIME_T, &kStamp, "2459320:37230", true},
      {KsDATIME_N_T, &fiveNanos, "2459320:37230.5", true},  // unpadded nanoseconds
      {KsDATIME_N_T, &kStamp, "2459320:37230", true},       // none when 0 (a KsDateTimeN with 0 ns)
      {KsTIMESPAN_T, &span, "93784.5", true},
      {D_DATE_T, &date, "2459320", true},
      {D_TIME_T, &time, "37230", false},
      {D_TIMESTAMP_T, &stamp, "2459320:37230", false},
      {D_INTERVAL_T, &interval, "93784", false},
  };
  KsDateTimeN plain(kStamp);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const char id = static_cast<char>(c.type);
    void* value = const_cast<void*>(c.value == static_cast<const void*>(&kStamp) ? &plain : c.value);
    KsTypeConvertData* record = mgr.ConvertTo(id, value, 1);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->GetString(0)->StrGet(), c.text);
    void* back = mgr.ConvertFrom(id, record, 1);
    if (c.exact) {
      EXPECT_EQ(Stored(c.type, back, kLittle), Stored(c.type, value, kLittle));
    }
    EXPECT_EQ(Print(c.type, back, "%Y-%m-%d %H:%M:%S"), Print(c.type, value, "%Y-%m-%d %H:%M:%S"));
    mgr.Delete(id, back, 1);
    delete record;
  }
}

// Null values travel as null strings; null or missing strings read as null (ODMG types: all zero).
TEST_F(DateSlots, NullTextsAndMissingTexts) {
  KsDate null = KsDate::NullValue();
  KsTypeConvertData* record = mgr.ConvertTo(KsDATE_T, &null, 1);
  EXPECT_EQ(record->GetString(0)->IsNullValue(), 1);
  EXPECT_EQ(Take<KsDate>(KsDATE_T, mgr.ConvertFrom(KsDATE_T, record, 1)).IsNullValue(), 1);
  delete record;

  KsTypeConvertData* none = KsTypeConvertData::Make(KsSTRING_T, 0, nullptr, nullptr);
  EXPECT_EQ(Take<d_Date>(D_DATE_T, mgr.ConvertFrom(D_DATE_T, none, 1)) == d_Date(0, 0, 0), 1);
  const d_Timestamp stamp = Take<d_Timestamp>(D_TIMESTAMP_T, mgr.ConvertFrom(D_TIMESTAMP_T, none, 1));
  EXPECT_EQ(stamp.date() == d_Date(0, 0, 0), 1);
  EXPECT_EQ(stamp.hour(), 0);
  EXPECT_EQ(Take<KsTimeSpan>(KsTIMESPAN_T, mgr.ConvertFrom(KsTIMESPAN_T, none, 1)).IsNullValue(), 1);
  delete none;

  // The text of a zero span reads back as the created value, which is null.
  KsTimeSpan zero(0, 0, 0, 0, 0);
  record = mgr.ConvertTo(KsTIMESPAN_T, &zero, 1);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "0");
  EXPECT_EQ(Take<KsTimeSpan>(KsTIMESPAN_T, mgr.ConvertFrom(KsTIMESPAN_T, record, 1)).IsNullValue(), 1);
  delete record;
}

TEST_F(DateSlots, TextReadersSurviveArbitraryText) {
  const char* texts[] = {
      "",      ":",      "::::", "99999999999999:99999999999.99999999999", "-2147483648:-1.-1", "abc", ".5",
      "1e400", "-1e400", "nan"};
  for (KsTypeId type : {KsDATE_T, KsTIME_T, KsDATIME_T, KsDATIME_N_T, KsTIMESPAN_T, D_DATE_T, D_TIME_T,
                        D_TIMESTAMP_T, D_INTERVAL_T}) {
    for (const char* text : texts) {
      auto* strings = static_cast<KsString*>(mgr.Create(KsSTRING_T, 1));
      strings[0] = text;
      KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, 1, strings, &mgr);
      void* values = mgr.ConvertFrom(static_cast<char>(type), record, 1);
      ASSERT_NE(values, nullptr);
      mgr.Delete(static_cast<char>(type), values, 1);
      delete record;
    }
  }
}

// d_Date has no null value: it takes that of an empty (not null) text, day number 0 - 1, -4712-01-01.
TEST_F(DateSlots, SetNullValueOfDDateIsTheDateOfAnEmptyText) {
  d_Date date(2021, 4, 15);
  EXPECT_EQ(mgr.SetNullValue(D_DATE_T, &date), 0);
  EXPECT_EQ(Stored(D_DATE_T, &date, kLittle), (Bytes{0x98, 0xED, 1, 1}));
  EXPECT_EQ(mgr.IsNullValue(D_DATE_T, &date), 0);
  auto* defaults = static_cast<d_Date*>(mgr.DefaultValue(D_DATE_T, 2, 1));
  EXPECT_EQ(defaults[1] == d_Date(-4712, 1, 1), 1);
  mgr.Delete(D_DATE_T, defaults, 2);
  d_Interval interval(1);
  EXPECT_EQ(mgr.SetNullValue(D_INTERVAL_T, &interval), 0);
  EXPECT_EQ(interval.seconds(), 0.0f);
}

TEST_F(DateSlots, DefaultAndNullValues) {
  EXPECT_EQ(Take<KsDate>(KsDATE_T, mgr.DefaultValue(KsDATE_T, 1, 0)) == KsDate(-4713, 11, 24), 1);
  EXPECT_EQ(Take<KsDate>(KsDATE_T, mgr.DefaultValue(KsDATE_T, 1, 1)).IsNullValue(), 1);
  const KsDateTime stamp = Take<KsDateTime>(KsDATIME_T, mgr.DefaultValue(KsDATIME_T, 1, 0));
  EXPECT_EQ(stamp.date == KsDate(-4713, 11, 24), 1);
  EXPECT_EQ(stamp.time == KsTime(0, 0, 0), 1);
  EXPECT_EQ(Take<KsDateTimeN>(KsDATIME_N_T, mgr.DefaultValue(KsDATIME_N_T, 1, 0)).IsNullValue(), 1);
  KsTime time = kTenTwenty;
  EXPECT_EQ(mgr.SetNullValue(KsTIME_T, &time), 0);
  EXPECT_EQ(mgr.IsNullValue(KsTIME_T, &time), 1);
}

TEST_F(DateSlots, GeneratorsOfTheCalendarClasses) {
  KsDate date(2021, 12, 31);
  EXPECT_EQ(mgr.GetValue(KsDATE_T, &date, 1, kMemory, 'M'), 0);
  EXPECT_EQ(date == KsDate(2022, 1, 1), 1);
  EXPECT_EQ(mgr.GetValue(KsDATE_T, &date, 1, kMemory, 2), -2999) << "op 2 is for direct calls of the slot";
  EXPECT_EQ(Slot(KsDATE_T).getValue(&date, 1, kMemory, 2), 0);
  EXPECT_EQ(date.IsNullValue(), 1);
  KsTime late(23, 59, 59);
  EXPECT_EQ(mgr.GetValue(KsTIME_T, &late, 1, kMemory, 'N'), 2091);
  EXPECT_EQ(late == KsTime(23, 59, 59), 1);
  KsDateTimeN n(2021, 4, 15, 23, 59, 59, 999999999);
  EXPECT_EQ(mgr.GetValue(KsDATIME_N_T, &n, 1, kMemory, 'M'), 0);
  EXPECT_EQ(n == KsDateTimeN(2021, 4, 16, 0, 0, 0, 0), 1);
  EXPECT_EQ(Slot(KsDATIME_N_T).getValue(&n, 1, kMemory, 2), 0);
  EXPECT_EQ(n.nanoseconds, INT_MIN);
  EXPECT_EQ(n.dateTime.date.year, -32768);
  KsTimeSpan span(0, 0, 0, 0, 0);
  EXPECT_EQ(mgr.GetValue(KsTIMESPAN_T, &span, 1, kMemory, 'O'), 0);
  EXPECT_EQ(span.IsZeroValue(), 1);
  EXPECT_EQ(mgr.GetValue(KsDATIME_T, const_cast<KsDateTime*>(&kStamp), 1, kLittle, 7), -2999);

  const KsFixedClock clock{1618482030, 250000000, 0, true};  // 2021-04-15 10:20:30.25 UTC
  KsSetFixedClock(&clock);
  KsDateTime now(KsDate(0, 1, 1), KsTime(0, 0, 0));
  EXPECT_EQ(mgr.GetValue(KsDATIME_T, &now, 1, kMemory, 'O'), 0);
  EXPECT_EQ(now == kStamp, 1);
  d_Timestamp odmgNow(0, 0, 0);
  EXPECT_EQ(mgr.GetValue(D_TIMESTAMP_T, &odmgNow, 1, kMemory, 'O'), 0);
  EXPECT_EQ(odmgNow == d_Timestamp(2021, 4, 15, 10, 20, 30.0f), 1);

  // A stored value is loaded, stepped and stored back.
  Bytes stored = Stored(KsDATE_T, &kApril15, kLittle);
  EXPECT_EQ(mgr.GetValue(KsDATE_T, stored.data(), 1, kLittle, 'M'), 0);
  EXPECT_EQ(stored, (Bytes{0xE5, 0x07, 4, 16}));
}

// The ODMG generators step by a hundredth, counted only when the value grows under an order that sees
// hundredths: 23:59:59.99 wraps to 00:00 and is refused; a stamp on the 15th is a float of 1,332,000 s
// whose step is 1/8 s, so adding 0.01 s changes nothing and is refused.
TEST_F(DateSlots, OdmgSuccessorsAreHundredthsUnderAnExactOrder) {
  d_Time ten(10, 0, 0.0f);
  EXPECT_EQ(mgr.GetValue(D_TIME_T, &ten, 1, kMemory, 'M'), 0);
  EXPECT_EQ(ten.wholeSecond, 0);
  EXPECT_EQ(ten.hundredths, 1);
  d_Time last(23, 59, 59.99f);
  EXPECT_EQ(mgr.GetValue(D_TIME_T, &last, 1, kMemory, 'M'), 2091);
  EXPECT_EQ(last.hundredths, 99);
  d_Timestamp mid(2021, 4, 15, 10);
  EXPECT_EQ(mgr.GetValue(D_TIMESTAMP_T, &mid, 1, kMemory, 'N'), 2091);
  // On the 1st the step is 1/128 s, which is no whole hundredth.
  d_Timestamp first(2021, 4, 1, 10);
  EXPECT_EQ(mgr.GetValue(D_TIMESTAMP_T, &first, 1, kMemory, 'N'), 2091);
  EXPECT_EQ(first == d_Timestamp(2021, 4, 1, 10), 1);
  d_Interval big = d_Interval::FromSeconds(262144.0f);
  EXPECT_EQ(mgr.GetValue(D_INTERVAL_T, &big, 1, kMemory, 'M'), 2091);
  d_Interval small;
  EXPECT_EQ(mgr.GetValue(D_INTERVAL_T, &small, 1, kMemory, 'M'), 0);
  EXPECT_EQ(small.seconds(), 0.01f);
}

// d_Date starts at (-32768, 0, 0); by the truncating day-number formula its successor is (-32767, 0, 3).
TEST_F(DateSlots, OdmgStartingValuesAndTheirSuccessors) {
  d_Date date(2021, 4, 15);
  EXPECT_EQ(Slot(D_DATE_T).getValue(&date, 1, kMemory, 2), 0);
  EXPECT_EQ(date == d_Date(-32768, 0, 0), 1);
  EXPECT_EQ(mgr.GetValue(D_DATE_T, &date, 1, kMemory, 'M'), 0);
  EXPECT_EQ(date.year(), -32767);
  EXPECT_EQ(date.month(), 0);
  EXPECT_EQ(date.day(), 3);
  // Times made by the generator take the default zone.
  d_Time::set_default_Time_Zone(d_Time::GMT2);
  d_Time time(10, 0, 0.0f);
  EXPECT_EQ(Slot(D_TIME_T).getValue(&time, 1, kMemory, 2), 0);
  EXPECT_EQ(Stored(D_TIME_T, &time, kLittle), (Bytes{2, 0, 2, 0, 0, 0}));
  d_Timestamp stamp(2021, 4, 15);
  EXPECT_EQ(Slot(D_TIMESTAMP_T).getValue(&stamp, 1, kMemory, 2), 0);
  EXPECT_EQ(Stored(D_TIMESTAMP_T, &stamp, kBig), (Bytes{0, 0, 0, 0, 2, 0, 2, 0, 0, 0}));
}

struct StampCase {
  KsTypeId type;
  Bytes little;
};

TEST_F(DateSlots, StoreTimeStampOfEachType) {
  KsDateTimeN stamp(2021, 4, 15, 10, 20, 30, 250000000);
  const StampCase cases[] = {
      {KsDATE_T, {0xE5, 0x07, 4, 15}},
      {KsTIME_T, {10, 20, 30}},
      {KsDATIME_T, {0xE5, 0x07, 4, 15, 10, 20, 30}},
      {KsDATIME_N_T, {0xE5, 0x07, 4, 15, 10, 20, 30, 0x80, 0xB2, 0xE6, 0x0E}},
      {D_DATE_T, {0xE5, 0x07, 4, 15}},
      {D_TIME_T, {0, 0, 10, 20, 30, 25}},
      {D_TIMESTAMP_T, {0xE5, 0x07, 4, 15, 0, 0, 10, 20, 30, 25}},
  };
  for (const StampCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    Bytes out(16, 0xAA);
    EXPECT_EQ(mgr.StoreTimeStamp(static_cast<char>(c.type), out.data(), kLittle, &stamp),
              static_cast<int>(c.little.size()));
    out.resize(c.little.size());
    EXPECT_EQ(out, c.little);
  }
  Bytes out(16, 0);
  EXPECT_EQ(mgr.StoreTimeStamp(KsDATE_T, out.data(), kLittle, nullptr), -2999);
  EXPECT_EQ(mgr.StoreTimeStamp(KsTIMESPAN_T, out.data(), kLittle, &stamp), -2999);
  EXPECT_EQ(mgr.StoreTimeStamp(D_INTERVAL_T, out.data(), kLittle, &stamp), -2999);
}

// The seconds reach d_Time as a float: 30.07 (30.0699997) gives 6 hundredths, 30.99 gives 98.
TEST_F(DateSlots, StoreTimeStampHundredthsComeFromTheFloatSecond) {
  struct Case {
    int nanos;
    unsigned char hundredths;
  };
  for (const Case c : {Case{70000000, 6}, Case{990000000, 98}, Case{250000000, 25}, Case{0, 0}}) {
    KsDateTimeN stamp(2021, 4, 15, 10, 20, 30, c.nanos);
    Bytes out(6, 0);
    mgr.StoreTimeStamp(D_TIME_T, out.data(), kBig, &stamp);
    EXPECT_EQ(out[4], 30) << c.nanos;
    EXPECT_EQ(out[5], c.hundredths) << c.nanos;
  }
}

TEST_F(DateSlots, MillisecondClock) {
  const KsFixedClock clock{1, 500000000, 0, true};
  KsSetFixedClock(&clock);
  KsInt64 ms(77);
  EXPECT_EQ(GetSystemTimeInMSSinceTheEpoch(ms), 0);
  EXPECT_EQ(ms.Get8b(), 1500);
  const KsFixedClock later{1618482030, 123456789, 0, true};
  KsSetFixedClock(&later);
  GetSystemTimeInMSSinceTheEpoch(ms);
  EXPECT_EQ(ms.Get8b(), 1618482030123LL);
}

TEST_F(DateSlots, PrintWithTheDescriptorsDefaultFormats) {
  const KsDateTimeN n(2021, 4, 15, 14, 5, 9, 500000000);
  const KsTimeSpan span(1, 2, 3, 4, 500000000);
  const d_Date date(2021, 4, 15);
  const d_Time time(14, 5, 9.5f, 2, 0);
  const d_Timestamp stamp(date, time);
  const d_Interval interval(1, 13, 5, 9.5f);
  const KsDate null = KsDate::NullValue();
  const TextCase cases[] = {
      {KsDATE_T, &kApril15, "Thu 15.Apr 2021"},
      {KsTIME_T, &kTenTwenty, "10:20:30 AM"},
      {KsDATIME_T, &kStamp, "Thu 15.Apr 2021 10:20:30 AM"},
      {KsDATIME_N_T, &n, "2021-04-15T14:05:09.500"},
      {KsTIMESPAN_T, &span, "1.02:03:04.500"},
      {D_DATE_T, &date, "Thu Apr 15"},
      {D_TIME_T, &time, "02:05:09 PM"},
      {D_TIMESTAMP_T, &stamp, "Thu Apr 15 02:05:09 PM"},
      {D_INTERVAL_T, &interval, "01 days, 01 hours, 05 minutes, 09 seconds"},
      {KsDATE_T, &null, "{NULL}"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(Print(c.type, c.value), c.text) << c.type;
  KsString out("kept");
  const KsDate two[2] = {kApril15, KsDate(2021, 4, 16)};
  mgr.PrintToKsString(KsDATE_T, out, const_cast<KsDate*>(two), "%d", 2);
  EXPECT_STREQ(out.StrGet(), "kept15,16");
}

// The default formats lose fields by design: d_Date's has no year, so a scan starts it at 0; d_Interval's
// %I runs without the 12-hour mode, so 13 hours print as 01 and read back as one hour; %a names the
// proleptic Gregorian weekday, which before the switch differs from day_of_week().
TEST_F(DateSlots, DefaultFormatRoundTripsLoseFields) {
  d_Date date(2021, 4, 15);
  KsString text(Print(D_DATE_T, &date).c_str());
  d_Date back(1999, 1, 1);
  EXPECT_EQ(mgr.ScanFromKsString(D_DATE_T, &back, text), &back);
  EXPECT_EQ(back == d_Date(0, 4, 15), 1);

  d_Interval interval(0, 13);
  KsString intervalText(Print(D_INTERVAL_T, &interval).c_str());
  EXPECT_STREQ(intervalText.StrGet(), "00 days, 01 hours, 00 minutes, 00 seconds");
  d_Interval scanned;
  mgr.ScanFromKsString(D_INTERVAL_T, &scanned, intervalText);
  EXPECT_EQ(scanned.seconds(), 3600.0f);

  // d_Time prints neither hundredths nor zone, and reads back in the
  // default zone.
  d_Time zoned(14, 5, 9.5f, 3, 0);
  KsString timeText(Print(D_TIME_T, &zoned).c_str());
  EXPECT_STREQ(timeText.StrGet(), "02:05:09 PM");
  d_Time timeBack(0);
  mgr.ScanFromKsString(D_TIME_T, &timeBack, timeText);
  EXPECT_EQ(Stored(D_TIME_T, &timeBack, kLittle), (Bytes{0, 0, 14, 5, 9, 0}));

  d_Date switchDay(1582, 10, 4);  // a Thursday by day_of_week()
  EXPECT_EQ(Print(D_DATE_T, &switchDay), "Mon Oct 04");
}

// Print and scan with formats that carry every field the text form has.
TEST_F(DateSlots, PrintScanRoundTripWithFullFormats) {
  d_Time::set_default_Time_Zone(d_Time::GMT_5);
  const KsDateTimeN n(2021, 4, 15, 14, 5, 9, 123456789);
  const KsTimeSpan span(40, 2, 3, 4, 500000000);
  const d_Date date(2021, 4, 15);
  const d_Time time(14, 5, 9.0f);
  const d_Timestamp stamp(date, time);
  const d_Interval interval(1, 13, 5, 9.0f);
  struct Case {
    KsTypeId type;
    const void* value;
    const char* format;
  };
  const Case cases[] = {
      {KsDATE_T, &kApril15, "%Y-%m-%d"},
      {KsTIME_T, &kTenTwenty, "%H:%M:%S"},
      {KsDATIME_T, &kStamp, "%O"},
      {KsDATIME_N_T, &n, "%X"},
      {KsTIMESPAN_T, &span, "%V"},
      {D_DATE_T, &date, "%Y-%m-%d"},
      {D_TIME_T, &time, "%H:%M:%S"},
      {D_TIMESTAMP_T, &stamp, "%A %d %B %Y %I:%M:%S %p"},
      {D_INTERVAL_T, &interval, "%e days, %H:%M:%S"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const char id = static_cast<char>(c.type);
    KsString text(Print(c.type, c.value, c.format).c_str());
    void* back = mgr.Create(id, 1);
    EXPECT_EQ(mgr.ScanFromKsString(id, back, text, c.format), back);
    EXPECT_EQ(Stored(c.type, back, kLittle), Stored(c.type, c.value, kLittle)) << text.StrGet();
    mgr.Delete(id, back, 1);
  }
}

TEST_F(DateSlots, ScanFailureAndNullText) {
  KsDate date = kApril15;
  KsString shortText("2021-04");
  EXPECT_EQ(mgr.ScanFromKsString(KsDATE_T, &date, shortText, "%Y-%m-%d"), nullptr);
  EXPECT_EQ(date == KsDate(2021, 4, 0), 1);
  KsString nullText("{NULL}");
  EXPECT_NE(mgr.ScanFromKsString(KsDATE_T, &date, nullText), nullptr);
  EXPECT_EQ(date.IsNullValue(), 1);
}

}  // namespace
