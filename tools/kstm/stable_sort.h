// A stable merge sort that stays within its arrays whatever the comparison
// answers. A user's comparison operator (wildcards, say) need not be a
// strict weak order, and the standard sorts may then run past the range.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kstm {

template <class T, class Less>
void StableSortBounded(std::vector<T>& items, Less less) {
  const size_t n = items.size();
  constexpr size_t kRun = 16;
  for (size_t start = 0; start < n; start += kRun) {
    const size_t end = std::min(n, start + kRun);
    for (size_t i = start + 1; i < end; ++i) {
      const T item = items[i];
      size_t j = i;
      for (; j > start && less(item, items[j - 1]); --j) items[j] = items[j - 1];
      items[j] = item;
    }
  }
  std::vector<T> merged(n);
  for (size_t width = kRun; width < n; width *= 2) {
    for (size_t low = 0; low < n; low += 2 * width) {
      const size_t middle = std::min(low + width, n);
      const size_t high = std::min(low + 2 * width, n);
      std::merge(items.begin() + low, items.begin() + middle, items.begin() + middle, items.begin() + high,
                 merged.begin() + low, less);
    }
    items.swap(merged);
  }
}

}  // namespace kstm
