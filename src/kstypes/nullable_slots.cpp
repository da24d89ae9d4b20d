// The nullable family: thirteen instantiations of one set of slot
// functions, each over a base type described by a row of functions.
#include "kstypes/nullable_slots.h"

#include <cstdlib>
#include <cstring>

#include "basesvc.h"
#include "ksint64/ksint64_slots.h"
#include "ksnullable.h"
#include "ksobjid/identity_text.h"
#include "ksstring.h"
#include "kstypcmp/array_walk.h"
#include "kstypcmp/nullable_layout.h"
#include "kstypconv.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/class_text_records.h"
#include "kstypes/class_translate.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/primitive_text.h"

namespace ks {

// What the family takes from a base type: its stored form, its text, its
// arrays (for the conversion records) and its generator.
struct NullableBaseFunctions {
  KsStoreFunc store;
  KsLoadFunc load;
  KsSizeGetFunc sizeGet;
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
  // The walk reads the memory element as the layout's pair.
  static_assert(sizeof(KsNullable<V>) == sizeof(typename layout::Nullable<L>::Value));
  static_assert(offsetof(KsNullable<V>, isNull) == offsetof(typename layout::Nullable<L>::Value, flag));
};

namespace {

using Int64Arrays = ClassSlots<KsInt64>;

// clang-format off
constexpr NullableBaseFunctions kChar{CharStore, CharStore, CharSizeGet, CharPrintToString, CharScanFromString, CharConvertToKsString, CharConvertFromKsString, CharSlots::Create, CharSlots::Delete, CharGetValue};
constexpr NullableBaseFunctions kByte{CharStore, CharStore, CharSizeGet, CharPrintToString, CharScanFromString, O_U1BConvertToKsString, O_U1BConvertFromKsString, CharSlots::Create, CharSlots::Delete, ByteGetValue};
constexpr NullableBaseFunctions kShort{ShortStore, ShortStore, ShortSizeGet, ShortPrintToString, ShortScanFromString, ShortConvertToKsString, ShortConvertFromKsString, ShortSlots::Create, ShortSlots::Delete, ShortGetValue};
constexpr NullableBaseFunctions kWord{ShortStore, ShortStore, ShortSizeGet, ShortPrintToString, ShortScanFromString, WordConvertToKsString, WordConvertFromKsString, ShortSlots::Create, ShortSlots::Delete, WordGetValue};
constexpr NullableBaseFunctions kInt{IntStore, IntLoad, IntSizeGet, LongPrintToString, LongScanFromString, LongConvertToKsString, LongConvertFromKsString, IntSlots::Create, IntSlots::Delete, LongGetValue};
constexpr NullableBaseFunctions kUnsigned{IntStore, IntLoad, IntSizeGet, LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, UnsignedSlots::Create, UnsignedSlots::Delete, DwordGetValue};
constexpr NullableBaseFunctions kLong{LongStore, LongStore, LongSizeGet, LongPrintToString, LongScanFromString, LongConvertToKsString, LongConvertFromKsString, LongSlots::Create, LongSlots::Delete, LongGetValue};
constexpr NullableBaseFunctions kDword{LongStore, LongStore, LongSizeGet, LongPrintToString, LongScanFromString, DwordConvertToKsString, DwordConvertFromKsString, LongSlots::Create, LongSlots::Delete, DwordGetValue};
constexpr NullableBaseFunctions kFloat{FloatStore, FloatStore, FloatSizeGet, FloatPrintToString, FloatScanFromString, FloatConvertToKsString, FloatConvertFromKsString, FloatSlots::Create, FloatSlots::Delete, FloatGetValue};
constexpr NullableBaseFunctions kDouble{DoubleStore, DoubleStore, DoubleSizeGet, DoublePrintToString, DoubleScanFromString, DoubleConvertToKsString, DoubleConvertFromKsString, DoubleSlots::Create, DoubleSlots::Delete, DoubleGetValue};
constexpr NullableBaseFunctions kInt64{Int64Store, Int64Store, Int64SizeGet, Int64PrintToString, Int64ScanFromString, Int64ConvertToKsString, Int64ConvertFromKsString, Int64Arrays::Create, Int64Arrays::Delete, Int64GetValue};
constexpr NullableBaseFunctions kO_8B{O_8BStore, O_8BStore, O_8BSizeGet, O_8BPrintToString, O_8BScanFromString, O_8BConvertToKsString, O_8BConvertFromKsString, O_8BSlots::Create, O_8BSlots::Delete, O_8BGetValue};
constexpr NullableBaseFunctions kO_U8B{O_8BStore, O_8BStore, O_8BSizeGet, O_8BPrintToString, O_8BScanFromString, O_U8BConvertToKsString, O_U8BConvertFromKsString, O_8BSlots::Create, O_8BSlots::Delete, O_U8BGetValue};
// clang-format on

constexpr unsigned char kNullFlag = layout::kNullFlag;
constexpr unsigned char kMemoryForm = 8;

// Bit 8 of a stored format puts the value before the flag byte.
constexpr bool ValueFirst(unsigned char format) {
  return (format & 8) != 0;
}

}  // namespace

struct NullCharBase : NullableBase<int8_t, layout::Char, kChar> {};
struct NullByteBase : NullableBase<uint8_t, layout::Byte, kByte> {};
struct NullShortBase : NullableBase<int16_t, layout::Short, kShort> {};
struct NullWordBase : NullableBase<uint16_t, layout::Word, kWord> {};
struct NullIntBase : NullableBase<int, layout::Int, kInt> {};
struct NullUnsignedBase : NullableBase<unsigned, layout::Unsigned, kUnsigned> {};
struct NullLongBase : NullableBase<int32_t, layout::Long, kLong> {};
struct NullDwordBase : NullableBase<uint32_t, layout::Dword, kDword> {};
struct NullFloatBase : NullableBase<float, layout::Float, kFloat> {};
struct NullDoubleBase : NullableBase<double, layout::Double, kDouble> {};
struct NullInt64Base : NullableBase<KsInt64, layout::Int64, kInt64> {};
struct NullO_8BBase : NullableBase<int64_t, layout::O_8B, kO_8B> {};
struct NullO_U8BBase : NullableBase<uint64_t, layout::O_U8B, kO_U8B> {};

namespace {

template <class Base>
using Element = KsNullable<typename Base::Value>;

// Stored bytes of one element: the base type's stored value and the flag.
template <class Base>
unsigned StoredElementSize() {
  return Base::Layout::StoredSize(0) + 1;
}

template <class Base>
void MakeNull(Element<Base>& element) {
  element.value = typename Base::Value{};
  element.isNull = kNullFlag;
}

}  // namespace

template <class Base>
void* NullableSlots<Base>::Create(unsigned count) {
  const unsigned n = count < 2 ? 1 : count;
  void* values = std::calloc(n, sizeof(Element<Base>));
  if (values == nullptr) {
    KsCallMemoryHandler(static_cast<unsigned>(size_t{n} * sizeof(Element<Base>)));
    return nullptr;
  }
  Constructor(values, n, 0);
  return values;
}

template <class Base>
void* NullableSlots<Base>::Delete(void* values, unsigned) {
  std::free(values);
  return nullptr;
}

template <class Base>
void NullableSlots<Base>::Constructor(void* memory, unsigned count, unsigned) {
  if (memory == nullptr) return;
  // Zeroed whole, padding included, so that stored copies of the memory are
  // reproducible.
  std::memset(memory, 0, size_t{count} * sizeof(Element<Base>));
  auto* elements = static_cast<Element<Base>*>(memory);
  for (unsigned i = 0; i < count; ++i) elements[i].isNull = kNullFlag;
}

template <class Base>
void NullableSlots<Base>::Assign(void* dst, void* src, unsigned count, int broadcast) {
  if (dst == nullptr || src == nullptr || count == 0) return;
  if (!broadcast) {
    std::memmove(dst, src, size_t{count} * sizeof(Element<Base>));
    return;
  }
  const Element<Base> element = *static_cast<const Element<Base>*>(src);
  auto* elements = static_cast<Element<Base>*>(dst);
  for (unsigned i = 0; i < count; ++i) elements[i] = element;
}

// Each element is read whole before it is written, so that a memory array
// can be stored in place (the stored elements are never longer).
template <class Base>
unsigned NullableSlots<Base>::Store(void* dst, const void* src, unsigned char format, unsigned count) {
  const NullableBaseFunctions& base = Base::kFunctions;
  const unsigned size = StoredElementSize<Base>();
  const unsigned char valueFormat = format & 15;
  const bool valueFirst = ValueFirst(format);
  const auto* elements = static_cast<const Element<Base>*>(src);
  auto* out = static_cast<unsigned char*>(dst);
  for (unsigned i = 0; i < count; ++i, out += size) {
    const typename Base::Value value = elements[i].value;
    const unsigned char flag = elements[i].isNull != 0 ? kNullFlag : 0;
    base.store(valueFirst ? out : out + 1, &value, valueFormat, 1);
    out[valueFirst ? size - 1 : 0] = flag;
  }
  return count * size;
}

// Walks backward for the same reason: a stored array can load in place.
template <class Base>
unsigned NullableSlots<Base>::Load(void* dst, const void* src, unsigned char format, unsigned count) {
  const NullableBaseFunctions& base = Base::kFunctions;
  const unsigned size = StoredElementSize<Base>();
  const unsigned char valueFormat = format & 15;
  const bool valueFirst = ValueFirst(format);
  const auto* in = static_cast<const unsigned char*>(src);
  auto* elements = static_cast<Element<Base>*>(dst);
  for (unsigned i = count; i-- > 0;) {
    const unsigned char* stored = in + size_t{i} * size;
    const unsigned char flag = stored[valueFirst ? size - 1 : 0];
    if (flag == kNullFlag) {
      MakeNull<Base>(elements[i]);
      continue;
    }
    typename Base::Value value;
    base.load(&value, valueFirst ? stored : stored + 1, valueFormat, 1);
    elements[i].value = value;
    elements[i].isNull = 0;
  }
  return count * size;
}

template <class Base>
unsigned NullableSlots<Base>::NullSizeGet(unsigned count) {
  return Base::kFunctions.sizeGet(nullptr, 0, 0, count) + count;
}

template <class Base>
unsigned NullableSlots<Base>::SizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return NullSizeGet(count);
}

