// Slots of the ODMG classes: d_Date (22), d_Time (23), d_Timestamp (24) and
// d_Interval (25). None has a null value: their DefaultValue, and
// KsTypeMgr::SetNullValue, give the value of an empty text.
//
// Memory order is the classes' own != (a difference of day numbers, hours,
// minutes or whole seconds). The generators step by a hundredth of a second
// and test the step with an order that counts hundredths, since under the
// classes' own order every step within a second would look like no step.
#include <limits>

#include "basesvc.h"
#include "ksdate/odmg/float_seconds.h"
#include "ksdate/saturating.h"
#include "ksdate/slots/date_slots_impl.h"
#include "ksdate/slots/hash_words.h"
#include "ksdate/slots/record_text.h"

namespace ks {
namespace {

using ks::calendar::ClampToInt;

uint32_t DDateWord(const d_Date& d) {
  return dateslots::FieldWord(d.calYear, static_cast<int8_t>(d.calMonth), static_cast<int8_t>(d.calDay));
}

// hour() and minute() in the high half, the low 16 bits of the whole
// seconds in the low half.
uint32_t DTimeWord(const d_Time& t) {
  const uint32_t clock = static_cast<uint32_t>(t.hour()) * 256u + static_cast<uint32_t>(t.minute());
  return clock * 65536u + static_cast<uint16_t>(ks::odmg::WholeInt(t.second()));
}

// The six stored time bytes folded four bits apart.
uint32_t StoredDTimeWord(const unsigned char* p) {
  uint32_t v = p[0];
  for (int i = 1; i < 6; ++i) v = v * 16u ^ p[i];
  return v;
}

// Seconds of the day as the conversion records write them.
int DTimeSeconds(const d_Time& t) {
  return (t.hour() * 60 + t.minute()) * 60 + ks::odmg::WholeInt(t.second());
}

d_Date DateOfDayNumberText(int number) {
  d_Date date(0, 0, 0);
  date.setAbsDate(ClampToInt(static_cast<long long>(number) - 1));
  return date;
}

// The generators' order: the classes' own, then the hundredths.
int ExactTimeOrder(const d_Time& a, const d_Time& b) {
  const int coarse = a != b;
  if (coarse != 0) return coarse;
  return (a.wholeSecond * 100 + a.hundredths) - (b.wholeSecond * 100 + b.hundredths);
}

int ExactDateOrder(const d_Date& a, const d_Date& b) {
  const int byDayNumber = a != b;
  if (byDayNumber != 0) return byDayNumber;
  if (a.calYear != b.calYear) return a.calYear - b.calYear;
  if (a.calMonth != b.calMonth) return a.calMonth - b.calMonth;
  return a.calDay - b.calDay;
}

const d_Interval kHundredth(0, 0, 0, 0.01f);

}  // namespace

// d_Date ---------------------------------------------------------------------

uint32_t DDateTraits::HashMemory(const d_Date& v) {
  return DDateWord(v);
}
uint32_t DDateTraits::HashStored(const unsigned char* p, unsigned char format) {
  return dateslots::StoredDateWord(p, format);
}
void DDateTraits::WriteText(const d_Date& v, KsString& text) {
  text << v.getAbsDate() + 1;
}
// An empty text is the day number 0 and so -4712-01-01; only a null or
// missing text gives the all-zero date.
void DDateTraits::ReadText(d_Date& v, const KsString* text) {
  v = text == nullptr ? d_Date(0, 0, 0) : DateOfDayNumberText(static_cast<int>(*text));
}
void DDateTraits::Start(d_Date& v) {
  v = d_Date(-32768, 0, 0);
}
void DDateTraits::Now(d_Date& v) {
  v = d_Date::current();
}
bool DDateTraits::Next(d_Date& v) {
  return dateslots::AdvanceIfGreater(
      v, [](d_Date& d) { d.setAbsDate(ClampToInt(static_cast<long long>(d.getAbsDate()) + 1)); },
      [](const d_Date& a, const d_Date& b) { return ExactDateOrder(a, b) > 0; });
}

// d_Time ---------------------------------------------------------------------

uint32_t DTimeTraits::HashMemory(const d_Time& v) {
  return DTimeWord(v);
}
uint32_t DTimeTraits::HashStored(const unsigned char* p, unsigned char) {
  return StoredDTimeWord(p);
}
void DTimeTraits::WriteText(const d_Time& v, KsString& text) {
  text << DTimeSeconds(v);
}
void DTimeTraits::ReadText(d_Time& v, const KsString* text) {
  v = text == nullptr ? d_Time(0, 0, 0.0f) : d_Time(static_cast<int>(*text));
}
// The time (0, 0, 0.0), which takes the default zone like every time made
// without one.
void DTimeTraits::Start(d_Time& v) {
  v = d_Time(0, 0, 0.0f);
}
void DTimeTraits::Now(d_Time& v) {
  v = d_Time::current();
}
bool DTimeTraits::Next(d_Time& v) {
  return dateslots::AdvanceIfGreater(
      v, [](d_Time& t) { t += kHundredth; },
      [](const d_Time& a, const d_Time& b) { return ExactTimeOrder(a, b) > 0; });
}

// d_Timestamp ----------------------------------------------------------------

uint32_t DTimestampTraits::HashMemory(const d_Timestamp& v) {
  return DDateWord(v.date()) ^ DTimeWord(v.time());
}
uint32_t DTimestampTraits::HashStored(const unsigned char* p, unsigned char format) {
  return dateslots::StoredDateWord(p, format) ^ StoredDTimeWord(p + 4);
}
void DTimestampTraits::WriteText(const d_Timestamp& v, KsString& text) {
  text << v.date().getAbsDate() + 1 << ':' << DTimeSeconds(v.time());
}
void DTimestampTraits::ReadText(d_Timestamp& v, const KsString* text) {
  if (text == nullptr) {
    v = d_Timestamp(d_Date(0, 0, 0), d_Time(0, 0, 0.0f));
    return;
  }
  const dateslots::ColonText parts = dateslots::ReadColonText(*text);
  v.datePart = parts.colonFirst ? d_Date(0, 0, 0) : DateOfDayNumberText(parts.leading);
  v.timePart = parts.hasColon ? d_Time(parts.afterColon) : d_Time(0, 0, 0.0f);
}
void DTimestampTraits::Start(d_Timestamp& v) {
  v = d_Timestamp(0, 0, 0, 0, 0, 0.0f);
}
void DTimestampTraits::Now(d_Timestamp& v) {
  v = d_Timestamp::current();
}
bool DTimestampTraits::Next(d_Timestamp& v) {
  return dateslots::AdvanceIfGreater(
      v, [](d_Timestamp& t) { t += kHundredth; },
      [](const d_Timestamp& a, const d_Timestamp& b) {
        const int byDate = ExactDateOrder(a.date(), b.date());
        return byDate != 0 ? byDate > 0 : ExactTimeOrder(a.time(), b.time()) > 0;
      });
}

// d_Interval -----------------------------------------------------------------

unsigned IntervalStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return FloatStore(dst, src, format, count);
}

