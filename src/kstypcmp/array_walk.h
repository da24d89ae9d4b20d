// The array walk shared by every comparison and hash function of the
// fixed-size layouts.
//
// Both walk count elements from the start of their arrays. An array given
// with a byte length (non-zero) holds the elements that start before that
// length; when the walk needs an element beyond it, it stops with status 2101.
// For the comparison the advance checks the first array, then the second,
// after every pair that is not the last, so a pair that differs right before
// an array runs out reports both its result and 2101.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ksslots.h"
#include "kstypcmp/layouts.h"
#include "kstypes/raw_value.h"

namespace ks {

namespace walk {

// Whether an array in this format is read in place, element by element in
// memory form. Plain numbers are also read in place in the little-endian
// stored form, which is their memory form on this platform; a layout whose
// stored elements differ from its memory elements says so itself.
template <class Layout>
inline bool InPlace(unsigned char format) {
  if constexpr (requires { Layout::InPlace(format); }) {
    return Layout::InPlace(format);
  } else {
    return (format & 15) == 8 || (format & 15) == 1;
  }
}

// The hash of the folded images: multiplied by 1103515245 modulo 2^32,
// unless the layout finishes its hash itself.
template <class Layout>
inline uint32_t FinishHash(uint32_t folded) {
  if constexpr (requires { Layout::FinishHash(folded); }) {
    return Layout::FinishHash(folded);
  } else {
    return folded * 1103515245u;
  }
}

}  // namespace walk

// Reads element i of an array in memory form or in a stored form. A trailing
// element that the byte length cuts short is read zero-padded, so that the
// walk never touches a byte beyond the length the caller gave.
template <class Layout>
class ElementReader {
 public:
  using Value = typename Layout::Value;

  ElementReader(const void* values, unsigned len, unsigned count, unsigned char format)
      : bytes_(static_cast<const unsigned char*>(values)),
        format_(format),
        inPlace_(walk::InPlace<Layout>(format)),
        size_(inPlace_ ? sizeof(Value) : Layout::StoredSize(format)),
        limit_(len != 0 ? len : size_t{count} * size_) {}

  // Number of elements that start within the array (at least the first one,
  // which the walk always reads).
  size_t Available() const { return std::max<size_t>(1, (limit_ + size_ - 1) / size_); }
  bool InPlace() const { return inPlace_; }

  Value At(size_t index) const {
    const size_t offset = index * size_;
    if (offset + size_ <= limit_) return Convert(bytes_ + offset);
    unsigned char padded[sizeof(Value) > 8 ? sizeof(Value) : 8] = {};
    if (offset < limit_) std::memcpy(padded, bytes_ + offset, limit_ - offset);
    return Convert(padded);
  }

  const unsigned char* Bytes() const { return bytes_; }
  // In-place element i, for the memory-form hash loop.
  Value Raw(size_t index) const {
    Value v;
    std::memcpy(&v, bytes_ + index * sizeof(Value), sizeof(Value));
    return v;
  }
  // Stored element i when it lies wholly within the array.
  Value Whole(size_t index) const { return Layout::FromStored(bytes_ + index * size_, format_); }
  size_t WholeElements() const { return limit_ / size_; }

 private:
  Value Convert(const unsigned char* p) const {
    if (inPlace_) {
      Value v;
      std::memcpy(&v, p, sizeof(Value));
      return v;
    }
    return Layout::FromStored(p, format_);
  }