template <class Base>
unsigned NullableSlots<Base>::SizeGetFromMemFile(MemFile*, unsigned char, unsigned count) {
  return NullSizeGet(count);
}

template <class Base>
unsigned NullableSlots<Base>::Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                        unsigned char srcFormat, unsigned srcLen, unsigned count) {
  return ClassTranslate<Element<Base>, Store, Load>(dst, dstFormat, dstLen, src, srcFormat, srcLen, count);
}

template <class Base>
int NullableSlots<Base>::Compare(unsigned char format, unsigned len1, void* values1, unsigned len2,
                                 void* values2, unsigned short, unsigned count, int& status) {
  return CompareArrays<layout::Nullable<typename Base::Layout>>(format, len1, values1, len2, values2, count,
                                                                status);
}

template <class Base>
unsigned NullableSlots<Base>::Hash(unsigned char format, unsigned len, void* values, unsigned count,
                                   int& status) {
  return HashArray<layout::Nullable<typename Base::Layout>>(format, len, values, count, status);
}

template <class Base>
int NullableSlots<Base>::IsNull(void* value) {
  return static_cast<const Element<Base>*>(value)->isNull;
}

template <class Base>
int NullableSlots<Base>::SetNull(void* value) {
  MakeNull<Base>(*static_cast<Element<Base>*>(value));
  return 0;
}

