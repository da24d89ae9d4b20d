// The base types of the nullable family, one row of functions each: what
// the family takes from a base type (its stored form and size, its text,
// its arrays for the conversion records, and its generator), and the
// comparison layout of its values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "basesvc.h"
#include "ksint64/ksint64_slots.h"
#include "ksnullable.h"
#include "kstypcmp/nullable_layout.h"
#include "kstypconv.h"
#include "kstypes/class_rows.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/primitive_text.h"

namespace ks {

struct NullableBaseFunctions {
  KsStoreFunc store;
  KsLoadFunc load;
  unsigned storedSize;  // of one value, in every stored form
  KsPrintToKsStringFunc print;
  KsScanFromKsStringFunc scan;
  KsConvertToKsStringFunc toTexts;
  KsConvertFromKsStringFunc fromTexts;
  KsCreateFunc create;
  KsDeleteFunc destroy;
  KsGetValueFunc getValue;
};

template <class V, class L, const NullableBaseFunctions& F>
struct NullableBase {
  using Value = V;
  using Layout = L;
  static constexpr const NullableBaseFunctions& kFunctions = F;
  // A stored element: the value and the flag byte.
  static constexpr unsigned kStoredElementSize = F.storedSize + 1;
  // The walk reads the memory element as the layout's pair.
  static_assert(sizeof(KsNullable<V>) == sizeof(typename layout::Nullable<L>::Value));
  static_assert(offsetof(KsNullable<V>, isNull) == offsetof(typename layout::Nullable<L>::Value, flag));
};

using Int64Arrays = ClassSlots<KsInt64>;

// clang-format off
inline constexpr NullableBaseFunctions kNullChar{CharStore, CharStore, 1, CharPrintToString, CharScanFromString, CharConvertToKsString, CharConvertFromKsString, CharSlots::Create, CharSlots::Delete, CharGetValue};
inline constexpr NullableBaseFunctions kNullByte{CharStore, CharStore, 1, CharPrintToString, CharScanFromString, O_U1BConvertToKsString, O_U1BConvertFromKsString, CharSlots::Create, CharSlots::Delete, ByteGetValue};
inline constexpr NullableBaseFunctions kNullShort{ShortStore, ShortStore, 2, ShortPrintToString, ShortScanFromString, ShortConvertToKsString, ShortConvertFromKsString, ShortSlots::Create, ShortSlots::Delete, ShortGetValue};
inline constexpr NullableBaseFunctions kNullWord{ShortStore, ShortStore, 2, ShortPrintToString, ShortScanFromString, WordConvertToKsString, WordConvertFromKsString, ShortSlots::Create, ShortSlots::Delete, WordGetValue};
inline constexpr NullableBaseFunctions kNullInt{IntStore, IntLoad, 4, LongPrintToString, LongScanFromString, LongConvertToKsString, LongConvertFromKsString, IntSlots::Create, IntSlots::Delete, LongGetValue};
inline constexpr NullableBaseFunctions kNullUnsigned{IntStore, IntLoad, 4, LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, UnsignedSlots::Create, UnsignedSlots::Delete, DwordGetValue};
inline constexpr NullableBaseFunctions kNullLong{LongStore, LongStore, 4, LongPrintToString, LongScanFromString, LongConvertToKsString, LongConvertFromKsString, LongSlots::Create, LongSlots::Delete, LongGetValue};
inline constexpr NullableBaseFunctions kNullDword{LongStore, LongStore, 4, LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, LongSlots::Create, LongSlots::Delete, DwordGetValue};
inline constexpr NullableBaseFunctions kNullFloat{FloatStore, FloatStore, 4, FloatPrintToString, FloatScanFromString, FloatConvertToKsString, FloatConvertFromKsString, FloatSlots::Create, FloatSlots::Delete, FloatGetValue};
inline constexpr NullableBaseFunctions kNullDouble{DoubleStore, DoubleStore, 8, DoublePrintToString, DoubleScanFromString, DoubleConvertToKsString, DoubleConvertFromKsString, DoubleSlots::Create, DoubleSlots::Delete, DoubleGetValue};
inline constexpr NullableBaseFunctions kNullInt64{Int64Store, Int64Store, kInt64StoredSize, Int64PrintToString, Int64ScanFromString, ClassToTexts<KsInt64, Int64Text>, ClassFromTexts<KsInt64, Int64FromText>, Int64Arrays::Create, Int64Arrays::Delete, Int64GetValue};
inline constexpr NullableBaseFunctions kNullO_8B{O_8BStore, O_8BStore, 8, O_8BPrintToString, O_8BScanFromString, O_8BConvertToKsString, O_8BConvertFromKsString, O_8BSlots::Create, O_8BSlots::Delete, O_8BGetValue};
inline constexpr NullableBaseFunctions kNullO_U8B{O_8BStore, O_8BStore, 8, O_8BPrintToString, O_8BScanFromString, O_U8BConvertToKsString, O_U8BConvertFromKsString, O_8BSlots::Create, O_8BSlots::Delete, O_U8BGetValue};
// clang-format on

struct NullCharBase : NullableBase<int8_t, layout::Char, kNullChar> {};
struct NullByteBase : NullableBase<uint8_t, layout::Byte, kNullByte> {};
struct NullShortBase : NullableBase<int16_t, layout::Short, kNullShort> {};
struct NullWordBase : NullableBase<uint16_t, layout::Word, kNullWord> {};
struct NullIntBase : NullableBase<int, layout::Int, kNullInt> {};
struct NullUnsignedBase : NullableBase<unsigned, layout::Unsigned, kNullUnsigned> {};
struct NullLongBase : NullableBase<int32_t, layout::Long, kNullLong> {};
struct NullDwordBase : NullableBase<uint32_t, layout::Dword, kNullDword> {};
struct NullFloatBase : NullableBase<float, layout::Float, kNullFloat> {};
struct NullDoubleBase : NullableBase<double, layout::Double, kNullDouble> {};
struct NullInt64Base : NullableBase<KsInt64, layout::Int64, kNullInt64> {};
struct NullO_8BBase : NullableBase<int64_t, layout::O_8B, kNullO_8B> {};
struct NullO_U8BBase : NullableBase<uint64_t, layout::O_U8B, kNullO_U8B> {};

}  // namespace ks
