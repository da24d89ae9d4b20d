// Slots of the calendar and clock classes: KsDate (12), KsTime (13),
// KsDateTime (19), KsDateTimeN (40) and KsTimeSpan (41).
//
// Memory order is the classes' own Compare (a field difference, not cut to
// -1/0/1, as the index code has always received it); the stored order walks
// the fields with -1 or 1. Conversion records write day numbers and second
// counts; a null value travels as the null string.
#include <climits>

#include "ksdate/slots/date_slots_impl.h"
#include "ksdate/slots/record_text.h"

namespace ks {
namespace {

constexpr unsigned short kPlainOrder = 0xFFFF;

uint32_t DateWord(const KsDate& d) {
  return dateslots::FieldWord(d.year, d.month, d.day);
}
uint32_t TimeWord(const KsTime& t) {
  return dateslots::FieldWord(t.hour, t.minute, t.second);
}

// The hash words of stored records: the year in the format's byte order.
uint32_t StoredDateWord(const unsigned char* p, unsigned char format) {
  return dateslots::FieldWord(layout::Short::FromStored(p, format), static_cast<int8_t>(p[2]),
                              static_cast<int8_t>(p[3]));
}
uint32_t StoredTimeWord(const unsigned char* p) {
  return dateslots::FieldWord(static_cast<int8_t>(p[0]), static_cast<int8_t>(p[1]),
                              static_cast<int8_t>(p[2]));
}

// The values from which the generators of KsDateTimeN and KsTimeSpan start:
// every field at its least.
template <class T>
void StartBelowEverything(T& value) {
  value = T(-32768, -128, -128, -128, -128, -128, INT_MIN);
}

template <class T>
bool AfterInPlainOrder(const T& a, const T& b) {
  return a.Compare(b, kPlainOrder) > 0;
}

// The nanosecond types' text: "JDN:seconds" and ".nanoseconds" (unpadded)
// when there are any.
template <class T>
void WriteNanoText(const T& value, KsString& text) {
  if (value.IsNullValue()) {
    text.SetNullValue();
    return;
  }
  text << value.dateTime.date.dayabs() << ':' << static_cast<int>(value.dateTime.time);
  if (value.nanoseconds > 0) text << '.' << static_cast<int>(value.nanoseconds);
}

}  // namespace

// KsDate ---------------------------------------------------------------------

int KsDateTraits::CompareMemory(const KsDate& a, const KsDate& b, unsigned short cmpOp) {
  return a.Compare(b, cmpOp);
}
uint32_t KsDateTraits::HashMemory(const KsDate& v) {
  return DateWord(v);
}
uint32_t KsDateTraits::HashStored(const unsigned char* p, unsigned char format) {
  return StoredDateWord(p, format);
}
void KsDateTraits::WriteText(const KsDate& v, KsString& text) {
  if (v.IsNullValue()) {
    text.SetNullValue();
  } else {
    text << v.dayabs();
  }
}
void KsDateTraits::ReadText(KsDate& v, const KsString* text) {
  if (text == nullptr) {
    v.SetNullValue();
  } else {
    v = KsDate(static_cast<int>(*text));
  }
}
void KsDateTraits::Start(KsDate& v) {
  v.SetNullValue();
}
void KsDateTraits::Now(KsDate& v) {
  v.Today();
}
bool KsDateTraits::Next(KsDate& v) {
  return dateslots::AdvanceIfGreater(
      v, [](KsDate& d) { ++d; }, AfterInPlainOrder<KsDate>);
}

// KsTime ---------------------------------------------------------------------

int KsTimeTraits::CompareMemory(const KsTime& a, const KsTime& b, unsigned short cmpOp) {
  return a.Compare(b, cmpOp);
}
uint32_t KsTimeTraits::HashMemory(const KsTime& v) {
  return TimeWord(v);
}
uint32_t KsTimeTraits::HashStored(const unsigned char* p, unsigned char) {
  return StoredTimeWord(p);
}
void KsTimeTraits::WriteText(const KsTime& v, KsString& text) {
  if (v.IsNullValue()) {
    text.SetNullValue();
  } else {
    text << static_cast<int>(v);
  }
}
void KsTimeTraits::ReadText(KsTime& v, const KsString* text) {
  if (text == nullptr) {
    v.SetNullValue();
  } else {
    v = KsTime(static_cast<int>(*text));
  }
}
void KsTimeTraits::Start(KsTime& v) {
  v.SetNullValue();
}
void KsTimeTraits::Now(KsTime& v) {
  v.Now();
}
bool KsTimeTraits::Next(KsTime& v) {
  return dateslots::AdvanceIfGreater(
      v, [](KsTime& t) { ++t; }, AfterInPlainOrder<KsTime>);
}

// KsDateTime -----------------------------------------------------------------

int KsDateTimeTraits::CompareMemory(const KsDateTime& a, const KsDateTime& b, unsigned short cmpOp) {
  return a.Compare(b, cmpOp);
}
uint32_t KsDateTimeTraits::HashMemory(const KsDateTime& v) {
  return TimeWord(v.time) ^ DateWord(v.date);
}
uint32_t KsDateTimeTraits::HashStored(const unsigned char* p, unsigned char format) {
  return StoredTimeWord(p + 4) ^ StoredDateWord(p, format);
}
void KsDateTimeTraits::WriteText(const KsDateTime& v, KsString& text) {
  if (v.IsNullValue()) {
    text.SetNullValue();
  } else {
    text << v.date.dayabs() << ':' << static_cast<int>(v.time);
  }
}
void KsDateTimeTraits::ReadText(KsDateTime& v, const KsString* text) {
  if (text == nullptr) {
    v.SetNullValue();
    return;
  }
  const dateslots::ColonText parts = dateslots::ReadColonText(*text);
  v.date = parts.colonFirst ? KsDate::ClearValue() : KsDate(parts.leading);
  v.time = parts.hasColon ? KsTime(parts.afterColon) : KsTime::ClearValue();
}
void KsDateTimeTraits::Start(KsDateTime& v) {
  v.SetNullValue();
}
void KsDateTimeTraits::Now(KsDateTime& v) {
  v.Now();
}
bool KsDateTimeTraits::Next(KsDateTime& v) {
  return dateslots::AdvanceIfGreater(
      v, [](KsDateTime& t) { t.AddSeconds(1); }, AfterInPlainOrder<KsDateTime>);
}

// KsDateTimeN and KsTimeSpan -------------------------------------------------

namespace {

// The stored hash reads the 32-bit word at offset 6: the second's byte and
// the first three bytes of the nanoseconds. So the memory and stored hashes
// of one value differ; stored hashes were always made this way.
template <class T>
uint32_t NanoHashMemory(const T& v) {
  return TimeWord(v.dateTime.time) ^ DateWord(v.dateTime.date) ^ static_cast<uint32_t>(v.nanoseconds);
}
uint32_t NanoHashStored(const unsigned char* p, unsigned char format) {
  return StoredTimeWord(p + 4) ^ StoredDateWord(p, format) ^ layout::Dword::FromStored(p + 6, format);
}

}  // namespace

int KsDateTimeNTraits::CompareMemory(const KsDateTimeN& a, const KsDateTimeN& b, unsigned short cmpOp) {
  return a.Compare(b, cmpOp);
}
uint32_t KsDateTimeNTraits::HashMemory(const KsDateTimeN& v) {
  return NanoHashMemory(v);
}
uint32_t KsDateTimeNTraits::HashStored(const unsigned char* p, unsigned char format) {
  return NanoHashStored(p, format);
}
void KsDateTimeNTraits::WriteText(const KsDateTimeN& v, KsString& text) {
  WriteNanoText(v, text);
}
// The created value (null) is kept where the text has no part for a field;
// a day number of 0 leaves the date.
void KsDateTimeNTraits::ReadText(KsDateTimeN& v, const KsString* text) {
  if (text == nullptr) {
    v.SetNullValue();
    return;
  }
  const dateslots::ColonText parts = dateslots::ReadColonText(*text);
  if (parts.leading != 0) v.dateTime.date = KsDate(parts.leading);
  if (parts.hasColon) v.dateTime.time = KsTime(parts.afterColon);
  if (parts.hasDot) v.nanoseconds = parts.afterDot;
}
void KsDateTimeNTraits::Start(KsDateTimeN& v) {
  StartBelowEverything(v);
}
void KsDateTimeNTraits::Now(KsDateTimeN& v) {
  v.Now();
}
bool KsDateTimeNTraits::Next(KsDateTimeN& v) {
  return dateslots::AdvanceIfGreater(
      v, [](KsDateTimeN& t) { t.AddNanoSeconds(1); }, AfterInPlainOrder<KsDateTimeN>);
}

int KsTimeSpanTraits::CompareMemory(const KsTimeSpan& a, const KsTimeSpan& b, unsigned short cmpOp) {
  return a.Compare(b, cmpOp);
}
uint32_t KsTimeSpanTraits::HashMemory(const KsTimeSpan& v) {
  return NanoHashMemory(v);
}
uint32_t KsTimeSpanTraits::HashStored(const unsigned char* p, unsigned char format) {
  return NanoHashStored(p, format);
}
void KsTimeSpanTraits::WriteText(const KsTimeSpan& v, KsString& text) {
  if (v.IsNullValue()) {
    text.SetNullValue();
  } else {
    text << v.GetTotalSeconds_f();
  }
}
// A text that reads as 0 seconds leaves the created value, which is null:
// a zero span does not survive the text form.
void KsTimeSpanTraits::ReadText(KsTimeSpan& v, const KsString* text) {
  if (text == nullptr) {
    v.SetNullValue();
    return;
  }
  const double seconds = static_cast<double>(*text);
  if (seconds != 0.0) v.SetTotalSeconds(seconds);
}
void KsTimeSpanTraits::Start(KsTimeSpan& v) {
  StartBelowEverything(v);
}
bool KsTimeSpanTraits::Next(KsTimeSpan& v) {
  return dateslots::AdvanceIfGreater(
      v, [](KsTimeSpan& t) { t.AddNanoSeconds(1); }, AfterInPlainOrder<KsTimeSpan>);
}

template struct DateStorageSlots<KsDateTraits>;
template struct DateTextSlots<KsDateTraits>;
template struct DateStorageSlots<KsTimeTraits>;
template struct DateTextSlots<KsTimeTraits>;
template struct DateStorageSlots<KsDateTimeTraits>;
template struct DateTextSlots<KsDateTimeTraits>;
template struct DateStorageSlots<KsDateTimeNTraits>;
template struct DateTextSlots<KsDateTimeNTraits>;
template struct DateStorageSlots<KsTimeSpanTraits>;
template struct DateTextSlots<KsTimeSpanTraits>;

}  // namespace ks
