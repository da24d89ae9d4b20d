// The value the date format engine prints and scans, and the small interface
// through which a date or time class hands its fields to the engine and takes
// them back.
#pragma once

#include <cstdint>

namespace ks::datefmt {

// The seven fields as the engine sees them. -1 in a field is a wildcard.
struct DateTimeFields {
  int16_t year;
  int8_t month;
  int8_t day;
  int8_t hour;
  int8_t minute;
  int8_t second;
  int32_t nanoseconds;
};

// The null value, as a scan of the null print string produces it.
inline constexpr DateTimeFields kNullFields{-32768, -128, -128, -128, -128, -128, 0};

// A class plugs into the engine with a specialisation providing
//   static bool IsNull(const T&);                     printed as the null print string
//   static DateTimeFields Get(const T&);              the value given to the printer
//   static void Put(T&, const DateTimeFields&);       takes back what a scan read
template <class T>
struct FieldAccess;

}  // namespace ks::datefmt
