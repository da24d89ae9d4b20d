// The type tables: one descriptor per type id, as data.
//
// Every row starts as `Unbuilt`, all of whose slots are the illegal
// descriptor's harmless functions, so that the dispatch never meets a null
// slot where it calls one; the row builders then set the slots their types
// have. Only SetNull is empty by default (no null value).

#include "illegal_slots.h"
#include "kstypcmp.h"
#include "primitive_getvalue.h"
#include "kstypcmp/primitive_hash.h"
#include "primitive_storage.h"
#include "primitive_text.h"
#include "class_slots.h"
#include "ksstring.h"
#include "kstypconv.h"
#include "typedesc.h"
#include "ksint64/ksint64_slots.h"
#include "ksobjid/identity_slots.h"
#include "ksblob/blob_slots.h"
#include "ksstring/istring_slots.h"
#include "ksstring/string_slots.h"
#include "ksboolean/boolean_slots.h"
#include "ksboolean/seal_slots.h"
#include "kstypes/nullable_bases.h"
#include "kstypes/nullable_slots.h"
#include "kstypevl/evaluators.h"
#include "kstypevl/string_evaluators.h"
#include "ksdate/slots/date_slots.h"

namespace {

using namespace ks;
namespace ill = ks::illegal;

// A row whose every slot is the harmless illegal function and which has no
// SetNull; the row builders below replace the slots their types have.
constexpr KsTypeDescriptor Unbuilt(const char* name, const char* typeIdName, const char* format,
                                   uint32_t sizeWord) {
  return KsTypeDescriptor{
      name,          typeIdName,          ill::Create,        ill::Delete,      ill::Store,      ill::Load,
      ill::NullSizeGet, ill::SizeGet,     ill::SizeGetFromMemFile, ill::Compare, ill::EvalAndBound, ill::Hash,
      ill::ConvertToKsString, ill::ConvertFromKsString, ill::Constructor, ill::Destructor, ill::Assignment,
      ill::Copy,     ill::Translate,      ill::IsNull,        nullptr,          format,          ill::PrintToString,
      ill::ScanFromString, sizeWord,      ill::DefaultValue,  ill::GetValue,    0,
  };
}

// The text slots of a primitive type.
struct TextSlots {
  KsPrintToKsStringFunc print;
  KsScanFromKsStringFunc scan;
  KsConvertToKsStringFunc toText;
  KsConvertFromKsStringFunc fromText;
  KsDefaultValueFunc defaultValue;
};

// clang-format off
constexpr TextSlots kCharText{CharPrintToString, CharScanFromString, CharConvertToKsString, CharConvertFromKsString, CharDefaultValue};
constexpr TextSlots kByteText{CharPrintToString, CharScanFromString, O_U1BConvertToKsString, O_U1BConvertFromKsString, CharDefaultValue};
constexpr TextSlots kShortText{ShortPrintToString, ShortScanFromString, ShortConvertToKsString, ShortConvertFromKsString, ShortDefaultValue};
constexpr TextSlots kWordText{ShortPrintToString, ShortScanFromString, WordConvertToKsString, WordConvertFromKsString, ShortDefaultValue};
constexpr TextSlots kLongText{LongPrintToString, LongScanFromString, LongConvertToKsString, LongConvertFromKsString, LongDefaultValue};
constexpr TextSlots kUnsignedText{LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, LongDefaultValue};
constexpr TextSlots kDwordText{LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, DwordDefaultValue};
constexpr TextSlots kDoubleText{DoublePrintToString, DoubleScanFromString, DoubleConvertToKsString, DoubleConvertFromKsString, DoubleDefaultValue};
constexpr TextSlots kFloatText{FloatPrintToString, FloatScanFromString, FloatConvertToKsString, FloatConvertFromKsString, FloatDefaultValue};
constexpr TextSlots kO_8BText{O_8BPrintToString, O_8BScanFromString, O_8BConvertToKsString, O_8BConvertFromKsString, O_8BDefaultValue};
constexpr TextSlots kO_U8BText{O_8BPrintToString, O_8BScanFromString, O_U8BConvertToKsString, O_U8BConvertFromKsString, O_8BDefaultValue};
// clang-format on

// A primitive layout's row. Store, Load and the two size slots are filled
// at start-up from the base services (FillPrimitiveStorageSlots).
template <class Slots>
constexpr KsTypeDescriptor Primitive(const char* name, const char* typeIdName, const char* format, uint16_t size,
                                     KsTypeCmpFunc compare, KsHashFunc hash, const TextSlots& text,
                                     KsGetValueFunc getValue) {
  KsTypeDescriptor d = Unbuilt(name, typeIdName, format, KsSizeWord(size, true));
  d.create = Slots::Create;
  d.destroy = Slots::Delete;
  d.sizeGetFromMemFile = Slots::SizeGetFromMemFile;
  d.compare = compare;
  d.hash = hash;
  d.convertToKsString = text.toText;
  d.convertFromKsString = text.fromText;
  d.constructor = Slots::Constructor;
  d.destructor = Slots::Destructor;
  d.assignment = Slots::Assign;
  d.copy = Slots::Assign;
  d.translate = Slots::Translate;
  d.isNull = NeverNull;
  d.printToString = text.print;
  d.scanFromString = text.scan;
  d.defaultValue = text.defaultValue;
  d.getValue = getValue;
  return d;
}

// A class type whose slots come with its class. `hasNull` keeps a SetNull
// slot so that the type reports null support.
constexpr KsTypeDescriptor ClassType(const char* name, const char* typeIdName, const char* format,
                                     uint32_t sizeWord, bool hasNull, KsTypeCmpFunc compare = ill::Compare,
                                     KsHashFunc hash = ill::Hash, KsGetValueFunc getValue = ill::GetValue) {
  KsTypeDescriptor d = Unbuilt(name, typeIdName, format, sizeWord);
  d.compare = compare;
  d.hash = hash;
  if (!hasNull) d.isNull = NeverNull;
  if (hasNull) d.setNull = ill::SetNullNotBuilt;
  d.getValue = getValue;
  return d;
}


// A row with its index range evaluator.
constexpr KsTypeDescriptor WithEvaluator(KsTypeDescriptor d, KsEvalAndBoundFunc evaluator) {
  d.evalAndBound = evaluator;
  return d;
}

constexpr bool kNoNull = false;
constexpr uint32_t Fixed(uint16_t size) { return KsSizeWord(size, true); }
constexpr uint32_t Variable(uint16_t size) { return KsSizeWord(size, false); }

// Pointer-holding classes report their real size on this platform.
constexpr uint16_t kStringSize = 16;
constexpr uint16_t kBlobSize = 8;

// clang-format off
constinit KsTypeDescriptor gCurrent[KS_TYPE_COUNT] = {
  /*  0 */ WithEvaluator(Primitive<CharSlots>("o_char", "Ks1B_T", "%c", 1, CharCompare, CharHash, kCharText, CharGetValue), CharEvalAndBound),
  /*  1 */ WithEvaluator(Primitive<ShortSlots>("o_2b", "Ks2B_T", "%hd", 2, ShortCompare, ShortHash, kShortText, ShortGetValue), ShortEvalAndBound),
  /*  2 */ WithEvaluator(Primitive<LongSlots>("o_4b", "Ks4B_T", "%ld", 4, LongCompare, LongHash, kLongText, LongGetValue), LongEvalAndBound),
  /*  3 */ WithEvaluator(Primitive<DoubleSlots>("o_double", "KsDOUBLE_T", "%.17g", 8, DoubleCompare, DoubleHash, kDoubleText, DoubleGetValue), DoubleEvalAndBound),
  /*  4 */ WithEvaluator(Primitive<FloatSlots>("o_float", "KsFLOAT_T", "%.17g", 4, FloatCompare, FloatHash, kFloatText, FloatGetValue), FloatEvalAndBound),
  /*  5 */ WithEvaluator(Primitive<ShortSlots>("o_u2b", "KsU2B_T", "%hu", 2, WordCompare, WordHash, kWordText, WordGetValue), WordEvalAndBound),
  /*  6 */ WithEvaluator(Primitive<LongSlots>("o_u4b", "KsU4B_T", "%lu", 4, DwordCompare, LongHash, kDwordText, DwordGetValue), DwordEvalAndBound),
  /*  7 */ WithEvaluator(Primitive<IntSlots>("int", "KsINT_T", "%d", 4, IntCompare, IntHash, kLongText, LongGetValue), IntEvalAndBound),
  /*  8 */ WithEvaluator(Primitive<UnsignedSlots>("unsigned", "KsUNSIGNED_T", "%u", 4, UnsignedCompare, IntHash, kUnsignedText, DwordGetValue), UnsignedEvalAndBound),
  /*  9 */ WithEvaluator(Primitive<IntSlots>("enum", "KsENUM_T", "%d", 4, IntCompare, IntHash, kLongText, NoGetValue), IntEvalAndBound),
  /* 10 */ WithEvaluator(Primitive<CharSlots>("o_u1b", "KsU1B_T", "%c", 1, ByteCompare, ByteHash, kByteText, ByteGetValue), ByteEvalAndBound),
  /* 11 */ WithEvaluator(ksstring::StringRow(Unbuilt("KsString", "KsSTRING_T", "%s", Variable(kStringSize)), false), StringEvalAndBound),
  /* 12 */ WithEvaluator(DateTimeRow<KsDateTraits>(Unbuilt("KsDate", "KsDATE_T", "%a %e.%b %Y", Fixed(4))), DateEvalAndBound),
  /* 13 */ WithEvaluator(DateTimeRow<KsTimeTraits>(Unbuilt("KsTime", "KsTIME_T", "%I:%M:%S %p", Fixed(3))), TimeEvalAndBound),
  /* 14 */ WithEvaluator(Primitive<LongSlots>("BlockId", "KsBLOCKID_T", "#%lu", 4, DwordCompare, LongHash, kDwordText, DwordGetValue), DwordEvalAndBound),
  /* 15 */ WithEvaluator(ObjIdRow(Unbuilt("KsObjId", "KsOBJID_T", "(%H-%L#%B)", Fixed(12))), ObjIdEvalAndBound),
  /* 16 */ WithEvaluator(ClassIdRow(Unbuilt("KsClassId", "KsCLID_T", "(%Cv%V)", Fixed(4))), ClassIdEvalAndBound),
  /* 17 */ WithEvaluator(RefRow(Unbuilt("KsRef", "KsREF_T", "(%D:%H-%L#%B, %C)", Fixed(16))), RefEvalAndBound),
  /* 18 */ WithEvaluator(BlobRow(Unbuilt("KsBlob", "KsBLOB_T", "[BLOB,len=%L]", Variable(kBlobSize))), BlobEvalAndBound),
  /* 19 */ WithEvaluator(DateTimeRow<KsDateTimeTraits>(Unbuilt("KsDateTime", "KsDATIME_T", "%a %e.%b %Y %I:%M:%S %p", Fixed(8))), DateTimeEvalAndBound),
  /* 20 */ WithEvaluator(ksstring::IStringRow<KsFolding::Accents>(Unbuilt("KsIString", "KsISTRING_T", "%s", Variable(kStringSize))), IStringEvalAndBound),
  /* 21 */ WithEvaluator(ksstring::IStringRow<KsFolding::CaseAndAccents>(Unbuilt("KsCaseIString", "KsCASEISTRING_T", "%s", Variable(kStringSize))), CaseIStringEvalAndBound),
  /* 22 */ WithEvaluator(DateTimeRow<DDateTraits>(Unbuilt("d_Date", "D_DATE_T", "%a %b %e", Fixed(4))), DDateEvalAndBound),
  /* 23 */ WithEvaluator(DateTimeRow<DTimeTraits>(Unbuilt("d_Time", "D_TIME_T", "%I:%M:%S %p", Fixed(6))), DTimeEvalAndBound),
  /* 24 */ WithEvaluator(DateTimeRow<DTimestampTraits>(Unbuilt("d_Timestamp", "D_TIMESTAMP_T", "%a %b %e %I:%M:%S %p", Fixed(10))), DTimestampEvalAndBound),
  /* 25 */ WithEvaluator(IntervalRow(Unbuilt("d_Interval", "D_INTERVAL_T", "%e days, %I hours, %M minutes, %S seconds", Fixed(4))), FloatEvalAndBound),
  /* 26 */ WithEvaluator(Int64Row(Unbuilt("KsInt64", "KsINT64_T", "%S", Fixed(8))), Int64EvalAndBound),
  /* 27 */ WithEvaluator(BooleanRow(Unbuilt("KsBoolean", "KsBOOLEAN_T", "noop", Fixed(1))), BooleanEvalAndBound),
  /* 28 */ NullableRow<NullCharBase>(Unbuilt("KsNull_char", "KsNULL_1B_T", "%c", Fixed(2))),
  /* 29 */ NullableRow<NullByteBase>(Unbuilt("KsNull_uchar", "KsNULL_U1B_T", "%c", Fixed(2))),
  /* 30 */ NullableRow<NullShortBase>(Unbuilt("KsNull_short", "KsNULL_2B_T", "%hd", Fixed(4))),
  /* 31 */ NullableRow<NullWordBase>(Unbuilt("KsNull_ushort", "KsNULL_U2B_T", "%hu", Fixed(4))),
  /* 32 */ NullableRow<NullIntBase>(Unbuilt("KsNull_int", "KsNULL_INT_T", "%d", Fixed(8))),
  /* 33 */ NullableRow<NullUnsignedBase>(Unbuilt("KsNull_unsigned", "KsNULL_UNSIGNED_T", "%u", Fixed(8))),
  /* 34 */ NullableRow<NullLongBase>(Unbuilt("KsNull_long", "KsNULL_4B_T", "%ld", Fixed(8))),
  /* 35 */ NullableRow<NullDwordBase>(Unbuilt("KsNull_ulong", "KsNULL_U4B_T", "%lu", Fixed(8))),
  /* 36 */ NullableRow<NullFloatBase>(Unbuilt("KsNull_float", "KsNULL_FLOAT_T", "%.17g", Fixed(8))),
  /* 37 */ NullableRow<NullDoubleBase>(Unbuilt("KsNull_double", "KsNULL_DOUBLE_T", "%.17g", Fixed(16))),
  /* 38 */ NullableRow<NullInt64Base>(Unbuilt("KsNull_KsInt64", "KsNULL_KSINT64_T", "%S", Fixed(12))),
  /* 39 */ WithEvaluator(SealRow(Unbuilt("KsSeal", "KsSEAL_T", "noop", Fixed(6))), SealEvalAndBound),
  /* 40 */ WithEvaluator(DateTimeRow<KsDateTimeNTraits>(Unbuilt("KsDateTimeN", "KsDATIME_N_T", "%X", Fixed(12))), DateTimeNanoEvalAndBound),
  /* 41 */ WithEvaluator(DateTimeRow<KsTimeSpanTraits>(Unbuilt("KsTimeSpan", "KsTIMESPAN_T", "%V", Fixed(12))), DateTimeNanoEvalAndBound),
  /* 42 */ WithEvaluator(Primitive<O_8BSlots>("o_8b", "Ks8B_T", "%I64d", 8, O_8BCompare, O_8BHash, kO_8BText, O_8BGetValue), O_8BEvalAndBound),
  /* 43 */ WithEvaluator(Primitive<O_8BSlots>("o_u8b", "KsU8B_T", "%I64u", 8, O_U8BCompare, O_8BHash, kO_U8BText, O_U8BGetValue), O_U8BEvalAndBound),
  /* 44 */ NullableRow<NullO_8BBase>(Unbuilt("KsNull_8b", "KsNULL_8B_T", "%I64d", Fixed(16))),
  /* 45 */ NullableRow<NullO_U8BBase>(Unbuilt("KsNull_u8b", "KsNULL_U8B_T", "%I64u", Fixed(16))),
  /* 46 */ Unbuilt("illegal", "KsRES_T", "illegal", Fixed(0)),
};
// clang-format on

// The legacy string descriptor: the same names, memory slots and text slots
// as the current one, its own stored form, no null value and no generator.
constinit KsTypeDescriptor gLegacyString =
    WithEvaluator(ksstring::StringRow(Unbuilt("KsString", "KsSTRING_T", "%s", Variable(kStringSize)), true),
                  LegacyStringEvalAndBound);

KsTypeDescriptor* const gCurrentTable[KS_TYPE_COUNT] = {
    &gCurrent[0],  &gCurrent[1],  &gCurrent[2],  &gCurrent[3],  &gCurrent[4],  &gCurrent[5],  &gCurrent[6],
    &gCurrent[7],  &gCurrent[8],  &gCurrent[9],  &gCurrent[10], &gCurrent[11], &gCurrent[12], &gCurrent[13],
    &gCurrent[14], &gCurrent[15], &gCurrent[16], &gCurrent[17], &gCurrent[18], &gCurrent[19], &gCurrent[20],
    &gCurrent[21], &gCurrent[22], &gCurrent[23], &gCurrent[24], &gCurrent[25], &gCurrent[26], &gCurrent[27],
    &gCurrent[28], &gCurrent[29], &gCurrent[30], &gCurrent[31], &gCurrent[32], &gCurrent[33], &gCurrent[34],
    &gCurrent[35], &gCurrent[36], &gCurrent[37], &gCurrent[38], &gCurrent[39], &gCurrent[40], &gCurrent[41],
    &gCurrent[42], &gCurrent[43], &gCurrent[44], &gCurrent[45], &gCurrent[46],
};

KsTypeDescriptor* const gLegacyTable[KS_LEGACY_TYPE_COUNT] = {
    &gCurrent[0],  &gCurrent[1],  &gCurrent[2],  &gCurrent[3],  &gCurrent[4],  &gCurrent[5],  &gCurrent[6],
    &gCurrent[7],  &gCurrent[8],  &gCurrent[9],  &gCurrent[10], &gLegacyString, &gCurrent[12], &gCurrent[13],
    &gCurrent[14], &gCurrent[15], &gCurrent[16], &gCurrent[17], &gCurrent[18], &gCurrent[19], &gCurrent[20],
    &gCurrent[21], &gCurrent[22], &gCurrent[23], &gCurrent[24], &gCurrent[25], &gCurrent[26], &gCurrent[27],
};

// The storage slots of the primitive descriptors come from the base
// services, which are bound when the library is loaded; this runs before any
// other initialiser of the library.
struct StorageSlots {
  KsTypeId id;
  KsStoreFunc store;
  KsLoadFunc load;
  KsNullSizeGetFunc nullSizeGet;
  KsSizeGetFunc sizeGet;
};

constexpr StorageSlots kStartupStorage[] = {
    {Ks1B_T, CharStore, CharStore, CharNullSizeGet, CharSizeGet},
    {KsU1B_T, CharStore, CharStore, CharNullSizeGet, CharSizeGet},
    {Ks2B_T, ShortStore, ShortStore, ShortNullSizeGet, ShortSizeGet},
    {KsU2B_T, ShortStore, ShortStore, ShortNullSizeGet, ShortSizeGet},
    {Ks4B_T, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
    {KsU4B_T, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
    {KsBLOCKID_T, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
    {KsDOUBLE_T, DoubleStore, DoubleStore, DoubleNullSizeGet, DoubleSizeGet},
    {KsFLOAT_T, FloatStore, FloatStore, FloatNullSizeGet, FloatSizeGet},
    {KsINT_T, IntStore, IntLoad, IntNullSizeGet, IntSizeGet},
    {KsENUM_T, IntStore, IntLoad, IntNullSizeGet, IntSizeGet},
    {KsUNSIGNED_T, UnsignedStore, UnsignedLoad, IntNullSizeGet, IntSizeGet},
    {Ks8B_T, O_8BStore, O_8BStore, O_8BNullSizeGet, O_8BSizeGet},
    {KsU8B_T, O_8BStore, O_8BStore, O_8BNullSizeGet, O_8BSizeGet},
    // d_Interval stores with functions of its own and sizes like a float.
    {D_INTERVAL_T, nullptr, nullptr, FloatNullSizeGet, FloatSizeGet},
};

__attribute__((constructor(101))) void FillPrimitiveStorageSlots() {
  for (const StorageSlots& slots : kStartupStorage) {
    KsTypeDescriptor& d = gCurrent[slots.id];
    if (slots.store) d.store = slots.store;
    if (slots.load) d.load = slots.load;
    d.nullSizeGet = slots.nullSizeGet;
    d.sizeGet = slots.sizeGet;
  }
}

}  // namespace

KsTypeDescriptor* const* KsCurrentTypeTable() { return gCurrentTable; }
KsTypeDescriptor* const* KsLegacyTypeTable() { return gLegacyTable; }
KsTypeDescriptor& KsIllegalDescriptor() { return gCurrent[KsRES_T]; }
