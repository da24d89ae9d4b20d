// KsDateTimeN: a date and time with nanoseconds; days carry as calendar days.
#include "ksdatetimen.h"

#include "basesvc.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/ks_field_access.h"
#include "ksdate/julian_day.h"

namespace {

const KsTime kMidnight(0, 0, 0);
const KsDate kNoDate(0, 0, 0);

KsDateTime FromClock(const bdate& d, const btime& t) {
  return KsDateTime(
      KsDate(d.year, static_cast<char>(d.month), static_cast<char>(d.day)),
      KsTime(static_cast<char>(t.hour), static_cast<char>(t.minute), static_cast<char>(t.second)));
}

}  // namespace

KsDateTimeN::KsDateTimeN() : KsDateTimeNUnits(NullValue().dateTime, 0) {}
KsDateTimeN::KsDateTimeN(const KsDate& d) : KsDateTimeNUnits(KsDateTime(d, kMidnight), 0) {}
KsDateTimeN::KsDateTimeN(const KsDate& d, const KsTime& t) : KsDateTimeNUnits(KsDateTime(d, t), 0) {}
KsDateTimeN::KsDateTimeN(const KsDateTime& dt) : KsDateTimeNUnits(dt, 0) {}
KsDateTimeN::KsDateTimeN(const KsTime& t) : KsDateTimeNUnits(KsDateTime(kNoDate, t), 0) {}

KsDateTimeN::KsDateTimeN(double seconds) : KsDateTimeNUnits(ZeroValue().dateTime, 0) {
  AddSeconds(seconds);
}

KsDateTimeN& KsDateTimeN::operator=(const KsDateTime& dt) {
  dateTime = dt;
  nanoseconds = 0;
  return *this;
}

int KsDateTimeN::GetTotalDays() const {
  return static_cast<int>(dateTime.date.dayabs() - ks::calendar::kJdnOfYearZero);
}

void KsDateTimeN::SetTotalDays(int days) {
  SetZero();
  AddDays(days);
}

void KsDateTimeN::SetTotalSeconds(long long seconds) {
  SetZero();
  AddSeconds(seconds);
}

void KsDateTimeN::SetTotalSeconds(double seconds) {
  SetZero();
  AddSeconds(seconds);
}

void KsDateTimeN::SetTotalNanoSeconds(long long nanos) {
  SetZero();
  AddNanoSeconds(nanos);
}

void KsDateTimeN::SetZero() {
  *this = ZeroValue();
}

KsDateTimeN& KsDateTimeN::Now() {
  bdate d{};
  btime t{};
  int fraction = 0;
  bksGetHiresTime(d, t, fraction);
  dateTime = FromClock(d, t);
  nanoseconds = fraction;
  return *this;
}

KsDateTimeN& KsDateTimeN::NowUTC() {
  bdate d{};
  btime t{};
  int fraction = 0;
  bksGetHiresTimeUTC(d, t, fraction);
  dateTime = FromClock(d, t);
  nanoseconds = fraction;
  return *this;
}

int KsDateTimeN::IsValidDateTime() const {
  return dateTime.IsDateTime();
}

int KsDateTimeN::SetNullValue() {
  *this = NullValue();
  return 0;
}

int KsDateTimeN::SetDefaultValue() {
  *this = DefaultValue();
  return 0;
}

void KsDateTimeN::PrintToKsString(KsString& out, const char* format) const {
  ks::datefmt::PrintValue(out, *this, format != nullptr ? format : "%X");
}

void KsDateTimeN::ScanFromKsString(KsString& in, const char* format) {
  ks::datefmt::ScanValue(this, in, format != nullptr ? format : "%X");
}
