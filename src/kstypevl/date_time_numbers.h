// Stored date and time fields as numbers that grow with the stored order,
// for the evaluators that measure date and time keys against an index.
#pragma once

#include <cstdint>

#include "kstypcmp/layouts.h"

namespace ks::evaluate {

// (hour · 60 + minute) · 60 + second of three signed bytes: KsTime's stored
// form, the time fields of KsDateTime and the stored hour, minute and second
// of d_Time.
inline int SecondsOfDay(const unsigned char* time) {
  return (static_cast<int8_t>(time[0]) * 60 + static_cast<int8_t>(time[1])) * 60 +
         static_cast<int8_t>(time[2]);
}

// Seconds in a calendar of twelve 31-day months: the year (16 bits in the
// format's byte order, signed), month, day, hour, minute and second of a
// stored KsDateTime (and the leading fields of KsDateTimeN and KsTimeSpan).
// Months and days that no calendar has only leave gaps between numbers.
inline double DateTimeNumber(const unsigned char* record, unsigned char format) {
  const double year = layout::Short::FromStored(record, format);
  const double month = static_cast<int8_t>(record[2]), day = static_cast<int8_t>(record[3]);
  return (((year * 12 + month) * 31 + day) * 24) * 3600 + SecondsOfDay(record + 4);
}

}  // namespace ks::evaluate
