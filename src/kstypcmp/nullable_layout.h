// The layout of a nullable primitive as the comparison and hash walk sees
// it: a base layout's value followed by a flag byte.
//
// In memory (format & 15 of 8) an element is the padded pair; every other
// format is a stored form of base-size + 1 bytes, with the flag byte first
// unless the format has bit 8, in which case it follows the value. The
// little-endian stored form (1) is not read in place: its flag byte comes
// first, so its elements are packed pairs, not memory elements.
//
// Elements are taken as the family's Load takes them: a flag byte of
// exactly 1 is null, anything else is a number. Nulls sort first and hash
// to 0xFEFE7575; numbers order as the base layout orders them (the float
// order for the floating members) and hash to the base hash of one value,
// and the folded hash is not multiplied again.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "kstypcmp/layouts.h"
#include "kstypcmp/nullable_fold.h"
#include "kstypes/raw_value.h"

namespace ks::layout {

inline constexpr uint8_t kNullFlag = 1;
inline constexpr uint32_t kNullHashImage = 0xFEFE7575u;

template <size_t kSize>
using UnsignedOfSize = std::conditional_t<
    kSize == 8, uint64_t,
    std::conditional_t<kSize == 4, uint32_t, std::conditional_t<kSize == 2, uint16_t, uint8_t>>>;

template <class Base>
struct Nullable {
  struct Value {
    typename Base::Value value;
    uint8_t flag;
  };

  // The widest machine word that divides a memory element.
  using ElementWord = std::conditional_t<sizeof(Value) % 8 == 0, uint64_t,
                                         std::conditional_t<sizeof(Value) % 4 == 0, uint32_t, uint16_t>>;

  static bool InPlace(unsigned char format) { return (format & 15) == 8; }
  static unsigned StoredSize(unsigned char format) { return Base::StoredSize(format) + 1; }

  static Value FromStored(const unsigned char* p, unsigned char format) {
    const bool valueFirst = (format & 8) != 0;
    const unsigned char flag = valueFirst ? p[Base::StoredSize(format)] : p[0];
    if (flag == kNullFlag) return Value{typename Base::Value{}, kNullFlag};
    return Value{Base::FromStored(valueFirst ? p : p + 1, format & 15), 0};
  }

  static bool IsNull(const Value& v) { return v.flag == kNullFlag; }

  static int Order(const Value& a, const Value& b) {
    const bool aNull = IsNull(a), bNull = IsNull(b);
    if (aNull || bNull) return ThreeWay(!aNull, !bNull);
    return Base::Order(a.value, b.value);
  }
  // Without branches, so that a run of elements tests as one block.
  static bool Differs(const Value& a, const Value& b) {
    const bool aNull = IsNull(a), bNull = IsNull(b);
    return (aNull != bNull) | (!aNull & !layout::Equal<Base>(a.value, b.value));
  }
  static bool Equal(const Value& a, const Value& b) { return !Differs(a, b); }

  // The base hash of one value is its image times 1103515245. Selected by a
  // mask rather than a branch, so that the memory-form loop vectorises.
  static uint32_t Image(const Value& v) {
    const uint32_t nullMask = 0u - static_cast<uint32_t>(IsNull(v));
    return (kNullHashImage & nullMask) | (Base::Image(v.value) * 1103515245u & ~nullMask);
  }
  static uint32_t FinishHash(uint32_t folded) { return folded; }

  // Whether kCount memory elements at a and b have the same value and flag
  // bytes (the padding after the flag does not count). Same bytes make
  // equal elements; the converse does not hold (two nulls, or the flags 0
  // and 2, are equal whatever their other bytes), so a false answer only
  // sends the caller to the element order. A fixed count of whole words
  // without early exit, so that the compiler vectorises the loop.
  template <size_t kCount>
  static bool SameBytes(const unsigned char* a, const unsigned char* b) {
    using Word = ElementWord;
    constexpr size_t kWords = sizeof(Value) / sizeof(Word);
    constexpr auto kMasks = SignificantMasks<Word, kWords>();
    Word differs = 0;
    for (size_t e = 0; e < kCount; ++e) {
      for (size_t w = 0; w < kWords; ++w) {
        const size_t at = (e * kWords + w) * sizeof(Word);
        differs |= (ReadRaw<Word>(a + at) ^ ReadRaw<Word>(b + at)) & kMasks[w];
      }
    }
    return differs == 0;
  }

  // The folded images of `blocks` runs of kCount memory elements. Values
  // whose image is their low word go to a kernel compiled once per
  // instruction set (not cloned here: g++ exports the ifunc resolvers of a
  // cloned template from the shared library whatever its visibility).
  template <size_t kCount>
  static uint32_t FoldImages(const unsigned char* p, size_t blocks) {
    using BaseValue = typename Base::Value;
    if constexpr (ImageIsLowWord() && sizeof(Value) == 2 * sizeof(BaseValue) &&
                  kCount % kNullableFoldGroup == 0) {
      return FoldNullableLowWords(p, blocks * kCount, sizeof(BaseValue));
    } else {
      uint32_t folded = 0;
      for (size_t b = 0; b < blocks; ++b) folded ^= FoldBlock<kCount>(p + b * kCount * sizeof(Value));
      return folded;
    }
  }

 private:
  // The folded images of kCount memory elements, a fixed count so that the
  // loop vectorises. Where the value fits in the first word of an element,
  // value and flag are taken from the element's words by shifts, a form
  // that the compiler vectorises; other elements are read whole.
  template <size_t kCount>
  static uint32_t FoldBlock(const unsigned char* p) {
    using Word = ElementWord;
    using BaseValue = typename Base::Value;
    constexpr size_t kWords = sizeof(Value) / sizeof(Word);
    uint32_t folded = 0;
    if constexpr (sizeof(BaseValue) <= sizeof(Word) && std::is_trivially_copyable_v<BaseValue>) {
      using ValueBits = UnsignedOfSize<sizeof(BaseValue)>;
      constexpr size_t kFlagWord = sizeof(BaseValue) / sizeof(Word);
      constexpr size_t kFlagShift = 8 * (sizeof(BaseValue) % sizeof(Word));
      for (size_t e = 0; e < kCount; ++e) {
        Word words[kWords];
        std::memcpy(words, p + e * sizeof(Value), sizeof(Value));
        const auto value = std::bit_cast<BaseValue>(static_cast<ValueBits>(words[0]));
        const uint32_t nullMask =
            0u - static_cast<uint32_t>(static_cast<uint8_t>(words[kFlagWord] >> kFlagShift) == kNullFlag);
        folded ^= (kNullHashImage & nullMask) | (Base::Image(value) * 1103515245u & ~nullMask);
      }
    } else {
      for (size_t e = 0; e < kCount; ++e) folded ^= Image(ReadRaw<Value>(p + e * sizeof(Value)));
    }
    return folded;
  }

  static constexpr bool ImageIsLowWord() {
    if constexpr (requires { Base::kImageIsLowWord; }) {
      return Base::kImageIsLowWord;
    } else {
      return false;
    }
  }

  // The bits of each word of an element that hold value or flag bytes.
  template <class Word, size_t kWords>
  static constexpr std::array<Word, kWords> SignificantMasks() {
    constexpr size_t kSignificant = sizeof(typename Base::Value) + 1;
    std::array<Word, kWords> masks{};
    for (size_t byte = 0; byte < kSignificant; ++byte) {
      masks[byte / sizeof(Word)] |= static_cast<Word>(Word{0xFF} << (8 * (byte % sizeof(Word))));
    }
    return masks;
  }
};

}  // namespace ks::layout
