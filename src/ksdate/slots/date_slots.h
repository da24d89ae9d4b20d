// Type slots of the nine date and time types: KsDate (12), KsTime (13),
// KsDateTime (19), d_Date (22), d_Time (23), d_Timestamp (24),
// d_Interval (25), KsDateTimeN (40) and KsTimeSpan (41).
//
// One template serves them all; each type contributes a traits struct with
// what is its own: its stored fields (storage, loading and the stored order
// walk them), its memory order, its hash words, its conversion-record texts
// and its value generator. d_Interval stores and orders as a float and takes
// only the text and generator slots from here.
#pragma once

#include <array>
#include <cstdint>

#include "ksdate.h"
#include "ksdate/slots/stored_fields.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"
#include "ksodmg.h"
#include "ksslots.h"
#include "kstypcmp.h"
#include "kstypcmp/primitive_hash.h"
#include "kstypes/class_slots.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ks {

// What the DefaultValue slot gives: the value of an empty text (with null
// values on request for types that have them), or Create's values.
enum class DateDefault : uint8_t { EmptyText, EmptyTextOrNull, Created };

// Storage, order and hash of the types with a field list.
template <class Traits>
struct DateStorageSlots {
  static unsigned Store(void* dst, const void* src, unsigned char format, unsigned count);
  static unsigned Load(void* dst, const void* src, unsigned char format, unsigned count);
  static unsigned NullSizeGet(unsigned count);
  static unsigned SizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
  static unsigned SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
  static unsigned Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                            unsigned char srcFormat, unsigned srcLen, unsigned count);
  static int Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                     unsigned short cmpOp, unsigned count, int& status);
  static unsigned Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status);
};

// Text, default value and generator slots.
template <class Traits>
struct DateTextSlots {
  // One value under format (null: the type's default format); the text
  // replaces out's content.
  static KsString& PrintToString(KsString& out, void* values, const char* format, unsigned count);
  static void* ScanFromString(void* values, KsString& in, const char* format, unsigned count);
  static KsTypeConvertData* ConvertToKsString(void* values, unsigned count);
  static void* ConvertFromKsString(KsTypeConvertData* record, unsigned count);
  static void* DefaultValue(unsigned count, int asNull);
  static int GetValue(void* value, unsigned count, unsigned char format, unsigned char op);
};

// The traits. Each declares
//   Value, kStoredSize, kFormat (the descriptor's default), kDefault,
//   kFields (not d_Interval), CompareMemory, HashMemory, HashStored,
//   WriteText, ReadText, Start, Next, and Now (null when op 'O' leaves the
//   value unchanged).
#define KS_DATE_TRAITS_FUNCTIONS(T)                                              \
  static uint32_t HashMemory(const T& value);                                    \
  static uint32_t HashStored(const unsigned char* record, unsigned char format); \
  static void WriteText(const T& value, KsString& text);                         \
  static void ReadText(T& value, const KsString* text);                          \
  static void Start(T& value);                                                   \
  static bool Next(T& value)

using dateslots::ByteFields;
using dateslots::FieldKind;
using dateslots::Join;
using dateslots::StoredField;

// The calendar classes order in memory by their own Compare, which takes
// the compare flags (wildcards unless bit 0x10 is set).
template <class T>
struct CalendarTraits {
  using Value = T;
  static int CompareMemory(const T& a, const T& b, unsigned short cmpOp) { return a.Compare(b, cmpOp); }
};

// The ODMG classes order in memory by their != (a difference).
template <class T>
struct OdmgTraits {
  using Value = T;
  static int CompareMemory(const T& a, const T& b, unsigned short) { return a != b; }
};

// Stored fields: a 16-bit year (signed for the Ks classes, unsigned for
// d_Date), then bytes. Every field of the Ks classes and of d_Date is a
// wildcard field; d_Time has none.
constexpr std::array<StoredField, 3> kKsDateFields =
    Join(std::array<StoredField, 1>{{{0, 0, FieldKind::Int16, true}}}, ByteFields<2>(2, 2, true));
constexpr std::array<StoredField, 6> kKsDateTimeFields = Join(kKsDateFields, ByteFields<3>(4, 4, true));
// The nanoseconds follow the seven stored bytes (at 8 in memory, after a
// byte of padding).
constexpr std::array<StoredField, 7> kKsDateTimeNFields =
    Join(kKsDateTimeFields, std::array<StoredField, 1>{{{8, 7, FieldKind::Int32, true}}});
// d_Date's year orders unsigned in the stored form, while its memory order
// (day numbers) is signed: stored year -2 sorts after year 1. Indexes built
// on the stored order depend on it.
constexpr std::array<StoredField, 3> kDDateFields =
    Join(std::array<StoredField, 1>{{{0, 0, FieldKind::Word16, true}}}, ByteFields<2>(2, 2, true));
constexpr std::array<StoredField, 6> kDTimeFields = ByteFields<6>(0, 0, false);

struct KsDateTraits : CalendarTraits<KsDate> {
  KS_DATE_TRAITS_FUNCTIONS(KsDate);
  static void Now(KsDate& value);
  static constexpr unsigned kStoredSize = 4;
  static constexpr const char* kFormat = "%a %e.%b %Y";
  static constexpr DateDefault kDefault = DateDefault::EmptyTextOrNull;
  static constexpr std::array<StoredField, 3> kFields = kKsDateFields;
};

struct KsTimeTraits : CalendarTraits<KsTime> {
  KS_DATE_TRAITS_FUNCTIONS(KsTime);
  static void Now(KsTime& value);
  static constexpr unsigned kStoredSize = 3;
  static constexpr const char* kFormat = "%I:%M:%S %p";
  static constexpr DateDefault kDefault = DateDefault::EmptyTextOrNull;
  static constexpr std::array<StoredField, 3> kFields = ByteFields<3>(0, 0, true);
};

