// Clock and time zone, read from the C library so that the TZ environment
// variable is honoured; a fixed clock replaces both for deterministic tests.

#include <time.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <mutex>

#include "basesvc.h"

namespace {

struct Instant {
  long long utcSeconds;
  int nanoseconds;  // 0 .. 999,999,999
};

bool fixedClockSet = false;
KsFixedClock fixedClock{};

constexpr int kNanosecondsPerSecond = 1'000'000'000;

// A fixed instant may carry any nanosecond count; carry it into the seconds
// so that the fraction handed out is always in range.
Instant NormalisedInstant(long long seconds, long long nanoseconds) {
  long long carry = nanoseconds / kNanosecondsPerSecond;
  long long rest = nanoseconds % kNanosecondsPerSecond;
  if (rest < 0) {
    rest += kNanosecondsPerSecond;
    --carry;
  }
  if (carry > 0 && seconds > LLONG_MAX - carry) return {LLONG_MAX, static_cast<int>(rest)};
  if (carry < 0 && seconds < LLONG_MIN - carry) return {LLONG_MIN, static_cast<int>(rest)};
  return {seconds + carry, static_cast<int>(rest)};
}

Instant Now() {
  if (fixedClockSet) return NormalisedInstant(fixedClock.utcSeconds, fixedClock.nanoseconds);
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return {static_cast<long long>(now.tv_sec), static_cast<int>(now.tv_nsec)};
}

// Offset of local time from UTC at `utcSeconds`, in seconds; false when the
// C library cannot tell.
bool LocalOffsetSeconds(long long utcSeconds, long long& offset) {
  if (fixedClockSet) {
    offset = fixedClock.zoneKnown ? 60LL * fixedClock.zoneMinutes : 0;
    return fixedClock.zoneKnown;
  }
  const time_t seconds = static_cast<time_t>(utcSeconds);
  tm local{};
  {
    // The C library guards its zone state with a lock that ThreadSanitizer
    // cannot see; ours orders the zone reads of this library visibly, and
    // costs nothing next to reading the zone.
    static std::mutex zoneMutex;
    const std::lock_guard<std::mutex> lock(zoneMutex);
    // localtime_r need not look at TZ again; tzset makes a changed TZ count.
    tzset();
    if (localtime_r(&seconds, &local) == nullptr) return false;
  }
  offset = local.tm_gmtoff;
  return true;
}

// Breaks down a UTC second count. Instants whose year does not fit the
// 16-bit year of a date leave the records zeroed.
void BreakDown(long long seconds, bdate* date, btime* time) {
  tm fields{};
  const time_t asTime = static_cast<time_t>(seconds);
  const bool converted = gmtime_r(&asTime, &fields) != nullptr;
  const long long year = static_cast<long long>(fields.tm_year) + 1900;
  const bool valid = converted && year >= INT16_MIN && year <= INT16_MAX;
  if (!valid) fields = tm{};
  if (date != nullptr) {
    date->year = static_cast<int16_t>(valid ? year : 0);
    date->month = static_cast<uint8_t>(valid ? fields.tm_mon + 1 : 0);
    date->day = static_cast<uint8_t>(fields.tm_mday);
  }
  if (time != nullptr) {
    time->hour = static_cast<uint8_t>(fields.tm_hour);
    time->minute = static_cast<uint8_t>(fields.tm_min);
    time->second = static_cast<uint8_t>(fields.tm_sec);
  }
}

// Local wall-clock seconds: UTC shifted by the zone offset (UTC itself when
// the zone is unknown). `offset` receives the shift applied.
long long LocalSeconds(long long utcSeconds, long long& offset) {
  if (!LocalOffsetSeconds(utcSeconds, offset)) offset = 0;
  if (offset > 0 && utcSeconds > LLONG_MAX - offset) return LLONG_MAX;
  if (offset < 0 && utcSeconds < LLONG_MIN - offset) return LLONG_MIN;
  return utcSeconds + offset;
}

long long LocalSeconds(long long utcSeconds) {
  long long offset = 0;
  return LocalSeconds(utcSeconds, offset);
}

}  // namespace

void KsSetFixedClock(const KsFixedClock* clock) {
  fixedClockSet = clock != nullptr;
  fixedClock = clock != nullptr ? *clock : KsFixedClock{};
}

void bksgetdate(bdate* date) {
  BreakDown(LocalSeconds(Now().utcSeconds), date, nullptr);
}

// The only clock function that also reports the zone, in the record itself.
void bksgettime(btime* time) {
  long long offset = 0;
  BreakDown(LocalSeconds(Now().utcSeconds, offset), nullptr, time);
  // Real zones lie within a day of UTC; a fixed clock may claim anything.
  if (time != nullptr) {
    time->zoneSeconds = static_cast<int32_t>(std::clamp<long long>(offset, INT32_MIN, INT32_MAX));
  }
}

void bksgetsystemtime(btime* time, bdate* date) {
  BreakDown(Now().utcSeconds, date, time);
}

void bksGetHiresTime(bdate& date, btime& time, int& fraction) {
  const Instant now = Now();
  BreakDown(LocalSeconds(now.utcSeconds), &date, &time);
  fraction = now.nanoseconds;
}

void bksGetHiresTimeUTC(bdate& date, btime& time, int& fraction) {
  const Instant now = Now();
  BreakDown(now.utcSeconds, &date, &time);
  fraction = now.nanoseconds;
}

int bksgettimezone() {
  long long offset = 0;
  if (!LocalOffsetSeconds(Now().utcSeconds, offset)) return KS_NO_TIME_ZONE;
  return static_cast<int>(offset / 60);
}

long long bksGetUTCMilliseconds() {
  const Instant now = Now();
  constexpr long long kLimit = LLONG_MAX / 1000 - 1;
  if (now.utcSeconds > kLimit) return LLONG_MAX;
  if (now.utcSeconds < -kLimit) return LLONG_MIN;
  return now.utcSeconds * 1000 + now.nanoseconds / 1'000'000;
}
