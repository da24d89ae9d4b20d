// How the five calendar and clock classes convert into the format engine's
// value and take their fields back after a scan.
#pragma once

#include "ksdate.h"
#include "ksdate/format/date_fields.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"

namespace ks::datefmt {

inline DateTimeFields FieldsOf(const KsDate& d, const KsTime& t, int32_t nanoseconds) {
  return {d.year, d.month, d.day, t.hour, t.minute, t.second, nanoseconds};
}
inline KsDate DateOf(const DateTimeFields& f) {
  return KsDate(f.year, f.month, f.day);
}
inline KsTime TimeOf(const DateTimeFields& f) {
  return KsTime(f.hour, f.minute, f.second);
}

template <>
struct FieldAccess<KsDate> {
  static bool IsNull(const KsDate& v) { return v.IsNullValue() != 0; }
  static DateTimeFields Get(const KsDate& v) { return FieldsOf(v, KsTime(0, 0, 0), 0); }
  static void Put(KsDate& v, const DateTimeFields& f) { v = DateOf(f); }
};

template <>
struct FieldAccess<KsTime> {
  static bool IsNull(const KsTime& v) { return v.IsNullValue() != 0; }
  static DateTimeFields Get(const KsTime& v) { return FieldsOf(KsDate(0, 0, 0), v, 0); }
  static void Put(KsTime& v, const DateTimeFields& f) { v = TimeOf(f); }
};

template <>
struct FieldAccess<KsDateTime> {
  static bool IsNull(const KsDateTime& v) { return v.IsNullValue() != 0; }
  static DateTimeFields Get(const KsDateTime& v) { return FieldsOf(v.date, v.time, 0); }
  static void Put(KsDateTime& v, const DateTimeFields& f) { v = KsDateTime(DateOf(f), TimeOf(f)); }
};

// KsDateTimeN and KsTimeSpan hand over all seven fields.
template <class T>
struct NanoFieldAccess {
  static bool IsNull(const T& v) { return v.IsNullValue() != 0; }
  static DateTimeFields Get(const T& v) { return FieldsOf(v.dateTime.date, v.dateTime.time, v.nanoseconds); }
  static void Put(T& v, const DateTimeFields& f) {
    v.dateTime = KsDateTime(DateOf(f), TimeOf(f));
    v.nanoseconds = f.nanoseconds;
  }
};
template <>
struct FieldAccess<KsDateTimeN> : NanoFieldAccess<KsDateTimeN> {};
template <>
struct FieldAccess<KsTimeSpan> : NanoFieldAccess<KsTimeSpan> {};

}  // namespace ks::datefmt
