// Row builders of the class types: the slot skeleton that the value
// classes share, so that each family's row names only what is its own
// (stored form, order, hash, text of one value, generator).
#pragma once

#include "base/stored_total.h"
#include "class_generator.h"
#include "class_slots.h"
#include "class_text_records.h"
#include "class_translate.h"
#include "typedesc.h"

namespace ks {

// Stored sizes that are count times one element's stored size, whatever the
// formats and without reading the memory file (0 beyond the largest total).
template <unsigned kSize>
struct FixedStoredSizes {
  static unsigned NullSizeGet(unsigned count) { return ksbase::FixedStoredTotal(count, kSize); }
  static unsigned SizeGet(const void*, unsigned char, unsigned char, unsigned count) {
    return ksbase::FixedStoredTotal(count, kSize);
  }
  static unsigned SizeGetFromMemFile(MemFile*, unsigned char, unsigned count) {
    return ksbase::FixedStoredTotal(count, kSize);
  }
};

template <unsigned kSize, class Descriptor>
constexpr void SetFixedStoredSizes(Descriptor& d) {
  d.nullSizeGet = FixedStoredSizes<kSize>::NullSizeGet;
  d.sizeGet = FixedStoredSizes<kSize>::SizeGet;
  d.sizeGetFromMemFile = FixedStoredSizes<kSize>::SizeGetFromMemFile;
}

// Memory slots through the class, the stored form through store and load,
// and Translate by the common pattern over them.
template <class T, KsStoreFunc store, KsLoadFunc load>
constexpr void SetClassStorage(KsTypeDescriptor& d) {
  SetClassMemorySlots<T>(d);
  d.store = store;
  d.load = load;
  d.translate = ClassTranslate<T, store, load>;
}

// The same for a class whose stored elements all have one size.
template <class T, unsigned kStoredSize, KsStoreFunc store, KsLoadFunc load>
constexpr void SetFixedClassStorage(KsTypeDescriptor& d) {
  SetClassStorage<T, store, load>(d);
  SetFixedStoredSizes<kStoredSize>(d);
}

// IsNull and SetNull through the class's IsNullValue and SetNullValue.
template <class T>
constexpr void SetClassNullSlots(KsTypeDescriptor& d) {
  d.isNull = ClassSlots<T>::IsNull;
  d.setNull = ClassSlots<T>::SetNull;
}

// Conversion records and the default value from the text of one value:
// `print` fills an empty string (or makes it null for a null value), `scan`
// reads one (null when the record has no text or a null one).
template <class T, void (*print)(const T&, KsString&), void (*scan)(T&, const KsString*), bool hasNull>
constexpr void SetClassTextRecords(KsTypeDescriptor& d) {
  d.convertToKsString = ClassToTexts<T, print>;
  d.convertFromKsString = ClassFromTexts<T, scan>;
  d.defaultValue = ClassDefaultValue<T, ClassFromTexts<T, scan>, hasNull>;
}

}  // namespace ks
