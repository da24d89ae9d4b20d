// The special values of the calendar and clock classes. All are constant
// initialised, so they are ready before any other module's initialisers run.
#include "ksdate.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"

namespace {

constexpr KsDate kNullDate(-32768, -128, -128);
constexpr KsDate kDefaultDate(-4713, 11, 24);  // Julian Day Number 0
constexpr KsDate kZeroDate(0, 1, 1);
constexpr KsDate kClearDate(0, 0, 0);  // all zero, not a valid date

constexpr KsTime kNullTime(-128, -128, -128);
// The default, zero and clear times are one and the same midnight.
constexpr KsTime kClearTime(0, 0, 0);

constexpr KsDateTime kNullDateTime(kNullDate, kNullTime);
constexpr KsDateTime kDefaultDateTime(kDefaultDate, kClearTime);
constexpr KsDateTime kZeroDateTime(kZeroDate, kClearTime);
constexpr KsDateTime kClearDateTime(kClearDate, kClearTime);

constexpr KsDateTimeN kNullDateTimeN(-32768, -128, -128, -128, -128, -128, 0);
constexpr KsDateTimeN kDefaultDateTimeN(-4713, 11, 24, 0, 0, 0, 0);
constexpr KsDateTimeN kZeroDateTimeN(0, 1, 1, 0, 0, 0, 0);
constexpr KsDateTimeN kClearDateTimeN(0, 0, 0, 0, 0, 0, 0);

constexpr KsTimeSpan kNullSpan(-32768, -128, -128, -128, -128, -128, 0);
constexpr KsTimeSpan kDefaultSpan(-4713, 11, 24, 0, 0, 0, 0);
constexpr KsTimeSpan kZeroSpan(0, 0, 0, 0, 0, 0, 0);

}  // namespace

const KsDate& KsDate::NullValue() {
  return kNullDate;
}
const KsDate& KsDate::DefaultValue() {
  return kDefaultDate;
}
const KsDate& KsDate::ZeroValue() {
  return kZeroDate;
}
const KsDate& KsDate::ClearValue() {
  return kClearDate;
}

const KsTime& KsTime::NullValue() {
  return kNullTime;
}
const KsTime& KsTime::DefaultValue() {
  return kClearTime;
}
const KsTime& KsTime::ZeroValue() {
  return kClearTime;
}
const KsTime& KsTime::ClearValue() {
  return kClearTime;
}

const KsDateTime& KsDateTime::Null() {
  return kClearDateTime;
}
const KsDateTime& KsDateTime::ClearValue() {
  return kClearDateTime;
}
const KsDateTime& KsDateTime::NullValue() {
  return kNullDateTime;
}
const KsDateTime& KsDateTime::DefaultValue() {
  return kDefaultDateTime;
}
const KsDateTime& KsDateTime::ZeroValue() {
  return kZeroDateTime;
}

const KsDateTimeN& KsDateTimeN::NullValue() {
  return kNullDateTimeN;
}
const KsDateTimeN& KsDateTimeN::DefaultValue() {
  return kDefaultDateTimeN;
}
const KsDateTimeN& KsDateTimeN::ZeroValue() {
  return kZeroDateTimeN;
}
const KsDateTimeN& KsDateTimeN::ClearValue() {
  return kClearDateTimeN;
}

const KsTimeSpan& KsTimeSpan::NullValue() {
  return kNullSpan;
}
const KsTimeSpan& KsTimeSpan::DefaultValue() {
  return kDefaultSpan;
}
const KsTimeSpan& KsTimeSpan::ZeroValue() {
  return kZeroSpan;
}
const KsTimeSpan& KsTimeSpan::ClearValue() {
  return kZeroSpan;
}
