// Primitive stored forms: byte order conversion and sizes of the fixed-size
// numbers. Every layout is a plain word of 1, 2, 4 or 8 bytes whose stored
// form differs from memory at most in byte order, so one template serves all
// of them and each conversion is its own inverse.

#include <cstdint>
#include <cstring>

#include "basesvc.h"
#include "byteorder.h"
#include "cpu_clones.h"
#include "stored_total.h"

namespace {

// One clone per instruction set: the loader picks the byte shuffle where the
// processor has it, which makes big-endian conversion run at copy speed.
#define KS_BYTE_SWAP_CLONES KS_CPU_CLONES("ssse3", "default")

KS_BYTE_SWAP_CLONES void ByteSwapShorts(unsigned char* dst, const unsigned char* src, size_t count) {
  ksbase::ByteSwapWords<uint16_t>(dst, src, count);
}
KS_BYTE_SWAP_CLONES void ByteSwapLongs(unsigned char* dst, const unsigned char* src, size_t count) {
  ksbase::ByteSwapWords<uint32_t>(dst, src, count);
}
KS_BYTE_SWAP_CLONES void ByteSwapQuads(unsigned char* dst, const unsigned char* src, size_t count) {
  ksbase::ByteSwapWords<uint64_t>(dst, src, count);
}

template <typename Word>
void ByteSwapArray(void* dst, const void* src, size_t count) {
  auto* const to = static_cast<unsigned char*>(dst);
  const auto* const from = static_cast<const unsigned char*>(src);
  if constexpr (sizeof(Word) == 2) {
    ByteSwapShorts(to, from, count);
  } else if constexpr (sizeof(Word) == 4) {
    ByteSwapLongs(to, from, count);
  } else {
    static_assert(sizeof(Word) == 8);
    ByteSwapQuads(to, from, count);
  }
}

// Converts `count` words between memory form and the stored form named by
// `format`; returns the stored bytes. Copies use memmove since dst may equal
// src. The byte count is reported modulo 2^32, the width of the interface.
template <typename Word>
unsigned StoreWords(void* dst, const void* src, [[maybe_unused]] unsigned char format, unsigned count) {
  const size_t bytes = size_t{count} * sizeof(Word);
  if constexpr (sizeof(Word) > 1) {
    if (ksbase::FormatNeedsByteSwap(format)) {
      ByteSwapArray<Word>(dst, src, count);
      return static_cast<unsigned>(bytes);
    }
  }
  if (dst != src && bytes != 0) std::memmove(dst, src, bytes);
  return static_cast<unsigned>(bytes);
}

// Stored sizes do not depend on the values nor on the byte order.
template <typename Word>
unsigned StoredSize(unsigned count) {
  return ksbase::FixedStoredTotal(count, sizeof(Word));
}

// `int` and `unsigned` are stored as 32-bit words in the byte order.
static_assert(sizeof(int) == sizeof(uint32_t) && sizeof(unsigned) == sizeof(uint32_t));
static_assert(sizeof(float) == sizeof(uint32_t) && sizeof(double) == sizeof(uint64_t));

}  // namespace

unsigned CharStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint8_t>(dst, src, format, count);
}
unsigned ShortStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint16_t>(dst, src, format, count);
}
unsigned LongStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
unsigned IntStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
unsigned IntLoad(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
unsigned UnsignedStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
unsigned UnsignedLoad(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
unsigned FloatStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint32_t>(dst, src, format, count);
}
// A double is reversed as one 8-byte word, not as two 4-byte halves.
unsigned DoubleStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint64_t>(dst, src, format, count);
}
unsigned O_8BStore(void* dst, const void* src, unsigned char format, unsigned count) {
  return StoreWords<uint64_t>(dst, src, format, count);
}

unsigned ShortStoreOne(void* dst, const void* src, unsigned char format) {
  return StoreWords<uint16_t>(dst, src, format, 1);
}
unsigned LongStoreOne(void* dst, const void* src, unsigned char format) {
  return StoreWords<uint32_t>(dst, src, format, 1);
}
unsigned O_8BStoreOne(void* dst, const void* src, unsigned char format) {
  return StoreWords<uint64_t>(dst, src, format, 1);
}

unsigned CharSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint8_t>(count);
}
unsigned ShortSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint16_t>(count);
}
unsigned LongSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned IntSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned FloatSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned DoubleSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint64_t>(count);
}
unsigned O_8BSizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return StoredSize<uint64_t>(count);
}

unsigned CharNullSizeGet(unsigned count) {
  return StoredSize<uint8_t>(count);
}
unsigned ShortNullSizeGet(unsigned count) {
  return StoredSize<uint16_t>(count);
}
unsigned LongNullSizeGet(unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned IntNullSizeGet(unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned FloatNullSizeGet(unsigned count) {
  return StoredSize<uint32_t>(count);
}
unsigned DoubleNullSizeGet(unsigned count) {
  return StoredSize<uint64_t>(count);
}
unsigned O_8BNullSizeGet(unsigned count) {
  return StoredSize<uint64_t>(count);
}
