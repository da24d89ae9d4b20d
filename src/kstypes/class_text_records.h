// Text slots shared by the class types: conversion records made from and
// read into values through the class's own printer and scanner, the default
// value (the value of an empty text, or a null value on request), and the
// 8-bit reading of a scanned text.
#pragma once

#include <cstring>

#include "class_slots.h"
#include "ksslots.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypeids.h"

namespace ks {

// The text a scanner reads: in itself when it has an 8-bit code set;
// otherwise its characters converted into holder.
inline const KsString& EightBitText(const KsString& in, KsString& holder) {
  if (in.CodeSet() <= 224) return in;
  holder += in;
  return holder;
}

// A record of count texts (owned by nobody until a type manager takes it),
// text i printed from value i. `print` fills an empty string; it may leave
// the string null to stand for a null value.
template <class T, void (*print)(const T& value, KsString& text)>
KsTypeConvertData* ClassToTexts(void* values, unsigned count) {
  using StringSlots = ClassSlots<KsString>;
  auto* strings = static_cast<KsString*>(StringSlots::Create(count));
  if (strings == nullptr) return nullptr;
  const T* typed = static_cast<const T*>(values);
  for (unsigned i = 0; i < count; ++i) print(typed[i], strings[i]);
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, count, strings, nullptr);
  if (record == nullptr) StringSlots::Delete(strings, count);
  return record;
}

// The text record of one value of a class with a null value: the null
// string for null, otherwise what `print` (the type's print slot) makes of
// it under the type's default format.
template <class T, KsPrintToKsStringFunc print>
void PrintedOrNullText(const T& value, KsString& text) {
  if (value.IsNullValue()) {
    text.SetNullValue();
  } else {
    print(text, const_cast<T*>(&value), nullptr, 1);
  }
}

// A new array of count values made by `create` (the type's Create slot),
// value i read by `scan` from text i of the record, or from null when the
// record has no such text or it is the null string.
template <class T, void (*scan)(T& value, const KsString* text), KsCreateFunc create = ClassSlots<T>::Create>
void* ClassFromTexts(KsTypeConvertData* record, unsigned count) {
  auto* values = static_cast<T*>(create(count));
  if (values == nullptr) return nullptr;
  for (unsigned i = 0; i < count; ++i) {
    const KsString* text = record != nullptr ? record->GetString(static_cast<int>(i)) : nullptr;
    if (text != nullptr && text->IsNullValue()) text = nullptr;
    scan(values[i], text);
  }
  return values;
}

// count values converted from empty texts: the default value of most types.
template <KsConvertFromKsStringFunc convert>
void* ValuesOfEmptyTexts(unsigned count) {
  using StringSlots = ClassSlots<KsString>;
  auto* strings = static_cast<KsString*>(StringSlots::Create(count));
  if (strings == nullptr) return nullptr;
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, count, strings, nullptr);
  void* values = record != nullptr ? convert(record, count) : nullptr;
  delete record;  // no manager: the strings stay ours
  StringSlots::Delete(strings, count);
  return values;
}

// DefaultValue slot: the value of an empty text; with asNull and a class
// that has a null value, count values made by Create and set to null.
template <class T, KsConvertFromKsStringFunc convert, bool hasNull>
void* ClassDefaultValue(unsigned count, int asNull) {
  if constexpr (hasNull) {
    if (asNull) {
      auto* values = static_cast<T*>(ClassSlots<T>::Create(count));
      if (values != nullptr) {
        for (unsigned i = 0; i < count; ++i) values[i].SetNullValue();
      }
      return values;
    }
  }
  return ValuesOfEmptyTexts<convert>(count);
}

}  // namespace ks
