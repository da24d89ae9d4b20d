// Index range evaluation of d_Date, d_Time and d_Timestamp: positions in
// the index range counted without clipping, wildcard dates as key ranges.
#include <gtest/gtest.h>

#include "index_bounds_support.h"

namespace {

using namespace ks::testing;

// An index from 01:00:00 to 02:00:00, 3601 seconds. The count is the key's
// position p = key - L + 1 taken as it is: greater than midnight counts the
// hour before the range too, equal to a time outside the range still counts
// one, and only a negative count becomes 0. The quotient is taken in double.
TEST(ODMGTimeEvaluator, CountsPositionsWithoutClippingToTheRange) {
  const EstimateCase cases[] = {
      {"after midnight", StoredTime(0, 0, 0), GT, 7200.0 / 3601},
      {"at three", StoredTime(3, 0, 0), EQ, 1.0 / 3601},
      {"before three", StoredTime(3, 0, 0), LT, 7200.0 / 3601},
      {"before midnight", StoredTime(0, 0, 0), LT, 0.0},
      {"before half past one", StoredTime(1, 30, 0), LT, 1800.0 / 3601},
      {"from half past one", StoredTime(1, 30, 0), GT | EQ, 1801.0 / 3601},
      {"not half past one", StoredTime(1, 30, 0), LT | GT, 3600.0 / 3601},
      // The stored hour and minute count, not the time of day in the zone;
      // neither do the zone bytes nor the hundredths.
      {"half past midnight, one hour east", StoredTime(0, 30, 0, 1), LT, 1800.0 / 3601},
      {"half past one with hundredths", StoredTime(1, 30, 0, 0, 99), LT, 1800.0 / 3601},
      {"half past one, one hour west", StoredTime(1, 30, 0, -1), LT, 0.0},
  };
  CurrentBounds bounds(StoredTime(1, 0, 0), StoredTime(2, 0, 0));
  ExpectEstimates(D_TIME_T, bounds, cases);
}

// The day index gives every month 31 days: 2021 holds 372 of them. A plain
// key counts its position unclipped; a key with wildcard fields covers a
// range of days, counted with the overlap rule within the index range.
TEST(ODMGDateEvaluator, CountsDayIndexesOfTheIndexRange) {
  for (unsigned char format : {1, 2}) {
    const EstimateCase cases[] = {
        {"one day", Date(2021, 4, 15, format), EQ, 1.0 / 372},
        {"before April 15", Date(2021, 4, 15, format), LT, 107.0 / 372},
        {"after April 15", Date(2021, 4, 15, format), GT, 264.0 / 372},
        {"after a month before the range", Date(2020, 12, 1, format), GT, 402.0 / 372},
        {"a day after the range", Date(2022, 1, 1, format), EQ, 1.0 / 372},
        {"the 15th of any month", Date(2021, kAny, 15, format), EQ, 1.0},
        {"any day of April", Date(2021, 4, kAny, format), EQ, 31.0 / 372},
        {"before April", Date(2021, 4, kAny, format), LT, 93.0 / 372},
        {"after April", Date(2021, 4, kAny, format), GT, 248.0 / 372},
        {"any year", Date(kAny, 4, 15, format), EQ, 1.0},
        {"before any year", Date(kAny, 4, 15, format), LT, 0.0},
        {"any day of a month after the range", Date(2025, 4, kAny, format), EQ, 0.0},
    };
    CurrentBounds bounds(Date(2021, 1, 1, format), Date(2021, 12, 31, format));
    ExpectEstimates(D_DATE_T, bounds, cases, format);
  }
}

// The year is read as the stored order reads it, unsigned: year -2 is
// stored as 65534 and lies after every year from 0 on.
TEST(ODMGDateEvaluator, NegativeYearsLieAfterThePositiveOnes) {
  const EstimateCase cases[] = {
      {"after", Date(-2, 1, 1), GT, 0.0},
      {"equal", Date(-2, 1, 1), EQ, 1.0 / 372},
  };
  CurrentBounds bounds(Date(2021, 1, 1), Date(2021, 12, 31));
  ExpectEstimates(D_DATE_T, bounds, cases);
  unsigned short flags = LT;
  EXPECT_GT(Evaluate(D_DATE_T, &bounds, flags, Date(-2, 1, 1), 1), 1000.0f);
}

// An equality records the widened keys and sets 0x0008: a year spans its
// stored values 0 to 65534 (65535 is the wildcard), a month 1 to 12, a day
// 1 to 31, and a d_Timestamp's time bytes every value once its date widened.
TEST(ODMGDateEvaluator, WidensWildcardDateFieldsIntoTheRecordedBounds) {
  const Widening dates[] = {
      {"any month", Date(2021, kAny, 15), Date(2021, 1, 1), Date(2021, 12, 31)},
      {"any day", Date(2021, 4, kAny), Date(2021, 4, 1), Date(2021, 4, 31)},
      {"any year", Date(kAny, 4, 15), Date(0, 1, 1), Date(0xFFFE, 12, 31)},
      {"none", Date(2021, 4, 15), Date(2021, 4, 15), Date(2021, 4, 15)},
  };
  for (const Widening& c : dates) ExpectWidening(D_DATE_T, c);
  const Widening timestamps[] = {
      {"any day", Timestamp(2021, 4, kAny, 10, 0, 0), Join(Date(2021, 4, 1), Bytes(6, 0x80)),
       Join(Date(2021, 4, 31), Bytes(6, 0x7F))},
      {"a zone of -1 is no wildcard", Timestamp(2021, 4, 15, 10, 0, 0, -1),
       Timestamp(2021, 4, 15, 10, 0, 0, -1), Timestamp(2021, 4, 15, 10, 0, 0, -1)},
  };
  for (const Widening& c : timestamps) ExpectWidening(D_TIMESTAMP_T, c);
  // d_Time has no wildcard fields: a byte 0xFF is a zone of -1.
  const Bytes time = StoredTime(10, 0, 0, -1);
  ExpectWidening(D_TIME_T, {"a zone of -1", time, time, time});
}

// Two days, 172800 seconds. A timestamp counts whole days of seconds, so a
// later day never counts below an earlier one; a stored hour beyond the day
// (23 o'clock two hours east is stored as 25) counts as the day's last
// second, and before the day (0 o'clock an hour west) as its first.
TEST(ODMGTimestampEvaluator, CountsSecondsOfWholeDays) {
  const EstimateCase cases[] = {
      {"one second", Timestamp(2021, 4, 15, 12, 0, 0), EQ, 1.0 / 172800},
      {"before the second day", Timestamp(2021, 4, 16, 0, 0, 0), LT, 0.5},
      {"before the last hour of the first", Timestamp(2021, 4, 15, 23, 0, 0), LT, 82800.0 / 172800},
      {"after the first day", Timestamp(2021, 4, 15, 23, 59, 59), GT, 0.5},
      {"stored hour 25", Timestamp(2021, 4, 15, 23, 0, 0, 2), LT, 86399.0 / 172800},
      {"stored hour -1", Timestamp(2021, 4, 16, 0, 30, 0, -1), LT, 0.5},
      {"any day of April", Timestamp(2021, 4, kAny, 10, 0, 0), EQ, 1.0},
      {"a day before the range", Timestamp(2021, 4, 14, 0, 0, 0), GT, 259199.0 / 172800},
  };
  CurrentBounds bounds(Timestamp(2021, 4, 15, 0, 0, 0), Timestamp(2021, 4, 16, 23, 59, 59));
  ExpectEstimates(D_TIMESTAMP_T, bounds, cases);
}

}  // namespace
