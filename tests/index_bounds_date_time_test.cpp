// Index range evaluation of the date and time types: day numbers and seconds, wildcard fields widened
// into a key range and the recorded bounds, the flag mask and the missing-bounds rule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "index_bounds_support.h"

namespace {

using namespace ks::testing;

Bytes DateTime(int year, int month, int day, int hour, int minute, int second, unsigned char format = 1) {
  return Join(Date(year, month, day, format), Time(hour, minute, second));
}

// KsDateTimeN and KsTimeSpan: the KsDateTime form, then 32-bit nanoseconds.
Bytes DateTimeN(int year, int month, int day, int hour, int minute, int second, int32_t nanoseconds,
                unsigned char format = 1) {
  Bytes ns(4);
  for (int i = 0; i < 4; ++i)
    ns[format == 2 ? 3 - i : i] = static_cast<unsigned char>(nanoseconds >> (8 * i));
  return Join(DateTime(year, month, day, hour, minute, second, format), ns);
}

// An index over the days of 2021.
TEST(DateEvaluator, CountsDaysOfTheIndexRange) {
  for (unsigned char f : {1, 2}) {
    const EstimateCase cases[] = {
        {"one day", Date(2021, 4, 15, f), EQ, 1.0f / 365},
        {"before April 15", Date(2021, 4, 15, f), LT, 104.0f / 365},
        {"after April 15", Date(2021, 4, 15, f), GT, 260.0f / 365},
        {"a day of another year", Date(2022, 4, 15, f), EQ, 0.0f},
        {"every 15th of 2021", Date(2021, kAny, 15, f), EQ, 335.0f / 365},
        {"February", Date(2021, 2, kAny, f), EQ, 28.0f / 365},
        {"December", Date(2021, 12, kAny, f), EQ, 31.0f / 365},
        {"before February", Date(2021, 2, kAny, f), LT, 31.0f / 365},
        {"any year", Date(kAny, 4, 15, f), EQ, 1.0f},
        {"any date", Date(kAny, kAny, kAny, f), LT, 0.0f},
    };
    CurrentBounds bounds(Date(2021, 1, 1, f), Date(2021, 12, 31, f));
    ExpectEstimates(KsDATE_T, bounds, cases, f);
  }
}

// An equality records the widened fields; the low key never falls below -4713-11-24 (day number 0).
TEST(DateEvaluator, WidensWildcardFieldsIntoTheRecordedBounds) {
  const Widening cases[] = {
      {"any month", Date(2021, kAny, 15), Date(2021, 1, 15), Date(2021, 12, 15)},
      {"any day of a leap February", Date(2024, 2, kAny), Date(2024, 2, 1), Date(2024, 2, 29)},
      {"any day of December", Date(2021, 12, kAny), Date(2021, 12, 1), Date(2021, 12, 31)},
      {"any date", Date(kAny, kAny, kAny), Date(-4713, 11, 24), Date(32766, 12, 31)},
      {"any month of the smallest year", Date(-4713, kAny, kAny), Date(-4713, 11, 24), Date(-4713, 12, 31)},
      // Only widened fields are written, although the low key counts from -4713-11-24.
      {"any year", Date(kAny, 4, 15), Date(-4713, 4, 15), Date(32766, 4, 15)},
  };
  for (const Widening& c : cases) ExpectWidening(KsDATE_T, c);
  ExpectWidening(KsDATE_T,
                 {"any year, stored big-endian", Date(kAny, 6, 1, 2), {0xED, 0x97, 6, 1}, {0x7F, 0xFE, 6, 1}},
                 2);
}

// Day numbers -10..9 (-4713-11-14 to -4713-12-03): a low key in -4713 counts from day number 0 at the
// earliest, whether its month was widened or not.
TEST(DateEvaluator, LowKeyNeverFallsBelowTheSmallestDate) {
  CurrentBounds bounds(Date(-4713, 11, 14), Date(-4713, 12, 3));
  const EstimateCase cases[] = {
      {"January 5 of any year", Date(kAny, 1, 5), LT, 0.5f},
      {"the 30th of any month of -4713", Date(-4713, kAny, 30), EQ, 4.0f / 20},
      {"any day of any month of -4713", Date(-4713, kAny, kAny), LT, 0.5f},
  };
  ExpectEstimates(KsDATE_T, bounds, cases);
}

// A recorded buffer too short for a widened field is left alone.
TEST(DateEvaluator, ShortRecordedBuffersAreNotOverrun) {
  RecordedBounds out;
  out.low = std::malloc(2);
  std::memcpy(out.low, "\x01\x02", 2);
  out.lowLen = 2;
  unsigned short flags = EQ;
  Evaluate(KsDATE_T, nullptr, flags, Date(2021, kAny, kAny), 1, &out);
  EXPECT_EQ(out.Low(), (Bytes{1, 2}));
  EXPECT_EQ(out.High(), Date(2021, 12, 31));
}

// An index over a whole day, 00:00:00 to 23:59:59.
TEST(TimeEvaluator, CountsSecondsOfTheIndexRange) {
  const EstimateCase cases[] = {
      {"one second", Time(12, 0, 0), EQ, 1.0f / 86400},
      {"the morning", Time(12, 0, 0), LT, 0.5f},
      {"after noon", Time(12, 0, 0), GT, 43199.0f / 86400},
      // 12:-128:-128 to 12:127:127 holds 255 * 60 + 256 seconds.
      {"any minute of noon", Time(12, 0xFF, 30), EQ, 15556.0f / 86400},
      {"any hour", Time(0xFF, 30, 0), EQ, 1.0f},
      {"any second", Time(12, 30, 0xFF), EQ, 256.0f / 86400},
  };
  CurrentBounds bounds(Time(0, 0, 0), Time(23, 59, 59));
  ExpectEstimates(KsTIME_T, bounds, cases);
}

TEST(TimeEvaluator, WidensFromTheFirstWildcardByteOn) {
  const Widening cases[] = {
      {"minute", Time(12, 0xFF, 30), Time(12, 0x80, 0x80), Time(12, 0x7F, 0x7F)},
      {"hour", Time(0xFF, 30, 0), Time(0x80, 0x80, 0x80), Time(0x7F, 0x7F, 0x7F)},
      {"second", Time(12, 30, 0xFF), Time(12, 30, 0x80), Time(12, 30, 0x7F)},
      {"none", Time(12, 30, 15), Time(12, 30, 15), Time(12, 30, 15)},
  };
  for (const Widening& c : cases) ExpectWidening(KsTIME_T, c);
}

// The mask comes first: 0x0010 is dropped and wildcards always widen. The date mask 0x800F keeps an
// incoming inexact bit; 0x8007 (time of day, date and time) drops it, so 0x0008 reports this key only.
TEST(DateAndTimeEvaluators, MaskComesFirstSoWildcardsAlwaysWiden) {
  struct Case {
    char type;
    unsigned short in;
    Bytes key;
    unsigned short out;
  };
  const Case cases[] = {{KsDATE_T, 0x0019, Date(2021, kAny, 1), 0x0009},
                        {KsDATE_T, 0x0009, Date(2021, 3, 1), 0x0009},
                        {KsDATE_T, 0x8101, Date(2021, 3, 1), 0x8001},
                        {KsDATE_T, 0x0011, Date(2021, 3, kAny), 0x0009},
                        {KsTIME_T, 0x0011, Time(12, 0xFF, 30), 0x0009},
                        {KsTIME_T, 0x0009, Time(12, 0, 30), 0x0001},
                        {KsTIME_T, 0x8103, Time(12, 0, 30), 0x8003},
                        {KsDATIME_T, 0x0011, DateTime(2021, 4, 15, 12, kAny, 30), 0x0009},
                        {KsDATIME_T, 0x0009, DateTime(2021, 4, 15, 12, 0, 30), 0x0001},
                        {KsDATIME_N_T, 0x0015, DateTimeN(2021, 4, 15, 12, 0, 30, kAny), 0x000D},
                        {KsTIMESPAN_T, 0x8103, DateTimeN(0, 0, 1, 12, 0, 30, 0), 0x8003},
                        {D_DATE_T, 0x0011, Date(2021, kAny, 1), 0x0009},
                        // d_Time keeps 0x800F and has no wildcards.
                        {D_TIME_T, 0x0009, StoredTime(1, 0, 0), 0x0009},
                        {D_TIME_T, 0x0019, StoredTime(1, 0, 0), 0x0009},
                        {D_TIME_T, 0x8103, StoredTime(1, 0, 0), 0x8003},
                        {D_TIMESTAMP_T, 0x0019, Join(Date(2021, 3, 1), Bytes(6, 0)), 0x0009}};
  for (const Case& c : cases) {
    unsigned short flags = c.in;
    Evaluate(c.type, nullptr, flags, c.key, 1);
    EXPECT_EQ(flags, c.out) << int(c.type) << " " << std::hex << c.in;
  }
}

// Later restrictions leave recorded bounds alone, except for the fields their wildcards widen.
TEST(DateAndTimeEvaluators, LaterKeysWriteOnlyTheirWidenedFields) {
  struct Case {
    char type;
    Bytes first, second, widening, low, high;
  };
  const Case cases[] = {
      {KsDATE_T, Date(2021, 4, 15), Date(2022, 5, 16), Date(2023, kAny, 1), Date(2021, 1, 15),
       Date(2021, 12, 15)},
      {KsTIME_T, Time(10, 0, 0), Time(11, 0, 0), Time(11, 0xFF, 0), Time(10, 0x80, 0x80),
       Time(10, 0x7F, 0x7F)},
      // Equal 10:00:00, then 11:00:00: the second key is not copied over the recorded bounds.
      {KsDATIME_T, DateTime(2021, 4, 15, 10, 0, 0), DateTime(2021, 4, 15, 11, 0, 0),
       DateTime(2022, 5, 16, 11, kAny, 0), DateTime(2021, 4, 15, 10, 0x80, 0x80),
       DateTime(2021, 4, 15, 10, 0x7F, 0x7F)},
      {KsDATIME_N_T, DateTimeN(2021, 4, 15, 10, 0, 0, 5), DateTimeN(2021, 4, 15, 11, 0, 0, 6),
       DateTimeN(2021, 4, 15, 11, 0, 0, kAny), DateTimeN(2021, 4, 15, 10, 0, 0, 0),
       DateTimeN(2021, 4, 15, 10, 0, 0, 1000000000)},
  };
  for (const Case& c : cases) {
    RecordedBounds out;
    unsigned short flags = EQ;
    Evaluate(c.type, nullptr, flags, c.first, 1, &out);
    flags = EQ;
    Evaluate(c.type, nullptr, flags, c.second, 1, &out);
    EXPECT_EQ(out.Low(), c.first) << int(c.type);
    EXPECT_EQ(out.High(), c.first) << int(c.type);
    flags = EQ;
    Evaluate(c.type, nullptr, flags, c.widening, 1, &out);
    EXPECT_EQ(out.Low(), c.low) << int(c.type);
    EXPECT_EQ(out.High(), c.high) << int(c.type);
  }
}

// Without current bounds, or with bounds too short for a value, the estimate is 0 (ODMG types' plain
// counting would measure against 0..0); the key is still recorded and widened.
TEST(DateAndTimeEvaluators, WithoutBoundsReturnZeroAndStillRecord) {
  struct Case {
    char type;
    Bytes key, high;
    unsigned short flags;
  };
  const Case cases[] = {
      {KsDATE_T, Date(2021, kAny, 1), Date(2021, 12, 1), LT | kWidened},
      {KsTIME_T, Time(10, 0, 0), Time(10, 0, 0), LT},
      {KsTIME_T, Time(10, 0xFF, 0), Time(10, 0x7F, 0x7F), LT | kWidened},
      {KsDATIME_T, DateTime(2021, 4, 15, 10, 0, 0), DateTime(2021, 4, 15, 10, 0, 0), LT},
      {KsDATIME_N_T, DateTimeN(2021, 4, 15, 10, 0, 0, kAny), DateTimeN(2021, 4, 15, 10, 0, 0, 1000000000),
       LT | kWidened},
      {KsTIMESPAN_T, DateTimeN(0, 0, 1, 10, 0, 0, 7), DateTimeN(0, 0, 1, 10, 0, 0, 7), LT},
      {D_DATE_T, Date(2021, 4, 15), Date(2021, 4, 15), LT},
      {D_TIME_T, StoredTime(10, 0, 0), StoredTime(10, 0, 0), LT},
      {D_TIMESTAMP_T, Timestamp(2021, 4, 15, 10, 0, 0), Timestamp(2021, 4, 15, 10, 0, 0), LT}};
  for (const Case& c : cases) {
    CurrentBounds shortBounds(Bytes(c.key.begin(), c.key.end() - 1), c.key);
    for (KsIdxBounds* bounds :
         {static_cast<KsIdxBounds*>(nullptr), static_cast<KsIdxBounds*>(&shortBounds)}) {
      RecordedBounds out;
      unsigned short flags = LT;
      EXPECT_EQ(Evaluate(c.type, bounds, flags, c.key, 1, &out), 0.0f) << int(c.type);
      EXPECT_EQ(out.Low(), Bytes{}) << int(c.type);
      EXPECT_EQ(out.High(), c.high) << int(c.type);
      EXPECT_EQ(flags, c.flags) << int(c.type);
    }
  }
}

// An index over one day, 00:00:00 to 23:59:59, as KsDateTime values.
TEST(DateTimeEvaluator, CountsSecondsOfTheIndexRange) {
  for (unsigned char f : {1, 2}) {
    const EstimateCase cases[] = {
        {"one second", DateTime(2021, 4, 15, 12, 0, 0, f), EQ, 1.0f / 86400},
        {"the morning", DateTime(2021, 4, 15, 12, 0, 0, f), LT, 0.5f},
        {"after noon", DateTime(2021, 4, 15, 12, 0, 0, f), GT, 43199.0f / 86400},
        {"any minute of noon", DateTime(2021, 4, 15, 12, kAny, 30, f), EQ, 15556.0f / 86400},
        {"any day", DateTime(2021, 4, kAny, 10, 0, 0, f), EQ, 1.0f},
        {"before a later day", DateTime(2021, 4, 16, 0, 0, 0, f), LT, 1.0f},
        {"after an earlier day", DateTime(2021, 4, 14, 23, 59, 59, f), GT, 1.0f},
        {"the next day", DateTime(2021, 4, 16, 0, 0, 0, f), EQ, 0.0f},
    };
    CurrentBounds bounds(DateTime(2021, 4, 15, 0, 0, 0, f), DateTime(2021, 4, 15, 23, 59, 59, f));
    ExpectEstimates(KsDATIME_T, bounds, cases, f);
  }
}

// Every month counts 31 days: April 30 to May 1 holds three days of seconds, April 31 among them.
TEST(DateTimeEvaluator, EveryMonthCountsThirtyOneDays) {
  CurrentBounds bounds(DateTime(2021, 4, 30, 0, 0, 0), DateTime(2021, 5, 1, 23, 59, 59));
  unsigned short flags = LT;
  EXPECT_FLOAT_EQ(Evaluate(KsDATIME_T, &bounds, flags, DateTime(2021, 5, 1, 0, 0, 0), 1), 2.0f / 3);
  flags = EQ;
  EXPECT_FLOAT_EQ(Evaluate(KsDATIME_T, &bounds, flags, DateTime(2021, 4, 31, 12, 0, 0), 1), 1.0f / 259200);
}

// From the first wildcard field on, every field spans all it can hold: the year -32768 to 32767, the
// bytes -128 to 127, the nanoseconds 0 to a whole second.
TEST(DateTimeEvaluator, WidensFromTheFirstWildcardFieldOn) {
  const Widening dateTimes[] = {
      {"any year", DateTime(kAny, 4, 15, 10, 0, 0), DateTime(-32768, 0x80, 0x80, 0x80, 0x80, 0x80),
       DateTime(32767, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F)},
      {"any month", DateTime(2021, kAny, 15, 10, 0, 0), DateTime(2021, 0x80, 0x80, 0x80, 0x80, 0x80),
       DateTime(2021, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F)},
      {"any second", DateTime(2021, 4, 15, 10, 0, kAny), DateTime(2021, 4, 15, 10, 0, 0x80),
       DateTime(2021, 4, 15, 10, 0, 0x7F)},
      {"none", DateTime(2021, 4, 15, 10, 0, 0), DateTime(2021, 4, 15, 10, 0, 0),
       DateTime(2021, 4, 15, 10, 0, 0)},
  };
  for (const Widening& c : dateTimes) ExpectWidening(KsDATIME_T, c);
  const Widening withNanoseconds[] = {
      {"any nanosecond", DateTimeN(2021, 4, 15, 10, 0, 0, kAny), DateTimeN(2021, 4, 15, 10, 0, 0, 0),
       DateTimeN(2021, 4, 15, 10, 0, 0, 1000000000)},
      {"any minute", DateTimeN(2021, 4, 15, 10, kAny, 30, 500), DateTimeN(2021, 4, 15, 10, 0x80, 0x80, 0),
       DateTimeN(2021, 4, 15, 10, 0x7F, 0x7F, 1000000000)},
      {"none", DateTimeN(2021, 4, 15, 10, 0, 30, 500), DateTimeN(2021, 4, 15, 10, 0, 30, 500),
       DateTimeN(2021, 4, 15, 10, 0, 30, 500)},
  };
  for (const Widening& c : withNanoseconds) {
    ExpectWidening(KsDATIME_N_T, c);
    ExpectWidening(KsTIMESPAN_T, c);
  }
  // The widened year and nanoseconds in the big-endian form.
  ExpectWidening(KsDATIME_N_T,
                 {"any year, stored big-endian",
                  DateTimeN(kAny, 1, 1, 0, 0, 0, 0, 2),
                  {0x80, 0x00, 0x80, 0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0},
                  {0x7F, 0xFF, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x3B, 0x9A, 0xCA, 0x00}},
                 2);
}

// Ten seconds of an index; nanoseconds order entries within a second but are not counted.
TEST(DateTimeEvaluator, NanosecondsDoNotEnterTheCount) {
  const EstimateCase cases[] = {
      {"one second", DateTimeN(2021, 4, 15, 12, 0, 5, 123), EQ, 0.1f},
      {"the same second, later", DateTimeN(2021, 4, 15, 12, 0, 5, 999999999), EQ, 0.1f},
      {"before it", DateTimeN(2021, 4, 15, 12, 0, 5, 999999999), LT, 0.5f},
      {"any nanosecond of it", DateTimeN(2021, 4, 15, 12, 0, 5, kAny), EQ, 0.1f},
  };
  CurrentBounds bounds(DateTimeN(2021, 4, 15, 12, 0, 0, 0), DateTimeN(2021, 4, 15, 12, 0, 9, 999999999));
  for (char type : {KsDATIME_N_T, KsTIMESPAN_T}) ExpectEstimates(type, bounds, cases);
}

}  // namespace