// The base type converts an array of the values (nulls as 0); the texts of
// the null elements are then made null strings.
template <class Base>
KsTypeConvertData* NullableSlots<Base>::ToTexts(void* values, unsigned count) {
  const NullableBaseFunctions& base = Base::kFunctions;
  auto* numbers = static_cast<typename Base::Value*>(base.create(count));
  if (numbers == nullptr) return nullptr;
  const auto* elements = static_cast<const Element<Base>*>(values);
  for (unsigned i = 0; i < count; ++i) {
    numbers[i] = elements[i].isNull != 0 ? typename Base::Value{} : elements[i].value;
  }
  KsTypeConvertData* record = base.toTexts(numbers, count);
  base.destroy(numbers, count);
  if (record == nullptr) return nullptr;
  for (unsigned i = 0; i < count; ++i) {
    if (elements[i].isNull == 0) continue;
    if (KsString* text = record->GetString(static_cast<int>(i))) text->SetNullValue();
  }
  return record;
}

template <class Base>
void* NullableSlots<Base>::FromTexts(KsTypeConvertData* record, unsigned count) {
  const NullableBaseFunctions& base = Base::kFunctions;
  auto* elements = static_cast<Element<Base>*>(Create(count));
  if (elements == nullptr) return nullptr;
  auto* numbers = static_cast<typename Base::Value*>(base.fromTexts(record, count));
  if (numbers == nullptr) return elements;
  for (unsigned i = 0; i < count; ++i) {
    const KsString* text = record != nullptr ? record->GetString(static_cast<int>(i)) : nullptr;
    if (text == nullptr || text->IsNullValue()) continue;
    elements[i].value = numbers[i];
    elements[i].isNull = 0;
  }
  base.destroy(numbers, count);
  return elements;
}