  const unsigned char* bytes_;
  unsigned char format_;
  bool inPlace_;
  size_t size_;
  size_t limit_;
};

// Memory-form arrays are walked in blocks of a fixed count of elements
// first, where a layout offers it, so that the compiler vectorises the work
// on a block; the element walk then takes what remains.
constexpr size_t kInPlaceBlock = 256;

// Whole elements within count and both lengths (a length of 0: count)
// that leave at least one byte of a given length to the element walk that
// follows: a length it receives never drops to 0, which would mean count
// elements.
template <class Layout>
size_t WholeInPlace(unsigned count, unsigned len1, unsigned len2 = 0) {
  using Value = typename Layout::Value;
  size_t whole = count;
  if (len1 != 0) whole = std::min<size_t>(whole, (len1 - 1) / sizeof(Value));
  if (len2 != 0) whole = std::min<size_t>(whole, (len2 - 1) / sizeof(Value));
  return whole;
}

// Blocks that memcmp tests at once while the arrays' bytes stay the same.
constexpr size_t kSameBytesRun = 16;

// The number of leading elements, in whole blocks, that two in-place arrays
// have equal. Elements whose bytes are the same are equal, so runs of blocks
// whose bytes memcmp finds the same (padding included, as copies have them)
// are equal at once; so is a block whose value and flag bytes are the same
// (Layout::SameBytes); any other is tested element by element.
template <class Layout>
size_t EqualBlocksInPlace(const void* values1, unsigned len1, const void* values2, unsigned len2,
                          unsigned count) {
  using Value = typename Layout::Value;
  const size_t whole = WholeInPlace<Layout>(count, len1, len2);
  const auto* a = static_cast<const unsigned char*>(values1);
  const auto* b = static_cast<const unsigned char*>(values2);
  size_t equal = 0;
  constexpr size_t kRun = kSameBytesRun * kInPlaceBlock;
  while (equal + kRun <= whole &&
         std::memcmp(a + equal * sizeof(Value), b + equal * sizeof(Value), kRun * sizeof(Value)) == 0) {
    equal += kRun;
  }
  for (; equal + kInPlaceBlock <= whole; equal += kInPlaceBlock) {
    const size_t offset = equal * sizeof(Value);
    if (std::memcmp(a + offset, b + offset, kInPlaceBlock * sizeof(Value)) == 0) continue;
    if (Layout::template SameBytes<kInPlaceBlock>(a + offset, b + offset)) continue;
    for (size_t j = 0; j < kInPlaceBlock; ++j) {
      const size_t at = offset + j * sizeof(Value);
      if (Layout::Differs(ReadRaw<Value>(a + at), ReadRaw<Value>(b + at))) return equal;
    }
  }
  return equal;
}

// The images of the leading whole blocks of an in-place array, folded
// (Layout::FoldImages); `folded` receives them and the result is the number
// of elements they cover.
template <class Layout>
size_t FoldBlocksInPlace(const void* values, unsigned len, unsigned count, uint32_t& folded) {
  const size_t whole = WholeInPlace<Layout>(count, len);
  const auto* p = static_cast<const unsigned char*>(values);
  const size_t blocks = whole / kInPlaceBlock;
  folded = Layout::template FoldImages<kInPlaceBlock>(p, blocks);
  return blocks * kInPlaceBlock;
}

// The index of the first of `count` elements of `size` bytes that differ
// between a and b (count when none does): whole blocks are compared with
// memcmp, which runs as wide as the machine allows, and only the block that
// differs element by element.
inline size_t FirstDifferentElement(const unsigned char* a, const unsigned char* b, size_t count,
                                    size_t size) {
  size_t i = 0;
  while (i + kInPlaceBlock <= count && std::memcmp(a + i * size, b + i * size, kInPlaceBlock * size) == 0) {
    i += kInPlaceBlock;
  }
  while (i < count && std::memcmp(a + i * size, b + i * size, size) == 0) ++i;
  return i;
}

template <class Layout>
int CompareArrays(unsigned char format, unsigned len1, const void* values1, unsigned len2,
                  const void* values2, unsigned count, int& status) {
  status = 0;
  if (count == 0) return 0;
  const ElementReader<Layout> first(values1, len1, count, format);
  const ElementReader<Layout> second(values2, len2, count, format);
  const size_t available1 = first.Available(), available2 = second.Available();
  const size_t walk = std::min<size_t>({count, available1, available2});

  size_t i = 0;
  int result = 0;
  const size_t whole = std::min({walk, first.WholeElements(), second.WholeElements()});
  if constexpr (layout::BitwiseEqual<Layout>()) {
    if (first.InPlace()) {
      i = FirstDifferentElement(first.Bytes(), second.Bytes(), whole, sizeof(typename Layout::Value));
    }
  }
  if (first.InPlace()) {
    while (i < whole && layout::Equal<Layout>(first.Raw(i), second.Raw(i))) ++i;
  } else {
    while (i < whole && layout::Equal<Layout>(first.Whole(i), second.Whole(i))) ++i;
  }
  for (; i < walk; ++i) {
    result = Layout::Order(first.At(i), second.At(i));
    if (result != 0) break;
  }
  if (i == walk) {
    // All pairs walked were equal.
    if (walk < count) status = KS_ARRAY_EXHAUSTED;
    return 0;
  }
  const size_t next = i + 1;
  if (next < count && (next >= available1 || next >= available2)) status = KS_ARRAY_EXHAUSTED;
  return result;
}

template <class Layout>
unsigned HashArray(unsigned char format, unsigned len, const void* values, unsigned count, int& status) {
  status = 0;
  if (count == 0) return 0;
  const ElementReader<Layout> array(values, len, count, format);
  const size_t walk = std::min<size_t>(count, array.Available());
  if (walk < count) status = KS_ARRAY_EXHAUSTED;

  uint32_t h = 0;
  size_t i = 0;
  const size_t whole = std::min(walk, array.WholeElements());
  if (array.InPlace()) {
    // Kept apart so that the compiler vectorises the memory-form loop.
    for (; i < whole; ++i) h ^= Layout::Image(array.Raw(i));
  } else {
    for (; i < whole; ++i) h ^= Layout::Image(array.Whole(i));
  }
  for (; i < walk; ++i) h ^= Layout::Image(array.At(i));
  return walk::FinishHash<Layout>(h);
}

}  // namespace ks
