// Slots of the calendar and clock classes: KsDate (12), KsTime (13),
// KsDateTime (19), KsDateTimeN (40) and KsTimeSpan (41).
//
// Memory order is the classes' own Compare (a field difference, not cut to
// -1/0/1, as the index code has always received it); the stored order walks
// the fields with -1 or 1. Conversion records write day numbers and second
// counts; a null value travels as the null string, and a null or missing
// string reads as the null value.
#include <climits>

#include "ksdate/slots/date_slots_impl.h"
#include "ksdate/slots/hash_words.h"
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

uint32_t StoredTimeWord(const unsigned char* p) {
  return dateslots::FieldWord(static_cast<int8_t>(p[0]), static_cast<int8_t>(p[1]),
                              static_cast<int8_t>(p[2]));
}

// The texts of values that are not null; a null value is the null string.
template <class T, class Write>
void WriteUnlessNull(const T& value, KsString& text, Write write) {
  if (value.IsNullValue()) {
    text.SetNullValue();
  } else {
    write(value, text);
  }
}

// Values read from a text; a null or missing text is the null value.
template <class T, class Read>
void ReadUnlessNull(T& value, const KsString* text, Read read) {
  if (text == nullptr) {
    value.SetNullValue();
  } else {
    read(value, *text);
  }
}

template <class T>
void SetNull(T& value) {
  value.SetNullValue();
}

// The generators of KsDateTimeN and KsTimeSpan start with every field at
// its least.
template <class T>
void StartBelowEverything(T& value) {
  value = T(-32768, -128, -128, -128, -128, -128, INT_MIN);
}

// The successor `step` gives, when it is greater in the plain order.
template <class T, class Step>
bool StepForward(T& value, Step step) {
  return dateslots::AdvanceIfGreater(value, step,
                                     [](const T& a, const T& b) { return a.Compare(b, kPlainOrder) > 0; });
}

template <class T>
void NextNanosecond(T& value) {
  value.AddNanoSeconds(1);
}

// "JDN:seconds", for KsDateTime and the leading part of the nanosecond
// types' text.
void WriteDayAndSeconds(const KsDateTime& v, KsString& text) {
  text << v.date.dayabs() << ':' << static_cast<int>(v.time);
}

// The nanosecond types' text: "JDN:seconds" and ".nanoseconds" (unpadded)
// when there are any.
template <class T>
void WriteNanoText(const T& v, KsString& text) {
  WriteDayAndSeconds(v.dateTime, text);
  if (v.nanoseconds > 0) text << '.' << static_cast<int>(v.nanoseconds);
}

// The stored hash reads the 32-bit word at offset 6: the second's byte and
// the first three bytes of the nanoseconds. So the memory and stored hashes
// of one value differ; stored hashes were always made this way.
template <class T>
uint32_t NanoHashMemory(const T& v) {
  return TimeWord(v.dateTime.time) ^ DateWord(v.dateTime.date) ^ static_cast<uint32_t>(v.nanoseconds);
}
uint32_t NanoHashStored(const unsigned char* p, unsigned char format) {
  return StoredTimeWord(p + 4) ^ dateslots::StoredDateWord(p, format) ^
         layout::Dword::FromStored(p + 6, format);
}

}  // namespace

// KsDate ---------------------------------------------------------------------

uint32_t KsDateTraits::HashMemory(const KsDate& v) {
  return DateWord(v);
}
uint32_t KsDateTraits::HashStored(const unsigned char* p, unsigned char format) {
  return dateslots::StoredDateWord(p, format);
}
void KsDateTraits::WriteText(const KsDate& v, KsString& text) {
  WriteUnlessNull(v, text, [](const KsDate& d, KsString& t) { t << d.dayabs(); });
}
void KsDateTraits::ReadText(KsDate& v, const KsString* text) {
  ReadUnlessNull(v, text, [](KsDate& d, const KsString& t) { d = KsDate(static_cast<int>(t)); });
}
void KsDateTraits::Start(KsDate& v) {
  SetNull(v);
}
void KsDateTraits::Now(KsDate& v) {
  v.Today();
}
bool KsDateTraits::Next(KsDate& v) {
  return StepForward(v, [](KsDate& d) { ++d; });
}

// KsTime ---------------------------------------------------------------------

