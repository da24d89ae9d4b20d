// The date and time format engine: one strftime-like directive language for
// every date and time class.
//
// Output grows as needed; no caller's format or input can make the engine
// read past its text or write past its output, and every loop advances
// through the format or the input, so any text and any format end.
#pragma once

#include "ksdate/format/date_fields.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace ks::datefmt {

// Prints value under format into out and returns out. A null format prints
// nothing (the classes put their default formats in its place).
KsString& PrintFields(KsString& out, const DateTimeFields& value, const char* format);

// Scans in under format into value (which is written in any case); a null
// format reads like an empty one. False
// only when a directive meets the end of the input; the fields read up to
// there are stored all the same. Text beginning with the null print string
// scans as the null value.
bool ScanFields(DateTimeFields& value, KsString& in, const char* format);

// Prints a class value: its null value as the null print string, otherwise
// through the engine.
template <class T>
KsString& PrintValue(KsString& out, const T& value, const char* format) {
  if (FieldAccess<T>::IsNull(value)) {
    out = KsTypeMgr::GetNullPrintString();
    return out;
  }
  return PrintFields(out, FieldAccess<T>::Get(value), format);
}

// Scans into a class value: its fields are taken back on success and on
// failure alike. Returns target, or null on failure (and for a null target).
template <class T>
T* ScanValue(T* target, KsString& in, const char* format) {
  if (target == nullptr) return nullptr;
  DateTimeFields fields{};
  const bool scanned = ScanFields(fields, in, format);
  FieldAccess<T>::Put(*target, fields);
  return scanned ? target : nullptr;
}

}  // namespace ks::datefmt
