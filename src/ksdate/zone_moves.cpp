// Moving date-and-time values between UTC and local time by the zone offset
// of the base services (minutes; local = UTC + offset).
#include "basesvc.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"

// Only hours and minutes move, and only one day of carry is made: enough for
// any offset smaller than a day applied to a valid time.
void KsDateTime::MoveByZoneMinutes(long long offset) {
  long long m = 60LL * time.hour + time.minute + offset;
  if (m < 0) {
    date -= 1;
    const long long q = m / 60;
    const long long r = m - 60 * q;
    time.minute = static_cast<int8_t>(r != 0 ? r + 60 : 0);
    time.hour = static_cast<int8_t>(r != 0 ? q + 23 : q + 24);
    return;
  }
  if (m >= 1440) {
    date += 1;
    m -= 1440;
  }
  time.hour = static_cast<int8_t>(m / 60);
  time.minute = static_cast<int8_t>(m - 60 * (m / 60));
}

int KsDateTime::ToLocalTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  MoveByZoneMinutes(offset);
  return 0;
}

int KsDateTime::ToUTCTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  MoveByZoneMinutes(-static_cast<long long>(offset));
  return 0;
}

int KsDateTimeN::ToLocalTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  if (offset != 0) CarryMinutes(offset, DayRule::Calendar);
  return 0;
}

int KsDateTimeN::ToUTCTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  if (offset != 0) CarryMinutes(-static_cast<long long>(offset), DayRule::Calendar);
  return 0;
}
