// The array walk of the compare and hash slots of fixed-size class values
// whose memory and stored elements differ in size (identities) or in byte
// order (seals), and so cannot be read through the primitive layouts.
//
// An array given with a byte length (non-zero) holds the elements that start
// before that length; a length of 0 means count elements. When the walk
// needs an element beyond an array, it stops with status 2101. A trailing
// element that the length cuts short is read zero-padded, so no byte beyond
// the given length is touched.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "ksslots.h"

namespace ks {

constexpr size_t kMaxWalkElement = 16;

class FixedElements {
 public:
  FixedElements(const void* values, unsigned len, unsigned count, size_t size)
      : bytes_(static_cast<const unsigned char*>(values)),
        size_(size),
        limit_(len != 0 ? len : size_t{count} * size) {}

  // Elements that start within the array; the first is always read.
  size_t Available() const { return std::max<size_t>(1, (limit_ + size_ - 1) / size_); }

  const unsigned char* At(size_t index, unsigned char (&scratch)[kMaxWalkElement]) const {
    const size_t offset = index * size_;
    if (offset + size_ <= limit_) return bytes_ + offset;
    std::memset(scratch, 0, sizeof scratch);
    if (offset < limit_) std::memcpy(scratch, bytes_ + offset, limit_ - offset);
    return scratch;
  }

 private:
  const unsigned char* bytes_;
  size_t size_;
  size_t limit_;
};

// Compares element pairs with order(a, b) until one differs, the count is
// reached, or an array runs out (status 2101, with the result so far).
// REQUIRES: size <= kMaxWalkElement.
template <class Order>
int CompareFixedElements(size_t size, unsigned len1, const void* values1, unsigned len2, const void* values2,
                         unsigned count, int& status, Order order) {
  status = 0;
  if (count == 0) return 0;
  const FixedElements first(values1, len1, count, size), second(values2, len2, count, size);
  const size_t available1 = first.Available(), available2 = second.Available();
  unsigned char scratch1[kMaxWalkElement], scratch2[kMaxWalkElement];
  for (size_t i = 0;; ++i) {
    const int result = order(first.At(i, scratch1), second.At(i, scratch2));
    if (i + 1 >= count) return result;
    if (i + 1 >= available1 || i + 1 >= available2) {
      status = KS_ARRAY_EXHAUSTED;
      return result;
    }
    if (result != 0) return result;
  }
}

// The exclusive or of image(element) over the elements, times 1103515245.
template <class Image>
unsigned HashFixedElements(size_t size, unsigned len, const void* values, unsigned count, int& status,
                           Image image) {
  status = 0;
  if (count == 0) return 0;
  const FixedElements array(values, len, count, size);
  const size_t walk = std::min<size_t>(count, array.Available());
  if (walk < count) status = KS_ARRAY_EXHAUSTED;
  unsigned char scratch[kMaxWalkElement];
  unsigned h = 0;
  for (size_t i = 0; i < walk; ++i) h ^= image(array.At(i, scratch));
  return h * 1103515245u;
}

}  // namespace ks
