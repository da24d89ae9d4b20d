#include "primitive_storage.h"

#include <cstdlib>
#include <cstring>

#include "base/stored_total.h"
#include "class_translate.h"

namespace ks {
namespace {

constexpr bool IsMemoryForm(unsigned char format) {
  return (format & 8) != 0;
}

unsigned FixedSize1(unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, 1);
}
unsigned FixedSize2(unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, 2);
}
unsigned FixedSize4(unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, 4);
}
unsigned FixedSize8(unsigned char, unsigned count) {
  return ksbase::FixedStoredTotal(count, 8);
}
unsigned IntStoredSize(unsigned char format, unsigned count) {
  return IntSizeGet(nullptr, 8, format, count);
}
unsigned FloatStoredSize(unsigned char format, unsigned count) {
  return FloatSizeGet(nullptr, 8, format & 15, count);
}
unsigned DoubleStoredSize(unsigned char format, unsigned count) {
  return DoubleSizeGet(nullptr, 8, format & 15, count);
}

}  // namespace

const PrimitiveStorage kCharStorage{1, CharStore, CharStore, FixedSize1};
const PrimitiveStorage kShortStorage{2, ShortStore, ShortStore, FixedSize2};
const PrimitiveStorage kLongStorage{4, LongStore, LongStore, FixedSize4};
const PrimitiveStorage kIntStorage{4, IntStore, IntLoad, IntStoredSize};
const PrimitiveStorage kUnsignedStorage{4, UnsignedStore, UnsignedLoad, IntStoredSize};
const PrimitiveStorage kFloatStorage{4, FloatStore, FloatStore, FloatStoredSize};
const PrimitiveStorage kDoubleStorage{8, DoubleStore, DoubleStore, DoubleStoredSize};
const PrimitiveStorage kO_8BStorage{8, O_8BStore, O_8BStore, FixedSize8};

template <const PrimitiveStorage& S>
void* PrimitiveSlots<S>::Create(unsigned count) {
  // Zeroed for every width: the wider types may leave their bytes unset, but
  // defined contents cost little and make stray reads reproducible.
  void* values = std::calloc(count ? count : 1, S.size);
  if (values == nullptr) KsCallMemoryHandler(count * S.size);
  return values;
}

template <const PrimitiveStorage& S>
void* PrimitiveSlots<S>::Delete(void* values, unsigned) {
  std::free(values);
  return nullptr;
}

template <const PrimitiveStorage& S>
void PrimitiveSlots<S>::Constructor(void* memory, unsigned count, unsigned) {
  if (memory != nullptr) std::memset(memory, 0, size_t{count} * S.size);
}

template <const PrimitiveStorage& S>
void PrimitiveSlots<S>::Assign(void* dst, void* src, unsigned count, int broadcast) {
  if (dst == nullptr || src == nullptr || count == 0) return;
  if (!broadcast) {
    std::memmove(dst, src, size_t{count} * S.size);
    return;
  }
  unsigned char value[8];
  std::memcpy(value, src, S.size);
  auto* out = static_cast<unsigned char*>(dst);
  for (unsigned i = 0; i < count; ++i) std::memcpy(out + size_t{i} * S.size, value, S.size);
}

template <const PrimitiveStorage& S>
unsigned PrimitiveSlots<S>::SizeGetFromMemFile(MemFile*, unsigned char format, unsigned count) {
  return S.storedSize(format, count);
}

template <const PrimitiveStorage& S>
unsigned PrimitiveSlots<S>::Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                      unsigned char srcFormat, unsigned srcLen, unsigned count) {
  if (IsMemoryForm(dstFormat)) {
    if (IsMemoryForm(srcFormat)) {
      std::memmove(dst, src, size_t{count} * S.size);
      return count * S.size;
    }
    return S.load(dst, src, srcFormat, count);
  }
  if (IsMemoryForm(srcFormat)) return S.store(dst, src, dstFormat & 15, count);
  return CopyStoredBytes(dst, dstLen, src, srcLen);
}

template struct PrimitiveSlots<kCharStorage>;
template struct PrimitiveSlots<kShortStorage>;
template struct PrimitiveSlots<kLongStorage>;
template struct PrimitiveSlots<kIntStorage>;
template struct PrimitiveSlots<kUnsignedStorage>;
template struct PrimitiveSlots<kFloatStorage>;
template struct PrimitiveSlots<kDoubleStorage>;
template struct PrimitiveSlots<kO_8BStorage>;

int NeverNull(void*) {
  return 0;
}

}  // namespace ks
