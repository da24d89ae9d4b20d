// KsDate: the calendar date, calculated through the Julian Day Number.
#include "ksdate.h"

#include "basesvc.h"
#include "ksdate/day_names.h"
#include "ksdate/field_compare.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/ks_field_access.h"
#include "ksdate/julian_day.h"
#include "ksdate/saturating.h"

namespace {

using ks::calendar::JulianDayNumber;

// Day numbers are kept in int; a sum that leaves int would have no date of a
// 16-bit year anyway, so it is held at the ends instead of overflowing.
using ks::calendar::ClampToInt;

void Fields(const KsDate& d, int (&out)[3]) {
  out[0] = d.year;
  out[1] = d.month;
  out[2] = d.day;
}

}  // namespace

KsDate::KsDate() {
  Today();
}

KsDate::KsDate(int jdn) : year(0), month(0), day(0) {
  dateabs(jdn);
}

KsDate& KsDate::Today() {
  bdate today{};
  bksgetdate(&today);
  year = today.year;
  month = static_cast<int8_t>(today.month);
  day = static_cast<int8_t>(today.day);
  return *this;
}

int KsDate::dayabs() const {
  return JulianDayNumber(year, month, day);
}

KsDate& KsDate::dateabs(int jdn) {
  const ks::calendar::CivilDate civil = ks::calendar::CivilFromJulianDay(jdn);
  year = static_cast<int16_t>(civil.year);
  month = static_cast<int8_t>(civil.month);
  day = static_cast<int8_t>(civil.day);
  return *this;
}

// Month 13 is January of the next year for the formula, so December needs no
// case of its own.
int KsDate::daynxtmonth() const {
  return JulianDayNumber(year, month + 1, 1) - JulianDayNumber(year, month, day);
}

int KsDate::IsLastDayOfTheMonth() const {
  return daynxtmonth() == 1;
}

int KsDate::IsDate() const {
  return day >= 1 && day <= 31 && month >= 1 && month <= 12 && daynxtmonth() > 0;
}

int KsDate::divide(int a, int b) const {
  if (b == 0) return 0;  // no quotient exists; callers never divide by zero
  const long long q = (a < 0 ? -static_cast<long long>(a) : a) / (b < 0 ? -static_cast<long long>(b) : b);
  return ClampToInt((a < 0) != (b < 0) ? -q : q);
}

int KsDate::modulo(int a, int b) const {
  if (b == 0) return 0;
  const long long r = (a < 0 ? -static_cast<long long>(a) : a) % (b < 0 ? -static_cast<long long>(b) : b);
  return static_cast<int>((a < 0) != (b < 0) ? -r : r);
}

KsDate KsDate::operator+(int days) const {
  KsDate result(*this);
  result += days;
  return result;
}

KsDate KsDate::operator-(int days) const {
  KsDate result(*this);
  result -= days;
  return result;
}

KsDate& KsDate::operator+=(int days) {
  return dateabs(ClampToInt(static_cast<long long>(dayabs()) + days));
}
KsDate& KsDate::operator-=(int days) {
  return dateabs(ClampToInt(static_cast<long long>(dayabs()) - days));
}
KsDate& KsDate::operator++() {
  return *this += 1;
}
KsDate& KsDate::operator--() {
  return *this -= 1;
}

int KsDate::operator-(const KsDate& other) const {
  return dayabs() - other.dayabs();
}

int KsDate::operator==(const KsDate& other) const {
  return year == other.year && month == other.month && day == other.day;
}
int KsDate::operator!=(const KsDate& other) const {
  return Compare(other, 0xFFFF);
}
int KsDate::operator<(const KsDate& other) const {
  return Compare(other, 0xFFFF) < 0;
}
int KsDate::operator<=(const KsDate& other) const {
  return Compare(other, 0xFFFF) <= 0;
}
int KsDate::operator>(const KsDate& other) const {
  return Compare(other, 0xFFFF) > 0;
}
int KsDate::operator>=(const KsDate& other) const {
  return Compare(other, 0xFFFF) >= 0;
}

int KsDate::Compare(const KsDate& other, unsigned short flags) const {
  int a[3];
  int b[3];
  Fields(*this, a);
  Fields(other, b);
  return ks::calendar::CompareThreeFields(a, b, ks::calendar::WildcardsOn(flags));
}

// Gauss's weekday formula, counting the year from March so that January and
// February belong to the year before.
KsDaysOfTheWeek KsDate::GetDayOfTheDate() const {
  const int y = year + (month - 14) / 12;
  const int m = (month + 10) - ((month + 10) / 13) * 12;
  const int k = y / 100;
  const int r = y - 100 * k;
  const int s = (13 * m - 1) / 5 + 77 + day - 2 * k + y / 400 + 5 * r / 4;
  int w = s % 7;
  if (w < 0) w += 7;
  return static_cast<KsDaysOfTheWeek>(w == 0 ? KsSunday : w - 1);
}

KsString KsDate::PrintDayOfTheDate() const {
  return KsString(ks::calendar::WeekdayName(GetDayOfTheDate()));
}

KsString KsDate::PrintDayOfTheDate() {
  return KsString(static_cast<int>(GetDayOfTheDate()));
}

int KsDate::IsNullValue() const {
  return *this == NullValue();
}
int KsDate::IsDefaultValue() const {
  return *this == DefaultValue();
}
int KsDate::IsZeroValue() const {
  return *this == ZeroValue();
}

int KsDate::SetNullValue() {
  *this = NullValue();
  return 0;
}
int KsDate::SetDefaultValue() {
  *this = DefaultValue();
  return 0;
}
int KsDate::SetZeroValue() {
  *this = ZeroValue();
  return 0;
}

void KsDate::PrintToKsString(KsString& out, const char* format) const {
  ks::datefmt::PrintValue(out, *this, format != nullptr ? format : "%Y-%m-%d");
}

void KsDate::ScanFromKsString(KsString& in, const char* format) {
  ks::datefmt::ScanValue(this, in, format != nullptr ? format : "%Y-%m-%d");
}