uint32_t KsTimeTraits::HashMemory(const KsTime& v) {
  return TimeWord(v);
}
uint32_t KsTimeTraits::HashStored(const unsigned char* p, unsigned char) {
  return StoredTimeWord(p);
}
void KsTimeTraits::WriteText(const KsTime& v, KsString& text) {
  WriteUnlessNull(v, text, [](const KsTime& t, KsString& s) { s << static_cast<int>(t); });
}
void KsTimeTraits::ReadText(KsTime& v, const KsString* text) {
  ReadUnlessNull(v, text, [](KsTime& t, const KsString& s) { t = KsTime(static_cast<int>(s)); });
}
void KsTimeTraits::Start(KsTime& v) {
  SetNull(v);
}
void KsTimeTraits::Now(KsTime& v) {
  v.Now();
}
bool KsTimeTraits::Next(KsTime& v) {
  return StepForward(v, [](KsTime& t) { ++t; });
}

// KsDateTime -----------------------------------------------------------------

uint32_t KsDateTimeTraits::HashMemory(const KsDateTime& v) {
  return TimeWord(v.time) ^ DateWord(v.date);
}
uint32_t KsDateTimeTraits::HashStored(const unsigned char* p, unsigned char format) {
  return StoredTimeWord(p + 4) ^ dateslots::StoredDateWord(p, format);
}
void KsDateTimeTraits::WriteText(const KsDateTime& v, KsString& text) {
  WriteUnlessNull(v, text, WriteDayAndSeconds);
}
// A ':' in first place gives the all-zero date; no ':' gives midnight.
void KsDateTimeTraits::ReadText(KsDateTime& v, const KsString* text) {
  ReadUnlessNull(v, text, [](KsDateTime& dt, const KsString& t) {
    const dateslots::ColonText parts = dateslots::ReadColonText(t);
    dt.date = parts.colonFirst ? KsDate::ClearValue() : KsDate(parts.leading);
    dt.time = parts.hasColon ? KsTime(parts.afterColon) : KsTime::ClearValue();
  });
}
void KsDateTimeTraits::Start(KsDateTime& v) {
  SetNull(v);
}
void KsDateTimeTraits::Now(KsDateTime& v) {
  v.Now();
}
bool KsDateTimeTraits::Next(KsDateTime& v) {
  return StepForward(v, [](KsDateTime& t) { t.AddSeconds(1); });
}

// KsDateTimeN ----------------------------------------------------------------

uint32_t KsDateTimeNTraits::HashMemory(const KsDateTimeN& v) {
  return NanoHashMemory(v);
}
uint32_t KsDateTimeNTraits::HashStored(const unsigned char* p, unsigned char format) {
  return NanoHashStored(p, format);
}
void KsDateTimeNTraits::WriteText(const KsDateTimeN& v, KsString& text) {
  WriteUnlessNull(v, text, WriteNanoText<KsDateTimeN>);
}
// The created value (null) is kept where the text has no part for a field;
// a day number of 0 leaves the date.
void KsDateTimeNTraits::ReadText(KsDateTimeN& v, const KsString* text) {
  ReadUnlessNull(v, text, [](KsDateTimeN& n, const KsString& t) {
    const dateslots::ColonText parts = dateslots::ReadColonText(t);
    if (parts.leading != 0) n.dateTime.date = KsDate(parts.leading);
    if (parts.hasColon) n.dateTime.time = KsTime(parts.afterColon);
    if (parts.hasDot) n.nanoseconds = parts.afterDot;
  });
}
void KsDateTimeNTraits::Start(KsDateTimeN& v) {
  StartBelowEverything(v);
}
void KsDateTimeNTraits::Now(KsDateTimeN& v) {
  v.Now();
}
bool KsDateTimeNTraits::Next(KsDateTimeN& v) {
  return StepForward(v, NextNanosecond<KsDateTimeN>);
}

// KsTimeSpan -----------------------------------------------------------------

uint32_t KsTimeSpanTraits::HashMemory(const KsTimeSpan& v) {
  return NanoHashMemory(v);
}
uint32_t KsTimeSpanTraits::HashStored(const unsigned char* p, unsigned char format) {
  return NanoHashStored(p, format);
}
void KsTimeSpanTraits::WriteText(const KsTimeSpan& v, KsString& text) {
  WriteUnlessNull(v, text, [](const KsTimeSpan& s, KsString& t) { t << s.GetTotalSeconds_f(); });
}
// A text that reads as 0 seconds leaves the created value, which is null:
// a zero span does not survive the text form.
void KsTimeSpanTraits::ReadText(KsTimeSpan& v, const KsString* text) {
  ReadUnlessNull(v, text, [](KsTimeSpan& s, const KsString& t) {
    const double seconds = static_cast<double>(t);
    if (seconds != 0.0) s.SetTotalSeconds(seconds);
  });
}
void KsTimeSpanTraits::Start(KsTimeSpan& v) {
  StartBelowEverything(v);
}
bool KsTimeSpanTraits::Next(KsTimeSpan& v) {
  return StepForward(v, NextNanosecond<KsTimeSpan>);
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
