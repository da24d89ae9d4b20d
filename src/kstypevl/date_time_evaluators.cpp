// Evaluators of KsDate, KsTime, KsDateTime, KsDateTimeN and KsTimeSpan:
// keys with wildcard fields select the range between their widened low and
// high keys.

#include <cstring>
#include <iterator>

#include "ksdate/julian_day.h"
#include "kstypcmp/layouts.h"
#include "kstypevl/date_time_numbers.h"
#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_frame.h"
#include "kstypevl/wildcard_widening.h"

namespace ks {
namespace {

using evaluate::WildcardField;

constexpr unsigned kDateSize = 4;
constexpr unsigned kTimeSize = 3;

// Stored date: year (16 bits, the format's byte order), month, day. What a
// widened date field becomes depends on the calendar (see DateEvalAndBound).
constexpr WildcardField kYear{0, 2, 0, 0};
constexpr WildcardField kMonth{2, 1, 0, 0};
constexpr WildcardField kDay{3, 1, 0, 0};
// The highest year a widened date reaches.
constexpr int kHighestYear = 32766;

struct DateFields {
  int year;
  int month;
  int day;
};

DateFields ReadDate(const unsigned char* bytes, unsigned char format) {
  return {layout::Short::FromStored(bytes, format), static_cast<int8_t>(bytes[2]),
          static_cast<int8_t>(bytes[3])};
}

int DayNumber(const DateFields& date) {
  return calendar::JulianDayNumber(date.year, date.month, date.day);
}

int DaysOfMonth(int year, int month) {
  const int nextYear = month == 12 ? year + 1 : year;
  const int nextMonth = month == 12 ? 1 : month + 1;
  return calendar::JulianDayNumber(nextYear, nextMonth, 1) - calendar::JulianDayNumber(year, month, 1);
}

// Stored time: hour, minute and second, one signed byte each; a widened field
// spans every value that the byte can hold.
constexpr WildcardField kTimeFields[] = {{0, 1, -128, 127}, {1, 1, -128, 127}, {2, 1, -128, 127}};

// Stored KsDateTime: a 16-bit year and five signed bytes, each widened to
// every value it can hold; KsDateTimeN and KsTimeSpan add the nanoseconds,
// widened to a whole second. The nanoseconds order entries within a second
// but do not enter the numbers.
constexpr WildcardField kDateTimeFields[] = {{0, 2, -32768, 32767}, {2, 1, -128, 127}, {3, 1, -128, 127},
                                             {4, 1, -128, 127},     {5, 1, -128, 127}, {6, 1, -128, 127},
                                             {7, 4, 0, 1000000000}};
constexpr size_t kDateTimeFieldCount = 6;
constexpr unsigned kDateTimeSize = 7;
constexpr unsigned kDateTimeNanoSize = 11;

// The evaluator of a date and time record of `size` stored bytes and its
// first `fieldCount` fields.
float EvaluateDateTime(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                       unsigned count, KsIdxBounds* outBounds, unsigned size, size_t fieldCount) {
  flags &= evaluate::kKeepComparison;
  const evaluate::NumberRange range = evaluate::NumberRangeOf<evaluate::DateTimeNumber>(bounds, size, format);
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * size);

  unsigned char low[kDateTimeNanoSize], high[kDateTimeNanoSize];
  std::memcpy(low, key, size);
  std::memcpy(high, key, size);
  evaluate::WidenFromFirstWildcard(kDateTimeFields, fieldCount, format, low, high, outBounds, flags);
  return evaluate::EstimateKeyRange(flags, evaluate::DateTimeNumber(low, format),
                                    evaluate::DateTimeNumber(high, format), range);
}

}  // namespace

// A wildcard year spans from the smallest date (day number 0) to year 32766,
// a wildcard month the whole year and a wildcard day the whole month; the low
// key never falls below the smallest date. 0x0010 does not survive the mask,
// so wildcards are always honoured.
float DateEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                       unsigned count, KsIdxBounds* outBounds) {
  flags &= evaluate::kKeepComparisonAndInexact;
  evaluate::NumberRange range;
  if (evaluate::HasBothBounds(bounds, kDateSize)) {
    range = {
        static_cast<double>(DayNumber(ReadDate(static_cast<const unsigned char*>(bounds->low), format))),
        static_cast<double>(DayNumber(ReadDate(static_cast<const unsigned char*>(bounds->high), format))),
        true};
  }
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * kDateSize);

  const auto* bytes = static_cast<const unsigned char*>(key);
  const calendar::CivilDate smallest = calendar::CivilFromJulianDay(0);
  DateFields low = ReadDate(bytes, format), high = low;
  auto widen = [&](const WildcardField& field, int& lowField, int lowValue, int& highField, int highValue) {
    if (!evaluate::IsWildcard(bytes, field)) return;
    lowField = lowValue;
    highField = highValue;
    evaluate::WriteWidenedField(outBounds, field, lowValue, highValue, format);
    flags |= evaluate::kInexact;
  };
  widen(kYear, low.year, smallest.year, high.year, kHighestYear);
  const bool inSmallestYear = low.year == smallest.year;
  widen(kMonth, low.month, inSmallestYear ? smallest.month : 1, high.month, 12);
  if (inSmallestYear && low.month < smallest.month) low.month = smallest.month;
  const bool inSmallestMonth = inSmallestYear && low.month == smallest.month;
  widen(kDay, low.day, inSmallestMonth ? smallest.day : 1, high.day, DaysOfMonth(high.year, high.month));
  if (inSmallestMonth && low.day < smallest.day) low.day = smallest.day;

  return evaluate::EstimateKeyRange(flags, DayNumber(low), DayNumber(high), range);
}

// From the first wildcard byte on, the key spans every value of the bytes.
// As for dates, 0x0010 does not survive the mask, so wildcards are always
// honoured: the mask is the first step of every evaluator with wildcards.
float TimeEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                       unsigned count, KsIdxBounds* outBounds) {
  flags &= evaluate::kKeepComparison;
  evaluate::NumberRange range;
  if (evaluate::HasBothBounds(bounds, kTimeSize)) {
    range = {static_cast<double>(evaluate::SecondsOfDay(static_cast<const unsigned char*>(bounds->low))),
             static_cast<double>(evaluate::SecondsOfDay(static_cast<const unsigned char*>(bounds->high))),
             true};
  }
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * kTimeSize);

  unsigned char low[kTimeSize], high[kTimeSize];
  std::memcpy(low, key, kTimeSize);
  std::memcpy(high, key, kTimeSize);
  evaluate::WidenFromFirstWildcard(kTimeFields, std::size(kTimeFields), format, low, high, outBounds, flags);
  return evaluate::EstimateKeyRange(flags, evaluate::SecondsOfDay(low), evaluate::SecondsOfDay(high), range);
}

// As KsTime, from the year on: 0x0010 does not survive the mask, and the
// whole key is never copied over recorded bounds, only its widened fields.
float DateTimeEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                           unsigned count, KsIdxBounds* outBounds) {
  return EvaluateDateTime(bounds, flags, key, format, count, outBounds, kDateTimeSize, kDateTimeFieldCount);
}

// KsDateTimeN and KsTimeSpan.
float DateTimeNanoEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                               unsigned count, KsIdxBounds* outBounds) {
  return EvaluateDateTime(bounds, flags, key, format, count, outBounds, kDateTimeNanoSize,
                          std::size(kDateTimeFields));
}

}  // namespace ks
