// d_Timestamp: a d_Date and a d_Time.
#include <algorithm>
#include <cmath>

#include "ksdate/odmg/float_seconds.h"
#include "ksdate/odmg/orderings.h"
#include "ksdate/saturating.h"
#include "ksdatetime.h"
#include "ksodmg.h"

using ks::calendar::ClampToInt;

d_Timestamp::d_Timestamp() : datePart(), timePart() {}

d_Timestamp d_Timestamp::current() {
  return d_Timestamp();
}

d_Timestamp::d_Timestamp(short year, unsigned short month, unsigned short day, unsigned short hour,
                         unsigned short minute, float second)
    : datePart(year, month, day), timePart(hour, minute, second) {}

d_Timestamp& d_Timestamp::operator=(KsDateTime& dateTime) {
  datePart = d_Date(dateTime.date);
  timePart = d_Time(dateTime.time);
  return *this;
}

d_Timestamp& d_Timestamp::operator=(const d_Date& date) {
  datePart = date;
  return *this;
}

namespace {

// Beyond a million million days no date of a 16-bit year is left; moves are
// held there so that the day arithmetic cannot overflow.
constexpr long long kFarDays = 1'000'000'000'000;

// The day of the month and the time of day as one interval, plus delta; the
// whole days of the sum move the date from the first of the month's eve, the
// rest of the sum is the new time of day in the same zone.
void Move(d_Timestamp& stamp, const d_Interval& delta) {
  const int dayOfMonth = stamp.datePart.calDay;
  const d_Interval clock(dayOfMonth, stamp.hour(), stamp.minute(), stamp.timePart.second());
  float t = (clock + delta).totalSeconds;
  long long days;
  if (t < 0.0f) {
    const double k = std::min(std::ceil(-static_cast<double>(t) / 86400.0), static_cast<double>(kFarDays));
    t = t + static_cast<float>(86400.0 * k);
    days = -ks::calendar::TruncateToInt64(k) - dayOfMonth;
  } else {
    days = ks::calendar::Clamp(ks::odmg::WholeSeconds(t / 86400.0f), 0, kFarDays) - dayOfMonth;
  }
  stamp.datePart.setAbsDate(ClampToInt(stamp.datePart.getAbsDate() + days));
  const long long whole = ks::odmg::WholeSeconds(t);
  stamp.timePart = d_Time(static_cast<unsigned short>(whole % 86400 / 3600),
                          static_cast<unsigned short>(whole % 3600 / 60), ks::odmg::SecondOfMinute(t),
                          static_cast<short>(stamp.tz_hour()), static_cast<short>(stamp.tz_minute()));
}

}  // namespace

d_Timestamp& d_Timestamp::operator+=(const d_Interval& interval) {
  Move(*this, interval);
  return *this;
}

d_Timestamp& d_Timestamp::operator-=(const d_Interval& interval) {
  Move(*this, -interval);
  return *this;
}

int d_Timestamp::operator==(const d_Timestamp& other) const {
  return (datePart == other.datePart) && (timePart == other.timePart);
}

int operator!=(const d_Timestamp& a, const d_Timestamp& b) {
  const int byDate = a.date() != b.date();
  return byDate != 0 ? byDate : (a.time() != b.time());
}
KS_ODMG_ORDERINGS(d_Timestamp)

KS_ODMG_INTERVAL_MOVES(d_Timestamp)
