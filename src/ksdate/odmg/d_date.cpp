// d_Date: the ODMG calendar date, counted in astronomical day numbers.
#include "basesvc.h"
#include "ksdate.h"
#include "ksdate/odmg/astronomical_day.h"
#include "ksdate/odmg/orderings.h"
#include "ksdate/saturating.h"
#include "ksdatetime.h"
#include "ksodmg.h"

using ks::calendar::ClampToInt;

d_Date::d_Date() : calYear(0), calMonth(0), calDay(0) {
  bdate today{};
  bksgetdate(&today);
  *this = d_Date(today.year, today.month, today.day);
}

d_Date d_Date::current() {
  return d_Date();
}

d_Date::d_Date(short year, unsigned short dayOfYear) : calYear(year), calMonth(1), calDay(1) {
  setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) + dayOfYear - 1));
}

d_Date::d_Date(KsDate& date)
    : calYear(date.year),
      calMonth(static_cast<uint8_t>(date.month)),
      calDay(static_cast<uint8_t>(date.day)) {}
d_Date::d_Date(KsDateTime& dateTime) : d_Date(dateTime.date) {}
d_Date::d_Date(const d_Timestamp& stamp) : d_Date(stamp.date()) {}

d_Date& d_Date::operator=(KsDate& date) {
  return *this = d_Date(date);
}
d_Date& d_Date::operator=(KsDateTime& dateTime) {
  return *this = d_Date(dateTime);
}
d_Date& d_Date::operator=(const d_Timestamp& stamp) {
  return *this = stamp.date();
}

int d_Date::getAbsDate() const {
  return ks::odmg::AstronomicalDayNumber(calYear, calMonth, calDay);
}

d_Date& d_Date::setAbsDate(int dayNumber) {
  const ks::odmg::AstronomicalDate date = ks::odmg::AstronomicalDateOf(dayNumber);
  calYear = static_cast<int16_t>(date.year);
  calMonth = static_cast<uint8_t>(date.month);
  calDay = static_cast<uint8_t>(date.day);
  return *this;
}

d_Date::Weekday d_Date::day_of_week() const {
  const int w = (getAbsDate() + 2) % 7;
  return static_cast<Weekday>(w < 0 ? w + 7 : w);
}

unsigned short d_Date::day_of_year() const {
  return static_cast<unsigned short>(getAbsDate() - d_Date(calYear, 1, 1).getAbsDate() + 1);
}

int d_Date::days_in_month() const {
  return days_in_month(calYear, calMonth);
}

int d_Date::days_in_month(short year, unsigned short month) {
  static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && is_leap_year(year) ? 29 : kDays[month];
}

int d_Date::is_leap_year(short year) {
  return ks::odmg::IsOdmgLeapYear(year);
}

namespace {

// Days from weekday `from` forward to weekday `to`: 1..7.
int DaysForward(int from, int to) {
  const int days = ((to - from) % 7 + 7) % 7;
  return days == 0 ? 7 : days;
}

}  // namespace

d_Date& d_Date::next(Weekday day) {
  return setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) + DaysForward(day_of_week(), day)));
}

d_Date& d_Date::previous(Weekday day) {
  return setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) - DaysForward(day, day_of_week())));
}

d_Date d_Date::operator++(int) {
  const d_Date old = *this;
  setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) + 1));
  return old;
}

d_Date d_Date::operator--(int) {
  const d_Date old = *this;
  setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) - 1));
  return old;
}

d_Date& d_Date::operator+=(const d_Interval& interval) {
  return setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) + interval.day()));
}

d_Date& d_Date::operator-=(const d_Interval& interval) {
  return setAbsDate(ClampToInt(static_cast<long long>(getAbsDate()) - interval.day()));
}

int d_Date::operator==(const d_Date& other) const {
  return calYear == other.calYear && calMonth == other.calMonth && calDay == other.calDay;
}

int operator!=(const d_Date& a, const d_Date& b) {
  return a.getAbsDate() - b.getAbsDate();
}
KS_ODMG_ORDERINGS(d_Date)

KS_ODMG_INTERVAL_MOVES(d_Date)