struct KsDateTimeTraits : CalendarTraits<KsDateTime> {
  KS_DATE_TRAITS_FUNCTIONS(KsDateTime);
  static void Now(KsDateTime& value);
  static constexpr unsigned kStoredSize = 7;
  static constexpr const char* kFormat = "%a %e.%b %Y %I:%M:%S %p";
  static constexpr DateDefault kDefault = DateDefault::EmptyTextOrNull;
  static constexpr std::array<StoredField, 6> kFields = kKsDateTimeFields;
};

struct KsDateTimeNTraits : CalendarTraits<KsDateTimeN> {
  KS_DATE_TRAITS_FUNCTIONS(KsDateTimeN);
  static void Now(KsDateTimeN& value);
  static constexpr unsigned kStoredSize = 11;
  static constexpr const char* kFormat = "%X";
  static constexpr DateDefault kDefault = DateDefault::Created;
  static constexpr std::array<StoredField, 7> kFields = kKsDateTimeNFields;
};

struct KsTimeSpanTraits : CalendarTraits<KsTimeSpan> {
  KS_DATE_TRAITS_FUNCTIONS(KsTimeSpan);
  static constexpr void (*Now)(KsTimeSpan&) = nullptr;
  static constexpr unsigned kStoredSize = 11;
  static constexpr const char* kFormat = "%V";
  static constexpr DateDefault kDefault = DateDefault::Created;
  static constexpr std::array<StoredField, 7> kFields = kKsDateTimeNFields;
};

struct DDateTraits : OdmgTraits<d_Date> {
  KS_DATE_TRAITS_FUNCTIONS(d_Date);
  static void Now(d_Date& value);
  static constexpr unsigned kStoredSize = 4;
  static constexpr const char* kFormat = "%a %b %e";
  static constexpr DateDefault kDefault = DateDefault::EmptyText;
  static constexpr std::array<StoredField, 3> kFields = kDDateFields;
};

struct DTimeTraits : OdmgTraits<d_Time> {
  KS_DATE_TRAITS_FUNCTIONS(d_Time);
  static void Now(d_Time& value);
  static constexpr unsigned kStoredSize = 6;
  static constexpr const char* kFormat = "%I:%M:%S %p";
  static constexpr DateDefault kDefault = DateDefault::EmptyText;
  static constexpr std::array<StoredField, 6> kFields = kDTimeFields;
};

struct DTimestampTraits : OdmgTraits<d_Timestamp> {
  KS_DATE_TRAITS_FUNCTIONS(d_Timestamp);
  static void Now(d_Timestamp& value);
  static constexpr unsigned kStoredSize = 10;
  static constexpr const char* kFormat = "%a %b %e %I:%M:%S %p";
  static constexpr DateDefault kDefault = DateDefault::EmptyText;
  static constexpr std::array<StoredField, 9> kFields = Join(kDDateFields, ByteFields<6>(4, 4, false));
};

struct DIntervalTraits {
  using Value = d_Interval;
  static void WriteText(const d_Interval& value, KsString& text);
  static void ReadText(d_Interval& value, const KsString* text);
  static void Start(d_Interval& value);
  static bool Next(d_Interval& value);
  static constexpr void (*Now)(d_Interval&) = nullptr;
  static constexpr const char* kFormat = "%e days, %I hours, %M minutes, %S seconds";
  static constexpr DateDefault kDefault = DateDefault::EmptyText;
};
#undef KS_DATE_TRAITS_FUNCTIONS

// d_Interval's stored form is a float's.
unsigned IntervalStore(void* dst, const void* src, unsigned char format, unsigned count);

template <class Traits>
constexpr void SetDateTextSlots(KsTypeDescriptor& d) {
  using Text = DateTextSlots<Traits>;
  using Memory = ClassSlots<typename Traits::Value>;
  SetClassMemorySlots<typename Traits::Value>(d);
  d.convertToKsString = Text::ConvertToKsString;
  d.convertFromKsString = Text::ConvertFromKsString;
  d.printToString = Text::PrintToString;
  d.scanFromString = Text::ScanFromString;
  d.defaultValue = Text::DefaultValue;
  d.getValue = Text::GetValue;
  if constexpr (Traits::kDefault == DateDefault::EmptyText) {
    d.isNull = NeverNull;
    d.setNull = nullptr;
  } else {
    d.isNull = Memory::IsNull;
    d.setNull = Memory::SetNull;
  }
}

// The type-table row of a type with a field list. EvalAndBound is left to
// the index evaluators.
template <class Traits>
constexpr KsTypeDescriptor DateTimeRow(KsTypeDescriptor d) {
  using Storage = DateStorageSlots<Traits>;
  SetDateTextSlots<Traits>(d);
  d.store = Storage::Store;
  d.load = Storage::Load;
  d.nullSizeGet = Storage::NullSizeGet;
  d.sizeGet = Storage::SizeGet;
  d.sizeGetFromMemFile = Storage::SizeGetFromMemFile;
  d.compare = Storage::Compare;
  d.hash = Storage::Hash;
  d.translate = Storage::Translate;
  return d;
}

// d_Interval: stored, sized, ordered and hashed as a float (its NullSizeGet
// and SizeGet are the base services' float functions, set at start-up).
constexpr KsTypeDescriptor IntervalRow(KsTypeDescriptor d) {
  SetDateTextSlots<DIntervalTraits>(d);
  d.store = IntervalStore;
  d.load = IntervalStore;
  d.sizeGetFromMemFile = FloatSlots::SizeGetFromMemFile;
  d.compare = FloatCompare;
  d.hash = FloatHash;
  d.translate = FloatSlots::Translate;
  return d;
}

}  // namespace ks
