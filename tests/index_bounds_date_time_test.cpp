// Index range evaluation of KsDate and KsTime: day numbers and seconds,
// wildcard fields widened into a key range and into the recorded bounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "index_bounds_support.h"

namespace {

using ks::testing::Bytes;
using ks::testing::CurrentBounds;
using ks::testing::Evaluate;
using ks::testing::RecordedBounds;

constexpr unsigned short EQ = 1, LT = 2, GT = 4;
constexpr int kAny = -1;

// A stored date: the year in the format's byte order, then month and day.
Bytes Date(int year, int month, int day, unsigned char format = 1) {
  const auto y = static_cast<uint16_t>(year);
  const auto hi = static_cast<unsigned char>(y >> 8), lo = static_cast<unsigned char>(y);
  const auto m = static_cast<unsigned char>(month), d = static_cast<unsigned char>(day);
  return format == 2 ? Bytes{hi, lo, m, d} : Bytes{lo, hi, m, d};
}

Bytes Time(int hour, int minute, int second) {
  return {static_cast<unsigned char>(hour), static_cast<unsigned char>(minute),
          static_cast<unsigned char>(second)};
}

// A key under one comparison and the estimate it gives.
struct EstimateCase {
  const char* what;
  Bytes key;
  unsigned short flags;
  float estimate;
};

// An index over the days of 2021.
TEST(DateEvaluator, CountsDaysOfTheIndexRange) {
  const EstimateCase cases[] = {
      {"one day", Date(2021, 4, 15), EQ, 1.0f / 365},
      {"before April 15", Date(2021, 4, 15), LT, 104.0f / 365},
      {"after April 15", Date(2021, 4, 15), GT, 260.0f / 365},
      {"a day of another year", Date(2022, 4, 15), EQ, 0.0f},
      {"every 15th of 2021", Date(2021, kAny, 15), EQ, 335.0f / 365},
      {"February", Date(2021, 2, kAny), EQ, 28.0f / 365},
      {"December", Date(2021, 12, kAny), EQ, 31.0f / 365},
      {"before February", Date(2021, 2, kAny), LT, 31.0f / 365},
      {"any year", Date(kAny, 4, 15), EQ, 1.0f},
      {"any date", Date(kAny, kAny, kAny), LT, 0.0f},
  };
  for (unsigned char format : {1, 2}) {
    CurrentBounds bounds(Date(2021, 1, 1, format), Date(2021, 12, 31, format));
    for (const EstimateCase& c : cases) {
      unsigned short flags = c.flags;
      Bytes key = c.key;
      if (format == 2) std::swap(key[0], key[1]);
      EXPECT_FLOAT_EQ(Evaluate(KsDATE_T, &bounds, flags, key, format), c.estimate) << c.what;
    }
  }
}

struct Widening {
  const char* what;
  Bytes key;
  Bytes low, high;
};

// An equality with the key records the widened low and high keys, and says
// whether it widened anything.
void ExpectWidening(char type, const Widening& c) {
  RecordedBounds out;
  unsigned short flags = EQ;
  Evaluate(type, nullptr, flags, c.key, 1, &out);
  EXPECT_EQ(out.Low(), c.low) << c.what;
  EXPECT_EQ(out.High(), c.high) << c.what;
  EXPECT_EQ(flags, c.low == c.key ? EQ : EQ | 0x0008) << c.what;
}

// The recorded bounds of an equality take the widened fields; the low key
// never falls below the smallest date, -4713-11-24 (day number 0).
TEST(DateEvaluator, WidensWildcardFieldsIntoTheRecordedBounds) {
  const Widening cases[] = {
      {"any month", Date(2021, kAny, 15), Date(2021, 1, 15), Date(2021, 12, 15)},
      {"any day of a leap February", Date(2024, 2, kAny), Date(2024, 2, 1), Date(2024, 2, 29)},
      {"any day of December", Date(2021, 12, kAny), Date(2021, 12, 1), Date(2021, 12, 31)},
      {"any date", Date(kAny, kAny, kAny), Date(-4713, 11, 24), Date(32766, 12, 31)},
      {"any month of the smallest year", Date(-4713, kAny, kAny), Date(-4713, 11, 24), Date(-4713, 12, 31)},
      // Only widened fields are written: month and day stay as the key has
      // them, although the low key counts from -4713-11-24.
      {"any year", Date(kAny, 4, 15), Date(-4713, 4, 15), Date(32766, 4, 15)},
  };
  for (const Widening& c : cases) ExpectWidening(KsDATE_T, c);
}

TEST(DateEvaluator, WidenedYearsAreWrittenInTheFormatsByteOrder) {
  RecordedBounds out;
  unsigned short flags = EQ;
  Evaluate(KsDATE_T, nullptr, flags, Date(kAny, 6, 1, 2), 2, &out);
  EXPECT_EQ(out.Low(), (Bytes{0xED, 0x97, 6, 1}));   // -4713
  EXPECT_EQ(out.High(), (Bytes{0x7F, 0xFE, 6, 1}));  // 32766
}

// Day numbers -10..9 (-4713-11-14 to -4713-12-03). A low key in year -4713
// counts from day number 0 at the earliest, whether its month was widened
// or not.
TEST(DateEvaluator, LowKeyNeverFallsBelowTheSmallestDate) {
  CurrentBounds bounds(Date(-4713, 11, 14), Date(-4713, 12, 3));
  const EstimateCase cases[] = {
      {"January 5 of any year", Date(kAny, 1, 5), LT, 0.5f},
      {"the 30th of any month of -4713", Date(-4713, kAny, 30), EQ, 4.0f / 20},
      {"any day of any month of -4713", Date(-4713, kAny, kAny), LT, 0.5f},
  };
  for (const EstimateCase& c : cases) {
    unsigned short flags = c.flags;
    EXPECT_FLOAT_EQ(Evaluate(KsDATE_T, &bounds, flags, c.key, 1), c.estimate) << c.what;
  }
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
  for (const EstimateCase& c : cases) {
    unsigned short flags = c.flags;
    EXPECT_FLOAT_EQ(Evaluate(KsTIME_T, &bounds, flags, c.key, 1), c.estimate) << c.what;
  }
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

// The mask comes first: 0x0010 is dropped and wildcards always widen. The
// date mask 0x800F keeps an incoming inexact bit; the time-of-day mask 0x8007
// drops it, so that the returned 0x0008 reports this key's wildcards only.
TEST(DateAndTimeEvaluators, MaskComesFirstSoWildcardsAlwaysWiden) {
  struct Case {
    char type;
    unsigned short in;
    Bytes key;
    unsigned short out;
  };
  const Case cases[] = {
      {KsDATE_T, 0x0019, Date(2021, kAny, 1), 0x0009}, {KsDATE_T, 0x0009, Date(2021, 3, 1), 0x0009},
      {KsDATE_T, 0x8101, Date(2021, 3, 1), 0x8001},    {KsDATE_T, 0x0011, Date(2021, 3, kAny), 0x0009},
      {KsTIME_T, 0x0011, Time(12, 0xFF, 30), 0x0009},  {KsTIME_T, 0x0009, Time(12, 0, 30), 0x0001},
      {KsTIME_T, 0x8103, Time(12, 0, 30), 0x8003}};
  for (const Case& c : cases) {
    unsigned short flags = c.in;
    Evaluate(c.type, nullptr, flags, c.key, 1);
    EXPECT_EQ(flags, c.out) << int(c.type) << " " << std::hex << c.in;
  }
}

// Later restrictions leave recorded bounds as they are, except for the
// fields that their wildcards widen.
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

// Without current bounds the estimate is 0; the key is still recorded and
// widened.
TEST(DateAndTimeEvaluators, WithoutBoundsReturnZeroAndStillRecord) {
  struct Case {
    char type;
    Bytes key, high;
    unsigned short flags;
  };
  const Case cases[] = {{KsDATE_T, Date(2021, kAny, 1), Date(2021, 12, 1), LT | 0x0008},
                        {KsTIME_T, Time(10, 0, 0), Time(10, 0, 0), LT},
                        {KsTIME_T, Time(10, 0xFF, 0), Time(10, 0x7F, 0x7F), LT | 0x0008}};
  for (const Case& c : cases) {
    RecordedBounds out;
    unsigned short flags = LT;
    EXPECT_EQ(Evaluate(c.type, nullptr, flags, c.key, 1, &out), 0.0f) << int(c.type);
    EXPECT_EQ(out.Low(), Bytes{}) << int(c.type);
    EXPECT_EQ(out.High(), c.high) << int(c.type);
    EXPECT_EQ(flags, c.flags) << int(c.type);
  }
}

}  // namespace
