// How the ODMG classes hand their fields to the format engine. Each prints as
// the KsDateTime it converts into and takes its fields back the way its own
// conversion from a KsDateTime goes. None of them has a null value.
#pragma once

#include "ksdate.h"
#include "ksdate/format/date_fields.h"
#include "ksdate/format/ks_field_access.h"
#include "ksdate/odmg/float_seconds.h"
#include "ksdatetime.h"
#include "ksodmg.h"

namespace ks::datefmt {

// The time of day fields of a d_Time: the clock less the zone, whole seconds.
inline KsTime ClockOf(const d_Time& t) {
  return KsTime(static_cast<char>(t.hour()), static_cast<char>(t.minute()),
                static_cast<char>(ks::odmg::WholeInt(t.second())));
}

template <>
struct FieldAccess<d_Date> {
  static bool IsNull(const d_Date&) { return false; }
  static DateTimeFields Get(const d_Date& v) {
    return FieldsOf(KsDate(v.year(), static_cast<char>(v.month()), static_cast<char>(v.day())),
                    KsTime(0, 0, 0), 0);
  }
  static void Put(d_Date& v, const DateTimeFields& f) {
    KsDate date = DateOf(f);
    v = d_Date(date);
  }
};

// Scanned back through d_Time's conversion from a KsTime, so the default
// zone applies and the hundredths are 0.
template <>
struct FieldAccess<d_Time> {
  static bool IsNull(const d_Time&) { return false; }
  static DateTimeFields Get(const d_Time& v) { return FieldsOf(KsDate::ZeroValue(), ClockOf(v), 0); }
  static void Put(d_Time& v, const DateTimeFields& f) {
    KsTime time = TimeOf(f);
    v = time;
  }
};

template <>
struct FieldAccess<d_Timestamp> {
  static bool IsNull(const d_Timestamp&) { return false; }
  static DateTimeFields Get(const d_Timestamp& v) {
    return FieldsOf(KsDate(v.year(), static_cast<char>(v.month()), static_cast<char>(v.day())),
                    ClockOf(v.time()), 0);
  }
  static void Put(d_Timestamp& v, const DateTimeFields& f) {
    KsDateTime dateTime(DateOf(f), TimeOf(f));
    v = dateTime;
  }
};

// Days, hours, minutes and whole seconds of the interval in the day, hour,
// minute and second fields (year 0, month 1).
template <>
struct FieldAccess<d_Interval> {
  static bool IsNull(const d_Interval&) { return false; }
  static DateTimeFields Get(const d_Interval& v) {
    return {0,
            1,
            static_cast<int8_t>(v.day()),
            static_cast<int8_t>(v.hour()),
            static_cast<int8_t>(v.minute()),
            static_cast<int8_t>(ks::odmg::WholeInt(v.second())),
            0};
  }
  static void Put(d_Interval& v, const DateTimeFields& f) {
    v = d_Interval(f.day, f.hour, f.minute, f.second);
  }
};

}  // namespace ks::datefmt
