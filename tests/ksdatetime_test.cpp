// KsDateTime, KsDateTimeN and KsTimeSpan: carries between the units in both directions, zone moves
// through the fixed clock, totals, comparison with wildcards and the difference of two points in time.
#include "ksdatetime.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "basesvc.h"
#include "ksdatetimen.h"

namespace {

// 2021-04-15 10:20:30 UTC.
constexpr long long kSomeInstant = 1618482030;

struct Fields {
  int year, month, day, hour, minute, second, nanos;
};

void ExpectFields(const KsDateTime& v, const Fields& f, int nanos = 0, int expectedNanos = 0) {
  const std::array<int, 7> actual = {v.date.year,   v.date.month,  v.date.day, v.time.hour,
                                     v.time.minute, v.time.second, nanos};
  EXPECT_EQ(actual, (std::array{f.year, f.month, f.day, f.hour, f.minute, f.second, expectedNanos}));
}

void ExpectFields(const KsDateTimeNBase& v, const Fields& f) {
  ExpectFields(v.dateTime, f, v.nanoseconds, f.nanos);
}

KsDateTime DateTime(const Fields& f) {
  return KsDateTime(
      KsDate(static_cast<short>(f.year), static_cast<char>(f.month), static_cast<char>(f.day)),
      KsTime(static_cast<char>(f.hour), static_cast<char>(f.minute), static_cast<char>(f.second)));
}

KsDateTimeN DateTimeN(const Fields& f) {
  return KsDateTimeN(static_cast<short>(f.year), static_cast<char>(f.month), static_cast<char>(f.day),
                     static_cast<char>(f.hour), static_cast<char>(f.minute), static_cast<char>(f.second),
                     f.nanos);
}

KsTimeSpan Span(const Fields& f) {
  return KsTimeSpan(f.year, f.month, f.day, f.hour, f.minute, f.second, f.nanos);
}

class DateTimeClock : public ::testing::Test {
 protected:
  void Use(int zoneMinutes, bool zoneKnown = true, int nanos = 0) {
    const KsFixedClock clock{kSomeInstant, nanos, zoneMinutes, zoneKnown};
    KsSetFixedClock(&clock);
  }
  void TearDown() override { KsSetFixedClock(nullptr); }
};

TEST(KsDateTimeAddSeconds, CarriesIntoTheDateBothWays) {
  struct Case {
    Fields from;
    int seconds;
    Fields to;
  };
  const Case cases[] = {
      {{2021, 12, 31, 23, 59, 30, 0}, 45, {2022, 1, 1, 0, 0, 15, 0}},
      {{2021, 1, 1, 0, 0, 10, 0}, -20, {2020, 12, 31, 23, 59, 50, 0}},
      {{2021, 4, 15, 10, 0, 0, 0}, 86400 * 3 + 5, {2021, 4, 18, 10, 0, 5, 0}},
      {{2021, 4, 15, 10, 0, 0, 0}, -(86400 * 3 + 5), {2021, 4, 12, 9, 59, 55, 0}},
      {{2021, 3, 1, 0, 0, 0, 0}, -1, {2021, 2, 28, 23, 59, 59, 0}},
      {{2024, 2, 28, 23, 0, 0, 0}, 7200, {2024, 2, 29, 1, 0, 0, 0}},
      {{2021, 4, 15, 10, 0, 0, 0}, 0, {2021, 4, 15, 10, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    KsDateTime v = DateTime(c.from);
    v.AddSeconds(c.seconds);
    ExpectFields(v, c.to);
  }
}

TEST(KsDateTimeCompare, DatesFirstThenTimes) {
  const KsDateTime a = DateTime({2021, 4, 15, 10, 0, 0, 0});
  struct Case {
    Fields other;
    unsigned short flags;
    int compare;
    int notEqual;
  };
  const Case cases[] = {
      {{2021, 4, 15, 10, 0, 0, 0}, 0xFFFF, 0, 0},   {{2021, 6, 15, 10, 0, 0, 0}, 0xFFFF, -2, -2},
      {{2021, 4, 15, 12, 0, 0, 0}, 0xFFFF, -2, -2}, {{-1, 4, 15, -1, 0, 0, 0}, 0, 0, 2022},
      {{-1, 4, 15, -1, 0, 0, 0}, 0x10, 2022, 2022}, {{2021, 4, -1, 9, -1, 0, 0}, 0, 1, 16}};
  for (const Case& c : cases) {
    const KsDateTime b = DateTime(c.other);
    EXPECT_EQ(a.Compare(b, c.flags), c.compare);
    EXPECT_EQ(a != b, c.notEqual);
    EXPECT_EQ(a == b, c.notEqual == 0 ? 1 : 0);
  }
  EXPECT_EQ(a.Compare(DateTime({2021, 4, 15, 9, 0, 0, 0})), 1);
}

TEST(KsDateTimeSpecialValues, PatternsAndTests) {
  ExpectFields(KsDateTime::NullValue(), {-32768, -128, -128, -128, -128, -128, 0});
  ExpectFields(KsDateTime::DefaultValue(), {-4713, 11, 24, 0, 0, 0, 0});
  ExpectFields(KsDateTime::ZeroValue(), {0, 1, 1, 0, 0, 0, 0});
  ExpectFields(KsDateTime::ClearValue(), {0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(&KsDateTime::Null(), &KsDateTime::ClearValue());
  // The default value looks at the date only.
  EXPECT_EQ(DateTime({-4713, 11, 24, 13, 14, 15, 0}).IsDefaultValue(), 1);
  EXPECT_EQ(DateTime({-4713, 11, 25, 0, 0, 0, 0}).IsDefaultValue(), 0);
  KsDateTime v = DateTime({2021, 4, 15, 10, 0, 0, 0});
  EXPECT_EQ(v.IsDateTime(), 1);
  EXPECT_EQ(DateTime({2021, 4, 15, 24, 0, 0, 0}).IsDaTime(), 0);
  EXPECT_EQ(DateTime({2021, 2, 29, 0, 0, 0, 0}).IsDateTime(), 0);
  EXPECT_EQ(v.SetNullValue(), 0);
  EXPECT_EQ(v.IsNullValue(), 1);
  EXPECT_EQ(v.SetZeroValue(), 0);
  EXPECT_EQ(v.IsZeroValue(), 1);
  EXPECT_EQ(v.SetDefaultValue(), 0);
  EXPECT_EQ(v.IsDefaultValue(), 1);
  v = KsTime(7, 8, 9);
  ExpectFields(v, {-4713, 11, 24, 7, 8, 9, 0});
}

TEST_F(DateTimeClock, DateTimeReadsTheClock) {
  Use(120);
  ExpectFields(KsDateTime(), {2021, 4, 15, 12, 20, 30, 0});
  // A date alone takes the current time of day, not midnight.
  ExpectFields(KsDateTime(KsDate(2000, 1, 1)), {2000, 1, 1, 12, 20, 30, 0});
  ExpectFields(KsDateTime(KsTime(1, 2, 3)), {2021, 4, 15, 1, 2, 3, 0});
  KsDate date(1999, 12, 31);
  KsTime time(4, 5, 6);
  ExpectFields(KsDateTime(date), {1999, 12, 31, 12, 20, 30, 0});
  ExpectFields(KsDateTime(time), {2021, 4, 15, 4, 5, 6, 0});
  ExpectFields(KsDateTime(date, time), {1999, 12, 31, 4, 5, 6, 0});
  KsDateTime v = DateTime({0, 0, 0, 0, 0, 0, 0});
  ExpectFields(v.NowUTC(), {2021, 4, 15, 10, 20, 30, 0});
  ExpectFields(v.Now(), {2021, 4, 15, 12, 20, 30, 0});
}

TEST_F(DateTimeClock, DateTimeZoneMovesCarryOneDay) {
  struct Case {
    int zoneMinutes;
    Fields from;
    Fields local;
    Fields utc;
  };
  const Case cases[] = {
      {120, {2021, 4, 15, 23, 30, 0, 0}, {2021, 4, 16, 1, 30, 0, 0}, {2021, 4, 15, 21, 30, 0, 0}},
      {-60, {2021, 4, 15, 0, 30, 10, 0}, {2021, 4, 14, 23, 30, 10, 0}, {2021, 4, 15, 1, 30, 10, 0}},
      {120, {2021, 3, 1, 0, 0, 0, 0}, {2021, 3, 1, 2, 0, 0, 0}, {2021, 2, 28, 22, 0, 0, 0}},
      {60, {2021, 3, 1, 1, 0, 45, 0}, {2021, 3, 1, 2, 0, 45, 0}, {2021, 3, 1, 0, 0, 45, 0}},
      {-330, {2021, 12, 31, 22, 15, 0, 0}, {2021, 12, 31, 16, 45, 0, 0}, {2022, 1, 1, 3, 45, 0, 0}},
  };
  for (const Case& c : cases) {
    Use(c.zoneMinutes);
    const auto check = [&c](auto local, auto utc) {
      EXPECT_EQ(local.ToLocalTime(), 0);
      ExpectFields(local, c.local);
      EXPECT_EQ(utc.ToUTCTime(), 0);
      ExpectFields(utc, c.utc);
    };
    check(DateTime(c.from), DateTime(c.from));
    check(DateTimeN(c.from), DateTimeN(c.from));
  }
  // An unknown zone refuses both moves and leaves the value alone.
  Use(0, false);
  const auto refuse = [](auto v, const Fields& f) {
    EXPECT_EQ(v.ToLocalTime(), -2171);
    EXPECT_EQ(v.ToUTCTime(), -2171);
    ExpectFields(v, f);
  };
  refuse(DateTime({2021, 4, 15, 10, 0, 0, 0}), {2021, 4, 15, 10, 0, 0, 0});
  refuse(DateTimeN({2021, 4, 15, 10, 0, 0, 7}), {2021, 4, 15, 10, 0, 0, 7});
}

TEST_F(DateTimeClock, DateTimeNReadsNanoseconds) {
  Use(120, true, 123456789);
  KsDateTimeN v;
  ExpectFields(v.Now(), {2021, 4, 15, 12, 20, 30, 123456789});
  ExpectFields(v.NowUTC(), {2021, 4, 15, 10, 20, 30, 123456789});
}

// One amount added through the named overload; shared by the KsDateTimeN and KsTimeSpan carry tables.
enum class Add { Days, Hours, Minutes, Seconds, Seconds64, SecondsF, Nanos, Nanos64 };

template <class T>
void AddAmount(T& v, Add op, double amount) {
  const int small = static_cast<int>(amount);
  const long long large = static_cast<long long>(amount);
  const std::function<void()> adds[] = {[&] { v.AddDays(small); },        [&] { v.AddHours(small); },
                                        [&] { v.AddMinutes(small); },     [&] { v.AddSeconds(small); },
                                        [&] { v.AddSeconds(large); },     [&] { v.AddSeconds(amount); },
                                        [&] { v.AddNanoSeconds(small); }, [&] { v.AddNanoSeconds(large); }};
  adds[static_cast<int>(op)]();
}

TEST(KsDateTimeNCarries, CalendarDaysForValidDates) {
  using enum Add;
  struct Case {
    Fields from;
    Add op;
    long long amount;
    Fields to;
  };
  const Case cases[] = {
      {{2021, 1, 31, 0, 0, 0, 0}, Days, 1, {2021, 2, 1, 0, 0, 0, 0}},
      {{2021, 3, 1, 0, 0, 0, 0}, Hours, -1, {2021, 2, 28, 23, 0, 0, 0}},
      {{2021, 4, 15, 0, 0, 0, 0}, Nanos, -1, {2021, 4, 14, 23, 59, 59, 999999999}},
      {{2021, 4, 15, 0, 0, 0, 0}, Nanos64, 86400LL * 1000000000 + 5, {2021, 4, 16, 0, 0, 0, 5}},
      {{2020, 1, 1, 0, 0, 0, 0}, Minutes, 1440 * 366, {2021, 1, 1, 0, 0, 0, 0}},
      {{2021, 12, 31, 23, 59, 59, 0}, Seconds, 1, {2022, 1, 1, 0, 0, 0, 0}},
      {{2021, 1, 1, 0, 0, 0, 0}, Seconds64, -86400LL * 365, {2020, 1, 2, 0, 0, 0, 0}},
      {{2021, 4, 15, 10, 0, 0, 0}, Hours, 48, {2021, 4, 17, 10, 0, 0, 0}},
      // An invalid date carries by the 30-day rule: February 30 plus one.
      {{2021, 2, 30, 0, 0, 0, 0}, Days, 1, {2021, 3, 1, 0, 0, 0, 0}},
      // Zero amounts leave even out-of-range fields alone.
      {{2021, 4, 15, 30, 70, 80, 0}, Hours, 0, {2021, 4, 15, 30, 70, 80, 0}},
  };
  for (const Case& c : cases) {
    KsDateTimeN v = DateTimeN(c.from);
    AddAmount(v, c.op, static_cast<double>(c.amount));
    ExpectFields(v, c.to);
  }
}

TEST(KsDateTimeNTotals, FromTheEpochOfYearZero) {
  const KsDateTimeN fromSeconds(86400.5);
  ExpectFields(fromSeconds, {0, 1, 2, 0, 0, 0, 500000000});
  EXPECT_EQ(fromSeconds.GetTotalDays(), 1);
  EXPECT_EQ(fromSeconds.GetTotalSeconds(), 86400);
  EXPECT_EQ(fromSeconds.GetTotalNanoSeconds(), 86400500000000LL);
  EXPECT_DOUBLE_EQ(fromSeconds.GetTotalSeconds_f(), 86400.5);
  ExpectFields(KsDateTimeN(0.0), {0, 1, 1, 0, 0, 0, 0});

  const KsDateTimeN v = DateTimeN({2021, 4, 15, 10, 0, 0, 0});
  EXPECT_EQ(v.GetTotalDays(), 738260);
  EXPECT_EQ(v.GetTotalSeconds(), 63785700000LL);

  KsDateTimeN set;
  set.SetTotalDays(738260);
  ExpectFields(set, {2021, 4, 15, 0, 0, 0, 0});
  set.SetTotalSeconds(63785700000LL);
  ExpectFields(set, {2021, 4, 15, 10, 0, 0, 0});
  set.SetTotalSeconds(1.25);
  ExpectFields(set, {0, 1, 1, 0, 0, 1, 250000000});
  set.SetTotalNanoSeconds(-1);
  ExpectFields(set, {-1, 12, 31, 23, 59, 59, 999999999});
  set.SetZero();
  EXPECT_EQ(set.IsZeroValue(), 1);
}

TEST(KsDateTimeNCompare, NanosecondsAndWildcards) {
  const KsDateTimeN a = DateTimeN({2021, 4, 15, 10, 0, 0, 5});
  struct Case {
    Fields other;
    unsigned short flags;
    int result;
  };
  const Case cases[] = {{{2021, 4, 15, 10, 0, 0, 5}, 0xFFFF, 0}, {{2021, 4, 15, 10, 0, 0, 6}, 0xFFFF, -1},
                        {{2021, 4, 15, 10, 0, 0, 4}, 0xFFFF, 1}, {{2021, 4, 15, 10, 0, 0, -1}, 0, 0},
                        {{2021, 4, 15, 10, 0, 0, -1}, 0x10, 1},  {{2021, 4, 15, 10, 0, 3, 5}, 0, -3},
                        {{2021, 4, 15, 10, -1, 0, 900}, 0, -1}};
  for (const Case& c : cases) EXPECT_EQ(a.Compare(DateTimeN(c.other), c.flags), c.result);
  EXPECT_EQ(a == DateTimeN({2021, 4, 15, 10, 0, 0, 5}), 1);
  EXPECT_EQ(a == DateTimeN({2021, 4, 15, 10, 0, 0, 6}), 0);
}

TEST(KsDateTimeNValues, ConstructionAndSpecialValues) {
  const KsDateTimeN null;
  EXPECT_EQ(null.IsNullValue(), 1);
  ExpectFields(null, {-32768, -128, -128, -128, -128, -128, 0});
  ExpectFields(KsDateTimeN(KsDate(2021, 4, 15)), {2021, 4, 15, 0, 0, 0, 0});
  ExpectFields(KsDateTimeN(KsTime(1, 2, 3)), {0, 0, 0, 1, 2, 3, 0});
  ExpectFields(KsDateTimeN(KsDate(2021, 4, 15), KsTime(1, 2, 3)), {2021, 4, 15, 1, 2, 3, 0});
  KsDateTimeN v = DateTimeN({1, 2, 3, 4, 5, 6, 7});
  v = DateTime({2021, 4, 15, 1, 2, 3, 0});
  ExpectFields(v, {2021, 4, 15, 1, 2, 3, 0});
  EXPECT_EQ(v.IsValidDateTime(), 1);
  EXPECT_EQ(DateTimeN({2021, 4, 31, 1, 2, 3, 0}).IsValidDateTime(), 0);
  EXPECT_EQ(v.SetDefaultValue(), 0);
  EXPECT_EQ(v.IsDefaultValue(), 1);
  ExpectFields(v, {-4713, 11, 24, 0, 0, 0, 0});
  EXPECT_EQ(v.SetNullValue(), 0);
  EXPECT_EQ(v.IsNullValue(), 1);
  EXPECT_EQ(DateTimeN({-32768, -128, -128, -128, -128, -128, 1}).IsNullValue(), 0);
  ExpectFields(KsDateTimeN::ZeroValue(), {0, 1, 1, 0, 0, 0, 0});
  ExpectFields(KsDateTimeN::ClearValue(), {0, 0, 0, 0, 0, 0, 0});
}

TEST(KsTimeSpanCarries, ThirtyDayMonthsAndNegativeSpans) {
  using enum Add;
  struct Case {
    Fields from;
    Add op;
    double amount;
    Fields to;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0, 0}, Seconds, -1, {0, 0, -1, 23, 59, 59, 0}},
      {{0, 0, 29, 0, 0, 0, 0}, Days, 1, {0, 1, 0, 0, 0, 0, 0}},
      {{0, 11, 29, 0, 0, 0, 0}, Days, 1, {1, 0, 0, 0, 0, 0, 0}},
      {{0, 1, 0, 0, 0, 0, 0}, Days, -1, {0, 0, 29, 0, 0, 0, 0}},
      {{0, 0, 0, 0, 0, 0, 0}, Days, -45, {0, -2, 15, 0, 0, 0, 0}},
      {{1, 0, 0, 0, 0, 0, 0}, Days, -1, {0, 11, 29, 0, 0, 0, 0}},
      {{32767, 11, 29, 0, 0, 0, 0}, Days, 1, {32767, 0, 0, 0, 0, 0, 0}},
      {{-32768, 0, 0, 0, 0, 0, 0}, Days, -360, {-32768, 0, 0, 0, 0, 0, 0}},
      {{0, 0, 0, 23, 0, 0, 0}, Hours, 2, {0, 0, 1, 1, 0, 0, 0}},
      {{0, 0, 0, 0, 0, 0, 0}, Minutes, -61, {0, 0, -1, 22, 59, 0, 0}},
      {{0, 0, 0, 0, 0, 0, 0}, Nanos, -1, {0, 0, -1, 23, 59, 59, 999999999}},
      {{0, 0, 0, 0, 0, 0, 0}, SecondsF, 90061.25, {0, 0, 1, 1, 1, 1, 250000000}},
  };
  for (const Case& c : cases) {
    KsTimeSpan v = Span(c.from);
    AddAmount(v, c.op, c.amount);
    ExpectFields(v, c.to);
  }
}

TEST(KsTimeSpanTotals, ConstructionAndTotals) {
  const KsTimeSpan negative = [] {
    KsTimeSpan s(0, 0, 0, 0, 0);
    s.AddSeconds(-1);
    return s;
  }();
  EXPECT_EQ(negative.GetTotalSeconds(), -1);
  EXPECT_EQ(negative.GetTotalDays(), -1);

  const KsTimeSpan span(1, 2, 3, 4, 500000000);
  ExpectFields(span, {0, 0, 1, 2, 3, 4, 500000000});
  EXPECT_EQ(span.GetTotalSeconds(), 93784);
  EXPECT_EQ(span.GetTotalNanoSeconds(), 93784500000000LL);
  EXPECT_DOUBLE_EQ(span.GetTotalSeconds_f(), 93784.5);

  ExpectFields(KsTimeSpan(45, 0, 0, 0, 0), {0, 1, 15, 0, 0, 0, 0});
  // Hours and below are stored as given, not normalised.
  ExpectFields(KsTimeSpan(0, 30, 70, 300, 7), {0, 0, 0, 30, 70, 300 - 256, 7});
  EXPECT_EQ(KsTimeSpan(2, 3, 4, 0, 0, 0, 0).GetTotalDays(), 4 + 30 * (3 + 12 * 2));
  ExpectFields(KsTimeSpan(-0.5), {0, 0, -1, 23, 59, 59, 500000000});

  KsTimeSpan set;
  EXPECT_EQ(set.IsNullValue(), 1);
  set.SetZero();
  EXPECT_EQ(set.IsZeroValue(), 1);
  set.SetTotalDays(400);
  ExpectFields(set, {1, 1, 10, 0, 0, 0, 0});
  set.SetTotalSeconds(3723LL);
  ExpectFields(set, {0, 0, 0, 1, 2, 3, 0});
  set.SetTotalSeconds(0.000001);
  ExpectFields(set, {0, 0, 0, 0, 0, 0, 1000});
  set.SetTotalNanoSeconds(60000000001LL);
  ExpectFields(set, {0, 0, 0, 0, 1, 0, 1});
  set.SetYears(300);
  set.SetMonths(200);
  set.SetDays(-5);
  set.SetHours(25);
  set.SetMinutes(61);
  set.SetSeconds(-1);
  set.SetNanoSeconds(-1);
  ExpectFields(set, {300, 200 - 256, -5, 25, 61, -1, -1});
  EXPECT_EQ(set.SetDefaultValue(), 0);
  ExpectFields(set, {-4713, 11, 24, 0, 0, 0, 0});
  EXPECT_EQ(set.IsDefaultValue(), 1);
  EXPECT_EQ(set.SetNullValue(), 0);
  EXPECT_EQ(set.IsNullValue(), 1);
}

TEST(KsTimeSpanDifference, LaterMinusEarlierEitherOrder) {
  struct Case {
    Fields a, b;
    Fields span;
  };
  const Case cases[] = {
      {{2021, 4, 15, 10, 0, 0, 0}, {2021, 4, 14, 12, 30, 0, 0}, {0, 0, 0, 21, 30, 0, 0}},
      {{2021, 4, 15, 0, 0, 0, 250000000},
       {2020, 4, 14, 0, 0, 0, 500000000},
       {1, 0, 5, 23, 59, 59, 750000000}},
      {{2021, 4, 15, 10, 0, 0, 0}, {2021, 4, 15, 10, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
      {{2021, 5, 15, 10, 0, 0, 0}, {2021, 4, 15, 10, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0}},
      {{2021, 4, 15, 0, 0, 1, 0}, {2021, 4, 15, 0, 0, 0, 999999999}, {0, 0, 0, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    ExpectFields(KsTimeSpan::Difference(Span(c.a), Span(c.b)), c.span);
    ExpectFields(KsTimeSpan::Difference(Span(c.b), Span(c.a)), c.span);
  }
  // A null operand counts as all zero, which the calendar reads as -1-11-30.
  ExpectFields(KsTimeSpan::Difference(KsTimeSpan(), Span({0, 1, 2, 1, 0, 0, 0})), {0, 1, 3, 1, 0, 0, 0});
}

TEST(KsTimeSpanCompare, NanosecondWildcard) {
  const KsTimeSpan a(0, 0, 1, 2, 3, 4, 5);
  EXPECT_EQ(a.Compare(KsTimeSpan(0, 0, 1, 2, 3, 4, -1), 0), 0);
  EXPECT_EQ(a.Compare(KsTimeSpan(0, 0, 1, 2, 3, 4, -1), 0x10), 1);
  EXPECT_EQ(a.Compare(KsTimeSpan(0, 0, 1, 2, 3, 9, 5), 0x10), -5);
  EXPECT_EQ(a == KsTimeSpan(0, 0, 1, 2, 3, 4, 5), 1);
}

}  // namespace
