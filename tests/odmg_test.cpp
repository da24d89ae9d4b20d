// The ODMG classes d_Date, d_Time, d_Timestamp and d_Interval, and overlaps:
// the astronomical day numbers with their calendar switch, the float
// arithmetic of times and intervals, zones, and the period tests.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "basesvc.h"
#include "ksdate.h"
#include "ksdatetime.h"
#include "ksodmg.h"

namespace {

struct Ymd {
  int year, month, day;
};

void ExpectDate(const d_Date& d, const Ymd& e) {
  EXPECT_EQ(d.year(), e.year);
  EXPECT_EQ(d.month(), e.month);
  EXPECT_EQ(d.day(), e.day);
}

// A time's clock as hour(), minute(), whole second and hundredths, and
// its stored fields: zone hour and minute, stored hour and minute.
using Fields = std::array<int, 4>;
Fields Clock(const d_Time& t) {
  return {t.hour(), t.minute(), t.wholeSecond, t.hundredths};
}
Fields Zoned(const d_Time& t) {
  return {t.tzHour, t.tzMinute, t.storedHour, t.storedMinute};
}

d_Date DateOfDayNumber(int n) {
  d_Date d(0, 0, 0);
  return d.setAbsDate(n);
}

// Tests that change the default zone put it back.
class OdmgTime : public ::testing::Test {
 protected:
  void TearDown() override {
    d_Time::set_default_Time_Zone(d_Time::GMT);
    KsSetFixedClock(nullptr);
  }
};

// An independent walk, day by day from 0001-01-01 (day number 1721423) to
// 9999-12-31: Julian leap rule before 1582-10-04, ten days dropped, then
// Gregorian. Every date has the next day number and reads back from it.
TEST(OdmgDate, DayNumbersFollowTheCalendarWithTheSwitchOf1582) {
  auto daysIn = [](int year, int month) {
    static const int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool gregorian = year > 1582;
    const bool leap = year % 4 == 0 && (!gregorian || year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : kDays[month];
  };
  Ymd date{1, 1, 1};
  int expected = 1721423;
  int mismatches = 0;
  while (date.year <= 9999) {
    const d_Date d(static_cast<short>(date.year), static_cast<unsigned short>(date.month),
                   static_cast<unsigned short>(date.day));
    const d_Date back = DateOfDayNumber(expected);
    if (d.getAbsDate() != expected || !(back == d)) ++mismatches;
    if (date.year == 1582 && date.month == 10 && date.day == 4) {
      date.day = 15;
    } else if (++date.day > daysIn(date.year, date.month)) {
      date.day = 1;
      if (++date.month > 12) {
        date.month = 1;
        ++date.year;
      }
    }
    ++expected;
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(expected, 5373484);
}

// The formula's "floor" truncates toward zero, so for years up to 0 two
// dates can share a day number and a day number can read back one day off.
TEST(OdmgDate, TruncatingFloorMakesDayNumbersOfYearZeroAndBeforeDrift) {
  EXPECT_EQ(d_Date(0, 2, 29).getAbsDate(), 1721117);
  EXPECT_EQ(d_Date(0, 3, 1).getAbsDate(), 1721117);
  EXPECT_EQ(d_Date(0, 1, 1).getAbsDate(), 1721058);
  ExpectDate(DateOfDayNumber(1721058), {0, 1, 2});
  EXPECT_EQ(d_Date(-4712, 1, 1).getAbsDate(), 0);
  ExpectDate(DateOfDayNumber(0), {-4712, 1, 2});
  ExpectDate(DateOfDayNumber(-1), {-4712, 1, 1});
}

TEST(OdmgDate, SwitchOf1582AndLeapYears) {
  d_Date d(1582, 10, 4);
  const d_Date old = d++;
  ExpectDate(old, {1582, 10, 4});
  ExpectDate(d, {1582, 10, 15});
  d--;
  ExpectDate(d, {1582, 10, 4});
  EXPECT_EQ((std::array{d_Date::days_in_month(1500, 2), d_Date::days_in_month(1900, 2),
                        d_Date::days_in_month(2000, 2), d_Date::days_in_month(2021, 13),
                        d_Date::days_in_month(2021, 0), d_Date(2021, 4, 15).days_in_month()}),
            (std::array{29, 28, 29, 0, 0, 30}));
  EXPECT_EQ(d_Date::is_leap_year(1200), 1);
  EXPECT_EQ(d_Date::is_leap_year(1700), 0);
  EXPECT_EQ(d_Date(2021, 3, 1).day_of_year(), 60);
  EXPECT_EQ(d_Date(2020, 3, 1).day_of_year(), 61);
  ExpectDate(d_Date(2020, 60), {2020, 2, 29});
  ExpectDate(d_Date(2021, 1), {2021, 1, 1});
}

// The dates that the switch skipped have day numbers of their own dates ten
// days later: != calls them equal, == does not.
TEST(OdmgDate, SkippedDaysOf1582ShareDayNumbersWithTheDaysAfterTheSwitch) {
  for (int day = 5; day <= 14; ++day) {
    const d_Date skipped(1582, 10, static_cast<unsigned short>(day));
    const d_Date later(1582, 10, static_cast<unsigned short>(day + 10));
    EXPECT_EQ(skipped != later, 0) << day;
    EXPECT_EQ(skipped == later, 0) << day;
  }
}

TEST(OdmgDate, WeekdaysAndMovesToAWeekday) {
  d_Date d(2000, 1, 1);
  EXPECT_EQ(d.day_of_week(), d_Date::Saturday);
  d.next(d_Date::Saturday);
  ExpectDate(d, {2000, 1, 8});
  d.next(d_Date::Monday);
  ExpectDate(d, {2000, 1, 10});
  d.previous(d_Date::Sunday);
  ExpectDate(d, {2000, 1, 9});
  d.previous(d_Date::Sunday);
  ExpectDate(d, {2000, 1, 2});
  EXPECT_EQ(d_Date(2021, 4, 15).day_of_week(), d_Date::Thursday);
  // Weekdays run on through the switch; (n + 2) mod 7 of a negative day
  // number is brought into 0..6.
  EXPECT_EQ(d_Date(1582, 10, 4).day_of_week(), d_Date::Thursday);
  EXPECT_EQ(d_Date(1582, 10, 15).day_of_week(), d_Date::Friday);
  EXPECT_EQ(d_Date(-4713, 12, 29).getAbsDate(), -3);
  EXPECT_EQ(d_Date(-4713, 12, 29).day_of_week(), d_Date::Saturday);
  EXPECT_EQ(d_Date(-4713, 12, 31).getAbsDate(), -1);
  EXPECT_EQ(d_Date(-4713, 12, 31).day_of_week(), d_Date::Monday);
}

TEST(OdmgDate, ComparisonsAndIntervalMoves) {
  const d_Date a(2021, 4, 15), b(2021, 6, 15);
  EXPECT_EQ((std::array{a != b, a<b, a <= b, a> b, b >= a, a == d_Date(2021, 4, 15)}),
            (std::array{-61, 1, 1, 0, 1, 1}));
  ExpectDate(a + d_Interval(61, 23), {2021, 6, 15});
  ExpectDate(a - d_Interval(1, 0, 0, 0.5f), {2021, 4, 14});
  ExpectDate(d_Interval(-1) + a, {2021, 4, 14});
  KsDate ks(2021, 4, 15);
  EXPECT_EQ(d_Date(ks) == a, 1);
}

TEST(OdmgInterval, SignOfAnyPartNegatesTheWholeSum) {
  EXPECT_EQ(d_Interval(1, -2, 0, 0).seconds(), -93600.0f);
  EXPECT_EQ(d_Interval(0, 0, 0, -1.5f).seconds(), -1.5f);
  EXPECT_EQ(d_Interval(1, 2, 3, 4.5f).seconds(), 93784.5f);
  auto parts = [](const d_Interval& i) { return std::array{i.day(), i.hour(), i.minute()}; };
  EXPECT_EQ(parts(d_Interval(1, 2, 3, 4.5f)), (std::array{1, 2, 3}));
  EXPECT_EQ(d_Interval(1, 2, 3, 4.5f).second(), 4.5f);
  EXPECT_EQ(parts(d_Interval(1, -2, -3, 4.5f)), (std::array{-1, -2, -3}));  // -93784.5
  EXPECT_EQ(d_Interval(1, -2, -3, 4.5f).second(), -4.5f);
}

TEST(OdmgInterval, Arithmetic) {
  const d_Interval a(0, 1), b(0, 0, 30);
  d_Interval c = a, d = a;
  c /= 0;
  d *= -1;
  EXPECT_EQ((std::array{(a + b).seconds(), (a - b).seconds(), (-a).seconds(), (a * 3).seconds(),
                        (2 * a).seconds(), (a / 4).seconds(), (a / 0).seconds(), c.seconds(), d.seconds()}),
            (std::array{5400.0f, 1800.0f, -3600.0f, 10800.0f, 7200.0f, 900.0f, 3600.0f, 3600.0f, -3600.0f}));
  EXPECT_EQ((std::array{a > b, a == d_Interval(0, 0, 60), d_Interval().is_zero(), (a - a).is_zero(),
                        a.is_zero(), a != b}),
            (std::array{1, 1, 1, 1, 0, 1}));
  EXPECT_EQ(d_Interval(INT32_MIN, INT32_MIN, INT32_MIN, 0).seconds() < 0, 1);
}

// Hundredths are the float's: 0.29f is 0.28999999 and 100 times it rounds
// to 29 in float, where double arithmetic gives 28.
TEST_F(OdmgTime, HundredthsAreCalculatedInFloat) {
  EXPECT_EQ(Clock(d_Time(0, 0, 0.29f)), (Fields{0, 0, 0, 29}));
  EXPECT_EQ(Clock(d_Time(0, 0, 0.01f)), (Fields{0, 0, 0, 1}));
  EXPECT_EQ(Clock(d_Time(0, 0, 30.25f)), (Fields{0, 0, 30, 25}));
  EXPECT_EQ(d_Time(0, 0, 59.99f).second(), 59.99f);
}

// The zone of the local clock is local - UTC, the sign of Time_Zone.
TEST_F(OdmgTime, ZonesAreAddedToTheStoredClock) {
  const d_Time t(10, 20, 30.5f, 2, 15);
  EXPECT_EQ(Zoned(t), (Fields{2, 15, 12, 35}));
  EXPECT_EQ(Clock(t), (Fields{10, 20, 30, 50}));
  d_Time::set_default_Time_Zone(d_Time::GMT_3);
  EXPECT_EQ(Zoned(d_Time(10, 0, 0.0f)), (Fields{-3, 0, 7, 0}));
  const d_Time fromKs(KsTime(1, 2, 3));
  EXPECT_EQ(Zoned(fromKs), (Fields{-3, 0, -2, 2}));
  EXPECT_EQ(Clock(fromKs), (Fields{1, 2, 3, 0}));

  const KsFixedClock clock{1618482030, 0, 120, true};
  KsSetFixedClock(&clock);
  d_Time::set_default_Time_Zone_to_local();
  EXPECT_EQ(d_Time::default_Time_Zone(), 2);
  EXPECT_EQ(Zoned(d_Time(10, 0, 0.0f)), (Fields{2, 0, 12, 0}));
}

TEST_F(OdmgTime, SecondCountsAreRaisedIntoTheDayOnlyWhenNegative) {
  EXPECT_EQ(Clock(d_Time(3723)), (Fields{1, 2, 3, 0}));
  EXPECT_EQ(Clock(d_Time(-1)), (Fields{23, 59, 59, 0}));
  EXPECT_EQ(d_Time(90000).hour(), 25);
  EXPECT_EQ(d_Time(INT32_MIN).hour(), 20);  // -2147483648 raised by days is 74752 s
}

TEST_F(OdmgTime, AddingIntervalsWrapsWithinTheDay) {
  d_Time t(23, 30, 0.0f), u(0, 10, 0.0f), v(10, 0, 0.5f), w(10, 0, 0.5f);
  t += d_Interval(0, 1);
  EXPECT_EQ(Clock(t), (Fields{0, 30, 0, 0}));
  u -= d_Interval(0, 0, 20);
  EXPECT_EQ(Clock(u), (Fields{23, 50, 0, 0}));
  v += d_Interval(0, 0, 0, 0.25f);
  EXPECT_EQ(Clock(v), (Fields{10, 0, 0, 75}));
  // -= and the free operators leave this time's hundredths out of the sum.
  w -= d_Interval(0, 0, 0, 0.25f);
  EXPECT_EQ(Clock(w), (Fields{9, 59, 59, 75}));
  EXPECT_EQ(Clock(d_Time(10, 0, 0.5f) + d_Interval(0, 0, 0, 0.25f)), (Fields{10, 0, 0, 25}));
  EXPECT_EQ(Clock(d_Interval(0, 1) + d_Time(10, 0, 0.0f)), (Fields{11, 0, 0, 0}));
  EXPECT_EQ((d_Time(11, 0, 0.0f) - d_Time(10, 30, 0.0f)).seconds(), 1800.0f);
  d_Time z(1, 0, 0.0f);
  z += d_Interval::FromSeconds(-1.0e30f);  // raised by days in one step, no endless loop
  SUCCEED();
}

// With a zone the stored hour and minute are added as they stand and the
// interval sign rule applies to them: a stored hour below 0 negates the
// clock, and a stored hour of 25 keeps hour() at -1 after +0.
TEST_F(OdmgTime, AddingToZonedTimesKeepsTheStoredFieldArithmetic) {
  d_Time t(0, 30, 0.0f, -2, 0);
  t += d_Interval(0, 1);
  EXPECT_EQ(Zoned(t), (Fields{-2, 0, 22, 30}));
  EXPECT_EQ(t.hour(), 24);
  d_Time u(23, 0, 0.0f, 2, 0);
  u += d_Interval();
  EXPECT_EQ(u.hour(), -1);
}

// Times less than one second apart compare equal under != (and so under
// the orderings), but not under ==.
TEST_F(OdmgTime, TimesLessThanASecondApartAreEqualUnderNotEqual) {
  const d_Time a(10, 0, 0.25f), b(10, 0, 0.75f);
  EXPECT_EQ((std::array{a != b, a == b, a < b}), (std::array{0, 0, 0}));
  EXPECT_EQ(d_Time(10, 0, 1.5f) != d_Time(10, 0, 0.25f), 1);
  EXPECT_EQ(d_Time(11, 0, 0.0f) != d_Time(10, 59, 0.0f), 1);
  EXPECT_EQ(d_Time(10, 5, 0.0f) != d_Time(10, 2, 0.0f), 3);
}

TEST_F(OdmgTime, TimestampsMoveByTheDayOfMonthAndTheTime) {
  d_Timestamp a(2021, 4, 15), b(2021, 4, 15, 1);
  a -= d_Interval(16);
  ExpectDate(a.date(), {2021, 3, 30});
  EXPECT_EQ(Clock(a.time()), (Fields{0, 0, 0, 0}));
  b -= d_Interval(20, 23);
  ExpectDate(b.date(), {2021, 3, 25});
  EXPECT_EQ(Clock(b.time()), (Fields{2, 0, 0, 0}));
  const d_Timestamp c = d_Timestamp(2021, 12, 31, 23, 30, 0.5f) + d_Interval(0, 1);
  ExpectDate(c.date(), {2022, 1, 1});
  EXPECT_EQ(Clock(c.time()), (Fields{0, 30, 0, 50}));
  const d_Timestamp moved = d_Timestamp(d_Date(2021, 4, 15), d_Time(10, 0, 0.0f, 3, 0)) + d_Interval(0, 20);
  ExpectDate(moved.date(), {2021, 4, 16});
  EXPECT_EQ(Clock(moved.time()), (Fields{6, 0, 0, 0}));
  EXPECT_EQ(moved.tz_hour(), 3);
}

// Day numbers and intervals far beyond any date, infinite or not a number,
// give some value without overflow, a crash or an endless loop.
TEST_F(OdmgTime, ExtremeIntervalsKeepTheArithmeticDefined) {
  const float extremes[] = {3.0e38f, -3.0e38f, std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
  for (float seconds : extremes) {
    const d_Interval delta = d_Interval::FromSeconds(seconds);
    d_Timestamp stamp(2021, 4, 15, 10);
    stamp += delta;
    stamp -= delta;
    d_Time time(10, 0, 0.0f);
    time += delta;
    time -= delta;
    for (d_Date date : {d_Date(2021, 4, 15), d_Date(32767, 12, 31)}) date += delta;
    EXPECT_GE(delta.hour(), -23);
    EXPECT_LE(delta.hour(), 23);
  }
  for (int n : {INT32_MIN, INT32_MIN + 1, -1000000000, 1000000000, INT32_MAX}) {
    d_Date d = DateOfDayNumber(n);
    d++;
    d--;
  }
  d_Timestamp stamp(2021, 4, 15, 10);
  stamp += d_Interval::FromSeconds(-1.0e9f);  // about 31 years back, raised by whole days
  EXPECT_EQ(stamp.year(), 1989);
}

TEST_F(OdmgTime, TimestampComparisonsTakeTheDateFirst) {
  const d_Timestamp a(2021, 4, 15, 23), b(2021, 4, 16, 1);
  EXPECT_EQ(a != b, -1);
  EXPECT_EQ(a < b, 1);
  EXPECT_EQ(d_Timestamp(2021, 4, 15, 10, 5) != d_Timestamp(2021, 4, 15, 10, 2), 3);
  EXPECT_EQ(d_Timestamp(2021, 4, 15, 10, 0, 0.5f) == d_Timestamp(2021, 4, 15, 10, 0, 0.0f), 0);
  KsDateTime ks(KsDate(2021, 4, 15), KsTime(10, 20, 30));
  d_Timestamp c;
  c = ks;
  EXPECT_EQ(c == d_Timestamp(2021, 4, 15, 10, 20, 30.0f), 1);
  c = d_Date(2020, 1, 1);
  ExpectDate(c.date(), {2020, 1, 1});
  EXPECT_EQ(c.minute(), 20);
}

// Closed periods, either given in either order.
TEST(OdmgOverlaps, TruthTable) {
  auto t = [](int hour, int minute) {
    return d_Time(static_cast<unsigned short>(hour), static_cast<unsigned short>(minute), 0.0f, 0, 0);
  };
  struct Case {
    int a1, a2, b1, b2;  // minutes of the day
    int expected;
  };
  const Case cases[] = {
      {600, 720, 720, 780, 1},  // touching at the end
      {600, 720, 750, 780, 0},  // after
      {600, 720, 780, 660, 1},  // reversed, reaching in
      {600, 720, 540, 570, 0},  // before
      {600, 720, 540, 600, 1},  // touching at the start
      {600, 720, 540, 780, 1},  // enclosing
      {600, 720, 630, 690, 1},  // inside
      {600, 720, 780, 540, 1},  // reversed, enclosing
      {600, 720, 570, 540, 0},  // reversed, before
      {600, 720, 780, 750, 0},  // reversed, after
      {720, 600, 720, 780, 1},  // first period reversed
      {720, 600, 750, 780, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(overlaps(t(c.a1 / 60, c.a1 % 60), t(c.a2 / 60, c.a2 % 60), t(c.b1 / 60, c.b1 % 60),
                       t(c.b2 / 60, c.b2 % 60)),
              c.expected)
        << c.a1 << " " << c.a2 << " " << c.b1 << " " << c.b2;
  }
}

TEST(OdmgOverlaps, MixedFormsCompareTheMatchingPart) {
  const d_Date d1(2021, 4, 1), d2(2021, 4, 10);
  const d_Timestamp s1(2021, 4, 10, 23), s2(2021, 4, 20), s3(2021, 4, 11), s4(2021, 4, 20);
  EXPECT_EQ(overlaps(d1, d2, s1, s2), 1);
  EXPECT_EQ(overlaps(d1, d2, s3, s4), 0);
  EXPECT_EQ(overlaps(s1, s2, d1, d2), 1);
  EXPECT_EQ(overlaps(s3, s4, d1, d2), 0);
  EXPECT_EQ(overlaps(d1, d2, d2, d1), 1);
  const d_Time t1(9, 0, 0.0f, 0, 0), t2(10, 0, 0.0f, 0, 0);
  // The stamps' times, 23:00 and 00:00, are a period given in reverse that
  // encloses 09:00 .. 10:00.
  EXPECT_EQ(overlaps(t1, t2, s1, s2), 1);
  EXPECT_EQ(overlaps(t1, t2, s3, s4), 0);
  const d_Timestamp s5(2021, 1, 1, 9, 30), s6(2022, 1, 1, 11);
  EXPECT_EQ(overlaps(t1, t2, s5, s6), 1);
  EXPECT_EQ(overlaps(s5, s6, t1, t2), 1);
  EXPECT_EQ(overlaps(s1, s2, s3, s4), 1);
}

}  // namespace
