// Evaluators of the ODMG dates and times: d_Date, d_Time and d_Timestamp.
//
// A plain key is placed at position p = key - L + 1 of the index's current
// range [L, H] of total = H - L + 1 steps, and the comparison counts the
// positions before it, after it and the key's own: (p - 1) + (total - p) + 1.
// That count is not clipped to the range, so a key outside the range may
// estimate above 1 (greater-than a key below the range counts the gap too)
// or select one position that the index does not hold (equal to a key
// outside); only a negative count becomes 0. Indexes over these types have
// always been weighed that way, and the estimates stay comparable with them.
//
// Keys with wildcard date fields cover a range of positions, which the
// shared overlap rule counts instead.

#include <algorithm>
#include <cstring>
#include <iterator>

#include "kstypcmp/layouts.h"
#include "kstypevl/date_time_numbers.h"
#include "kstypevl/evaluators.h"
#include "kstypevl/numeric_frame.h"
#include "kstypevl/wildcard_widening.h"

namespace ks {
namespace {

using evaluate::WildcardField;

constexpr unsigned kDateSize = 4;
constexpr unsigned kTimeSize = 6;
constexpr unsigned kTimestampSize = kDateSize + kTimeSize;
// Where the stored hour, minute and second of a d_Time stand.
constexpr unsigned kStoredHourOffset = 2;
constexpr double kSecondsPerDay = 86400;

// A stored d_Date: the year orders unsigned, so a wildcard year widens to
// its lowest stored value and the highest one that is not the wildcard; a
// wildcard month to the whole year and a wildcard day to the 31 days that
// the day index gives every month. The time fields of a d_Timestamp are no
// wildcards themselves, but widen to every value once its date has widened.
constexpr WildcardField kTimestampFields[] = {{0, 2, 0, 0xFFFE}, {2, 1, 1, 12},     {3, 1, 1, 31},
                                              {4, 1, -128, 127}, {5, 1, -128, 127}, {6, 1, -128, 127},
                                              {7, 1, -128, 127}, {8, 1, -128, 127}, {9, 1, -128, 127}};
constexpr size_t kDateFieldCount = 3;

// ((year + 40000) · 12 + month) · 31 + day, with the year read as the
// stored order reads it (unsigned), so that the index follows that order.
double DayIndex(const unsigned char* date, unsigned char format) {
  const double year = layout::Word::FromStored(date, format);
  return ((year + 40000) * 12 + static_cast<int8_t>(date[2])) * 31 + static_cast<int8_t>(date[3]);
}

double TimeNumber(const unsigned char* time) {
  return evaluate::SecondsOfDay(time + kStoredHourOffset);
}

// The day index in seconds, plus the time of day kept within that day. How
// a timestamp's date and time combine is this library's choice: counting
// whole days of seconds keeps the number growing with the stored order (a
// later day is never below an earlier one, whatever its hour). Stored hours
// beyond the day (an hour shifted by its zone) count as the day's first or
// last second.
double TimestampNumber(const unsigned char* timestamp, unsigned char format) {
  const double time = std::clamp(TimeNumber(timestamp + kDateSize), 0.0, kSecondsPerDay - 1);
  return DayIndex(timestamp, format) * kSecondsPerDay + time;
}

// The keys a wildcard key widens into; the same key twice when it has none.
struct KeyRange {
  unsigned char low[kTimestampSize];
  unsigned char high[kTimestampSize];
  bool widened = false;
};

// Widens from the first wildcard among the date fields on, through the
// rest of `fieldCount` fields.
KeyRange WidenDate(const void* key, size_t fieldCount, unsigned size, unsigned char format,
                   KsIdxBounds* outBounds, unsigned short& flags) {
  KeyRange keys;
  std::memcpy(keys.low, key, size);
  std::memcpy(keys.high, key, size);
  size_t first = 0;
  while (first < kDateFieldCount && !evaluate::IsWildcard(keys.low, kTimestampFields[first])) ++first;
  keys.widened = first < kDateFieldCount;
  if (keys.widened) {
    evaluate::WidenFromFirstWildcard(kTimestampFields + first, fieldCount - first, format, keys.low,
                                     keys.high, outBounds, flags);
  }
  return keys;
}

// The ODMG counting of a key against the current range, over its total; a
// widened key covers [keyLow, keyHigh].
float OdmgEstimate(unsigned short flags, double keyLow, double keyHigh, bool widened,
                   const evaluate::NumberRange& range) {
  if (!range.present) return 0.0f;
  const double total = range.high - range.low + 1;
  double count;
  if (!widened) {
    const double p = keyLow - range.low + 1;
    count = ((flags & evaluate::kLessThan) ? p - 1 : 0) + ((flags & evaluate::kGreaterThan) ? total - p : 0) +
            ((flags & evaluate::kEqual) ? 1 : 0);
  } else {
    count = evaluate::Overlap(flags, keyLow, keyHigh, range.low, range.high, 1);
  }
  return static_cast<float>(std::max(count, 0.0) / total);
}

double StoredTimeNumber(const unsigned char* time, unsigned char) {
  return TimeNumber(time);
}

// The evaluator of d_Date (the date fields) and d_Timestamp (all fields).
template <double (*kNumber)(const unsigned char*, unsigned char), unsigned kSize, size_t kFieldCount>
float EvaluateOdmgDate(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                       unsigned count, KsIdxBounds* outBounds) {
  flags &= evaluate::kKeepComparisonAndInexact;
  const evaluate::NumberRange range = evaluate::NumberRangeOf<kNumber>(bounds, kSize, format);
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * kSize);
  const KeyRange keys = WidenDate(key, kFieldCount, kSize, format, outBounds, flags);
  return OdmgEstimate(flags, kNumber(keys.low, format), kNumber(keys.high, format), keys.widened, range);
}

}  // namespace

float DDateEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                        unsigned count, KsIdxBounds* outBounds) {
  return EvaluateOdmgDate<DayIndex, kDateSize, kDateFieldCount>(bounds, flags, key, format, count, outBounds);
}

float DTimestampEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                             unsigned count, KsIdxBounds* outBounds) {
  return EvaluateOdmgDate<TimestampNumber, kTimestampSize, std::size(kTimestampFields)>(
      bounds, flags, key, format, count, outBounds);
}

// A d_Time key has no wildcard fields; its zone and hundredths do not enter
// the number.
float DTimeEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                        unsigned count, KsIdxBounds* outBounds) {
  flags &= evaluate::kKeepComparisonAndInexact;
  const evaluate::NumberRange range = evaluate::NumberRangeOf<StoredTimeNumber>(bounds, kTimeSize, format);
  evaluate::RecordBounds(outBounds, key, flags, size_t{count} * kTimeSize);
  const double number = TimeNumber(static_cast<const unsigned char*>(key));
  return OdmgEstimate(flags, number, number, false, range);
}

}  // namespace ks