template <class Base>
KsString& NullableSlots<Base>::Print(KsString& out, void* values, const char* format, unsigned) {
  auto* element = static_cast<Element<Base>*>(values);
  if (element->isNull != 0) {
    out = KsTypeMgr::GetNullPrintString();
    return out;
  }
  return Base::kFunctions.print(out, &element->value, format, 1);
}

// A text that the base format does not read leaves the number as the base
// scan leaves it: from 0, since the element is cleared first.
template <class Base>
void* NullableSlots<Base>::Scan(void* values, KsString& in, const char* format, unsigned) {
  if (values == nullptr) return nullptr;
  auto* element = static_cast<Element<Base>*>(values);
  if (in.Len() == 0 || BeginsWithNullPrintString(in)) {
    MakeNull<Base>(*element);
    return values;
  }
  element->value = typename Base::Value{};
  element->isNull = 0;
  Base::kFunctions.scan(&element->value, in, format, 1);
  return values;
}

template <class Base>
void* NullableSlots<Base>::DefaultValue(unsigned count, int) {
  return Create(count);
}

template <class Base>
int NullableSlots<Base>::GetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  constexpr unsigned char kOpStart = 2;
  if (format != kMemoryForm || (op != 'M' && op != 'N')) return KS_NOT_SUPPORTED;
  auto* element = static_cast<Element<Base>*>(value);
  if (element->isNull != 0) {
    Base::kFunctions.getValue(&element->value, count, kMemoryForm, kOpStart);
    element->isNull = 0;
    return 0;
  }
  return Base::kFunctions.getValue(&element->value, count, kMemoryForm, op);
}

template struct NullableSlots<NullCharBase>;
template struct NullableSlots<NullByteBase>;
template struct NullableSlots<NullShortBase>;
template struct NullableSlots<NullWordBase>;
template struct NullableSlots<NullIntBase>;
template struct NullableSlots<NullUnsignedBase>;
template struct NullableSlots<NullLongBase>;
template struct NullableSlots<NullDwordBase>;
template struct NullableSlots<NullFloatBase>;
template struct NullableSlots<NullDoubleBase>;
template struct NullableSlots<NullInt64Base>;
template struct NullableSlots<NullO_8BBase>;
template struct NullableSlots<NullO_U8BBase>;

}  // namespace ks
