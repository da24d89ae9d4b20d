// The millisecond clock: whole seconds and milliseconds of the run-time
// clock, as the run-time library's _ftime64 reports them, combined in
// KsInt64 arithmetic.
#include "basesvc.h"
#include "ksclock.h"

namespace {

// _ftime64's reading: seconds since the epoch and milliseconds 0..999.
struct TimeB64 {
  long long time;
  unsigned short millitm;
};

TimeB64 FTime64() {
  const long long ms = bksGetUTCMilliseconds();
  long long seconds = ms / 1000;
  long long rest = ms % 1000;
  if (rest < 0) {
    rest += 1000;
    --seconds;
  }
  return {seconds, static_cast<unsigned short>(rest)};
}

}  // namespace

int GetSystemTimeInMSSinceTheEpoch(KsInt64& out) {
  out = 0;
  const TimeB64 now = FTime64();
  out = KsInt64(now.time) * KsInt64(1000) + KsInt64(static_cast<int>(now.millitm));
  return 0;
}
