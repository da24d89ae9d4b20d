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

namespace ks {

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
        inPlace_((format & 15) == 8 || (format & 15) == 1),
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

// The index of the first of `count` elements of `size` bytes that differ
// between a and b (count when none does): whole blocks are compared with
// memcmp, which runs as wide as the machine allows, and only the block that
// differs element by element.
inline size_t FirstDifferentElement(const unsigned char* a, const unsigned char* b, size_t count,
                                    size_t size) {
  constexpr size_t kBlockElements = 256;
  size_t i = 0;
  while (i + kBlockElements <= count && std::memcmp(a + i * size, b + i * size, kBlockElements * size) == 0) {
    i += kBlockElements;
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
    if (first.InPlace())
      i = FirstDifferentElement(first.Bytes(), second.Bytes(), whole, sizeof(typename Layout::Value));
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
  return h * 1103515245u;
}

}  // namespace ks
