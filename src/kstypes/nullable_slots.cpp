// The nullable family: thirteen instantiations of one set of slot
// functions, each over a base type described by a row of functions.
#include "kstypes/nullable_slots.h"

#include <cstdlib>
#include <cstring>

#include "basesvc.h"
#include "ksobjid/identity_text.h"
#include "ksstring.h"
#include "kstypcmp/array_walk.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/nullable_bases.h"
#include "kstypes/nullable_stored_element.h"

namespace ks {

namespace {

constexpr unsigned char kNullFlag = layout::kNullFlag;
constexpr unsigned char kMemoryForm = 8;

// A byte length less what was walked already; 0 stays "count elements".
unsigned Remaining(unsigned len, size_t walked) {
  return len != 0 ? static_cast<unsigned>(len - walked) : 0u;
}

template <class Base>
using Element = KsNullable<typename Base::Value>;

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
  const StoredElement stored(Base::kStoredElementSize, format);
  const auto* elements = static_cast<const Element<Base>*>(src);
  auto* out = static_cast<unsigned char*>(dst);
  for (unsigned i = 0; i < count; ++i, out += stored.size) {
    const typename Base::Value value = elements[i].value;
    const unsigned char flag = elements[i].isNull != 0 ? kNullFlag : 0;
    Base::kFunctions.store(out + stored.valueOffset, &value, stored.valueFormat, 1);
    out[stored.flagOffset] = flag;
  }
  return count * stored.size;
}

// Walks backward for the same reason: a stored array can load in place.
template <class Base>
unsigned NullableSlots<Base>::Load(void* dst, const void* src, unsigned char format, unsigned count) {
  const StoredElement stored(Base::kStoredElementSize, format);
  const auto* in = static_cast<const unsigned char*>(src);
  auto* elements = static_cast<Element<Base>*>(dst);
  for (unsigned i = count; i-- > 0;) {
    const unsigned char* element = in + size_t{i} * stored.size;
    if (element[stored.flagOffset] == kNullFlag) {
      MakeNull<Base>(elements[i]);
      continue;
    }
    typename Base::Value value;
    Base::kFunctions.load(&value, element + stored.valueOffset, stored.valueFormat, 1);
    elements[i].value = value;
    elements[i].isNull = 0;
  }
  return count * stored.size;
}

template <class Base>
unsigned NullableSlots<Base>::Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                        unsigned char srcFormat, unsigned srcLen, unsigned count) {
  return ClassTranslate<Element<Base>, Store, Load>(dst, dstFormat, dstLen, src, srcFormat, srcLen, count);
}

template <class Base>
int NullableSlots<Base>::Compare(unsigned char format, unsigned len1, void* values1, unsigned len2,
                                 void* values2, unsigned short, unsigned count, int& status) {
  using Layout = layout::Nullable<typename Base::Layout>;
  // Long equal runs of memory elements are skipped a block at a time; the
  // walk then goes on from the first block that differs, with what remains
  // of both arrays.
  const size_t skipped =
      Layout::InPlace(format) ? EqualBlocksInPlace<Layout>(values1, len1, values2, len2, count) : 0;
  const size_t offset = skipped * sizeof(typename Layout::Value);
  return CompareArrays<Layout>(format, Remaining(len1, offset), static_cast<unsigned char*>(values1) + offset,
                               Remaining(len2, offset), static_cast<unsigned char*>(values2) + offset,
                               static_cast<unsigned>(count - skipped), status);
}

// The hash is not multiplied at the end, so whole blocks of memory elements
// fold apart from the walk over the rest.
template <class Base>
unsigned NullableSlots<Base>::Hash(unsigned char format, unsigned len, void* values, unsigned count,
                                   int& status) {
  using Layout = layout::Nullable<typename Base::Layout>;
  uint32_t folded = 0;
  const size_t done = Layout::InPlace(format) ? FoldBlocksInPlace<Layout>(values, len, count, folded) : 0;
  const size_t offset = done * sizeof(typename Layout::Value);
  return folded ^ HashArray<Layout>(format, Remaining(len, offset),
                                    static_cast<unsigned char*>(values) + offset,
                                    static_cast<unsigned>(count - done), status);
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