// Whole seconds are written and read back as seconds.
void DIntervalTraits::WriteText(const d_Interval& v, KsString& text) {
  text << ks::odmg::WholeSeconds(v.totalSeconds);
}
void DIntervalTraits::ReadText(d_Interval& v, const KsString* text) {
  const double seconds = text == nullptr ? 0.0 : static_cast<double>(*text);
  // Beyond the float range the interval is infinite rather than undefined.
  const double limit = std::numeric_limits<float>::max();
  v = d_Interval::FromSeconds(seconds > limit    ? std::numeric_limits<float>::infinity()
                              : seconds < -limit ? -std::numeric_limits<float>::infinity()
                                                 : static_cast<float>(seconds));
}
void DIntervalTraits::Start(d_Interval& v) {
  v = d_Interval();
}
bool DIntervalTraits::Next(d_Interval& v) {
  return dateslots::AdvanceIfGreater(
      v, [](d_Interval& i) { i += kHundredth; },
      [](const d_Interval& a, const d_Interval& b) { return a > b; });
}

template struct DateStorageSlots<DDateTraits>;
template struct DateTextSlots<DDateTraits>;
template struct DateStorageSlots<DTimeTraits>;
template struct DateTextSlots<DTimeTraits>;
template struct DateStorageSlots<DTimestampTraits>;
template struct DateTextSlots<DTimestampTraits>;
template struct DateTextSlots<DIntervalTraits>;

}  // namespace ks
