// KsDate and KsTime: day numbers, the calendar, weekdays, arithmetic, comparison with wildcards,
// special values and the clock.
#include "ksdate.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "basesvc.h"

namespace {

// An independent calendar: days since 1970-01-01, proleptic Gregorian, by the era method (floor
// divisions, 400-year eras).
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

constexpr long long kJdnOfUnixEpoch = 2440588;

struct Ymd {
  int year, month, day;
};

Ymd CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

KsDate Of(const Ymd& d) {
  return KsDate(static_cast<short>(d.year), static_cast<char>(d.month), static_cast<char>(d.day));
}

void ExpectDate(const KsDate& d, int year, int month, int day) {
  EXPECT_EQ((std::array<int, 3>{d.year, d.month, d.day}), (std::array{year, month, day}));
}

void ExpectTime(const KsTime& t, int hour, int minute, int second) {
  EXPECT_EQ((std::array<int, 3>{t.hour, t.minute, t.second}), (std::array{hour, minute, second}));
}

// 2021-04-15 10:20:30 UTC.
constexpr long long kSomeInstant = 1618482030;

class DateClock : public ::testing::Test {
 protected:
  void Use(long long utcSeconds, int zoneMinutes, bool zoneKnown = true, int nanos = 0) {
    const KsFixedClock clock{utcSeconds, nanos, zoneMinutes, zoneKnown};
    KsSetFixedClock(&clock);
  }
  void TearDown() override { KsSetFixedClock(nullptr); }
};

TEST(KsDateDayNumber, KnownDays) {
  struct Case {
    Ymd date;
    int jdn;
  };
  const Case cases[] = {{{-4713, 11, 24}, 0},    {{-4713, 11, 25}, 1},      {{-1, 12, 31}, 1721059},
                        {{0, 1, 1}, 1721060},    {{1582, 10, 15}, 2299161}, {{1970, 1, 1}, 2440588},
                        {{2000, 1, 1}, 2451545}, {{2021, 4, 15}, 2459320},  {{9999, 12, 31}, 5373484}};
  for (const Case& c : cases) {
    const KsDate date = Of(c.date);
    EXPECT_EQ(date.dayabs(), c.jdn) << c.date.year;
    EXPECT_EQ(static_cast<int>(date), c.jdn) << c.date.year;
    ExpectDate(KsDate(c.jdn), c.date.year, c.date.month, c.date.day);
  }
  EXPECT_EQ(KsDate(0).IsDefaultValue(), 1);
}

// Every day from -4713-11-24 to 9999-12-31, both ways, against the era method.
TEST(KsDateDayNumber, AgreesWithIndependentCalendarOverWholeRange) {
  const int last = static_cast<int>(DaysFromCivil(9999, 12, 31) + kJdnOfUnixEpoch);
  ASSERT_EQ(last, 5373484);
  int mismatches = 0;
  KsDate date(0, 0, 0);
  for (int jdn = 0; jdn <= last && mismatches < 5; ++jdn) {
    const Ymd expected = CivilFromDays(jdn - kJdnOfUnixEpoch);
    date.dateabs(jdn);
    if (date.year != expected.year || date.month != expected.month || date.day != expected.day ||
        date.dayabs() != jdn) {
      ADD_FAILURE() << "day " << jdn << ": " << date.year << "-" << int(date.month) << "-" << int(date.day);
      ++mismatches;
    }
  }
}

TEST(KsDateCalendar, LeapYears) {
  struct Case {
    int year;
    int february29Valid;
  };
  const Case cases[] = {{2000, 1}, {1900, 0}, {2024, 1}, {2023, 0}, {1600, 1}, {1700, 0},
                        {0, 1},    {-4, 1},   {-100, 0}, {-400, 1}, {9996, 1}, {2100, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(KsDate(static_cast<short>(c.year), 2, 29).IsDate(), c.february29Valid) << c.year;
    EXPECT_EQ(KsDate(static_cast<short>(c.year), 2, 28).daynxtmonth(), c.february29Valid ? 2 : 1) << c.year;
  }
}

TEST(KsDateCalendar, ValidityAndMonthEnds) {
  struct Case {
    Ymd date;
    int isDate;
    int daysToNextMonth;
  };
  const Case cases[] = {{{2021, 12, 31}, 1, 1}, {{2021, 1, 31}, 1, 1},  {{2021, 4, 30}, 1, 1},
                        {{2021, 4, 31}, 0, 0},  {{2021, 4, 1}, 1, 30},  {{2021, 2, 1}, 1, 28},
                        {{2021, 13, 1}, 0, 31}, {{2021, 0, 1}, 0, 31},  {{2021, 5, 0}, 0, 32},
                        {{2021, 5, 32}, 0, 0},  {{2021, -1, 5}, 0, 26}, {{0, 0, 0}, 0, 32}};
  for (const Case& c : cases) {
    const KsDate date = Of(c.date);
    EXPECT_EQ(date.IsDate(), c.isDate) << c.date.month << "/" << c.date.day;
    EXPECT_EQ(date.daynxtmonth(), c.daysToNextMonth) << c.date.month << "/" << c.date.day;
    EXPECT_EQ(date.IsLastDayOfTheMonth(), c.daysToNextMonth == 1 ? 1 : 0);
  }
}

TEST(KsDateWeekday, WholeFourHundredYearCycle) {
  int perWeekday[7] = {};
  const int first = KsDate(2000, 1, 1).dayabs();
  const int last = KsDate(2399, 12, 31).dayabs();
  ASSERT_EQ(last - first + 1, 146097);
  KsDate date(0, 0, 0);
  for (int jdn = first; jdn <= last; ++jdn) {
    date.dateabs(jdn);
    const int weekday = date.GetDayOfTheDate();
    ASSERT_EQ(weekday, jdn % 7) << jdn;  // Julian Day 0 was a Monday
    ++perWeekday[weekday];
  }
  for (int count : perWeekday) EXPECT_EQ(count, 20871);
}

TEST(KsDateWeekday, NamesAndNumbers) {
  struct Case {
    Ymd date;
    KsDaysOfTheWeek weekday;
    const char* name;
  };
  const Case cases[] = {{{2021, 4, 15}, KsThursday, "Thursday"}, {{2000, 1, 1}, KsSaturday, "Saturday"},
                        {{2000, 1, 2}, KsSunday, "Sunday"},      {{2024, 2, 26}, KsMonday, "Monday"},
                        {{1970, 1, 1}, KsThursday, "Thursday"},  {{1, 1, 1}, KsMonday, "Monday"}};
  for (const Case& c : cases) {
    KsDate date = Of(c.date);
    const KsDate& constDate = date;
    EXPECT_EQ(date.GetDayOfTheDate(), c.weekday) << c.name;
    EXPECT_EQ(date.DayOfTheDate(), c.weekday) << c.name;
    EXPECT_STREQ(constDate.PrintDayOfTheDate().StrGet(), c.name);
    EXPECT_EQ(date.PrintDayOfTheDate().StrGet()[0], '0' + c.weekday);
  }
}

TEST(KsDateArithmetic, DaysAcrossMonthAndYearBoundaries) {
  struct Case {
    Ymd from;
    int days;
    Ymd to;
  };
  const Case cases[] = {{{2024, 2, 28}, 1, {2024, 2, 29}},   {{2024, 2, 28}, 2, {2024, 3, 1}},
                        {{2023, 2, 28}, 1, {2023, 3, 1}},    {{2021, 12, 31}, 1, {2022, 1, 1}},
                        {{2022, 1, 1}, -1, {2021, 12, 31}},  {{2000, 3, 1}, -1, {2000, 2, 29}},
                        {{1900, 3, 1}, -1, {1900, 2, 28}},   {{2021, 1, 31}, 1, {2021, 2, 1}},
                        {{2021, 4, 15}, 365, {2022, 4, 15}}, {{2021, 4, 15}, -36525, {1921, 4, 15}},
                        {{0, 1, 1}, -1, {-1, 12, 31}}};
  for (const Case& c : cases) {
    const KsDate from = Of(c.from);
    ExpectDate(from + c.days, c.to.year, c.to.month, c.to.day);
    ExpectDate(from - (-c.days), c.to.year, c.to.month, c.to.day);
    KsDate moved = from;
    moved += c.days;
    ExpectDate(moved, c.to.year, c.to.month, c.to.day);
    EXPECT_EQ(moved - from, c.days);
    moved -= c.days;
    EXPECT_EQ(moved == from, 1);
  }
  KsDate date(2021, 12, 31);
  ExpectDate(++date, 2022, 1, 1);
  ExpectDate(--date, 2021, 12, 31);
  // Amounts at the ends of int stay defined.
  EXPECT_EQ((KsDate(2021, 4, 15) + INT_MAX).dayabs(), KsDate(INT_MAX).dayabs());
}

class ExposedDate : public KsDate {
 public:
  ExposedDate() : KsDate(0, 0, 0) {}
  using KsDate::divide;
  using KsDate::modulo;
};

TEST(KsDateArithmetic, MagnitudeDivision) {
  struct Case {
    int a, b, quotient, remainder;
  };
  const Case cases[] = {{7, 2, 3, 1}, {7, -2, -3, -1}, {-7, -2, 3, 1},           {-7, 2, -3, -1},
                        {6, 3, 2, 0}, {0, 5, 0, 0},    {INT_MIN, 1, INT_MIN, 0}, {INT_MIN, -1, INT_MAX, 0}};
  const ExposedDate date;
  for (const Case& c : cases) {
    EXPECT_EQ(date.divide(c.a, c.b), c.quotient) << c.a << "/" << c.b;
    EXPECT_EQ(date.modulo(c.a, c.b), c.remainder) << c.a << "%" << c.b;
  }
}

TEST(KsDateCompare, FieldDifferencesAndWildcards) {
  struct Case {
    Ymd a, b;
    unsigned short flags;
    int result;
  };
  const Case cases[] = {{{2021, 4, 15}, {2021, 6, 15}, 0xFFFF, -2}, {{2021, 4, 15}, {2021, 4, 15}, 0xFFFF, 0},
                        {{2021, 4, 15}, {-1, 4, 15}, 0, 0},         {{2021, 4, 15}, {-1, 4, 15}, 0x10, 2022},
                        {{-1, 4, 15}, {2021, 4, 15}, 0, 0},         {{2021, 4, 15}, {2020, -1, 20}, 0, 1},
                        {{2021, 4, 15}, {2021, -1, 20}, 0, -5},     {{2021, 4, 15}, {2021, -1, -1}, 0x0F, 0},
                        {{2021, 4, 15}, {2021, 4, 3}, 0xFFFF, 12}};
  for (const Case& c : cases) {
    EXPECT_EQ(Of(c.a).Compare(Of(c.b), c.flags), c.result) << c.b.year << "-" << c.b.month << "-" << c.b.day;
  }
  const KsDate april(2021, 4, 15);
  const KsDate june(2021, 6, 15);
  EXPECT_EQ(april != june, -2);
  EXPECT_EQ(april == june, 0);
  EXPECT_EQ(april < june, 1);
  EXPECT_EQ(april <= june, 1);
  EXPECT_EQ(april > june, 0);
  EXPECT_EQ(june >= april, 1);
  // Plain operators see -1 as a number, not as a wildcard.
  EXPECT_EQ(april != KsDate(-1, 4, 15), 2022);
}

TEST(KsDateSpecialValues, PatternsAndTests) {
  ExpectDate(KsDate::NullValue(), -32768, -128, -128);
  ExpectDate(KsDate::DefaultValue(), -4713, 11, 24);
  ExpectDate(KsDate::ZeroValue(), 0, 1, 1);
  ExpectDate(KsDate::ClearValue(), 0, 0, 0);
  KsDate date(2021, 4, 15);
  EXPECT_EQ(date.SetNullValue(), 0);
  EXPECT_EQ(date.IsNullValue(), 1);
  EXPECT_EQ(KsDate(-32768, -128, 0).IsNullValue(), 0);
  EXPECT_EQ(date.SetDefaultValue(), 0);
  EXPECT_EQ(date.IsDefaultValue(), 1);
  EXPECT_EQ(date.dayabs(), 0);
  EXPECT_EQ(date.SetZeroValue(), 0);
  EXPECT_EQ(date.IsZeroValue(), 1);
  EXPECT_EQ(date.IsDefaultValue(), 0);
}

TEST(KsTimeArithmetic, ConstructionFromSeconds) {
  struct Case {
    int seconds;
    int hour, minute, second, isTime;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 1},        {3661, 1, 1, 1, 1},  {86399, 23, 59, 59, 1},      {90000, 25, 0, 0, 0},
      {-3661, -1, -1, -1, 0}, {-59, 0, 0, -59, 0}, {460800, 128 - 256, 0, 0, 0}};
  for (const Case& c : cases) {
    const KsTime t(c.seconds);
    ExpectTime(t, c.hour, c.minute, c.second);
    EXPECT_EQ(t.IsTime(), c.isTime) << c.seconds;
    KsTime set(0, 0, 0);
    set.SetSecondsAbs(c.seconds);
    EXPECT_EQ(set == t, 1);
  }
  EXPECT_EQ(static_cast<int>(KsTime(12, 34, 56)), 45296);
  EXPECT_EQ(static_cast<int>(KsTime(-1, 0, 0)), -3600);
}

TEST(KsTimeArithmetic, WrapsWithinTheDay) {
  struct Case {
    KsTime from;
    int seconds;
    KsTime to;
  };
  const Case cases[] = {{{0, 0, 0}, -1, {23, 59, 59}},           {{0, 0, 0}, -86400, {0, 0, 0}},
                        {{10, 0, 0}, 200 * 3600, {18, 0, 0}},    {{23, 59, 59}, 1, {0, 0, 0}},
                        {{12, 30, 30}, 45, {12, 31, 15}},        {{12, 30, 30}, -45, {12, 29, 45}},
                        {{0, 0, 0}, INT_MAX, {3, 14, 7}},        {{0, 0, 0}, INT_MIN, {20, 45, 52}},
                        {{5, 0, 0}, -5 * 3600 - 1, {23, 59, 59}}};
  for (const Case& c : cases) {
    const KsTime sum = c.from + c.seconds;
    EXPECT_EQ(sum == c.to, 1) << c.seconds << " -> " << int(sum.hour) << ":" << int(sum.minute) << ":"
                              << int(sum.second);
    if (c.seconds != INT_MIN) {
      EXPECT_EQ((c.from - (-c.seconds)) == c.to, 1) << c.seconds;
    }
    KsTime moved = c.from;
    moved += c.seconds;
    EXPECT_EQ(moved == c.to, 1) << c.seconds;
  }
  KsTime t(23, 59, 59);
  ExpectTime(++t, 0, 0, 0);
  ExpectTime(--t, 23, 59, 59);
  t -= 59;
  ExpectTime(t, 23, 59, 0);
  ExpectTime(KsTime(10, 0, 0) - KsTime(12, 30, 0), 21, 30, 0);
  ExpectTime(KsTime(0, 0, 0) - INT_MIN, 3, 14, 8);
}

TEST(KsTimeCompare, FieldDifferencesAndWildcards) {
  struct Case {
    KsTime a, b;
    unsigned short flags;
    int result;
  };
  const Case cases[] = {{{10, 20, 30}, {10, 20, 30}, 0xFFFF, 0}, {{10, 20, 30}, {12, 0, 0}, 0xFFFF, -2},
                        {{10, 20, 30}, {-1, 20, 30}, 0, 0},      {{10, 20, 30}, {-1, 20, 30}, 0x10, 11},
                        {{10, 20, 30}, {10, -1, 31}, 0, -1},     {{10, 20, 30}, {10, 25, -1}, 0x01, -5}};
  for (const Case& c : cases) EXPECT_EQ(c.a.Compare(c.b, c.flags), c.result);
  EXPECT_EQ(KsTime(10, 0, 0) != KsTime(10, 0, 5), -5);
  EXPECT_EQ(KsTime(10, 0, 0) < KsTime(10, 0, 5), 1);
  EXPECT_EQ(KsTime(10, 0, 0) > KsTime(9, 59, 59), 1);
}

TEST(KsTimeSpecialValues, PatternsAndTests) {
  ExpectTime(KsTime::NullValue(), -128, -128, -128);
  ExpectTime(KsTime::DefaultValue(), 0, 0, 0);
  ExpectTime(KsTime::ZeroValue(), 0, 0, 0);
  ExpectTime(KsTime::ClearValue(), 0, 0, 0);
  KsTime t(1, 2, 3);
  EXPECT_EQ(t.IsZeroValue(), 0);
  EXPECT_EQ(t.SetNullValue(), 0);
  EXPECT_EQ(t.IsNullValue(), 1);
  EXPECT_EQ(t.SetZeroValue(), 0);
  EXPECT_EQ(t.IsDefaultValue(), 1);
}

TEST_F(DateClock, TodayAndNowAreLocal) {
  Use(kSomeInstant + 13 * 3600, 120);  // 23:20:30 UTC is 01:20:30 next day local
  const KsDate today;
  ExpectDate(today, 2021, 4, 16);
  const KsTime now;
  ExpectTime(now, 1, 20, 30);
  KsTime utc(0, 0, 0);
  ExpectTime(utc.NowUTC(), 23, 20, 30);
  KsDate date(0, 0, 0);
  ExpectDate(date.Today(), 2021, 4, 16);
}

TEST_F(DateClock, TimeZoneMovesWrap) {
  struct Case {
    int zoneMinutes;
    KsTime from, local, utc;
  };
  const Case cases[] = {{120, {23, 30, 0}, {1, 30, 0}, {21, 30, 0}},
                        {-60, {0, 30, 10}, {23, 30, 10}, {1, 30, 10}},
                        {0, {12, 0, 0}, {12, 0, 0}, {12, 0, 0}},
                        {330, {20, 0, 5}, {1, 30, 5}, {14, 30, 5}}};
  for (const Case& c : cases) {
    Use(kSomeInstant, c.zoneMinutes);
    KsTime local = c.from;
    EXPECT_EQ(local.ToLocalTime(), 0);
    EXPECT_EQ(local == c.local, 1) << c.zoneMinutes;
    KsTime utc = c.from;
    EXPECT_EQ(utc.ToUTCTime(), 0);
    EXPECT_EQ(utc == c.utc, 1) << c.zoneMinutes;
  }
  Use(kSomeInstant, 0, false);
  KsTime t(10, 0, 0);
  EXPECT_EQ(t.ToLocalTime(), -2171);
  EXPECT_EQ(t.ToUTCTime(), -2171);
  ExpectTime(t, 10, 0, 0);
}

}  // namespace
